#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"
#include "testsupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Reciting from the text view: the line under the caret names the file the player gets.
class TestReciting : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase() {
        testsupport::startProgram(dir)->show();
        Module1::strLokacioniAjeteve = u"/lexues/ajete"_s;
        Module1::strLokacioniSureve = u"/lexues/sure"_s;
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    void recite_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("file");
        QTest::newRow("menu on a verse") << u"2:255.\t"_s << false << u"/lexues/ajete/002255.mp3"_s;
        QTest::newRow("double click on a verse") << u"114:6.\t"_s << true << u"/lexues/ajete/114006.mp3"_s;
        QTest::newRow("menu on a heading: the surah") << u"2.\t"_s << false << u"/lexues/sure/002.mp3"_s;
    }
    void recite() {
        QFETCH(QString, line);
        QFETCH(bool, doubleClick);
        QFETCH(QString, file);
        testsupport::Controls c(Module1::mainWindow());
        const int at = int(c.Rtf1->Text().indexOf(u"\r\n"_s + line));
        QVERIFY(at >= 0);
        c.Rtf1->setSelStart(at + 3);
        if (doubleClick)
            QTest::mouseDClick(c.Rtf1->viewport(), Qt::LeftButton, {}, c.Rtf1->cursorRect().center());
        else
            c.mnuLshoAjetin->trigger();
        QVERIFY(c.Rtf1->SelText().startsWith(line)); // the line is selected
        QCOMPARE(c.WindowsMediaPlayer1->URL().replace(u'\\', u'/'), file);
    }
};

QTEST_MAIN(TestReciting)
#include "test_reciting.moc"
