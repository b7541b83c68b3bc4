// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowtest.h"
using namespace Qt::StringLiterals;

// Hostile text typed into every box of the main window with Enter, then every command: nothing crashes.
class TestBadInput : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QByteArray checksum;
    void verifyIntact(const QString& after) { // the window answers and the database keeps its bytes
        QString why = u"the database changed"_s;
        QVERIFY2(testsupport::stillAnswers(Module1::mainWindow(), &why) &&
                     testsupport::fileChecksum(dir.filePath(u"librezi.db"_s)) == checksum,
                 qPrintable(after + u": "_s + why));
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
        QTest::newRow("every ASCII punctuation mark") << u"!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"_s;
        QTest::newRow("a LIKE wildcard alone") << u"%"_s;
        QTest::newRow("quotes of every kind") << u"' \" ` ´ ‘ ’ ‚ ‛ “ ” „ ‟ « » ‹ › '' \"\""_s;
        QTest::newRow("SQL: drop table") << u"'; DROP TABLE Suret; --"_s;
        QTest::newRow("SQL: double-quoted") << u"\"); DELETE FROM Suret; --"_s;
        QTest::newRow("combining marks, right to left") << u"e\u0301\u0308 \u202Eبسم الله\u202C שלום"_s;
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
                windowtest::enter(box, text);
                verifyIntact(box->objectName() + u" Enter"_s);
            }
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
