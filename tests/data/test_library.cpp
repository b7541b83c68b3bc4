// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/library.h"
#include "data/schema.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The typed calls on a real database of the program's schema, without a window.
class TestLibrary : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    platform::Connection db;
    data::Library lib{db};

private Q_SLOTS:
    void initTestCase() {
        db.Open(dir.filePath(u"l.db"_s), platform::Connection::Mode::Create);
        for (const QString& s : schema::createStatements())
            db.exec(s);
        // Names sorted otherwise than numbers; two surahs of 3 verses (the lower number stands for the count).
        const QList<std::tuple<int, QString, int>> surahs{
            {1, u"Fatiha"_s, 7}, {2, u"Bekare"_s, 3}, {3, u"ali Imran"_s, 4}, {9, u"Alak"_s, 3}};
        for (const auto& [n, name, verses] : surahs) {
            db.exec(u"INSERT INTO Suret VALUES (?, ?, ?, '')"_s, {n, name, verses});
            for (int v = verses; v >= 1; --v) // stored backwards: the book order comes from the statement
                db.exec(u"INSERT INTO librezi (NrSure, NrAjet, Perkthimi) VALUES (?, ?, ?)"_s,
                        {n, v, u"%1:%2 text"_s.arg(n).arg(v)});
        }
    }
    void surahsAndVerses() {
        auto numbers = [](const QList<data::Surah>& list) {
            QList<int> out;
            for (const data::Surah& s : list)
                out.append(s.number * 100 + s.verses);
            return out;
        };
        QCOMPARE(numbers(lib.surahs()), QList<int>({107, 203, 304, 903}));
        QCOMPARE(numbers(lib.surahsByName()), QList<int>({903, 203, 107, 304})); // "Alak" < "Bekare" < "Fatiha" < "ali"
        QCOMPARE(numbers(lib.surahsByVerseCount()), QList<int>({203, 304, 107}));
        QCOMPARE(lib.surah(3)->name, u"ali Imran"_s);
        QVERIFY(!lib.surah(4) && !lib.surah(0));
        QCOMPARE(lib.verseText({9, 2}), u"9:2 text"_s);
        QVERIFY(!lib.verseText({9, 4}) && !lib.hasVerse({9, 4}) && lib.hasVerse({1, 7}));
        const QList<text::Verse> all = lib.verses();
        QCOMPARE(all.size(), 17);
        QVERIFY(std::is_sorted(all.begin(), all.end()));
        QCOMPARE(all.constFirst(), text::Verse({1, 1}));
    }
    // A tip drawn at random: every row can come, and none without rows; a fact by its key.
    void tipsAndFacts() {
        QVERIFY(!lib.randomTip());
        for (const QString& tip : {u"a"_s, u"b"_s, u"c"_s})
            db.exec(u"INSERT INTO Keshilla (Keshilla) VALUES (?)"_s, {tip});
        QSet<QString> seen;
        for (int i = 0; i < 300 && seen.size() < 3; ++i)
            seen.insert(*lib.randomTip());
        QCOMPARE(seen.size(), 3);
        db.exec(u"INSERT INTO Te_dhenat VALUES ('perkthyesi', 'X'), ('bosh', '')"_s);
        QCOMPARE(lib.fact(u"perkthyesi"_s), u"X"_s);
        QCOMPARE(lib.fact(u"bosh"_s), QString()); // an empty value is a value
        QVERIFY(!lib.fact(u"mungon"_s));
    }
    void themes() {
        db.exec(u"INSERT INTO Kreret VALUES (2, 'K2'), (1, 'K1')"_s);
        db.exec(u"INSERT INTO Temat VALUES (5, 'T5', 1), (3, 'T3', 2), (4, 'T4', 1)"_s);
        db.exec(u"INSERT INTO klasifikim (tema, nrsure, emrsure, ajetet) VALUES ('T4', 2, 'Bekare', '1-3'), "
                "('T4', 9, 'Alak', '2'), ('T5', 1, 'Fatiha', '1')"_s);
        QCOMPARE(lib.themes().constFirst(), qMakePair(3, u"T3"_s));
        QStringList tree;
        for (const data::ChapterTheme& t : lib.chaptersAndThemes())
            tree.append(u"%1%2%3%4"_s.arg(t.chapterNumber).arg(t.chapter).arg(t.themeNumber).arg(t.theme));
        QCOMPARE(tree, QStringList({u"1K14T4"_s, u"1K15T5"_s, u"2K23T3"_s}));
        QCOMPARE(lib.groupsOfTheme(u" T4 "_s), QStringList({u"2 (Bekare): 1-3"_s, u"9 (Alak): 2"_s}));
    }
    // The default reciter of a kind: none, then one marked, then another (the first mark cleared); a failing mark
    // keeps the old one.
    void reciters() {
        using data::ReciterKind;
        db.exec(u"INSERT INTO Lokacioni_i_zerit VALUES (1, 'B', 'zeri/b', -1, 0), (2, 'A', 'zeri/a', -1, 0), "
                "(3, 'S', 'zeri/s', 0, -1)"_s);
        QVERIFY(!lib.defaultReciter(ReciterKind::Verses));
        QCOMPARE(lib.reciters(ReciterKind::Verses).constFirst().name, u"A"_s); // by name
        lib.markDefault(ReciterKind::Verses, 1);
        lib.markDefault(ReciterKind::Verses, 2);
        QCOMPARE(lib.defaultReciter(ReciterKind::Verses)->folder, u"zeri/a"_s);
        QCOMPARE(lib.defaultReciter(ReciterKind::Surahs)->id, 3); // the other kind untouched
        db.exec(u"CREATE TRIGGER no BEFORE UPDATE OF [Default] ON Lokacioni_i_zerit WHEN NEW.IDLok = 1 "
                "BEGIN SELECT RAISE(ABORT, 'no'); END"_s);
        QVERIFY_THROWS_EXCEPTION(platform::DbError, lib.markDefault(ReciterKind::Verses, 1));
        QCOMPARE(lib.defaultReciter(ReciterKind::Verses)->id, 2);
        lib.removeReciter(2);
        QVERIFY(!lib.defaultReciter(ReciterKind::Verses));
    }
};

QTEST_GUILESS_MAIN(TestLibrary)
#include "test_library.moc"
