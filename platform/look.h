// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/role.h"

#include <QColor>

// What the windows share in their look: the colour of each role, from one palette.
namespace platform {

// The colour of a role in the palette in use.
QColor colour(text::Role role);
// The palettes: the day one the program starts with (dark text on a white page), the night one (light text on a
// dark page; the panels and the strip as by day), and the one in use (tests put another).
using Palette = QColor (*)(text::Role);
QColor dayPalette(text::Role role);
QColor nightPalette(text::Role role);
void usePalette(Palette palette);
// The night palette in use, or the day one; whether the night one is in use.
void setNight(bool night);
bool isNight();

// The dark colour behind both windows, their panels and the header picture.
inline QColor windowColour() {
    return colour(text::Role::Window);
}
// What stands on the dark colour: the text and icons of the player strip and its messages, light enough to be
// read in every state (contrast 4.5:1 at least).
inline QColor lightOnDark() {
    return colour(text::Role::StripText);
}
inline QColor dimmedOnDark() { // a control that cannot be used now
    return colour(text::Role::StripDimmed);
}
inline QColor warningOnDark() {
    return colour(text::Role::Warning);
}

// The contrast of two colours as WCAG defines it: from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// Widths and places are designed in twips (1440 an inch); on screen they are device-independent pixels.
constexpr int twips(int t) {
    return (t + 7) / 15;
}

} // namespace platform
