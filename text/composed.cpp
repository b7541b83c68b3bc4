// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/composed.h"

#include "platform/textfold.h"

namespace text {

QString Composed::crlf() const {
    QString out = text;
    out.replace(u'\n', QLatin1String("\r\n"));
    return out;
}

void Composer::line(const QString& s) {
    m_c.text += s;
    m_c.text += u'\n';
}

void Composer::line(const QString& s, Role role) {
    m_c.marks.append({int(m_c.text.size()), int(s.size()), role});
    line(s);
}

void Composer::besideLine(const Beside& b) {
    const int start = int(m_c.text.size());
    m_c.beside.append({start, int(b.text.size()), b.arabic});
    for (const auto& [at, length] : b.matches)
        m_c.marks.append({start + at, length, Role::Match});
    m_c.text += b.text;
    m_c.text += u'\n';
}

void Composer::verse(Verse v, const QString& verseText, const QList<QPair<int, int>>& matches,
                     const QList<Beside>& beside) {
    const int start = int(m_c.text.size());
    for (const Beside& b : beside)
        if (b.arabic)
            besideLine(b);
    const int key = int(m_c.text.size());
    m_c.text += v.text();
    m_c.text += QLatin1String(".\t");
    const int body = int(m_c.text.size());
    if (verseText.isEmpty()) {
        m_c.text += emptyVerseNote();
        m_c.marks.append({body, int(emptyVerseNote().size()), Role::Note});
    }
    m_c.text += verseText;
    const int keyEnd = int(m_c.text.size());
    for (const auto& [at, length] : matches)
        m_c.marks.append({body + at, length, Role::Match});
    m_c.text += u'\n';
    for (const Beside& b : beside)
        if (!b.arabic)
            besideLine(b);
    m_c.index.addBlock(v, start, key, keyEnd, int(m_c.text.size()) - 1);
}

void Composer::markLine(const QStringList& words, bool loose) {
    const qsizetype end = m_c.text.size() - 1; // the line's break
    const qsizetype start = m_c.text.lastIndexOf(u'\n', end - 1) + 1;
    for (const auto& [at, length] : matchesIn(m_c.text.mid(start, end - start), words, loose))
        m_c.marks.append({int(start) + at, length, Role::Match});
}

QList<QPair<int, int>> matchesIn(const QString& text, const QStringList& words, bool loose) {
    QList<QPair<int, int>> found;
    QString hay;
    for (const QString& word : words) {
        if (word.isEmpty())
            continue;
        if (hay.isNull())
            hay = platform::foldText(text, loose);
        const QString needle = platform::foldText(word, loose);
        for (qsizetype at = hay.indexOf(needle); at >= 0; at = hay.indexOf(needle, at + needle.size()))
            found.append({int(at), int(needle.size())});
    }
    return found;
}

} // namespace text
