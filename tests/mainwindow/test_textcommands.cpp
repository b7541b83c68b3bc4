#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/textcommands.h"
#include "platform/msgbox.h"
#include "platform/settings.h"
#include "search/history.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// The popup commands of the text view, the tips and the exit, on the real main window.
class TestTextCommands : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<testsupport::Controls> c;

    static bool historyHolds(const QString& phrase) {
        const auto stored = platform::GetAllSettings(history::appName(), history::section());
        return std::any_of(stored.begin(), stored.end(), [&](const auto& value) { return value.second == phrase; });
    }

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
        const QString verses = u"x\r\n2:255.\tajeti\r\n2:256.\tb"_s;
        QTest::newRow("caret at the line's start") << verses << 3 << u"2:255.\tajeti"_s;
        QTest::newRow("caret at its CR") << verses << 15 << u"2:255.\tajeti"_s;
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

    void prefixNumbers_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("numbers"); // surah, verse, and whether it names a verse
        QTest::newRow("verse key") << u"2:255."_s << u"2 255 verse"_s;
        QTest::newRow("heading") << u"114."_s << u"114  surah"_s;
        QTest::newRow("key without its dot") << u"7:12"_s << u"7 1 verse"_s;
        QTest::newRow("title") << u"Kur'ani"_s << u"Kur'ani  surah"_s;
        QTest::newRow("empty") << QString() << u"  surah"_s;
    }
    void prefixNumbers() {
        QFETCH(QString, prefix);
        QFETCH(QString, numbers);
        const textcommands::PrefixNumbers n = textcommands::readPrefix(prefix);
        QCOMPARE(n.surah + u' ' + n.verse + (n.isVerse ? u" verse"_s : u" surah"_s), numbers);
    }

    void selectAllCopyAndTheMenu() {
        c->Rtf1->setText(u"1:1.\tnjë\r\n1:2.\tdy"_s);
        c->mnuSelektoKrejtTekstin->trigger();
        QVERIFY(c->Rtf1->SelStart() == 0 && c->Rtf1->SelText() == c->Rtf1->Text());
        c->mnuKopjim->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), c->Rtf1->Text());
        c->Rtf1->setSelStart(3);
        c->cmdCopy->click(); // nothing selected: the clipboard ends up empty
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());

        QSignalSpy shown(c->w, &frmKryesore::popupShown);
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
            QTest::mouseClick(c->Rtf1->viewport(), button, {}, QPoint(20, 20));
        QCOMPARE(shown.count(), 1);
        QStringList captions;
        for (QAction* a : c->mnuPopupRtf->actions())
            captions.append(a->text());
        c->mnuPopupRtf->close();
        QCOMPARE(captions.join(u'|'), u"Selektoje ajetin|Selektoje tërë tekstin|Kopjoje tekstin e selektuar|"
                                      u"Lexoje ajetin|Pauzo leximin|Vazhdo leximin"_s);
    }

    void tips() {
        Module1::cnLidhja.exec(u"DELETE FROM Keshilla WHERE rowid > (SELECT min(rowid) FROM Keshilla)"_s);
        const QString only = Module1::cnLidhja.value(u"SELECT Keshilla FROM Keshilla"_s).toString();
        c->CmdRefreshKeshille->click();
        QCOMPARE(c->LblKeshilla->text(), only);
        Module1::cnLidhja.exec(u"DELETE FROM Keshilla"_s);
        c->CmdRefreshKeshille->click(); // an empty table leaves the label as it was
        QCOMPARE(c->LblKeshilla->text(), only);
    }

    void exitButtonHandsTheFocusToTheSurahList() {
        QApplication::setActiveWindow(c->w);
        c->cmdFund->setFocus();
        QTRY_VERIFY(c->cmdFund->hasFocus());
        c->txtKerkim->setFocus();
        QTRY_VERIFY(c->CmbNrSure->hasFocus() || c->CmbNrSure->isAncestorOf(QApplication::focusWidget()));
    }

    // No keeps the window; Yes keeps this run's searches and ends; closing the window keeps them too.
    void exitAndClose() {
        int ended = 0;
        c->w->endProgram = [&] { ++ended; };
        testsupport::typeInto(c->CmbKerkoKrejt, u"Musa"_s);
        c->cmdKerkoAll->click();
        platform::MsgBoxScript script;
        script.answer(platform::Answer::No);
        script.answer(platform::Answer::Yes);
        c->cmdFund->click();
        QVERIFY(ended == 0 && c->w->isVisible() && !historyHolds(u"Musa"_s));
        const platform::AskedMessage& m = script.asked().first();
        QVERIFY(m.text == u"Dëshironi përfundimin e programit?"_s && m.buttons == platform::Buttons::YesNo);
        QCOMPARE(m.title, u"Lib'rezi Drites"_s);
        c->cmdFund->click();
        QVERIFY(ended == 1 && historyHolds(u"Musa"_s));
        QVERIFY(platform::DeleteSetting(history::appName(), history::section(), u"Fjala 0"_s));
        QVERIFY(c->w->close() && historyHolds(u"Musa"_s) && script.asked().size() == 2);
    }
};

QTEST_MAIN(TestTextCommands)
#include "test_textcommands.moc"
