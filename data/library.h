// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/database.h"
#include "text/verse.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the program asks of its database, as typed calls on the connection it is given: the surahs, the verses,
// the tips, the themes and the reciters. No row is an empty optional; a failing statement throws DbError.
namespace data {

struct Surah {
    int number = 0;
    QString name;
    int verses = 0;
};

// A verse reciter (one file a verse) or a surah reciter (one file a surah).
enum class ReciterKind { Verses, Surahs };

struct Reciter {
    qint64 id = 0;
    QString name;
    QString folder; // as stored: relative to the program's folders, or absolute
};

// One row of the theme tree: a chapter and one of its themes.
struct ChapterTheme {
    int chapterNumber = 0;
    QString chapter;
    int themeNumber = 0;
    QString theme;
};

class Library {
public:
    explicit Library(platform::Connection& db) : m_db(&db) {}
    platform::Connection& connection() const { return *m_db; }

    // The surahs by number, by name, and the first surah of each verse count (by count).
    QList<Surah> surahs() const;
    QList<Surah> surahsByName() const;
    QList<Surah> surahsByVerseCount() const;
    std::optional<Surah> surah(int number) const;
    std::optional<QString> verseText(text::Verse v) const;
    bool hasVerse(text::Verse v) const;
    // The texts of many verses, in their order, by one statement; "" for a verse the database does not hold.
    QStringList verseTexts(const QList<text::Verse>& verses) const;
    // Every verse key in book order.
    QList<text::Verse> verses() const;

    // A tip drawn at random, each equally likely.
    std::optional<QString> randomTip() const;
    // A value of the table of facts about the data (Te_dhenat).
    std::optional<QString> fact(const QString& key) const;

    // The themes by number; the chapters with their themes, in order; a theme's verse groups as the lists show
    // them: "2 (Bekare): 1-5".
    QList<QPair<int, QString>> themes() const;
    QList<ChapterTheme> chaptersAndThemes() const;
    QStringList groupsOfTheme(const QString& theme) const;

    // The reciters of a kind by name, and the one marked as the kind's default.
    QList<Reciter> reciters(ReciterKind kind) const;
    std::optional<Reciter> defaultReciter(ReciterKind kind) const;
    // Marks the reciter (none: no reciter) as its kind's default, the old mark cleared in the same transaction.
    void markDefault(ReciterKind kind, std::optional<qint64> id) const;
    void removeReciter(qint64 id) const;

private:
    platform::Connection* m_db;
};

} // namespace data
