// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/verseindex.h"

#include <algorithm>

namespace text {

Verse verseOfLine(QStringView line) {
    auto number = [&line](qsizetype& at) {
        int n = 0;
        const qsizetype from = at;
        while (at < line.size() && at - from < 4 && line[at] >= u'0' && line[at] <= u'9')
            n = n * 10 + (line[at++].unicode() - u'0');
        return at > from ? n : 0;
    };
    qsizetype at = 0;
    const int surah = number(at);
    if (!surah || at >= line.size() || line[at++] != u':')
        return {};
    const int verse = number(at);
    if (!verse || at + 1 >= line.size() || line[at] != u'.' || line[at + 1] != u'\t')
        return {};
    return {surah, verse};
}

Verse Verse::fromText(QStringView key) {
    key = key.trimmed();
    const qsizetype colon = key.indexOf(u':');
    if (colon <= 0 || colon > 4 || key.size() - colon - 1 > 4)
        return {};
    const auto number = [](QStringView digits) {
        int n = 0;
        for (QChar c : digits) {
            if (c < u'0' || c > u'9')
                return 0;
            n = n * 10 + (c.unicode() - u'0');
        }
        return n;
    };
    const Verse v{number(key.left(colon)), number(key.sliced(colon + 1))};
    return v.isValid() ? v : Verse{};
}

int surahOfHeading(QStringView line) {
    qsizetype at = 0;
    int n = 0;
    while (at < line.size() && at < 3 && line[at] >= u'0' && line[at] <= u'9')
        n = n * 10 + (line[at++].unicode() - u'0');
    return at > 0 && at + 1 < line.size() && line[at] == u'.' && line[at + 1] == u'\t' ? n : 0;
}

void VerseIndex::addBlock(Verse v, int start, int key, int keyEnd, int end) {
    if (!m_first.contains(v))
        m_first.insert(v, m_verses.size());
    m_verses.append({v, start, end, key, keyEnd});
}

void VerseIndex::addHeading(int surah, int start, int) {
    if (!m_headings.contains(surah))
        m_headings.insert(surah, start);
    m_headingAt.insert(start, surah);
}

void VerseIndex::clear() {
    m_verses.clear();
    m_first.clear();
    m_headings.clear();
    m_headingAt.clear();
}

qsizetype VerseIndex::indexAtOrAfter(int pos) const {
    return std::lower_bound(m_verses.cbegin(), m_verses.cend(), pos, [](const Span& s, int p) { return s.start < p; }) -
           m_verses.cbegin();
}

const VerseIndex::Span* VerseIndex::spanAt(int pos) const {
    // The last block that starts at pos or before it, when pos lies within it.
    const auto after =
        std::upper_bound(m_verses.cbegin(), m_verses.cend(), pos, [](int p, const Span& s) { return p < s.start; });
    if (after == m_verses.cbegin())
        return nullptr;
    const Span& s = *(after - 1);
    return pos <= s.end ? &s : nullptr;
}

Verse VerseIndex::at(int pos) const {
    const Span* s = spanAt(pos);
    return s ? s->verse : Verse{};
}

Verse VerseIndex::firstFrom(int from, int before) const {
    const qsizetype i = indexAtOrAfter(from);
    return i < m_verses.size() && m_verses[i].start < before ? m_verses[i].verse : Verse{};
}

const VerseIndex::Span* VerseIndex::spanOf(Verse v) const {
    const auto it = m_first.constFind(v);
    return it == m_first.cend() ? nullptr : &m_verses[*it];
}

int VerseIndex::startOf(Verse v) const {
    const Span* s = spanOf(v);
    return s ? s->start : -1;
}

QList<std::pair<int, int>> VerseIndex::headings() const {
    QList<std::pair<int, int>> all;
    for (auto it = m_headingAt.cbegin(); it != m_headingAt.cend(); ++it)
        all.append({it.key(), it.value()});
    std::sort(all.begin(), all.end());
    return all;
}

int VerseIndex::headingOf(int surah) const {
    return m_headings.value(surah, -1);
}

} // namespace text
