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

} // namespace textcommands
