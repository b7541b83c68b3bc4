// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include <algorithm>
#include <cmath>

// What the windows share in their look.
namespace platform {

// The dark colour behind both windows, their panels and the header picture (red 28, green 31, blue 40).
inline QColor windowColour() {
    return QColor(0x1C, 0x1F, 0x28);
}

// What stands on the dark colour: the text and icons of the player strip and its messages, light enough to be
// read in every state (contrast 4.5:1 at least).
inline QColor lightOnDark() {
    return QColor(0xF2, 0xF4, 0xF8);
}
inline QColor dimmedOnDark() { // a control that cannot be used now
    return QColor(0xA9, 0xB1, 0xC2);
}
inline QColor warningOnDark() {
    return QColor(0xFF, 0xD2, 0x7A);
}

// The contrast of two colours as WCAG defines it: from 1 (the same) to 21 (black on white).
inline double contrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Widths and places are designed in twips (1440 an inch); on screen they are device-independent pixels.
constexpr int twips(int t) {
    return (t + 7) / 15;
}

} // namespace platform
