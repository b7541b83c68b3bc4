#include "app/module1.h"
#include "testsupport.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

// Hostile text typed into every box of the main window, each followed by every command: nothing
// crashes, the window keeps answering and the database file keeps its bytes.
class TestBadInput : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    frmKryesore* w = nullptr;
    QByteArray checksum;
    int tried = 0;

    QString database() const { return dir.filePath(QStringLiteral("librezi.db")); }

    // After every command: still answering, the database as it was.
    void verifyIntact(const char* after) {
        QString why;
        QVERIFY2(testsupport::stillAnswers(w, &why), qPrintable(QString::fromLatin1(after) + u": " + why));
        QVERIFY2(testsupport::fileChecksum(database()) == checksum, after);
    }

private Q_SLOTS:
    void initTestCase() {
        w = testsupport::startProgram(dir);
        checksum = testsupport::fileChecksum(database());
        QVERIFY(!checksum.isEmpty());
    }

    void cleanupTestCase() {
        qInfo("bad inputs tried: %d (each typed into 9 boxes, then every command)", tried);
        Module1::unloadMainWindow();
        Module1::cnLidhja.Close();
    }

    void typedEverywhere_data() {
        QTest::addColumn<QString>("text");
        QString punctuation;
        for (char c = 33; c < 127; ++c)
            if (!QChar::fromLatin1(c).isLetterOrNumber())
                punctuation += QChar::fromLatin1(c);
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks only") << QStringLiteral("   \t  ");
        QTest::newRow("10,000 characters") << QString(10000, u'ë');
        QTest::newRow("500 ampersands") << QString(500, u'&');
        QTest::newRow("every ASCII punctuation mark") << punctuation;
        QTest::newRow("percent") << QStringLiteral("%");
        QTest::newRow("underscore") << QStringLiteral("_");
        QTest::newRow("quotes of every kind") << QStringLiteral("' \" ` ´ ‘ ’ ‚ ‛ “ ” „ ‟ « » ‹ › '' \"\"");
        QTest::newRow("SQL: drop table") << QStringLiteral("'; drop table librezi; --");
        QTest::newRow("SQL: always true") << QStringLiteral("1 or 1=1");
        QTest::newRow("SQL: double-quoted") << QStringLiteral("\"); delete from Suret; --");
        QTest::newRow("combining characters") << QStringLiteral("e\u0301\u0308\u0323 a\u0300\u0300\u0300 \u0336x");
        QTest::newRow("right-to-left text") << QStringLiteral("\u202Eبسم الله الرحمن الرحيم\u202C שלום");
        QTest::newRow("NUL character") << QStringLiteral("Musa") + QChar(u'\0') + QStringLiteral("Harun");
        QTest::newRow("number out of range") << QStringLiteral("-2147483649");
    }

    void typedEverywhere() {
        QFETCH(QString, text);
        ++tried;
        platform::MsgBoxScript boxes; // every box answered with its first button
        const QList<QWidget*> boxesToType = {w->CmbNrSure,     w->CmbEmrSure, w->CmbNrAjeti,           w->CmbTotalAjete,
                                             w->CmbKerkoKrejt, w->txtKerkim,  w->cmbKlasifikimTematik, w->CmbFontNames,
                                             w->CmbNrFonti};
        for (bool onlyThisSurah : {false, true}) {
            w->ChkKerkoSure->setChecked(onlyThisSurah);
            for (QWidget* box : boxesToType) {
                testsupport::typeInto(box, text);
                testsupport::pressEnter(box);
                verifyIntact(qPrintable(box->objectName() + QStringLiteral(" Enter")));
            }
            // The search commands on the text as it stands in their boxes.
            testsupport::typeInto(w->CmbKerkoKrejt, text);
            w->cmdKerkoAll->click();
            verifyIntact("cmdKerkoAll");
            testsupport::typeInto(w->txtKerkim, text);
            w->cmdKerkim->click();
            verifyIntact("cmdKerkim");
            w->cmdKerkimPrapa->click();
            verifyIntact("cmdKerkimPrapa");
            if (w->inPassageMode()) {
                w->cmdKtheLibrezin->click();
                verifyIntact("cmdKtheLibrezin");
                QVERIFY(!w->inPassageMode());
            }
        }
        // Hostile text leaves no reader stranded: choosing a surah still works.
        w->CmbNrSure->setText(QStringLiteral("2"));
        Q_EMIT w->CmbNrSure->Click();
        QCOMPARE(w->CmbEmrSure->Text(), QStringLiteral("Bekare"));
        verifyIntact("CmbNrSure 2");
    }
};

QTEST_MAIN(TestBadInput)
#include "test_badinput.moc"
