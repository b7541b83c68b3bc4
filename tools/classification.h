// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/facts.h"

// The thematic classification the builder writes: the one made of the facts (parts, verses of
// prostration, surahs opening with separate letters, place of revelation), or a reader's own file.
namespace databuilder {

// Chapters (Kreret), their themes (Temat) and each theme's verse groups (klasifikim), in reading order.
struct VerseGroup {
    int surah = 0;
    QString verses; // a verse list: "5", "1-7", "1,4-6"
};
struct Theme {
    int number = 0;
    QString title;
    QList<VerseGroup> groups;
};
struct Chapter {
    int number = 0;
    QString title;
    QList<Theme> themes;
};
using Classification = QList<Chapter>;

// Why `list` is not a verse list of a surah with `verses` verses, in Albanian; "" when it is one.
// A list is entries separated by ",", each a verse number or an ascending range "a-b", nothing else:
// no blanks, no empty entries, no signs.
QString verseListFault(QStringView list, int verses);

// "N" for one verse, "a-b" for more.
QString verseRange(int first, int last);

// The classification made of the facts folder's xhuzet.tsv, sexhdet.tsv and mukataat.tsv and of the
// surahs: chapters 1 to 4 (parts, prostration, separate letters, place of revelation), themes
// numbered from 1 across the chapters. Throws BuildError when a fact file is wrong.
Classification factsClassification(const QString& factsFolder, const QList<Surah>& surahs);

// Parses a reader's classification: UTF-8, one verse group a line, six TAB-separated fields
// (chapter number, chapter, theme number, theme, surah, verse list); '#' lines and empty lines are
// skipped. Throws BuildError naming the line ("Rreshti N: ...") at the first fault.
Classification parseClassification(const QByteArray& content, const QList<Surah>& surahs);
Classification readClassification(const QString& path, const QList<Surah>& surahs);

// The classification a database holds, in reading order; empty when it holds none, cannot be read or names
// a surah that `surahs` does not have.
Classification classificationOf(const QString& database, const QList<Surah>& surahs);

} // namespace databuilder
