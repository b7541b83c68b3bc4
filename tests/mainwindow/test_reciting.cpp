#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

// Reciting from the text view: the line under the caret names the file the player gets.
class TestReciting : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    frmKryesore* w = nullptr;

    void caretIn(const QString& lineStart, int offset) {
        const QString text = w->Rtf1->Text();
        const int at = int(text.indexOf(QStringLiteral("\r\n") + lineStart));
        QVERIFY(at >= 0);
        w->Rtf1->setSelStart(at + 2 + offset);
    }
    QString playing() const { return w->WindowsMediaPlayer1->URL(); }

private Q_SLOTS:
    void init() {
        w = testsupport::startProgram(dir);
        w->show();
        Module1::strLokacioniAjeteve = QStringLiteral("/lexues/ajete");
        Module1::strLokacioniSureve = QStringLiteral("/lexues/sure");
    }
    void cleanup() { Module1::unloadMainWindow(); }

    void menuRecitesTheVerseUnderTheCaret() {
        caretIn(QStringLiteral("2:255.\t"), 9);
        w->mnuLshoAjetin->trigger();
        QVERIFY(w->Rtf1->SelText().startsWith(QStringLiteral("2:255.\t")));
        QVERIFY(playing().endsWith(QStringLiteral("/lexues/ajete\\002255.mp3")) ||
                playing().endsWith(QStringLiteral("/lexues/ajete/002255.mp3")));
    }

    void doubleClickDoesTheSame() {
        caretIn(QStringLiteral("114:6.\t"), 0);
        const QRect r = w->Rtf1->cursorRect();
        QTest::mouseDClick(w->Rtf1->viewport(), Qt::LeftButton, {}, r.center());
        QVERIFY(playing().contains(QStringLiteral("114006.mp3")));
    }

    void headingRecitesTheWholeSurah() {
        caretIn(QStringLiteral("2.\t"), 1);
        w->mnuLshoAjetin->trigger();
        QVERIFY(playing().endsWith(QStringLiteral("/lexues/sure/002.mp3")));
    }

    void playButtonsUseTheLists() {
        w->CmbNrSure->setText(QStringLiteral("9"));
        w->CmbNrAjeti->setText(QStringLiteral("7"));
        w->CmdPlayAjet->click();
        QVERIFY(playing().contains(QStringLiteral("009007.mp3")));
        w->CmdPlaySure->click();
        QVERIFY(playing().endsWith(QStringLiteral("/lexues/sure/009.mp3")));
    }
};

QTEST_MAIN(TestReciting)
#include "test_reciting.moc"
