#pragma once

#include <QString>

namespace platform {
class ComboBox;
}

namespace navigation {

// A verse key as every verse line of the displayed text begins: "2:255." and a TAB.
QString verseKey(const QString& surah, const QString& verse);

// How a typed text names an item of a list.
enum class Match { Exact, Prefix };

// The item that a list's Click handler works on: the selected one, or when the reader typed a
// text that selects none, the item that text names (equal to it ignoring case, or for a name list
// the first that begins with it); -1 when the text names nothing.
int chosenItem(const platform::ComboBox* list, Match match);

// The whole-text file in `folder`, found without regard to letter case ("LIB'REZI.rtf" preferred);
// "" when there is none.
QString wholeTextFile(const QString& folder);

} // namespace navigation
