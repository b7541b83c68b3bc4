// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/wholetext.h"

namespace text {

VerseIndex indexOf(const platform::rtf::Document& wholeText) {
    VerseIndex index;
    int at = 0;
    QString line; // the start of the paragraph, as far as a key or a heading can reach
    for (const platform::rtf::Paragraph& p : wholeText.paragraphs) {
        line.clear();
        qsizetype length = 0;
        for (const platform::rtf::Run& r : p.runs) {
            if (line.size() < 16)
                line += QStringView(r.text).left(16);
            length += r.text.size();
        }
        const int end = at + int(length);
        if (const Verse v = verseOfLine(line); v.isValid())
            index.addVerse(v, at, end);
        else if (const int surah = surahOfHeading(line))
            index.addHeading(surah, at, end);
        at = end + 1;
    }
    return index;
}

Verse firstMissingVerse(const VerseIndex& index, const QList<Verse>& verses) {
    qsizetype next = 0;
    for (const VerseIndex::Span& s : index.verses())
        if (next < verses.size() && s.verse == verses[next])
            ++next;
    return next < verses.size() ? verses[next] : Verse{};
}

} // namespace text
