// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/beside.h"

#include <algorithm>

namespace text {

QString shortName(const QString& name) {
    QString s = name.mid(name.lastIndexOf(u'.') + 1).trimmed();
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

QList<Beside> besideOf(const QList<ShownText>& texts, Verse v) {
    QList<Beside> lines;
    for (const ShownText& t : texts) {
        const QString line = t.verses.value(v);
        if (line.isEmpty())
            continue;
        lines.append({t.arabic || t.label.isEmpty() ? line : t.label + QStringLiteral(":\t") + line, t.arabic});
    }
    return lines;
}

int BesidePlan::moved(int p) const {
    const auto it =
        std::upper_bound(inserts.cbegin(), inserts.cend(), p, [](int q, const Insert& i) { return q < i.at; });
    return it == inserts.cbegin() ? p : p + m_shift[it - inserts.cbegin() - 1];
}

BesidePlan planBeside(const VerseIndex& index, int length, const QList<ShownText>& texts) {
    BesidePlan plan;
    struct Grown {
        int above = 0, below = 0;
    };
    QList<Grown> grown; // what each verse's block gains, above and below
    const auto add = [&plan](int at, const QList<Beside>& lines) {
        if (lines.isEmpty())
            return 0;
        int n = 0;
        for (const Beside& b : lines)
            n += int(b.text.size()) + 1;
        plan.inserts.append({at, lines, n});
        return n;
    };
    for (const VerseIndex::Span& s : index.verses()) {
        QList<Beside> above, below;
        if (!texts.isEmpty())
            for (Beside& b : besideOf(texts, s.verse))
                (b.arabic ? above : below).append(std::move(b));
        Grown g;
        if (s.start == s.key)
            g.above = add(s.start, above);
        if (s.end < length)
            g.below = add(s.end + 1, below);
        grown.append(g);
    }
    int total = 0;
    for (const BesidePlan::Insert& i : plan.inserts)
        plan.m_shift.append(total += i.length);
    // Headings and blocks in the order of the text, as an index records them.
    const QList<std::pair<int, int>> headings = index.headings();
    qsizetype h = 0;
    for (qsizetype i = 0; i < index.size(); ++i) {
        const VerseIndex::Span& s = index.verses()[i];
        for (; h < headings.size() && headings[h].first < s.start; ++h)
            plan.index.addHeading(headings[h].second, plan.moved(headings[h].first), 0);
        plan.index.addBlock(s.verse, plan.moved(s.start) - grown[i].above, plan.moved(s.key), plan.moved(s.keyEnd),
                            plan.moved(s.end) + grown[i].below);
    }
    for (; h < headings.size(); ++h)
        plan.index.addHeading(headings[h].second, plan.moved(headings[h].first), 0);
    return plan;
}

Composed withBeside(const Composed& composed, const QList<ShownText>& texts) {
    if (texts.isEmpty())
        return composed;
    const BesidePlan plan = planBeside(composed.index, int(composed.text.size()), texts);
    Composed out;
    out.title = composed.title;
    qsizetype from = 0;
    for (const BesidePlan::Insert& i : plan.inserts) {
        out.text += QStringView(composed.text).mid(from, i.at - from);
        from = i.at;
        for (const Beside& b : i.lines) {
            out.beside.append({int(out.text.size()), int(b.text.size()), b.arabic});
            out.text += b.text;
            out.text += u'\n';
        }
    }
    out.text += QStringView(composed.text).mid(from);
    for (const BesideLine& b : composed.beside)
        out.beside.append({plan.moved(b.start), b.length, b.arabic});
    std::sort(out.beside.begin(), out.beside.end(),
              [](const BesideLine& a, const BesideLine& b) { return a.start < b.start; });
    for (const Mark& m : composed.marks)
        out.marks.append({plan.moved(m.start), m.length, m.role});
    out.index = plan.index;
    return out;
}

QString genitive(const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty())
        return n;
    const QChar last = n.back().toLower();
    if (last == u'i' || last == u'u' || last == u'e' || last == u'o')
        return n + u't';
    if (last == u'a')
        return n.chopped(1) + QStringLiteral("ës");
    if (last == u'ë')
        return n.chopped(1) + QStringLiteral("it");
    return n + QStringLiteral("it");
}

QString reference(const QString& surahName, Verse v, const QString& translator) {
    const QString place = (surahName.isEmpty() ? QString() : surahName + u' ') + v.text();
    return translator.trimmed().isEmpty() ? u'(' + place + u')'
                                          : QStringLiteral("(%1, përkthimi i %2)").arg(place, genitive(translator));
}

Copied copiedVerse(const QString& blockText, Verse v, const QString& reference) {
    QStringList lines = QString(blockText).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(u'\n');
    const QString key = v.text() + QStringLiteral(".\t");
    Copied c;
    QStringList plain;
    for (QString& line : lines) {
        if (line.startsWith(key))
            line = line.mid(key.size());
        plain << line;
        const bool rightToLeft = line.isRightToLeft();
        c.html += (rightToLeft ? QStringLiteral("<p dir=\"rtl\">") : QStringLiteral("<p>")) + line.toHtmlEscaped() +
                  (&line == &lines.back() ? u' ' + reference.toHtmlEscaped() : QString()) + QStringLiteral("</p>");
    }
    c.plain = plain.join(QLatin1String("\r\n")) + u' ' + reference;
    return c;
}

} // namespace text
