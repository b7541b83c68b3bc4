#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/navigation.h"
#include "platform/look.h"
#include "testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Going to surahs and verses on the real main window over the bundled data.
class TestNavigation : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<testsupport::Controls> c;

    static void typeEnter(platform::ComboBox* box, const QString& text) {
        testsupport::typeInto(box, text);
        testsupport::pressEnter(box);
    }
    // The selection when it runs to the end of its line and no further.
    QString selectedLine() const {
        const QString text = c->Rtf1->Text(), selected = c->Rtf1->SelText();
        const int end = c->Rtf1->SelStart() + c->Rtf1->SelLength();
        const bool toTheEnd = (end == text.size() || text.at(end) == QChar(13)) && !selected.contains(QChar(13));
        return toTheEnd ? selected : u"(not one line: "_s + selected + u')';
    }

private Q_SLOTS:
    void initTestCase() {
        c = std::make_unique<testsupport::Controls>(testsupport::startProgram(dir));
        c->w->show();
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    // A surah chosen from a list, or typed with Enter: the lists agree and its first verse is selected.
    void surah_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lists"); // surah, name, verse count
        QTest::newRow("name Fatiha: surah 1, not 10") << u"CmbEmrSure"_s << false << u"Fatiha"_s << u"1 Fatiha 7"_s;
        QTest::newRow("number 114") << u"CmbNrSure"_s << false << u"114"_s << u"114 Nas 6"_s;
        QTest::newRow("count 286") << u"CmbTotalAjete"_s << false << u"286"_s << u"2 Bekare 286"_s;
        QTest::newRow("count 6: the first surah of six") << u"CmbTotalAjete"_s << false << u"6"_s << u"109 Kafirun 6"_s;
        QTest::newRow("number typed") << u"CmbNrSure"_s << true << u"36"_s << u"36 Jasin 83"_s;
        QTest::newRow("name typed by its start") << u"CmbEmrSure"_s << true << u"bek"_s << u"2 Bekare 286"_s;
        QTest::newRow("count typed") << u"CmbTotalAjete"_s << true << u"7"_s << u"1 Fatiha 7"_s;
    }
    void surah() {
        QFETCH(QString, box);
        QFETCH(bool, typed);
        QFETCH(QString, text);
        QFETCH(QString, lists);
        auto* list = c->w->findChild<platform::ComboBox*>(box);
        c->CmbNrAjeti->setText(u"5"_s);
        typed ? typeEnter(list, text) : list->setListIndex(list->findText(text));
        const QString count = lists.section(u' ', 2);
        QCOMPARE(QStringList({c->CmbNrSure->Text(), c->CmbEmrSure->Text(), c->CmbTotalAjete->Text()}).join(u' '),
                 lists);
        QCOMPARE(c->CmbNrAjeti->Text(), u"1"_s);
        QCOMPARE(c->CmbNrAjeti->ListCount(), count.toInt());
        QCOMPARE(c->CmbNrAjeti->List(count.toInt() - 1), count);
        QVERIFY2(selectedLine().startsWith(lists.section(u' ', 0, 0) + u":1.\t"_s), qPrintable(selectedLine()));
    }

    // A verse typed with Enter selects its line; a key found inside a longer one selects there, a key found
    // nowhere the first line.
    void verse_data() {
        QTest::addColumn<QString>("surah");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<QString>("from"); // the text from the character before the selection
        QTest::newRow("2:255") << u"2"_s << u"255"_s << u"\n2:255.\t"_s;
        QTest::newRow("1:8 is the tail of 11:8") << u"1"_s << u"8"_s << u"11:8.\t"_s;
        QTest::newRow("empty: verse 1") << u"3"_s << QString() << u"\n3:1.\t"_s;
        QTest::newRow("found nowhere: the first line") << u"1"_s << u"9999"_s << QString();
    }
    void verse() {
        QFETCH(QString, surah);
        QFETCH(QString, verse);
        QFETCH(QString, from);
        c->CmbNrSure->setListIndex(c->CmbNrSure->findText(surah));
        typeEnter(c->CmbNrAjeti, verse);
        QCOMPARE(c->CmbNrAjeti->Text(), verse.isEmpty() ? u"1"_s : verse);
        const QString text = c->Rtf1->Text(), line = selectedLine();
        const int start = c->Rtf1->SelStart();
        QCOMPARE(start == 0 ? QString() : text.mid(start - 1, from.size()), from);
        QCOMPARE(line, start == 0 ? text.left(text.indexOf(QChar(13))) : text.mid(start, line.size()));
    }

    void typedTextThatNamesNothingChangesNothing() {
        c->CmbNrSure->setListIndex(4);
        const int start = c->Rtf1->SelStart(), length = c->Rtf1->SelLength();
        for (platform::ComboBox* box : {c->CmbNrSure, c->CmbEmrSure, c->CmbTotalAjete}) {
            typeEnter(box, u"999x"_s);
            QVERIFY(c->Rtf1->SelStart() == start && c->Rtf1->SelLength() == length &&
                    c->CmbNrAjeti->ListCount() == 120);
        }
    }

    void returnButtonBringsTheWholeTextBack() {
        const QString whole = c->Rtf1->Text();
        c->Rtf1->setText(u"\r\nnjë fragment\r\n2:3.\tajeti"_s);
        c->w->enterPassageMode();
        QVERIFY(c->w->inPassageMode() && !c->cmdKtheLibrezin->isHidden());
        QCOMPARE(c->CmbKerkoKrejt->width(), platform::twips(1455));
        c->CmbNrSure->setListIndex(1); // navigation works on the passage shown
        typeEnter(c->CmbNrAjeti, u"3"_s);
        QCOMPARE(c->Rtf1->SelText(), u"2:3.\tajeti"_s);
        c->cmdKtheLibrezin->click();
        QVERIFY(!c->w->inPassageMode() && c->cmdKtheLibrezin->isHidden());
        QCOMPARE(c->CmbKerkoKrejt->maximumWidth(), platform::twips(1935));
        QVERIFY(c->Rtf1->Text() == whole && c->Rtf1->SelStart() == 0);
    }

    // The item a list's handler works on: the selected one unless the typed text names another.
    void chosenItem_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<int>("item"); // of 10, 1, 2, Bekare, Bekarja
        QTest::newRow("typed 1: 1, not 10") << -1 << u"1"_s << false << 1;
        QTest::newRow("typed 10 over the selected 2") << 2 << u"10"_s << false << 0;
        QTest::newRow("nothing typed: the selected") << 2 << QString() << false << 2;
        QTest::newRow("any letter case") << -1 << u"BEKARE"_s << false << 3;
        QTest::newRow("a start names nothing exactly") << -1 << u"bek"_s << false << -1;
        QTest::newRow("a start names the first it begins") << -1 << u"bek"_s << true << 3;
        QTest::newRow("no such item") << 2 << u"x"_s << true << -1;
    }
    void chosenItem() {
        QFETCH(int, selected);
        QFETCH(QString, typed);
        QFETCH(bool, prefix);
        QFETCH(int, item);
        platform::ComboBox box;
        for (const char* t : {"10", "1", "2", "Bekare", "Bekarja"})
            box.AddItem(QString::fromLatin1(t));
        box.selectQuietly(selected);
        box.setText(typed);
        QCOMPARE(navigation::chosenItem(&box, prefix ? navigation::Match::Prefix : navigation::Match::Exact), item);
    }

    void wholeTextFileAnyLetterCaseAndVerseKey() {
        QCOMPARE(navigation::verseKey(u"2"_s, u"255"_s), u"2:255.\t"_s);
        QTemporaryDir other;
        QCOMPARE(navigation::wholeTextFile(other.path()), QString());
        for (const QString& name : {u"lib'rezi.RTF"_s, u"LIB'REZI.rtf"_s}) { // the exact name preferred
            QVERIFY(testsupport::overwrite(other.filePath(name), "{\\rtf1 x}"));
            QCOMPARE(navigation::wholeTextFile(other.path()), other.filePath(name));
        }
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
