// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <QString>

namespace text {

// A verse named by its numbers; surah 0 names none.
struct Verse {
    int surah = 0;
    int verse = 0;
    bool isValid() const { return surah > 0 && verse > 0; }
    QString text() const { return QStringLiteral("%1:%2").arg(surah).arg(verse); } // "2:255"
    // A verse named as text() names it ("2:255", blanks around it aside); none for any other text.
    static Verse fromText(QStringView key);
    bool operator==(const Verse&) const = default;
    auto operator<=>(const Verse&) const = default; // book order
};

inline size_t qHash(const Verse& v, size_t seed = 0) noexcept {
    return ::qHash((quint64(quint32(v.surah)) << 32) | quint32(v.verse), seed);
}

// What stands in a verse's place, drawn in the Note role, when the translation gives it no text; the database
// keeps such a verse empty.
inline QString emptyVerseNote() {
    return QStringLiteral("(ky përkthim nuk ka tekst për këtë ajet)");
}

// The verse a line of the whole text begins with ("2:255." and a TAB); none for other lines. The whole text's
// file is the only text whose verses are read from their keys: every other text is composed from verses it knows.
Verse verseOfLine(QStringView line);
// The surah a heading line of the whole text names ("36." and a TAB, then its name); 0 for other lines.
int surahOfHeading(QStringView line);

} // namespace text
