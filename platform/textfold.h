// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// Matching in this program ignores letter case for every letter (ë/Ë, ç/Ç) and takes the three
// apostrophes ' ’ ‘ as one character: texts write s’ka where readers type s'ka. Folding is one
// character to one character, so positions in a folded text are positions in the original.
inline QChar foldChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'A' && u <= 'Z') ? QChar(char16_t(u + 32)) : c;
    if (u == 0x2019 || u == 0x2018)
        return QChar(u'\'');
    return c.toCaseFolded();
}

// The looser matching a reader may ask for: on top of foldChar, ë is e and ç is c (Albanian is often typed
// without them).
inline QChar foldLetter(QChar c) {
    const QChar f = foldChar(c);
    return f == QChar(0xEB) ? QChar(u'e') : f == QChar(0xE7) ? QChar(u'c') : f;
}

// A whole text folded one character to one character, with foldChar or (loose) foldLetter.
QString foldText(const QString& text, bool loose = false);

} // namespace platform
