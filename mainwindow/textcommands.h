// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {
class RichTextView;
}

namespace textcommands {

// Selects the line under the caret (without its line break) and returns its prefix: the text
// from the line's first character up to the first TAB after it.
QString selectLineUnderCaret(platform::RichTextView* view);

// The numbers a line prefix names: "2:255." gives surah "2" and verse "255"; a heading "2." gives
// surah "2" and no verse (isVerse false).
struct PrefixNumbers {
    QString surah;
    QString verse;
    bool isVerse = false;
};
PrefixNumbers readPrefix(const QString& prefix);

} // namespace textcommands
