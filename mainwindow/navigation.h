// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/verse.h"

#include <QString>

#include <functional>

namespace platform {
class ComboBox;
}

namespace navigation {

using text::Verse;

// A verse as a reader types it: "2:255", "2 255", "2.255" or a surah's name and a verse ("Bekare 255");
// `surahNamed` gives the number of a surah name (0 when it names none). None when the text names no verse.
Verse parseTypedVerse(const QString& typed, const std::function<int(const QString&)>& surahNamed);

// How a typed text names an item of a list.
enum class Match { Exact, Prefix };

// The item that a list's Click handler works on: the selected one, or when the reader typed a
// text that selects none, the item that text names (equal to it ignoring case, or for a name list
// the first that begins with it); -1 when the text names nothing.
int chosenItem(const platform::ComboBox* list, Match match);

} // namespace navigation
