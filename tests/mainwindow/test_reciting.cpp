// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/mediaplayer.h"
#include "testsupport.h"
#include <QTest>
using namespace Qt::StringLiterals;

// Reciting from the text view (the popup's command on a verse or a surah heading, a double click on a verse):
// the line under the caret names the file the player gets.
class TestReciting : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private Q_SLOTS:
    void reciteTheLineUnderTheCaret() {
        testsupport::Controls c(testsupport::startProgram(dir));
        c.w->show();
        Module1::strLokacioniAjeteve = u"/lexues/ajete"_s;
        Module1::strLokacioniSureve = u"/lexues/sure"_s;
        for (const QString& row : {u"2:255.\t/lexues/ajete/002255.mp3"_s, u"2.\t/lexues/sure/002.mp3"_s,
                                   u"114:6.\t/lexues/ajete/114006.mp3"_s}) {
            const QString line = row.section(u'\t', 0, 0) + u'\t';
            c.Rtf1->setSelStart(int(c.Rtf1->Text().indexOf(u"\r\n"_s + line)) + 3);
            if (line.startsWith(u"114"_s))
                QTest::mouseDClick(c.Rtf1->viewport(), Qt::LeftButton, {}, c.Rtf1->cursorRect().center());
            else
                c.mnuLshoAjetin->trigger();
            QVERIFY2(c.Rtf1->SelText().startsWith(line), qPrintable(line)); // the line is selected
            QCOMPARE(c.WindowsMediaPlayer1->URL().replace(u'\\', u'/'), row.section(u'\t', 1));
        }
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestReciting)
#include "test_reciting.moc"
