#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/textcommands.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The popup commands of the text view, the tips and the exit, on the real main window.
class TestTextCommands : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    frmKryesore* w = nullptr;

    int lineStart(const QString& key) { return int(w->Rtf1->Text().indexOf(QStringLiteral("\r\n") + key)) + 2; }

private Q_SLOTS:
    void init() {
        w = testsupport::startProgram(dir);
        w->show();
    }
    void cleanup() { Module1::unloadMainWindow(); }

    void verseUnderCaretSelectsItsWholeLine() {
        const int start = lineStart(QStringLiteral("2:255.\t"));
        const QString text = w->Rtf1->Text();
        const int end = int(text.indexOf(QChar(13), start));
        for (int caret : {start, start + 3, end - 1, end}) {
            w->Rtf1->setSelStart(caret);
            w->mnuSelektojeAjetin->trigger();
            QCOMPARE(w->Rtf1->SelStart(), start);
            QCOMPARE(w->Rtf1->SelText(), text.mid(start, end - start));
        }
    }

    void firstLineSkipsTwoCharacters() {
        w->Rtf1->setText(QStringLiteral("abc\tdef\r\n1:1.\tx"));
        w->Rtf1->setSelStart(1);
        QCOMPARE(textcommands::selectLineUnderCaret(w->Rtf1), QStringLiteral("c"));
        QCOMPARE(w->Rtf1->SelText(), QStringLiteral("c\tdef"));
    }

    void lineWithoutTabRunsToTheNextTab() {
        w->Rtf1->setText(QStringLiteral("x\r\nTitulli pa tab\r\n2:5.\tajeti"));
        w->Rtf1->setSelStart(5);
        QCOMPARE(textcommands::selectLineUnderCaret(w->Rtf1), QStringLiteral("Titulli pa tab\r\n2:5."));
        // The whole selection still stops at the next CR after the prefix.
        QCOMPARE(w->Rtf1->SelText(), QStringLiteral("Titulli pa tab\r\n2:5.\tajeti"));
    }

    void prefixNumbers_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("surah");
        QTest::addColumn<QString>("verse");
        QTest::addColumn<bool>("isVerse");
        QTest::newRow("verse key") << "2:255."
                                   << "2"
                                   << "255" << true;
        QTest::newRow("heading") << "114."
                                 << "114"
                                 << "" << false;
        QTest::newRow("no dot") << "7:1"
                                << "7"
                                << "" << true;
        QTest::newRow("title") << "Kur'ani"
                               << "Kur'ani"
                               << "" << false;
        QTest::newRow("empty") << ""
                               << ""
                               << "" << false;
    }
    void prefixNumbers() {
        QFETCH(QString, prefix);
        QFETCH(QString, surah);
        QFETCH(QString, verse);
        QFETCH(bool, isVerse);
        const textcommands::PrefixNumbers n = textcommands::readPrefix(prefix);
        QCOMPARE(n.surah, surah);
        QCOMPARE(n.verse, verse);
        QCOMPARE(n.isVerse, isVerse);
    }

    void selectAllThenCopy() {
        w->mnuSelektoKrejtTekstin->trigger();
        QCOMPARE(w->Rtf1->SelStart(), 0);
        QCOMPARE(w->Rtf1->SelLength(), w->Rtf1->Text().size());
        w->mnuKopjim->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), w->Rtf1->Text());
        // Nothing selected: the clipboard ends up empty.
        w->Rtf1->setSelStart(10);
        w->cmdCopy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    }

    void rightClickOpensTheMenuLeftDoesNot() {
        QSignalSpy shown(w, &frmKryesore::popupShown);
        QTest::mouseClick(w->Rtf1->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(shown.count(), 0);
        QTest::mouseClick(w->Rtf1->viewport(), Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(shown.count(), 1);
        const QList<QAction*> items = w->mnuPopupRtf->actions();
        QCOMPARE(items.size(), 6);
        QCOMPARE(items.at(0)->text(), QStringLiteral("Selektoje ajetin"));
        QCOMPARE(items.at(1)->text(), QStringLiteral("Selektoje tërë tekstin"));
        QCOMPARE(items.at(2)->text(), QStringLiteral("Kopjoje tekstin e selektuar"));
        QCOMPARE(items.at(3)->text(), QStringLiteral("Lexoje ajetin"));
        QCOMPARE(items.at(4)->text(), QStringLiteral("Pauzo leximin"));
        QCOMPARE(items.at(5)->text(), QStringLiteral("Vazhdo leximin"));
        w->mnuPopupRtf->close();
    }

    void exitNoStaysYesEnds() {
        int ended = 0;
        w->endProgram = [&] { ++ended; };
        platform::MsgBoxScript script;
        script.answer(platform::Answer::No);
        script.answer(platform::Answer::Yes);
        w->cmdFund->click();
        QCOMPARE(ended, 0);
        QVERIFY(w->isVisible());
        QCOMPARE(script.asked().first().text, QStringLiteral("Dëshironi përfundimin e programit?"));
        QCOMPARE(script.asked().first().buttons, platform::Buttons::YesNo);
        QCOMPARE(script.asked().first().title, QStringLiteral("Lib'rezi Drites"));
        w->cmdFund->click();
        QCOMPARE(ended, 1);
    }

    void exitButtonHandsFocusToSurahList() {
        QApplication::setActiveWindow(w);
        w->cmdFund->setFocus();
        QTRY_VERIFY(w->cmdFund->hasFocus());
        w->txtKerkim->setFocus();
        QTRY_VERIFY(w->CmbNrSure->hasFocus() || w->CmbNrSure->isAncestorOf(QApplication::focusWidget()));
    }

    void tips() {
        const QString first = w->LblKeshilla->text();
        QVERIFY(first != QLatin1String("..."));
        QVERIFY(!first.isEmpty());
        Module1::cnLidhja.Execute(QStringLiteral("delete from Keshilla where ID > 1"));
        const QString only =
            Module1::cnLidhja.Execute(QStringLiteral("select Keshilla from Keshilla")).Fields(0).toString();
        w->CmdRefreshKeshille->click();
        QCOMPARE(w->LblKeshilla->text(), only);
        // An empty table leaves the label as it was.
        Module1::cnLidhja.Execute(QStringLiteral("delete from Keshilla"));
        w->CmdRefreshKeshille->click();
        QCOMPARE(w->LblKeshilla->text(), only);
    }
};

QTEST_MAIN(TestTextCommands)
#include "test_textcommands.moc"
