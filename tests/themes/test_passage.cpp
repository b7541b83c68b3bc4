#include "app/module1.h"
#include "testsupport.h"
#include "themes/passage.h"

#include <QTemporaryDir>
#include <QTest>

using themes::scanVerseList;

// Reading verse lists and composing passages from them.
class TestPassage : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() {
        testsupport::copyBundledData(dir);
        Module1::cnLidhja.Open(dir.filePath(QStringLiteral("librezi.db")));
        // Verse texts that say which verse they are, so a passage shows what was fetched.
        Module1::cnLidhja.Execute(QStringLiteral("update librezi set Perkthimi = 'ajeti ' || NrSure || ':' || NrAjet"));
    }

    void scan_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QStringList>("verses");
        QTest::newRow("worked example 4-6,9") << "4-6,9" << false << QStringList{"4", "5", "6", "9"};
        QTest::newRow("comma list") << "1,3" << false << QStringList{"1", "3"};
        QTest::newRow("range alone, no extra fetch at the end") << "1-3" << false << QStringList{"1", "2", "3"};
        QTest::newRow("range then single") << "1-3,5" << false << QStringList{"1", "2", "3", "5"};
        QTest::newRow("two-digit range") << "10-12" << false << QStringList{"10", "11", "12"};
        QTest::newRow("dash closing a range is consumed") << "1-3-5" << false << QStringList{"1", "2", "3", "5"};
        QTest::newRow("blank closing a range is consumed") << "1-3 5" << false << QStringList{"1", "2", "3", "5"};
        QTest::newRow("blank after a comma drops the rest") << "1, 5" << false << QStringList{"1"};
        QTest::newRow("backwards range gives nothing") << "3-1" << false << QStringList{};
        QTest::newRow("leading zeros kept as written") << "007,8" << false << QStringList{"007", "8"};
        QTest::newRow("dash with nothing before") << "-3,4" << false << QStringList{"4"};
        QTest::newRow("double comma") << "1,,2" << false << QStringList{"1", "2"};
        QTest::newRow("trailing comma") << "1,2," << false << QStringList{"1", "2"};
        QTest::newRow("open range at the end") << "2,5-" << false << QStringList{"2"};
        QTest::newRow("single number") << "7" << true << QStringList{};
        QTest::newRow("single number with blanks") << " 7 " << true << QStringList{};
        QTest::newRow("letters") << "abc" << false << QStringList{};
        QTest::newRow("empty") << "" << false << QStringList{};
    }
    void scan() {
        QFETCH(QString, list);
        QFETCH(bool, single);
        QFETCH(QStringList, verses);
        const themes::VerseFetches f = scanVerseList(list);
        QCOMPARE(f.singleStatement, single);
        QCOMPARE(QStringList(f.verses.begin(), f.verses.end()), verses);
    }

    void hugeRangeEndsInTime() {
        // A bound beyond any surah does not turn into tens of thousands of statements.
        const themes::VerseFetches f = scanVerseList(QStringLiteral("1-99999"));
        QVERIFY(f.verses.size() <= 999);
        QCOMPARE(f.verses.first(), QStringLiteral("1"));
        // A hundred digits without a stop fetch nothing; the scan goes on with what follows them.
        QCOMPARE(scanVerseList(QStringLiteral("1-") + QString(100, u'7') + QStringLiteral("9")).verses,
                 QList<QString>{QStringLiteral("9")});
        QVERIFY(scanVerseList(QStringLiteral("5-") + QString(100, u'1')).verses.isEmpty());
    }

    void splitItem() {
        const themes::GroupItem g = themes::splitGroupItem(QStringLiteral("12 (Jusuf): 4-6,9"));
        QCOMPARE(g.surahPart, QStringLiteral("12"));
        QCOMPARE(g.verseList, QStringLiteral("4-6,9"));
        QCOMPARE(themes::splitGroupItem(QStringLiteral("2 (Ali Imran): 1")).verseList, QStringLiteral("1"));
    }

    void headerCharacterForCharacter() {
        QCOMPARE(themes::passageHeader(QStringLiteral("31. Ajetet e sexhdes"), QStringLiteral("7 (Araf): 206")),
                 QStringLiteral("\r\nAjete nga tema \"31. Ajetet e sexhdes\":\r\nzgjodhët ajetin (ajetet): 7 (Araf): "
                                "206\r\n**********************************************************\r\n\r\n"));
        QCOMPARE(themes::passageHeader(QString(), QString()).count(u'*'), 58);
    }

    void composesTheWorkedExample() {
        const QString p = themes::composePassage(QStringLiteral("Tema"), QStringLiteral("12 (Jusuf): 4-6,9"));
        QVERIFY(p.startsWith(themes::passageHeader(QStringLiteral("Tema"), QStringLiteral("12 (Jusuf): 4-6,9"))));
        QVERIFY(p.endsWith(QStringLiteral("12:4.\tajeti 12:4\r\n12:5.\tajeti 12:5\r\n12:6.\tajeti 12:6\r\n"
                                          "12:9.\tajeti 12:9\r\n")));
    }

    void missingVerseIsSkipped() {
        // Surah 1 has 7 verses: 8 is not in the table; the rest of the passage stays.
        const QString p = themes::composePassage(QStringLiteral("T"), QStringLiteral("1 (Fatiha): 6-8,2"));
        QVERIFY(p.endsWith(QStringLiteral("1:6.\tajeti 1:6\r\n1:7.\tajeti 1:7\r\n1:2.\tajeti 1:2\r\n")));
    }

    void singleEntryStatementKeepsTheListText() {
        const QString p = themes::composePassage(QStringLiteral("T"), QStringLiteral("2 (Bekare):  255 "));
        QVERIFY(p.endsWith(QStringLiteral("2:255.\tajeti 2:255\r\n")));
        // Nothing found, or letters: the header alone.
        const QString none = themes::composePassage(QStringLiteral("T"), QStringLiteral("2 (Bekare): 999"));
        QCOMPARE(none, themes::passageHeader(QStringLiteral("T"), QStringLiteral("2 (Bekare): 999")));
        const QString letters = themes::composePassage(QStringLiteral("T"), QStringLiteral("2 (Bekare): abc"));
        QCOMPARE(letters, themes::passageHeader(QStringLiteral("T"), QStringLiteral("2 (Bekare): abc")));
    }

    void surahPartThatIsNoNumberRunsNoStatement() {
        const QString item = QStringLiteral("1;delete (x): 1,2");
        QCOMPARE(themes::composePassage(QStringLiteral("T"), item), themes::passageHeader(QStringLiteral("T"), item));
        QCOMPARE(Module1::cnLidhja.Execute(QStringLiteral("select count(*) from librezi")).Fields(0).toInt(), 6236);
    }
};

QTEST_MAIN(TestPassage)
#include "test_passage.moc"
