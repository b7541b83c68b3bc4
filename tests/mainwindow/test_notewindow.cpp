// SPDX-License-Identifier: GPL-3.0-or-later
// A note on a verse, on the real window: Ctrl+N opens the editor under the verse under the caret, and the next time
// where the reader left it; what is typed is kept after a pause, while typing goes on, on closing the editor and on
// closing the main window; a store that cannot be written is said in the editor, which keeps the text until a save
// succeeds; the next start, a translation imported anew and a kill in the middle of typing keep the note.
#include "mainwindow/notes.h"
#include "mainwindow/translationimport.h"
#include "notes/notes.h"
#include "windowtest.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <memory>

using namespace Qt::StringLiterals;
using testsupport::Controls;

class TestNoteWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Controls> c;
    QPoint leftAt; // where the reader left the editor
    void start(bool again) {
        frmKryesore* w = windowtest::startShown(dir, again);
        QVERIFY(w);
        c = std::make_unique<Controls>(w);
    }
    // The caret to a verse as the reader puts it there: Ctrl+G, its key, Enter.
    void goTo(const QString& key) {
        c->w->activateWindow(); // back from the editor
        QVERIFY(QTest::qWaitForWindowActive(c->w));
        QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == c->w); // the keys go there
        QTest::keyClick(c->w, Qt::Key_G, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(c->Rtf1->verseAt(c->Rtf1->SelStart()).text(), key);
    }
    frmShenimi* editor() const { return c->w->findChild<frmShenimi*>(); }
    static QString stored(text::Verse v) { return notes::note(Module1::notesPath(), v); }
    static QString str(QRect r) { return u"(%1, %2 %3×%4)"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); }

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", dir.filePath(u"home"_s).toLocal8Bit());
        start(false);
        QVERIFY(Module1::notesPath().startsWith(dir.filePath(u"home"_s)));
    }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    // Ctrl+N on 36:12: the editor names the verse; what is typed is kept after the pause; closing the editor keeps
    // what was typed since, at once.
    void typedAndClosed() {
        goTo(u"36:12"_s);
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(editor() && editor()->isVisible());
        QCOMPARE(editor()->windowTitle(), u"Shënim për ajetin 36:12"_s);
        // Under the verse's lines, which stay in sight, inside the main window and on its screen.
        const QRect placed = editor()->frameGeometry();
        const QRect verse = shenimet::verseOnScreen(c->Rtf1->shown(), {36, 12});
        QVERIFY(!verse.isEmpty());
        QVERIFY2(placed.top() > verse.bottom() && placed.top() - verse.bottom() < 10 &&
                     placed.left() <= verse.right() && placed.right() >= verse.left(),
                 qPrintable(str(placed) + u" under "_s + str(verse)));
        QVERIFY2(c->w->frameGeometry().contains(placed),
                 qPrintable(str(c->w->frameGeometry()) + str(placed) + str(c->w->screen()->availableGeometry())));
        QVERIFY(c->w->screen()->availableGeometry().contains(placed));
        QCOMPARE(editor()->size(), QSize(420, 260));
        QVERIFY(QTest::qWaitForWindowActive(editor()));
        QTRY_COMPARE(QApplication::focusWidget(), editor()->txtShenimi);
        QTest::keyClicks(QApplication::focusWidget(), u"Durimi"_s);
        QTRY_COMPARE_WITH_TIMEOUT(stored({36, 12}), u"Durimi"_s, 20000);
        editor()->txtShenimi->insertPlainText(u"\nçdo gjë"_s); // no pause: the event loop does not turn
        leftAt = placed.topLeft() + QPoint(-30, -40);
        editor()->move(leftAt); // where the reader leaves it
        QVERIFY(editor()->close());
        QCOMPARE(stored({36, 12}), u"Durimi\nçdo gjë"_s);
        QCOMPARE(stored({36, 13}), QString());
        // A dot beside its key; the pointer on it shows the note.
        platform::TextPane* pane = c->Rtf1->shown();
        const QRect dot = pane->noteRect({36, 12});
        QVERIFY(!dot.isEmpty() && pane->noteRect({36, 13}).isEmpty() && pane->noteRect({36, 11}).isEmpty());
        QVERIFY(dot.right() < pane->viewport()->x()); // in the margin, left of the text
        QCOMPARE(pane->noteAt(dot.center()), u"Durimi\nçdo gjë"_s);
        QCOMPARE(pane->noteAt(dot.center() + QPoint(0, 30)), QString());
    }

    // The popup's item on another verse: the editor turns to it, the first verse's note kept as it was.
    void popupItemOnAnotherVerse() {
        goTo(u"2:255"_s);
        auto* item = testsupport::child<QAction>(c->w, "mnuShenimi");
        QCOMPARE(item->text(), u"Shënim për ajetin"_s);
        QVERIFY(testsupport::child<QMenu>(c->w, "mnuPopupRtf")->actions().contains(item));
        item->trigger();
        QCOMPARE(editor()->windowTitle(), u"Shënim për ajetin 2:255"_s);
        QCOMPARE(editor()->size(), QSize(420, 260));
        QCOMPARE(editor()->pos(), leftAt); // where the reader left it, not under this verse
        QCOMPARE(editor()->txtShenimi->toPlainText(), QString());
        editor()->txtShenimi->insertPlainText(u"Kursia"_s);
        goTo(u"36:12"_s);
        item->trigger(); // turning to another verse keeps the one typed
        QCOMPARE(stored({2, 255}), u"Kursia"_s);
        QCOMPARE(editor()->txtShenimi->toPlainText(), u"Durimi\nçdo gjë"_s);
    }

    // The notes beside the bookmarks: in book order, each its key and its first line, kept up as the editor saves;
    // the filter narrows them; a line chosen shows its verse.
    void listedBesideBookmarks() {
        auto* list = testsupport::child<QListWidget>(c->w, "lstShenimet");
        auto* filter = testsupport::child<QLineEdit>(c->w, "txtFiltriShenimeve");
        auto lines = [list] {
            QStringList l;
            for (int i = 0; i < list->count(); ++i)
                l << list->item(i)->text();
            return l;
        };
        QCOMPARE(lines(), (QStringList{u"2:255  Kursia"_s, u"36:12  Durimi"_s}));
        QCOMPARE(list->item(1)->toolTip(), u"Durimi\nçdo gjë"_s);
        filter->setText(u"CDO"_s);
        QCOMPARE(lines(), QStringList{u"36:12  Durimi"_s});
        filter->clear();
        QCOMPARE(shenimet::lineOf({1, 1}, QString(40, u'ë')), u"1:1  "_s + QString(40, u'ë')); // whole up to 40
        QCOMPARE(shenimet::lineOf({1, 1}, u" %1\ntjetër"_s.arg(QString(41, u'ë'))),
                 u"1:1  "_s + QString(40, u'ë') + u'…');
        list->setCurrentRow(0);
        Q_EMIT list->itemActivated(list->item(0));
        QCOMPARE(c->Rtf1->verseAt(c->Rtf1->SelStart()), (text::Verse{2, 255}));
    }

    // A store that cannot be written: the failure is said in the editor, which stays open with the text; once the
    // store can be written again, the save tried again after a pause keeps it and the saying goes.
    void failedSaveSaid() {
        const QString store = Module1::notesPath();
        const QString aside = store + u".menjane"_s;
        QVERIFY(QFile::rename(store, aside));
        QVERIFY(QDir().mkdir(store)); // a folder where the store should be
        editor()->txtShenimi->insertPlainText(u" +"_s);
        QVERIFY(!editor()->close());
        QVERIFY(editor()->isVisible() && editor()->lblGabimi->isVisibleTo(editor()));
        QVERIFY2(editor()->lblGabimi->text().startsWith(u"Shënimi nuk u ruajt: "_s),
                 qPrintable(editor()->lblGabimi->text()));
        QVERIFY(QDir().rmdir(store));
        QVERIFY(QFile::rename(aside, store));
        QTRY_COMPARE_WITH_TIMEOUT(stored({36, 12}), u"Durimi\nçdo gjë +"_s, 20000); // tried again by itself
        QVERIFY(!editor()->lblGabimi->isVisibleTo(editor()));
        QVERIFY(editor()->close());
    }

    // Closing the main window keeps what the editor holds; so does the window going away; the next start finds it.
    void keptAcrossStarts() {
        goTo(u"36:12"_s);
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_N, Qt::ControlModifier);
        editor()->txtShenimi->insertPlainText(u"!"_s);
        QVERIFY(c->w->close());
        QCOMPARE(stored({36, 12}), u"Durimi\nçdo gjë +!"_s);
        editor()->txtShenimi->insertPlainText(u"?"_s);
        Module1::unloadMainWindow();
        QCOMPARE(stored({36, 12}), u"Durimi\nçdo gjë +!?"_s);
        start(true);
        goTo(u"36:12"_s);
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(editor()->txtShenimi->toPlainText(), u"Durimi\nçdo gjë +!?"_s);
        QCOMPARE(notes::all(Module1::notesPath()).size(), 2);
        // A translation imported anew: the note stays, its dot beside the key in the new text, in the editor too.
        QVERIFY(editor()->close());
        const QString book = dir.filePath(u"sq.prova.txt"_s);
        QByteArray lines = "#  Translator: Prova\n";
        for (const databuilder::Surah& s : databuilder::readSurahs(testsupport::factsFolder()))
            for (int v = 1; v <= s.verses; ++v)
                lines += u"%1|%2|Prova %1:%2\n"_s.arg(s.number).arg(v).toUtf8();
        QVERIFY(testsupport::overwrite(book, lines));
        c->w->findChild<TranslationImport*>()->chooseFile = [book] { return book; };
        {
            platform::MsgBoxScript boxes;
            boxes.answer(platform::Answer::Yes);
            boxes.answer(platform::Answer::OK);
            testsupport::child<QToolButton>(c->w, "cmdImporto")->click();
            QCOMPARE(boxes.asked().size(), 2);
        }
        QVERIFY(c->Rtf1->Text().contains(u"\r\n36:12.\tProva 36:12\r\n"_s));
        goTo(u"36:12"_s);
        QCOMPARE(stored({36, 12}), u"Durimi\nçdo gjë +!?"_s);
        const QRect dot = c->Rtf1->shown()->noteRect({36, 12});
        QVERIFY(!dot.isEmpty() && c->Rtf1->shown()->noteRect({36, 13}).isEmpty());
        QCOMPARE(c->Rtf1->shown()->noteAt(dot.center()), u"Durimi\nçdo gjë +!?"_s);
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(editor()->txtShenimi->toPlainText(), u"Durimi\nçdo gjë +!?"_s);
    }

    // Killed while a note is typed (a key every 20 ms with no pause, no timer firing meanwhile): what the store holds
    // is what was typed, all of it but the last second at most.
    void keptWhenKilledWhileTyping() {
        const QString store = dir.filePath(u"vrare/shenimet.db"_s);
        const QString typed = u"Durimi është çelësi i gëzimit; "_s.repeated(12);
        QProcess typer;
        typer.start(qEnvironmentVariable("LIBREZI_NOTETYPER"), {store, typed});
        QVERIFY2(typer.waitForStarted(), qPrintable(typer.errorString()));
        QByteArray out;
        while (out.count('\n') < 150) {
            QVERIFY2(typer.waitForReadyRead(120000), "the typer stopped before typing 150 characters");
            out += typer.readAllStandardOutput();
        }
        typer.kill(); // SIGKILL: nothing of the program's own runs
        QVERIFY(typer.waitForFinished(120000));
        QCOMPARE(typer.exitStatus(), QProcess::CrashExit);
        out += typer.readAllStandardOutput();
        QList<std::pair<int, qint64>> keys;                                        // characters typed, and when
        for (const QByteArray& line : out.left(out.lastIndexOf('\n')).split('\n')) // a line cut by the kill left
            keys.append({line.split(' ').value(0).toInt(), line.split(' ').value(1).toLongLong()});
        QVERIFY(keys.size() >= 150 && keys.last().first == keys.size());
        int surely = 0; // typed a second or more before the last key printed
        for (const auto& [n, at] : std::as_const(keys))
            if (at <= keys.last().second - 1000)
                surely = n;
        QVERIFY(surely > 0); // 150 keys take three seconds at the least
        const QString kept = notes::note(store, {36, 12});
        QVERIFY2(
            typed.startsWith(kept) && kept.size() >= surely,
            qPrintable(u"%1 characters kept of %2 typed, %3 of them a second before the last: „%4”"_s.arg(kept.size())
                           .arg(keys.last().first)
                           .arg(surely)
                           .arg(kept)));
    }

    // Where the editor first goes: under the verse's lines, above them when there is no room under them, inside the
    // room it is given and no bigger than it; over the middle when the verse is not in view.
    void placedBesideTheVerse_data() {
        QTest::addColumn<QRect>("verse");
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("placed");
        const QRect room(100, 50, 1000, 700); // x 100..1099, y 50..749
        QTest::newRow("under") << QRect(300, 200, 600, 40) << room << QRect(300, 244, 420, 260);
        QTest::newRow("above") << QRect(300, 600, 600, 40) << room << QRect(300, 336, 420, 260);
        QTest::newRow("just above") << QRect(300, 314, 600, 186) << room << QRect(300, 50, 420, 260);
        QTest::newRow("just under") << QRect(300, 314, 600, 172) << room << QRect(300, 490, 420, 260);
        QTest::newRow("room neither") << QRect(300, 200, 600, 400) << room << QRect(300, 490, 420, 260);
        QTest::newRow("right edge") << QRect(900, 200, 600, 40) << room << QRect(680, 244, 420, 260);
        QTest::newRow("left of room") << QRect(0, 200, 600, 40) << room << QRect(100, 244, 420, 260);
        QTest::newRow("not in view") << QRect() << room << QRect(390, 270, 420, 260);
        QTest::newRow("small room") << QRect(10, 10, 100, 20) << QRect(0, 0, 300, 200) << QRect(0, 0, 300, 200);
    }
    void placedBesideTheVerse() {
        QFETCH(QRect, verse);
        QFETCH(QRect, room);
        QFETCH(QRect, placed);
        QCOMPARE(shenimet::placeBeside(verse, {420, 260}, room), placed);
    }

    // Exported and imported again by the list's buttons: the message says what was done; what the editor holds is
    // kept first and stays; a refused file is said and changes nothing.
    void exportedAndImported() {
        auto* list = c->w->findChild<NotesList*>();
        const QString file = dir.filePath(u"eksport.json"_s);
        const QString bad = dir.filePath(u"jo.json"_s);
        QVERIFY(testsupport::overwrite(bad, "36:12 jo JSON"));
        QStringList files{file, file, bad};
        list->chooseFile = [&files](bool) { return files.takeFirst(); };
        platform::MsgBoxScript boxes;
        list->cmdEksporto->click();
        notes::save(Module1::notesPath(), {2, 255}, QString());
        editor()->txtShenimi->selectAll();
        editor()->txtShenimi->insertPlainText(u"Y"_s); // not yet kept: kept first, the imported one after it
        list->cmdImporto->click();
        QCOMPARE(notes::note(Module1::notesPath(), {2, 255}), u"Kursia"_s);
        QCOMPARE(stored({36, 12}), u"Y\n\nDurimi\nçdo gjë +!?"_s);
        QCOMPARE(editor()->txtShenimi->toPlainText(), u"Y\n\nDurimi\nçdo gjë +!?"_s);
        QCOMPARE(list->lstShenimet->count(), 2);
        list->cmdImporto->click();
        QCOMPARE(boxes.asked().size(), 3);
        QCOMPARE(boxes.asked()[0].text, u"Shënimet (2) u ruajtën te %1."_s.arg(QDir::toNativeSeparators(file)));
        QCOMPARE(boxes.asked()[1].text, u"U morën 2 shënime nga %1."_s.arg(QDir::toNativeSeparators(file)));
        QVERIFY2(boxes.asked()[2].text.startsWith(u"Skedari i shënimeve"_s), qPrintable(boxes.asked()[2].text));
        QCOMPARE(boxes.asked()[2].icon, platform::Icon::Warning);
        QCOMPARE(notes::all(Module1::notesPath()).size(), 2);
    }
};

QTEST_MAIN(TestNoteWindow)
#include "test_notewindow.moc"
