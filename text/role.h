// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace text {

// What a piece of the program's look is, for the colour it is drawn in: one palette gives each role its colour, so
// that another palette (a night one) is a swap.
enum class Role {
    Page,        // the page the text of the view stands on
    Text,        // the text of the view
    VerseKey,    // a verse's key at the start of its line
    Heading,     // a surah's heading, the title
    Note,        // what the program says within the text: a verse without text
    Match,       // a word found by a search
    Selection,   // the reader's selection
    Window,      // the dark panels of the windows and the player strip
    OnWindow,    // labels on the panels
    StripText,   // the player strip's text and icons
    StripDimmed, // a control of the strip that cannot be used now
    StripButton, // a hovered or pressed button of the strip
    Warning,     // what the reader must know: a message on the strip, a save that failed
    Link,        // a link of the About window
    LinkHover,   // a link under the pointer
};

} // namespace text
