#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/navigation.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// Going to surahs and verses on the real main window over the bundled data.
class TestNavigation : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    frmKryesore* w = nullptr;

    void type(platform::ComboBox* list, const QString& text) {
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), text);
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    }
    void choose(platform::ComboBox* list, const QString& text) {
        const int i = list->findText(text, Qt::MatchFixedString);
        QVERIFY2(i >= 0, qPrintable(text));
        // As when the reader picks it from the drop-down: the list shows it, then reports the choice.
        list->setCurrentIndex(i);
        Q_EMIT list->activated(i);
    }
    QString selectedKey() const { return w->Rtf1->SelText().section(u'\t', 0, 0); }

private Q_SLOTS:
    void init() {
        w = testsupport::startProgram(dir);
        w->show();
    }
    void cleanup() { Module1::unloadMainWindow(); }

    void firstState() {
        QCOMPARE(w->CmbNrSure->Text(), QStringLiteral("1"));
        QCOMPARE(w->CmbEmrSure->Text(), QStringLiteral("Fatiha"));
        QCOMPARE(w->CmbNrAjeti->Text(), QStringLiteral("1"));
        QCOMPARE(w->CmbNrAjeti->ListCount(), 0);
        QCOMPARE(w->CmbTotalAjete->Text(), QStringLiteral("7"));
        QCOMPARE(w->Rtf1->SelStart(), 0);
        QVERIFY(!w->inPassageMode());
    }

    void nameSelectsOneNotTen() {
        choose(w->CmbEmrSure, QStringLiteral("Fatiha"));
        QCOMPARE(w->CmbNrSure->Text(), QStringLiteral("1"));
        QCOMPARE(w->CmbNrAjeti->ListCount(), 7);
        QCOMPARE(w->CmbNrAjeti->List(6), QStringLiteral("7"));
        QCOMPARE(selectedKey(), QStringLiteral("1:1."));
        QVERIFY(!w->Rtf1->SelText().contains(QChar(13)));
    }

    void numberFillsVersesAndSelectsLine() {
        choose(w->CmbNrSure, QStringLiteral("114"));
        QCOMPARE(w->CmbEmrSure->Text(), QStringLiteral("Nas"));
        QCOMPARE(w->CmbTotalAjete->Text(), QStringLiteral("6"));
        QCOMPARE(w->CmbNrAjeti->ListCount(), 6);
        QCOMPARE(selectedKey(), QStringLiteral("114:1."));
    }

    void countGoesToFirstSurahOfThatCount() {
        choose(w->CmbTotalAjete, QStringLiteral("7"));
        QCOMPARE(w->CmbNrSure->Text(), QStringLiteral("1"));
        choose(w->CmbTotalAjete, QStringLiteral("286"));
        QCOMPARE(w->CmbNrSure->Text(), QStringLiteral("2"));
        QCOMPARE(w->CmbEmrSure->Text(), QStringLiteral("Bekare"));
        choose(w->CmbTotalAjete, QStringLiteral("6"));
        QCOMPARE(w->CmbNrSure->Text(), QStringLiteral("109")); // the first of the surahs with 6 verses
        QCOMPARE(w->CmbTotalAjete->Text(), QStringLiteral("6"));
        QCOMPARE(selectedKey(), QStringLiteral("109:1."));
    }

    void verseTypedWithEnter() {
        choose(w->CmbNrSure, QStringLiteral("2"));
        type(w->CmbNrAjeti, QStringLiteral("255"));
        QCOMPARE(selectedKey(), QStringLiteral("2:255."));
        const int start = w->Rtf1->SelStart();
        const QString text = w->Rtf1->Text();
        QCOMPARE(text.mid(start - 2, 2), QStringLiteral("\r\n"));
        QCOMPARE(text.mid(start + w->Rtf1->SelLength(), 2), QStringLiteral("\r\n"));
    }

    void verseBeyondTheEndLandsInsideALongerKey() {
        // 1:8 does not exist, but its key is the tail of 11:8's key.
        choose(w->CmbNrSure, QStringLiteral("1"));
        type(w->CmbNrAjeti, QStringLiteral("8"));
        const QString text = w->Rtf1->Text();
        const int start = w->Rtf1->SelStart();
        QCOMPARE(text.mid(start - 1, 6), QStringLiteral("11:8.\t"));
        // A key found nowhere selects the first line.
        type(w->CmbNrAjeti, QStringLiteral("9999"));
        QCOMPARE(w->Rtf1->SelStart(), 0);
        QCOMPARE(w->Rtf1->SelText(), text.left(text.indexOf(QChar(13))));
    }

    void emptyVerseListGoesToVerseOne() {
        choose(w->CmbNrSure, QStringLiteral("3"));
        w->CmbNrAjeti->setText(QString());
        QTest::keyClick(w->CmbNrAjeti->lineEdit(), Qt::Key_Return);
        QCOMPARE(w->CmbNrAjeti->Text(), QStringLiteral("1"));
        QCOMPARE(selectedKey(), QStringLiteral("3:1."));
    }

    void typedSurahNumberAndName() {
        type(w->CmbNrSure, QStringLiteral("36"));
        QCOMPARE(selectedKey(), QStringLiteral("36:1."));
        QCOMPARE(w->CmbEmrSure->Text(), QStringLiteral("Jasin"));
        type(w->CmbEmrSure, QStringLiteral("bek"));
        QCOMPARE(w->CmbNrSure->Text(), QStringLiteral("2"));
        QCOMPARE(selectedKey(), QStringLiteral("2:1."));
        type(w->CmbTotalAjete, QStringLiteral("286"));
        QCOMPARE(w->CmbNrSure->Text(), QStringLiteral("2"));
    }

    void typedTextThatNamesNothingChangesNothing() {
        choose(w->CmbNrSure, QStringLiteral("5"));
        const int start = w->Rtf1->SelStart();
        const int length = w->Rtf1->SelLength();
        for (platform::ComboBox* list : {w->CmbNrSure, w->CmbEmrSure, w->CmbTotalAjete}) {
            type(list, QStringLiteral("999x"));
            QCOMPARE(w->Rtf1->SelStart(), start);
            QCOMPARE(w->Rtf1->SelLength(), length);
        }
        QCOMPARE(w->CmbNrAjeti->ListCount(), 120);
    }

    void returnButtonBringsTheWholeTextBack() {
        const QString whole = w->Rtf1->Text();
        w->Rtf1->setText(QStringLiteral("\r\nnjë fragment\r\n2:3.\tajeti"));
        w->enterPassageMode();
        QVERIFY(w->inPassageMode());
        QCOMPARE(w->CmbKerkoKrejt->width(), twips(1455));
        // Navigation works on the passage shown.
        choose(w->CmbNrSure, QStringLiteral("2"));
        type(w->CmbNrAjeti, QStringLiteral("3"));
        QCOMPARE(w->Rtf1->SelText(), QStringLiteral("2:3.\tajeti"));
        w->cmdKtheLibrezin->click();
        QVERIFY(!w->inPassageMode());
        QCOMPARE(w->CmbKerkoKrejt->maximumWidth(), twips(1935));
        QCOMPARE(w->Rtf1->Text(), whole);
        QCOMPARE(w->Rtf1->SelStart(), 0);
    }

    void returnButtonWithTheWholeTextGone() {
        w->Rtf1->setText(QStringLiteral("fragment"));
        w->enterPassageMode();
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("LIB'REZI.rtf"))));
        platform::MsgBoxScript script;
        w->cmdKtheLibrezin->click();
        QCOMPARE(script.asked().size(), 1);
        QVERIFY(script.asked().first().text.contains(QStringLiteral("LIB'REZI.rtf")));
        QCOMPARE(w->Rtf1->Text(), QStringLiteral("fragment"));
        QVERIFY(w->inPassageMode());
    }

    void wholeTextFileIgnoresCase() {
        QTemporaryDir other;
        QFile f(other.filePath(QStringLiteral("lib'rezi.rtf")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(navigation::wholeTextFile(other.path()), f.fileName());
        QCOMPARE(navigation::wholeTextFile(other.path() + QStringLiteral("/mungon")), QString());
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
