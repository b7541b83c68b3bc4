// SPDX-License-Identifier: GPL-3.0-or-later
#include "themes/passage.h"

#include "data/library.h"

#include <QRegularExpression>

namespace themes {
namespace {

// The longest range read: no surah has this many verses.
constexpr int kLastVerse = 999;

bool isNumeric(const QString& s) {
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?\\d+(\\.\\d+)?\\s*$"));
    return number.match(s).hasMatch();
}

// A range bound as the 16-bit number it is read into; -1 when it holds no digits.
int bound(const QString& digits) {
    if (digits.isEmpty())
        return -1;
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok ? qMin(n, 32767) : 32767;
}

QChar at(const QString& s, qsizetype pos1) {
    return pos1 >= 1 && pos1 <= s.size() ? s.at(pos1 - 1) : QChar();
}

} // namespace

GroupItem splitGroupItem(const QString& item) {
    GroupItem g;
    const qsizetype blank = item.indexOf(u' ');
    g.surahPart = blank < 0 ? item : item.left(blank);
    const qsizetype colon = item.indexOf(QStringLiteral(": "));
    g.verseList = colon < 0 ? QString() : item.mid(colon + 2);
    return g;
}

VerseFetches scanVerseList(const QString& verseListIn) {
    VerseFetches out;
    QString list = verseListIn;
    if (!list.contains(u',') && !list.contains(u'-')) {
        out.singleStatement = isNumeric(list);
        return out;
    }
    auto fetch = [&out](const QString& pending) {
        if (!pending.isEmpty()) // an entry without digits is skipped
            out.verses.append(pending);
    };
    QString pending;
    const qsizetype last = list.size() + 1; // fixed when the scan starts
    for (qsizetype pos = 1; pos <= last; ++pos) {
        if (pos == list.size() + 1) {
            fetch(pending);
            continue;
        }
        const QChar c = at(list, pos);
        if (c >= u'0' && c <= u'9') {
            pending += c;
        } else if (c == u',') {
            fetch(pending);
            pending.clear();
        } else if (c == u'-') {
            const int first = bound(pending);
            pending.clear();
            bool stopped = false;
            for (int read = 0; read < 100; ++read) {
                ++pos;
                const QChar d = at(list, pos);
                if (d >= u'0' && d <= u'9') {
                    pending += d;
                } else {
                    stopped = true;
                    break;
                }
            }
            const int lastVerse = bound(pending);
            if (stopped && first >= 0 && lastVerse >= 0)
                for (int n = first; n <= qMin(lastVerse, kLastVerse); ++n)
                    out.verses.append(QString::number(n));
            pending.clear();
        } else {
            list.clear(); // the rest of the list is dropped
        }
    }
    return out;
}

QStringList passageHeader(const QString& themeText, const QString& itemText) {
    return {QString(), QStringLiteral("Ajete nga tema \"") + themeText + QStringLiteral("\":"),
            QStringLiteral("zgjodhët ajetin (ajetet): ") + itemText, QString(58, u'*'), QString()};
}

text::Composed composePassage(const data::Library& library, const QString& themeText, const QString& itemText) {
    const GroupItem g = splitGroupItem(itemText);
    const VerseFetches fetches = scanVerseList(g.verseList);
    text::Composer passage;
    passage.title(QStringLiteral("Tema „%1”: %2").arg(themeText, itemText));
    for (const QString& line : passageHeader(themeText, itemText))
        passage.line(line);
    const bool surahIsNumber = !g.surahPart.isEmpty() && std::all_of(g.surahPart.begin(), g.surahPart.end(),
                                                                     [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!surahIsNumber || (!fetches.singleStatement && fetches.verses.isEmpty()))
        return passage.take();
    // A number as a statement would read it: beyond 64 bits a digit string is a real number.
    auto number = [](const QString& digits) -> QVariant {
        bool ok = false;
        const qlonglong n = digits.toLongLong(&ok);
        return ok ? QVariant(n) : QVariant(digits.toDouble());
    };
    const QVariant surah = number(g.surahPart);
    platform::Statement verse = library.connection().query(
        QStringLiteral("SELECT NrSure, NrAjet, Perkthimi FROM librezi WHERE NrSure = ? AND NrAjet = ?"));
    auto append = [&](const QVariant& n) {
        for (verse.reset({surah, n}); verse.next();) // a verse missing from the table adds nothing
            passage.verse({int(verse.integer(0)), int(verse.integer(1))}, verse.text(2));
    };
    if (fetches.singleStatement) {
        append(g.verseList.trimmed().toDouble()); // "5", " 5 ", "+5" and "5.0" all name verse 5
    } else {
        for (const QString& n : fetches.verses)
            append(number(n));
    }
    return passage.take();
}

} // namespace themes
