// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/verse.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

namespace data {
class Library;
}
namespace platform {
class ComboBox;
}

namespace navigation {

using text::Verse;

// A verse as a reader types it: "2:255", "2 255", "2.255", "2/255", "2-255" or a surah's name and a verse
// ("Bekare 255", "Al-Baqara 255"); `surahNamed` gives the number of a surah name (0 when it names none). None when
// the text names no verse; then `unknownName`, when given, gets the name part as typed (trimmed) if the text is a
// name and a verse number whose name names no surah, else "".
Verse parseTypedVerse(const QString& typed, const std::function<int(const QString&)>& surahNamed,
                      QString* unknownName = nullptr);

// What the line under the lists says of a typed name that names no surah.
QString unknownSurah(const QString& typed);

// The names a reader may type for a surah: the program's own and the common spellings of other languages (the
// table of alternative names), compared without letter case, marks (ë, ç, š, â), apostrophes, hyphens and spaces,
// with or without an article ("Al-", "El-", "An-", "Ash-" ...).
class SurahNames {
public:
    // `own` is the program's names by number, in the order a name's start is looked for (by name); `alternatives`
    // the table: "number<TAB>name, name, ..." a line, '#' lines skipped.
    SurahNames(const QList<QPair<int, QString>>& own, const QString& alternatives);
    // The table bundled with the program.
    static QString bundledAlternatives();
    // The library's names with the bundled table.
    static SurahNames of(const data::Library& library);

    // The surah a typed name names, 0 for none: a whole name; else the first of the program's names that begins
    // with it; else, for a name of five letters or more, the one surah a name of which is one letter away
    // (a letter changed, missing or extra).
    int find(const QString& typed) const;
    // The forms a name is compared in: without article and with it removed, if it has one.
    static QList<QString> keys(const QString& name);

private:
    QHash<QString, QList<int>> m_byKey;
    QList<QPair<int, QString>> m_own; // folded
};

// How a typed text names an item of a list.
enum class Match { Exact, Prefix };

// The item that a list's Click handler works on: the selected one, or when the reader typed a
// text that selects none, the item that text names (equal to it ignoring case, or for a name list
// the first that begins with it); -1 when the text names nothing.
int chosenItem(const platform::ComboBox* list, Match match);

} // namespace navigation
