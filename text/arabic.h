// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

// Arabic as a reader types it against Arabic as a Quran text writes it. A reader types no vowel or Quranic marks,
// no tatweel, a plain alef for every alef form and a plain yeh; a text may write a long a as a full alef or as a
// small alef above, and carries invisible spacing characters. Both sides are folded alike before they are compared:
// the marks, the tatweel and the invisible characters go, the alef forms become a plain alef, alef maksura and
// Farsi yeh become yeh, and then every alef goes (so that a full alef and a small one meet).
namespace text {

// A folded text and, for each of its characters, where it stands in the original (one more entry: the original's
// end).
struct FoldedArabic {
    QString text;
    QList<qsizetype> at;
};
FoldedArabic foldArabic(QStringView original);

// Whether a text holds an Arabic letter (a phrase typed in Arabic searches the Arabic text).
bool hasArabic(QStringView s);

// Where the phrase occurs in the original text, folded as above: each place [start, end) in the original, from the
// first letter matched (an alef before it in the same word included) to the last, with the marks and alefs that
// follow it. The phrase's blanks match one blank each. Empty when the phrase folds to nothing.
QList<std::pair<qsizetype, qsizetype>> findArabic(QStringView original, QStringView phrase);

} // namespace text
