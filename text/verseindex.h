// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/verse.h"

#include <QHash>
#include <QList>

#include <utility>

namespace text {

// Where the verses of a text stand: each verse's line as a range of the text's own positions (a line break counts
// one, as in a text document), and the surah headings of the whole text. Recorded when the text is filled or
// composed, in the same pass; every question about which verse is where asks it.
class VerseIndex {
public:
    // A verse's block: its key line, and the lines of the texts shown beside it (the Arabic above the key line,
    // other translations under it). Without texts beside it the block is the key line.
    struct Span {
        Verse verse;    // the verse, or for a heading the surah with verse 0
        int start = 0;  // the first character of its block
        int end = 0;    // the position of its block's end (the last line's break, or the text's end)
        int key = 0;    // the first character of its key line (the key)
        int keyEnd = 0; // the position of its key line's end
    };

    // Lines are recorded in the order of the text.
    void addVerse(Verse v, int start, int end) { addBlock(v, start, start, end, end); }
    void addBlock(Verse v, int start, int key, int keyEnd, int end);
    void addHeading(int surah, int start, int end);
    void clear();

    bool isEmpty() const { return m_verses.isEmpty(); }
    qsizetype size() const { return m_verses.size(); }
    const QList<Span>& verses() const { return m_verses; }

    // The verse whose line holds `pos` (its break included); none when the line is no verse's.
    Verse at(int pos) const;
    // The block that holds `pos` (its last break included); none when no verse's does.
    const Span* spanAt(int pos) const;
    // The first verse whose line starts at `from` or after it and before `before`; none when there is none.
    Verse firstFrom(int from, int before) const;
    // Where the block of the verse starts (its first block, when the text holds it twice); -1 when the text does
    // not hold it.
    int startOf(Verse v) const;
    // The verse's (first) block; none when the text does not hold it.
    const Span* spanOf(Verse v) const;
    // Where the surah's heading starts; -1 when the text has none.
    int headingOf(int surah) const;
    // Every heading's start and surah, in the order of the text.
    QList<std::pair<int, int>> headings() const;
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
