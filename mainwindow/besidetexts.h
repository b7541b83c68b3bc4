// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/beside.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

// The texts the reader reads beside the translation: which are shown, kept between runs, and read from the store of
// texts (the Arabic above each verse, the translations turned on under it).
namespace besidetexts {

inline constexpr char kArabicFace[] = "Amiri"; // a face Debian ships for the Quran's text
inline constexpr int kArabicPoints = 22;       // the Arabic's size until the reader chooses one
inline constexpr int kSmallestArabic = 12;
inline constexpr int kLargestArabic = 48;

struct Choice {
    bool arabic = false;      // "Teksti arab": the store's Arabic text above each verse
    QStringList translations; // the names of the translations shown under each verse
    int arabicPoints = kArabicPoints;
};

// The choice of the last run (nothing shown on the first).
Choice load();
// False when the store could not be written.
bool save(const Choice& c);

// The texts the choice shows, read from the store at `store`: its first Arabic text first, then the translations
// chosen in the store's order. A text the store no longer holds is left out. Throws BuildError.
QList<text::ShownText> read(const QString& store, const Choice& c);

// The store's Arabic text (its first), or 0 when it holds none. Throws BuildError.
qint64 arabicText(const QString& store);

// The face and size the Arabic is drawn in: kArabicFace at the chosen size.
QFont arabicFont(int points);

} // namespace besidetexts
