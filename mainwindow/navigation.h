// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace platform {
class ComboBox;
}

namespace navigation {

// A verse key as every verse line of the displayed text begins: "2:255." and a TAB.
QString verseKey(const QString& surah, const QString& verse);

// A verse named by its numbers; surah 0 names none.
struct Verse {
    int surah = 0;
    int verse = 0;
    bool isValid() const { return surah > 0 && verse > 0; }
    QString text() const { return QStringLiteral("%1:%2").arg(surah).arg(verse); } // "2:255"
    bool operator==(const Verse&) const = default;
    auto operator<=>(const Verse&) const = default; // book order
};

// The verse a line of the displayed text begins with ("2:255." and a TAB); none for other lines.
Verse verseOfLine(QStringView line);

// A verse as a reader types it: "2:255", "2 255", "2.255" or a surah's name and a verse ("Bekare 255");
// `surahNamed` gives the number of a surah name (0 when it names none). None when the text names no verse.
Verse parseTypedVerse(const QString& typed, const std::function<int(const QString&)>& surahNamed);

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
