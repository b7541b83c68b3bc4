// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/verse.h"

#include <QHash>
#include <QList>

namespace text {

// Where the verses of a text stand: each verse's line as a range of the text's own positions (a line break counts
// one, as in a text document), and the surah headings of the whole text. Recorded when the text is filled or
// composed, in the same pass; every question about which verse is where asks it.
class VerseIndex {
public:
    struct Span {
        Verse verse;   // the verse, or for a heading the surah with verse 0
        int start = 0; // the first character of its line (the key)
        int end = 0;   // the position of its line's end (its break, or the text's end)
    };

    // Lines are recorded in the order of the text.
    void addVerse(Verse v, int start, int end);
    void addHeading(int surah, int start, int end);
    void clear();

    bool isEmpty() const { return m_verses.isEmpty(); }
    qsizetype size() const { return m_verses.size(); }
    const QList<Span>& verses() const { return m_verses; }

    // The verse whose line holds `pos` (its break included); none when the line is no verse's.
    Verse at(int pos) const;
    // The first verse whose line starts at `from` or after it and before `before`; none when there is none.
    Verse firstFrom(int from, int before) const;
    // Where the line of the verse starts (its first line, when the text holds it twice); -1 when the text does
    // not hold it.
    int startOf(Verse v) const;
    // Where the surah's heading starts; -1 when the text has none.
    int headingOf(int surah) const;
    // The surah whose heading's line starts at `start`; 0 when none does.
    int headingAt(int start) const { return m_headingAt.value(start, 0); }

private:
    qsizetype indexAtOrAfter(int pos) const;
    QList<Span> m_verses;
    QHash<Verse, qsizetype> m_first;
    QHash<int, int> m_headings;  // surah -> start
    QHash<int, int> m_headingAt; // start -> surah
};

} // namespace text
