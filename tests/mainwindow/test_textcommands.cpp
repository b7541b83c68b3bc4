#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/textcommands.h"
#include "platform/msgbox.h"
#include "platform/settings.h"
#include "search/history.h"
#include "testsupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// The popup commands of the text view, the tips and the exit, on the real main window.
class TestTextCommands : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<testsupport::Controls> c;
private Q_SLOTS:
    void initTestCase() {
        c = std::make_unique<testsupport::Controls>(testsupport::startProgram(dir));
        c->w->show();
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }
    // The line under the caret: its prefix runs to the first TAB after its start, the selection to its CR.
    void selectLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("line"); // the prefix, a TAB, the rest of the selection
        QTest::newRow("caret at the line's start") << u"x\r\n2:255.\tajeti\r\n2:6.\tb"_s << 3 << u"2:255.\tajeti"_s;
        QTest::newRow("caret at its CR") << u"x\r\n2:255.\tajeti\r\n2:6.\tb"_s << 15 << u"2:255.\tajeti"_s;
        QTest::newRow("first line: two characters skipped") << u"abc\tdef\r\n1:1.\tx"_s << 1 << u"c\tdef"_s;
        QTest::newRow("no TAB: on to the next")
            << u"x\r\nTitulli\r\n2:5.\tajeti\r\n"_s << 5 << u"Titulli\r\n2:5.\tajeti"_s;
    }
    void selectLine() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, line);
        c->Rtf1->setText(text);
        c->Rtf1->setSelStart(caret);
        c->mnuSelektojeAjetin->trigger();
        QCOMPARE(c->Rtf1->SelText(), line);
        c->Rtf1->setSelStart(caret);
        QCOMPARE(textcommands::selectLineUnderCaret(c->Rtf1), line.section(u'\t', 0, 0));
    }
    void selectAllCopyAndTheMenu() {
        c->mnuSelektoKrejtTekstin->trigger();
        c->mnuKopjim->trigger();
        QVERIFY(c->Rtf1->SelStart() == 0 && QGuiApplication::clipboard()->text() == c->Rtf1->Text());
        QSignalSpy shown(c->w, &frmKryesore::popupShown);
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
            QTest::mouseClick(c->Rtf1->viewport(), button, {}, QPoint(20, 20));
        QCOMPARE(shown.count(), 1); // the right button only
        c->mnuPopupRtf->close();
    }
    void tipsComeFromTheTable() {
        Module1::cnLidhja.exec(u"DELETE FROM Keshilla WHERE rowid > (SELECT min(rowid) FROM Keshilla)"_s);
        const QString only = Module1::cnLidhja.value(u"SELECT Keshilla FROM Keshilla"_s).toString();
        c->CmdRefreshKeshille->click();
        QCOMPARE(c->LblKeshilla->text(), only);
        Module1::cnLidhja.exec(u"DELETE FROM Keshilla"_s);
        c->CmdRefreshKeshille->click(); // an empty table leaves the label as it was
        QCOMPARE(c->LblKeshilla->text(), only);
    }
    // No keeps the window; Yes keeps this run's searches and ends.
    void exitAsksFirst() {
        int ended = 0;
        c->w->endProgram = [&] { ++ended; };
        c->CmbKerkoKrejt->AddItem(u"Musa"_s);
        platform::MsgBoxScript script;
        script.answer(platform::Answer::No);
        script.answer(platform::Answer::Yes);
        c->cmdFund->click();
        QVERIFY(ended == 0 && c->w->isVisible() && script.asked().size() == 1);
        QCOMPARE(script.asked().first().text, u"Dëshironi përfundimin e programit?"_s);
        QCOMPARE(script.asked().first().buttons, platform::Buttons::YesNo);
        auto stored = [] { return platform::GetSetting(history::appName(), history::section(), u"Fjala 0"_s); };
        c->cmdFund->click();
        QVERIFY(ended == 1 && stored() == "Musa"_L1);
        QVERIFY(platform::DeleteSetting(history::appName(), history::section(), u"Fjala 0"_s));
        QVERIFY(c->w->close() && stored() == "Musa"_L1); // closing the window keeps them too
    }
};

QTEST_MAIN(TestTextCommands)
#include "test_textcommands.moc"
