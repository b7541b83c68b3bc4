// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediaplayer.h"
#include "platform/settings.h"
#include "search/history.h"
#include "windowtest.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
using namespace Qt::StringLiterals;

// The popup commands of the text view, reciting from it, the tips and the exit, on the real main window.
class TestTextCommands : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private Q_SLOTS:
    // Reciting from the text view (the popup's command on a verse or a surah heading, a double click on a verse):
    // the line under the caret is selected and names the file the player gets.
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
            QVERIFY2(c.Rtf1->SelText().startsWith(line), qPrintable(line));
            QCOMPARE(c.WindowsMediaPlayer1->URL().replace(u'\\', u'/'), row.section(u'\t', 1));
        }
        Module1::unloadMainWindow();
    }
    // The line under the caret, to the CR after its first TAB (on the first line from the third character).
    void popupCommandsThenTheExit() {
        testsupport::Controls window(testsupport::startProgram(dir)), *c = &window;
        c->w->show();
        const QString text = c->Rtf1->Text();
        const int verse = int(text.indexOf(u"\r\n2:255.\t"_s)) + 2;
        for (int caret : {verse, verse + 9, 1}) {
            c->Rtf1->setSelStart(caret);
            c->mnuSelektojeAjetin->trigger();
            const int from = caret == 1 ? 2 : verse;
            QCOMPARE(c->Rtf1->SelText(), text.mid(from, text.indexOf(u'\r', text.indexOf(u'\t', from)) - from));
        }
        c->mnuSelektoKrejtTekstin->trigger();
        c->mnuKopjim->trigger();
        QVERIFY(c->Rtf1->SelStart() == 0 && QGuiApplication::clipboard()->text() == c->Rtf1->Text());
        QSignalSpy shown(c->w, &frmKryesore::popupShown);
        QTest::mouseClick(c->Rtf1->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        const qsizetype afterLeft = shown.count();
        QTest::mouseClick(c->Rtf1->viewport(), Qt::RightButton, {}, QPoint(20, 20));
        QVERIFY(afterLeft == 0 && shown.count() == 1); // the right button only
        // A new tip: with one left, that one; with none, the last one stays.
        Module1::cnLidhja.exec(u"DELETE FROM Keshilla WHERE rowid > (SELECT min(rowid) FROM Keshilla)"_s);
        const QString only = Module1::cnLidhja.value(u"SELECT Keshilla FROM Keshilla"_s).toString();
        c->CmdRefreshKeshille->click();
        QCOMPARE(c->LblKeshilla->text(), only);
        Module1::cnLidhja.exec(u"DELETE FROM Keshilla"_s);
        c->CmdRefreshKeshille->click();
        QCOMPARE(c->LblKeshilla->text(), only);
        // The exit button: No keeps the window; Yes keeps this run's searches and ends.
        int ended = 0;
        c->w->endProgram = [&] { ++ended; };
        c->CmbKerkoKrejt->AddItem(u"Musa"_s);
        platform::MsgBoxScript script;
        script.answer(platform::Answer::No);
        script.answer(platform::Answer::Yes);
        c->cmdFund->click();
        QVERIFY(ended == 0 && c->w->isVisible() && script.asked().size() == 1);
        QVERIFY(script.asked().first().text == u"Dëshironi përfundimin e programit?"_s &&
                script.asked().first().buttons == platform::Buttons::YesNo);
        c->cmdFund->click();
        QVERIFY(ended == 1 && platform::GetSetting(history::appName(), history::section(), u"Fjala 0"_s) == "Musa"_L1);
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestTextCommands)
#include "test_textcommands.moc"
