// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The facts the builder writes into every database: the surahs and the tips.
namespace databuilder {

struct Surah {
    int number = 0;
    int verses = 0;
    QString name;  // the Albanian name the program shows
    QString place; // Mekë or Medinë
};

constexpr int kSurahCount = 114;
constexpr int kVerseCount = 6236;

// Reads suret.tsv of the facts folder: all 114 surahs in order, 6,236 verses in all. Throws BuildError.
QList<Surah> readSurahs(const QString& factsFolder);

// Reads keshilla.txt of the facts folder: one tip a line; '#' lines and empty lines are skipped.
QStringList readTips(const QString& factsFolder);

// The same facts as a database of the program holds them (tables Suret and Keshilla). Throws BuildError
// when it cannot be read or does not hold all 114 surahs.
QList<Surah> surahsOf(const QString& database);
QStringList tipsOf(const QString& database);

} // namespace databuilder
