#pragma once

#include <QColor>

// What the windows share in their look.
namespace platform {

// The dark colour behind both windows, their panels and the header picture (red 28, green 31, blue 40).
inline QColor windowColour() {
    return QColor(0x1C, 0x1F, 0x28);
}

// Widths and places are designed in twips (1440 an inch); on screen they are device-independent pixels.
constexpr int twips(int t) {
    return (t + 7) / 15;
}

} // namespace platform
