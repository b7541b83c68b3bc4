// SPDX-License-Identifier: GPL-3.0-or-later
// Daily reading on the real window: the verse where the eye looks, typed keys, the place and the
// bookmarks kept across two starts with one settings store, the way back, and the keyboard.
#include "app/module1.h"
#include "app/notices.h"
#include "mainwindow/bookmarks.h"
#include "mainwindow/frmkryesore.h"
#include "platform/database.h"
#include "platform/listcontrols.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "platform/settings.h"
#include "testsupport.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <memory>

using testsupport::Controls;

class TestReading : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Controls> c;
    platform::MsgBoxScript boxes;

    void start() {
        frmKryesore* w = dir.isValid() && QFile::exists(dir.filePath(QStringLiteral("librezi.db")))
                             ? testsupport::startOnFolder(dir)
                             : testsupport::startProgram(dir);
        QVERIFY(w);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        c = std::make_unique<Controls>(w);
    }
    // The line at the top of the view.
    QString top() { return c->Rtf1->lineAt(c->Rtf1->topPosition()).section(u'\t', 0, 0); }
    void enter(QWidget* box, const QString& text) {
        testsupport::typeInto(box, text);
        testsupport::pressEnter(box);
    }
    QString told() { return testsupport::child<QLabel>(c->w, "lblNavigimi")->text(); }
    platform::ListBox* marks() { return testsupport::child<platform::ListBox>(c->w, "lstShenjuesit"); }

private Q_SLOTS:
    void initTestCase() { start(); }
    void cleanupTestCase() { Module1::unloadMainWindow(); }

    // At start the text has the focus; nothing stored gives the start state.
    void startState() {
        QVERIFY(c->Rtf1->hasFocus());
        QCOMPARE(c->CmbNrSure->Text(), QStringLiteral("1"));
        QCOMPARE(c->Rtf1->SelStart(), 0);
        QVERIFY(boxes.asked().isEmpty());
    }

    // Every way of choosing a verse shows it as the first line; verse 1 shows its surah's heading above.
    void chosenVerseAtTop_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("surah number") << "CmbNrSure"
                                      << "36"
                                      << "36.";
        QTest::newRow("surah name") << "CmbEmrSure"
                                    << "Jasin"
                                    << "36.";
        QTest::newRow("verse number") << "CmbNrAjeti"
                                      << "10"
                                      << "36:10.";
        QTest::newRow("key in the verse box") << "CmbNrAjeti"
                                              << "2:255"
                                              << "2:255.";
        QTest::newRow("blank in the surah box") << "CmbNrSure"
                                                << "2 255"
                                                << "2:255.";
        QTest::newRow("name and verse") << "CmbNrAjeti"
                                        << "Bekare 255"
                                        << "2:255.";
        QTest::newRow("name and verse in the name box") << "CmbEmrSure"
                                                        << "Bekare 255"
                                                        << "2:255.";
        QTest::newRow("key of a first verse") << "CmbNrSure"
                                              << "18:1"
                                              << "18.";
    }
    void chosenVerseAtTop() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        enter(c->w->findChild<QWidget*>(box), typed);
        QCOMPARE(top(), shown);
        QVERIFY(c->Rtf1->SelText().startsWith(shown == QLatin1String("36.")   ? QStringLiteral("36:1.\t")
                                              : shown == QLatin1String("18.") ? QStringLiteral("18:1.\t")
                                                                              : shown + u'\t'));
        QVERIFY(told().isEmpty());
    }

    // A verse beyond the surah's end is said under the lists; the view stays where it was.
    void verseBeyondTheSurah() {
        enter(c->CmbNrSure, QStringLiteral("36:10"));
        for (const QString& typed : {QStringLiteral("36:84"), QStringLiteral("84")}) {
            enter(c->CmbNrAjeti, typed);
            QCOMPARE(told(), QStringLiteral("Sureja Jasin ka 83 ajete"));
            QCOMPARE(top(), QStringLiteral("36:10."));
        }
    }

    // The way back leads to the verse the reader was at; a verse of a result opens in its place.
    // The whole text comes back as it was left (not read again: a mark made in it stays), in the size chosen
    // meanwhile.
    void wayBack() {
        enter(c->CmbNrSure, QStringLiteral("36:10"));
        c->Rtf1->setSelColor(QColor(0, 0, 255));
        c->CmbKerkoKrejt->setText(QStringLiteral("Përkthimi"));
        QVERIFY(testsupport::search(*c));
        QVERIFY(c->w->inPassageMode());
        QTest::keyClick(c->w, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(c->w, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(!c->w->inPassageMode());
        QCOMPARE(top(), QStringLiteral("36:10."));
        const QTextCharFormat kept = c->Rtf1->textCursor().charFormat();
        QVERIFY(kept.foreground().color() == QColor(0, 0, 255) &&
                c->Rtf1->fontAt(c->Rtf1->SelStart()).pointSize() == 13);
        QTest::keyClick(c->w, Qt::Key_0, Qt::ControlModifier);

        QVERIFY(testsupport::search(*c));
        const int line = int(c->Rtf1->Text().indexOf(QStringLiteral("\n2:5."))) + 1;
        c->Rtf1->setSelStart(line + 3);
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_Return);
        QVERIFY(!c->w->inPassageMode());
        QCOMPARE(top(), QStringLiteral("2:5."));
        // The way back: to the results at the line left, then to the whole text where the search was made; the text
        // shown keeps the keyboard.
        c->Rtf1->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), c->Rtf1->shown());
        QTest::keyClick(c->w, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(c->w->inPassageMode() && c->Rtf1->SelStart() == line + 3);
        QCOMPARE(QApplication::focusWidget(), c->Rtf1->shown());
        c->cmdKtheLibrezin->click();
        QVERIFY(!c->w->inPassageMode() && c->cmdKtheLibrezin->isHidden());
        QCOMPARE(top(), QStringLiteral("36:10."));
    }

    // A right click outside the selection puts the caret where the mouse is.
    void rightClickWherePointed() {
        enter(c->CmbNrSure, QStringLiteral("2:1"));
        const QRect line = c->Rtf1->cursorRect(QTextCursor(c->Rtf1->document()->findBlock(
            c->Rtf1->toDocumentPosition(int(c->Rtf1->Text().indexOf(QStringLiteral("2:3.\t")))))));
        QTest::mouseClick(c->Rtf1->viewport(), Qt::RightButton, {}, line.center() + QPoint(40, 0));
        c->mnuPopupRtf->hide();
        QVERIFY(c->Rtf1->lineAt(c->Rtf1->SelStart()).startsWith(QStringLiteral("2:3.\t")));
        // The popup of the heading has nothing to mark; once it closes, Ctrl+D marks the verse under the caret.
        QTest::mouseClick(c->Rtf1->viewport(), Qt::RightButton, {}, QPoint(40, 6));
        c->mnuPopupRtf->hide();
        c->w->activateWindow(); // without a window manager the hidden popup stays the active window
        QVERIFY(QTest::qWaitForWindowActive(c->w));
        QVERIFY(c->Rtf1->lineAt(c->Rtf1->SelStart()).startsWith(QStringLiteral("2.\tBekare")));
        enter(c->CmbNrAjeti, QStringLiteral("2:3"));
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(marks()->ListCount(), 1);
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(marks()->ListCount(), 0);
    }

    // Ctrl+D marks the verse under the caret and takes the mark away; the list is in book order, a click
    // goes to the verse, Delete removes one.
    void bookmarks() {
        for (const QString& key :
             {QStringLiteral("36:1"), QStringLiteral("2:255"), QStringLiteral("1:1"), QStringLiteral("1:1")}) {
            enter(c->CmbNrAjeti, key);
            QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        }
        QCOMPARE(marks()->ListCount(), 2);
        QVERIFY(marks()->List(0).startsWith(QStringLiteral("Bekare 2:255 — [Përkthimi i këtij ajeti")));
        // A mark's line: the surah, the key and the verse's first six words.
        QCOMPARE(Bookmarks::itemText(QStringLiteral("Jasin"), {36, 1}, QStringLiteral(" Ja,  Sinë! a b c d e")),
                 QStringLiteral("Jasin 36:1 — Ja, Sinë! a b c d…"));
        QCOMPARE(Bookmarks::itemText(QString(), {36, 1}, QStringLiteral("a b c d e f")),
                 QStringLiteral("36:1 — a b c d e f"));
        QVERIFY(marks()->List(1).startsWith(QStringLiteral("Jasin 36:1 — ")));
        marks()->setListIndex(1);
        QCOMPARE(top(), QStringLiteral("36."));
        marks()->setFocus();
        QTest::keyClick(marks(), Qt::Key_Delete);
        QCOMPARE(marks()->ListCount(), 1);
        enter(c->CmbNrAjeti, QStringLiteral("36:1"));
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier); // kept for the next start
        QCOMPARE(marks()->ListCount(), 2);
        QVERIFY(testsupport::search(*c)); // a bookmark chosen over search results is read in the whole text
        QVERIFY(c->w->inPassageMode());
        marks()->setListIndex(0);
        QVERIFY(!c->w->inPassageMode());
        QCOMPARE(top(), QStringLiteral("2:255."));

        // A mark that cannot be stored is said below the pages, until one is stored again.
        const QString ini = dir.filePath(QStringLiteral("Lib'rezi Drites/Lib'rezi Drites.ini"));
        auto* notice = testsupport::child<QLabel>(c->w, "lblNjoftimi");
        QVERIFY(notice->isHidden());
        QVERIFY(QFile::rename(ini, ini + u".x") && QDir().mkpath(ini)); // the store cannot be written
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(notice->text(), notices::failureText(notices::Store::Bookmarks));
        QVERIFY(!notice->isHidden());
        enter(c->CmbNrAjeti, QStringLiteral("36:2")); // navigation does not clear it
        QVERIFY(!notice->isHidden());
        QVERIFY(QDir(ini).removeRecursively() && QFile::rename(ini + u".x", ini));
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(notice->isHidden() && notice->text().isEmpty());
    }

    // Shortcuts reach their commands and are named in the hints.
    void shortcuts() {
        QTest::keyClick(c->w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), c->txtKerkim);
        QTest::keyClick(c->w, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), c->CmbKerkoKrejt);
        QTest::keyClick(c->w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), c->CmbNrAjeti);
        c->txtKerkim->setText(QStringLiteral("Përkthimi"));
        c->Rtf1->setSelStart(0);
        QTest::keyClick(c->w, Qt::Key_F3);
        const int first = c->Rtf1->SelStart();
        QTest::keyClick(c->w, Qt::Key_F3);
        QVERIFY(c->Rtf1->SelStart() > first);
        QTest::keyClick(c->w, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(c->Rtf1->SelStart(), first);
        QTest::keyClick(c->w, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(c->w, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(c->CmbNrFonti->Text(), QStringLiteral("14"));
        QTest::keyClick(c->w, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(c->CmbNrFonti->Text(), QStringLiteral("13"));
        QTest::keyClick(c->w, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(c->CmbNrFonti->Text(), QStringLiteral("12"));
        QVERIFY(c->cmdKerkim->toolTip().contains(QStringLiteral("F3")));
        QVERIFY(c->cmdKtheLibrezin->toolTip().contains(QStringLiteral("Alt+")));
    }

    // Real Tab presses go round every control in reading order, the exit button last.
    void tabGoesRound() {
        c->CmbNrSure->setFocus();
        QList<QWidget*> seen;
        for (int i = 0; i < 60 && (seen.isEmpty() || QApplication::focusWidget() != c->CmbNrSure); ++i) {
            seen.append(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), c->CmbNrSure);
        for (QWidget* w : QList<QWidget*>{c->txtKerkim, c->CmbKerkoKrejt, c->Rtf1->shown(), c->CmbNrFonti})
            QVERIFY2(seen.contains(w), qPrintable(w->objectName()));
        QCOMPARE(seen.last(), c->cmdFund);
        QVERIFY(seen.indexOf(c->CmbNrAjeti) < seen.indexOf(c->txtKerkim));
        QVERIFY(seen.indexOf(c->txtKerkim) < seen.indexOf(c->Rtf1->shown()));
    }

    // Closing keeps the verse at the top, the size and the window's size; the next start opens there.
    void placeKeptBetweenRuns() {
        c->w->resize(760, 580); // within the test screen of 800 by 800
        enter(c->CmbNrAjeti, QStringLiteral("36:10"));
        c->CmbNrFonti->setText(QStringLiteral("15"));
        Q_EMIT c->CmbNrFonti->Click();
        QCOMPARE(top(), QStringLiteral("36:10."));
        c->w->close();
        start();
        QCOMPARE(top(), QStringLiteral("36:10."));
        QCOMPARE(c->CmbNrFonti->Text(), QStringLiteral("15"));
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->SelStart()).pointSize(), 15);
        QCOMPARE(c->w->size(), QSize(760, 580));
        QCOMPARE(marks()->ListCount(), 2);
        // Closed on search results, the place kept is the verse the whole text showed under them.
        QVERIFY(testsupport::search(*c));
        c->Rtf1->showAtTop(c->Rtf1->TextLength()); // the results read to their end
        c->w->close();
        QCOMPARE(platform::GetSetting(QStringLiteral("Lib'rezi Drites"), QStringLiteral("Vendi i leximit"),
                                      QStringLiteral("Ajeti")),
                 QStringLiteral("36:10"));
        start();
        QCOMPARE(top(), QStringLiteral("36:10."));

        // A verse this database does not have: the start state, without a word.
        c->w->close();
        platform::SaveSetting(QStringLiteral("Lib'rezi Drites"), QStringLiteral("Vendi i leximit"),
                              QStringLiteral("Ajeti"), QStringLiteral("200:1"));
        start();
        QCOMPARE(c->Rtf1->SelStart(), 0);
        QVERIFY(boxes.asked().isEmpty());
    }

    // A stored size the size list does not offer is ignored (beyond it the layout of the whole text takes minutes,
    // a size that is no number blanks the text) and not written back at close; the list's first and last apply.
    void storedSize_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("applied"); // 0: none, the text keeps 12 points
        for (const char* size : {"0", "-5", "5", "27", "inf", "nan", "12.5", "abc"})
            QTest::newRow(size) << QString::fromLatin1(size) << 0;
        QTest::newRow("first of the list") << "6" << 6;
        QTest::newRow("last of the list") << "26" << 26;
    }
    void storedSize() {
        QFETCH(QString, stored);
        QFETCH(int, applied);
        const QString app = QStringLiteral("Lib'rezi Drites"), section = QStringLiteral("Vendi i leximit"),
                      key = QStringLiteral("Madhësia");
        c->w->close();
        platform::SaveSetting(app, section, key, stored);
        start();
        QCOMPARE(c->CmbNrFonti->Text(), QString::number(applied ? applied : 12));
        enter(c->CmbNrAjeti, QStringLiteral("2:255"));
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->SelStart()).pointSize(), applied ? applied : 12);
        c->w->close();
        QCOMPARE(platform::GetSetting(app, section, key), applied ? stored : QString());
    }

    // A size typed beyond the list applies nothing, and the next step goes from the size the text has.
    void typedSizeBeyondTheList() {
        start();
        QTest::keyClick(c->w, Qt::Key_0, Qt::ControlModifier);
        enter(c->CmbNrAjeti, QStringLiteral("2:255"));
        c->CmbNrFonti->setText(QStringLiteral("40"));
        Q_EMIT c->CmbNrFonti->Click();
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->SelStart()).pointSize(), 12);
        QTest::keyClick(c->w, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(c->CmbNrFonti->Text(), QStringLiteral("13"));
    }

    // 100,000 stored marks, in the store's list form with quotes or without (as another program or a hand writes
    // it), of verses the book has and has not: each verse the book has is listed once, in book order; the others
    // are dropped and not stored again.
    void manyStoredBookmarks_data() {
        QTest::addColumn<bool>("quoted");
        QTest::newRow("quoted") << true;
        QTest::newRow("list form") << false;
    }
    void manyStoredBookmarks() {
        QFETCH(bool, quoted);
        const QString app = QStringLiteral("Lib'rezi Drites"), section = QStringLiteral("Shënjuesit"),
                      key = QStringLiteral("Ajetet");
        QStringList keys{QStringLiteral("1:8"), QStringLiteral("115:1"), QStringLiteral("114:7"), QStringLiteral("0:1"),
                         QStringLiteral("2:0")};
        QList<QPair<int, int>> book; // every verse, surah and count
        for (platform::Statement st = Module1::cnLidhja.query(QStringLiteral("SELECT IDSureja, NrAjete FROM Suret"));
             st.next();)
            book.append({int(st.integer(0)), int(st.integer(1))});
        while (keys.size() < 100000)
            for (auto it = book.crbegin(); it != book.crend() && keys.size() < 100000; ++it)
                for (int v = it->second; v >= 1; --v)
                    keys.append(QStringLiteral("%1:%2").arg(it->first).arg(v));
        keys.resize(100000);
        c->w->close();
        QVERIFY(platform::SaveSetting(app, section, key, quoted ? keys.join(u',') : QStringLiteral("KETU")));
        if (!quoted) {
            const QString file = QSettings(QSettings::IniFormat, QSettings::UserScope, app, app).fileName();
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray listed = keys.join(QStringLiteral(", ")).toLatin1();
            const QByteArray text = f.readAll().replace(QByteArray("=KETU"), QByteArray('=' + listed));
            QVERIFY(testsupport::overwrite(file, text));
        }
        QElapsedTimer clock;
        clock.start();
        start();
        qInfo("started with 100,000 stored marks in %lld ms", clock.elapsed());
        QCOMPARE(marks()->ListCount(), 6236);
        QVERIFY(marks()->List(0).startsWith(QStringLiteral("Fatiha 1:1 — ")));
        QVERIFY(marks()->List(6235).startsWith(QStringLiteral("Nas 114:6 — ")));
        enter(c->CmbNrAjeti, QStringLiteral("2:255"));
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier); // stored at once
        const QStringList stored = platform::GetSetting(app, section, key).split(u',');
        QVERIFY(stored.size() == 6235 && stored.first() == QLatin1String("1:1") &&
                stored.last() == QLatin1String("114:6") && !stored.contains(QStringLiteral("2:255")));
        QVERIFY(platform::SaveSetting(app, section, key, QString()));
    }
};

QTEST_MAIN(TestReading)
#include "test_reading.moc"
