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

    // False when the phrase is empty (the reader is told to write one).
    bool next(const QString& phrase);
    bool previous(const QString& phrase);

    // The first position, counting backwards from two characters before `caret`, where `phrase`
    // begins in `text` (letter case and apostrophes ignored); -1 when there is none.
    static int lastBefore(const QString& foldedText, const QString& foldedPhrase, int caret);

private:
    static bool phraseMissing(const QString& phrase);
    platform::RichTextView* Rtf1;
};

} // namespace search
