// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/look.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {
Palette g_palette = &dayPalette;
} // namespace

QColor dayPalette(text::Role role) {
    using text::Role;
    switch (role) {
    case Role::Text:
        return QColor(0, 0, 0);
    case Role::VerseKey:
        return QColor(140, 30, 20);
    case Role::Heading:
        return QColor(0, 80, 120);
    case Role::Note:
        return QColor(112, 112, 112); // grey, 5:1 on white
    case Role::Match:
        return QColor(255, 0, 0);
    case Role::Selection:
        return QColor(0x30, 0x8C, 0xC6);
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

QColor colour(text::Role role) {
    return g_palette(role);
}

void usePalette(Palette palette) {
    g_palette = palette ? palette : &dayPalette;
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
