#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"
#include <QTest>
using namespace Qt::StringLiterals;

// Hostile text typed into every box of the main window, each followed by Enter and then every command:
// nothing crashes, the window keeps answering and the database file keeps its bytes.
class TestBadInput : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QByteArray checksum;
    void verifyIntact(const QString& after) {
        QString why;
        QVERIFY2(testsupport::stillAnswers(Module1::mainWindow(), &why), qPrintable(after + u": "_s + why));
        QVERIFY2(testsupport::fileChecksum(dir.filePath(u"librezi.db"_s)) == checksum, qPrintable(after));
    }
private Q_SLOTS:
    void initTestCase() {
        testsupport::startProgram(dir);
        checksum = testsupport::fileChecksum(dir.filePath(u"librezi.db"_s));
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }
    void typedEverywhere_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("10,000 characters") << QString(10000, u'ë');
        QTest::newRow("500 ampersands") << QString(500, u'&');
        QTest::newRow("every ASCII punctuation mark") << u"!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"_s;
        QTest::newRow("a LIKE wildcard alone") << u"%"_s;
        QTest::newRow("quotes of every kind") << u"' \" ` ´ ‘ ’ ‚ ‛ “ ” „ ‟ « » ‹ › '' \"\""_s;
        QTest::newRow("SQL: drop table") << u"'; DROP TABLE Suret; --"_s;
        QTest::newRow("SQL: double-quoted") << u"\"); DELETE FROM Suret; --"_s;
        QTest::newRow("combining characters") << u"e\u0301\u0308\u0323 a\u0300\u0300\u0300 \u0336x"_s;
        QTest::newRow("right-to-left text") << u"\u202Eبسم الله الرحمن الرحيم\u202C שלום"_s;
        QTest::newRow("NUL character") << u"Musa"_s + QChar(u'\0') + u"Harun"_s;
        QTest::newRow("number out of range") << u"-2147483649"_s;
    }
    void typedEverywhere() {
        QFETCH(QString, text);
        testsupport::Controls c(Module1::mainWindow());
        platform::MsgBoxScript boxes; // every box answered with its first button
        for (bool onlyThisSurah : {false, true}) {
            c.ChkKerkoSure->setChecked(onlyThisSurah);
            for (QWidget* box :
                 QList<QWidget*>{c.CmbNrSure, c.CmbEmrSure, c.CmbNrAjeti, c.CmbTotalAjete, c.CmbKerkoKrejt, c.txtKerkim,
                                 c.cmbKlasifikimTematik, c.CmbFontNames, c.CmbNrFonti}) {
                testsupport::typeInto(box, text);
                testsupport::pressEnter(box);
                verifyIntact(box->objectName() + u" Enter"_s);
            }
            // The commands on the text as it stands in their boxes; the return button last.
            for (QToolButton* command : {c.cmdKerkoAll, c.cmdKerkim, c.cmdKerkimPrapa, c.cmdKtheLibrezin}) {
                command->click();
                verifyIntact(command->objectName());
            }
            QVERIFY(!c.w->inPassageMode());
        }
        c.CmbNrSure->setListIndex(1); // hostile text leaves no reader stranded
        QCOMPARE(c.CmbEmrSure->Text(), u"Bekare"_s);
    }
};

QTEST_MAIN(TestBadInput)
#include "test_badinput.moc"
