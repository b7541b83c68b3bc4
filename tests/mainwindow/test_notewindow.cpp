// SPDX-License-Identifier: GPL-3.0-or-later
// A note on a verse, on the real window: Ctrl+N opens the editor on the verse under the caret, what is typed is kept
// after a pause, on closing the editor and on closing the main window; a store that cannot be written is said in the
// editor, which keeps the text until a save succeeds; the next start finds the note.
#include "mainwindow/notes.h"
#include "notes/notes.h"
#include "windowtest.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

using namespace Qt::StringLiterals;
using testsupport::Controls;

class TestNoteWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Controls> c;
    void start(bool again) {
        frmKryesore* w = windowtest::startShown(dir, again);
        QVERIFY(w);
        c = std::make_unique<Controls>(w);
    }
    // The caret to a verse as the reader puts it there: Ctrl+G, its key, Enter.
    void goTo(const QString& key) {
        c->w->activateWindow(); // back from the editor
        QVERIFY(QTest::qWaitForWindowActive(c->w));
        QTest::keyClick(c->w, Qt::Key_G, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(c->Rtf1->verseAt(c->Rtf1->SelStart()).text(), key);
    }
    frmShenimi* editor() const { return c->w->findChild<frmShenimi*>(); }
    static QString stored(text::Verse v) { return notes::note(Module1::notesPath(), v); }

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
        QVERIFY(QTest::qWaitForWindowActive(editor()));
        QTRY_COMPARE(QApplication::focusWidget(), editor()->txtShenimi);
        QTest::keyClicks(QApplication::focusWidget(), u"Durimi"_s);
        QTRY_COMPARE_WITH_TIMEOUT(stored({36, 12}), u"Durimi"_s, 20000);
        editor()->txtShenimi->insertPlainText(u"\nçdo gjë"_s); // no pause: the event loop does not turn
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
    // store can be written again, the next save keeps it and the saying goes.
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
        QVERIFY(editor()->close());
        QVERIFY(!editor()->lblGabimi->isVisibleTo(editor()));
        QCOMPARE(stored({36, 12}), u"Durimi\nçdo gjë +"_s);
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
