// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/wordlist.h"

#include <QString>

namespace search {

// The report line above the verses found: the count, the phrase as typed and, when the search was
// limited to one surah, its name.
QString reportLine(int count, const QString& phrase, bool restricted, const QString& surahName);

// The line of nineteen asterisks that ends every report.
QString reportRule();

// How the verses are matched: as typed (letter case and apostrophes aside), or loosely (ë as e, ç as c) in
// the column that holds each verse folded so, or, in a database without that column, in the verse folded
// row by row.
enum class Matching { Exact, Loose, LooseWithoutColumn };

// The statement for a phrase: one LIKE over the whole phrase, or with "&" one LIKE per word, all
// of which must hold; with a surah (1 to 114), only that surah's verses.
SearchQuery statementFor(const QString& phrase, int surah = 0, Matching matching = Matching::Exact);

} // namespace search
