// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/composed.h"

#include <QList>
#include <QString>

namespace data {
class Library;
}

namespace themes {

// A verse group's item text: surah number, " (", surah name, "): ", verse list.
struct GroupItem {
    QString surahPart; // the text before the first blank
    QString verseList; // the text after the first ": "
};
GroupItem splitGroupItem(const QString& itemText);

// What a verse list asks to be fetched, in order.
struct VerseFetches {
    // A list without "," and "-" that reads as one number: one statement with the list as it stands,
    // every row shown.
    bool singleStatement = false;
    // Otherwise the verses to fetch one by one (digit texts as written, range members in decimal).
    QList<QString> verses;
};

// Reads a verse list: "4-6,9" asks for 4, 5, 6 and 9. A range's closing character is consumed
// ("1-3-5" and "1-3 5" give 1, 2, 3, 5); any other character drops the rest of the list ("1, 5"
// gives 1); entries without digits are skipped; a range backwards gives nothing.
VerseFetches scanVerseList(const QString& verseList);

// The passage header's lines: an empty line, the theme between double quotes, the chosen group, a rule of 58
// asterisks, an empty line.
QStringList passageHeader(const QString& themeText, const QString& itemText);

// Composes the passage of a verse group from the verse table: header and one verse line per verse found. Throws
// DbError when a statement fails.
text::Composed composePassage(const data::Library& library, const QString& themeText, const QString& itemText);

} // namespace themes
