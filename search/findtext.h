// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {
class RichTextView;
}

namespace search {

// Find next and find previous of a phrase in whatever the text view shows. Neither moves the
// keyboard focus.
class FindInText {
public:
    explicit FindInText(platform::RichTextView* view) : Rtf1(view) {}

    // False when the phrase is empty (the reader is told to write one). A search that ends without finding
    // the phrase (the reader declined to go round, or it is nowhere) leaves the caret, the selection and the
    // view where the reader had them.
    bool next(const QString& phrase);
    bool previous(const QString& phrase);

    // The first position, counting backwards from two characters before `caret`, where `phrase`
    // begins in `text` (letter case and apostrophes ignored); -1 when there is none.
    static int lastBefore(const QString& foldedText, const QString& foldedPhrase, int caret);

private:
    static bool phraseMissing(const QString& phrase);
    // Each true when the phrase was found and selected.
    bool findNext(const QString& phrase);
    bool findPrevious(const QString& phrase);
    bool keepingPlace(bool (FindInText::*find)(const QString&), const QString& phrase);
    platform::RichTextView* Rtf1;
};

} // namespace search
