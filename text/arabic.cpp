// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/arabic.h"

namespace text {

namespace {

constexpr char16_t kAlef = u'\u0627';

// What a character becomes when folded: 0 when it goes.
char16_t folded(char16_t c) {
    if ((c >= 0x064B && c <= 0x065F) || c == 0x0670 || (c >= 0x06D6 && c <= 0x06ED) || (c >= 0x08F0 && c <= 0x08F2))
        return 0; // vowel and Quranic marks, the small alef above
    switch (c) {
    case 0x0640: // tatweel
    case 0x200A: // hair space
    case 0x200B: // zero width space
    case 0x200C: // zero width non-joiner
    case 0x200D: // zero width joiner
    case 0x2060: // word joiner
    case 0xFEFF: // zero width no-break space
    case kAlef:  // every alef, once the forms are plain
    case 0x0623: // alef with hamza above
    case 0x0625: // alef with hamza below
    case 0x0622: // alef with madda
    case 0x0671: // alef wasla
        return 0;
    case 0x0649: // alef maksura
    case 0x06CC: // Farsi yeh
        return u'\u064A';
    default:
        return c;
    }
}

bool isAlef(char16_t c) {
    return c == kAlef || c == 0x0623 || c == 0x0625 || c == 0x0622 || c == 0x0671;
}

} // namespace

FoldedArabic foldArabic(QStringView original) {
    // Written into room made beforehand: a search folds every verse it finds.
    FoldedArabic f;
    f.text.resize(original.size());
    f.at.resize(original.size() + 1);
    QChar* text = f.text.data();
    qsizetype* at = f.at.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < original.size(); ++i)
        if (const char16_t c = folded(original[i].unicode())) {
            text[n] = QChar(c);
            at[n++] = i;
        }
    f.text.truncate(n);
    at[n] = original.size();
    f.at.resize(n + 1);
    return f;
}

bool hasArabic(QStringView s) {
    for (const QChar c : s)
        if ((c.unicode() >= 0x0621 && c.unicode() <= 0x064A) || (c.unicode() >= 0x0671 && c.unicode() <= 0x06D3))
            return true;
    return false;
}

QList<std::pair<qsizetype, qsizetype>> findArabic(QStringView original, QStringView phrase) {
    QList<std::pair<qsizetype, qsizetype>> places;
    const QString wanted = foldArabic(phrase).text;
    if (wanted.trimmed().isEmpty())
        return places;
    const FoldedArabic f = foldArabic(original);
    for (qsizetype from = 0; (from = f.text.indexOf(wanted, from)) >= 0; from += wanted.size()) {
        qsizetype start = f.at[from];
        // An alef that goes before the first letter matched, in the same word, is part of the place (with the marks
        // after it); marks alone before it belong to the letter before.
        for (qsizetype i = start - 1; i >= 0 && !folded(original[i].unicode()) && original[i] != u' '; --i)
            if (isAlef(original[i].unicode()))
                start = i;
        const qsizetype last = f.at[from + wanted.size() - 1];
        qsizetype end = last + 1;
        while (end < original.size() && !folded(original[end].unicode()))
            ++end;
        places.append({start, end});
    }
    return places;
}

} // namespace text
