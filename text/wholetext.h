// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/rtfreader.h"
#include "text/verseindex.h"

#include <QList>

// The whole text read from its file: its verse lines ("2:255." and a TAB, then the verse) and surah headings ("2."
// and a TAB, then the name), one paragraph each. This is the one text whose verses are known by reading their keys.
namespace text {

// Where each verse and heading of the whole text stands, in the positions of the document filled from it (a
// paragraph break counts one).
VerseIndex indexOf(const platform::rtf::Document& wholeText);

// The first of `verses` (in book order) that the text does not hold in that order; none when it holds them all.
Verse firstMissingVerse(const VerseIndex& index, const QList<Verse>& verses);

} // namespace text
