// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;
namespace platform {
class RichTextView;
}

namespace search {

// Find next and find previous of a phrase in whatever the text view shows. Neither moves the
// keyboard focus, except to the phrase box when the phrase is empty.
class FindInText {
public:
    FindInText(platform::RichTextView* view, QLineEdit* phraseBox) : Rtf1(view), txtKerkim(phraseBox) {}

    void next();
    void previous();

    // The first position, counting backwards from two characters before `caret`, where `phrase`
    // begins in `text` (letter case and apostrophes ignored); -1 when there is none.
    static int lastBefore(const QString& foldedText, const QString& foldedPhrase, int caret);

private:
    bool phraseMissing();
    platform::RichTextView* Rtf1;
    QLineEdit* txtKerkim;
};

} // namespace search
