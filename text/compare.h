// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

#include <utility>

// A verse in several translations, word by word: which words of each translation the others do not share, as a
// word diff marks them. Words are what blanks separate; they are compared without the punctuation around them,
// without regard to letter case and with the apostrophes ' ’ ‘ as one, as the search compares them.
namespace text {

using Ranges = QList<std::pair<qsizetype, qsizetype>>;

// For each text, the places [start, end) of its words that lie outside the longest common sequence of words it has
// with any one of the others (a word every text has, in the same order, is never marked; with one text, nothing is).
QList<Ranges> differingWords(const QStringList& texts);

} // namespace text
