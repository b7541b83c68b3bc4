// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "platform/database.h"
#include "testsupport.h"
#include "themes/passage.h"
#include <QTemporaryDir>
#include <QTest>

// Reading verse lists and composing passages over a copy of the bundled database whose verse texts
// say which verse they are.
class TestPassage : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() {
        testsupport::copyBundledData(dir);
        Module1::cnLidhja.Open(dir.filePath("librezi.db"));
        Module1::cnLidhja.exec("UPDATE librezi SET Perkthimi = 'ajeti ' || NrSure || ':' || NrAjet");
        QCOMPARE(themes::passageHeader("31. Ajetet e sexhdes", "7 (A'raf): 206").join("\r\n"),
                 "\r\nAjete nga tema \"31. Ajetet e sexhdes\":\r\nzgjodhët ajetin (ajetet): 7 (A'raf): 206\r\n" +
                     QString(58, u'*') + "\r\n");
        QCOMPARE(themes::scanVerseList("998-99999").verses.size(), 2); // no surah is longer than 999 verses
    }
    // The verse list of the item (after its first ": ") and the verses shown, in order, for surah 2.
    void compose_data() {
        QTest::addColumn<QStringList>("listAndVerses");
        QTest::newRow("worked example") << QStringList{"4-6,9", "4 5 6 9"};
        QTest::newRow("range alone, no extra fetch at the end") << QStringList{"10-12", "10 11 12"};
        QTest::newRow("the character closing a range is consumed") << QStringList{"1-3-5,1-2 7", "1 2 3 5 1 2 7"};
        QTest::newRow("a blank after a comma drops the rest") << QStringList{"1, 5", "1"};
        QTest::newRow("a backwards range gives nothing") << QStringList{"3-1,2", "2"};
        QTest::newRow("entries without digits skipped") << QStringList{"-3,,4,", "4"};
        QTest::newRow("a verse missing from the table skipped") << QStringList{"285-289,1", "285 286 1"};
        QTest::newRow("a hundred digits without a stop fetch nothing")
            << QStringList{"1-" + QString(100, u'7') + "9", "9"};
        for (const char* v : {"5", " 5 ", "+5", "5.0"})
            QTest::addRow("one verse written '%s'", v) << QStringList{v, "5"};
        QTest::newRow("a huge digit string alone") << QStringList{QString(40, u'9'), ""};
        QTest::newRow("letters") << QStringList{"abc", ""};
    }
    void compose() {
        QFETCH(QStringList, listAndVerses);
        const QString list = listAndVerses[0], verses = listAndVerses[1];
        QString body;
        for (const QString& v : verses.split(u' ', Qt::SkipEmptyParts))
            body += "2:" + v + ".\tajeti 2:" + v + "\r\n";
        const QString item = "2 (Bekare): " + list;
        QCOMPARE(themes::splitGroupItem(item).verseList, list);
        const text::Composed passage = themes::composePassage(Module1::library, "Tema", item);
        QCOMPARE(passage.crlf(), themes::passageHeader("Tema", item).join("\r\n") + "\r\n" + body);
        for (const QString& v : verses.split(u' ', Qt::SkipEmptyParts)) // each verse where it stands
            QCOMPARE(passage.index.startOf({2, v.toInt()}), passage.text.indexOf("\n2:" + v + ".\t") + 1);
    }
};

QTEST_MAIN(TestPassage)
#include "test_passage.moc"
