// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/look.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace platform {
namespace {
// Atomic: a whole text may be filled, its roles coloured, on another thread while the reader switches.
std::atomic<Palette> g_palette = &dayPalette;
} // namespace

QColor dayPalette(text::Role role) {
    using text::Role;
    switch (role) {
    case Role::Page:
        return QColor(255, 255, 255);
    case Role::Text:
        return QColor(0, 0, 0);
    case Role::VerseKey:
        return QColor(140, 30, 20);
    case Role::Heading:
        return QColor(0, 80, 120);
    case Role::Note:
        return QColor(112, 112, 112); // grey, 5:1 on white
    case Role::Match:
        return QColor(220, 0, 0); // 5.2:1 on white (pure red has 4:1)
    case Role::Selection:
        return QColor(0x26, 0x74, 0xA8); // white on it 5:1
    case Role::Window:
        return QColor(0x1C, 0x1F, 0x28);
    case Role::OnWindow:
        return QColor(255, 255, 255);
    case Role::StripText:
        return QColor(0xF2, 0xF4, 0xF8);
    case Role::StripDimmed:
        return QColor(0xA9, 0xB1, 0xC2);
    case Role::StripButton:
        return QColor(0x34, 0x3B, 0x4B);
    case Role::Warning:
        return QColor(0xFF, 0xD2, 0x7A);
    case Role::Link:
        return QColor(0, 0, 192);
    case Role::LinkHover:
        return QColor(255, 0, 0);
    }
    return QColor(0, 0, 0);
}

// Every colour of the page 7:1 at least on it (the notes and the matches 4.5:1), as by day.
QColor nightPalette(text::Role role) {
    using text::Role;
    switch (role) {
    case Role::Page:
        return QColor(0x15, 0x17, 0x1C);
    case Role::Text:
        return QColor(0xE6, 0xE4, 0xDE); // 14:1
    case Role::VerseKey:
        return QColor(0xF4, 0xAA, 0x8E); // 9.4:1, the day's brick lightened
    case Role::Heading:
        return QColor(0x92, 0xCC, 0xF2); // 10:1, the day's blue lightened
    case Role::Note:
        return QColor(0xA8, 0xA8, 0xA8); // 7.5:1
    case Role::Match:
        return QColor(0xFF, 0x5A, 0x4A); // 5.8:1
    case Role::Selection:
        return QColor(0x33, 0x70, 0xB0); // white on it 5:1, 3.5:1 on the page
    default:
        return dayPalette(role); // the panels and the strip are dark by day already
    }
}

QColor colour(text::Role role) {
    return g_palette.load()(role);
}

void usePalette(Palette palette) {
    g_palette = palette ? palette : &dayPalette;
}

void setNight(bool night) {
    usePalette(night ? &nightPalette : &dayPalette);
}

bool isNight() {
    return g_palette == &nightPalette;
}

double contrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace platform
