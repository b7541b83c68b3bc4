// SPDX-License-Identifier: GPL-3.0-or-later
// Daily reading on the real window: the verse where the eye looks, typed keys, the place and the
// bookmarks kept across two starts with one settings store, the way back, and the keyboard.
#include "app/notices.h"
#include "mainwindow/bookmarks.h"
#include "mainwindow/navigation.h"
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "windowtest.h"

#include <QTextBlock>

#include <memory>

using testsupport::Controls;
using windowtest::enter;

class TestReading : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Controls> c;
    platform::MsgBoxScript boxes;
    void start() {
        frmKryesore* w = windowtest::startShown(dir, dir.isValid() && QFile::exists(dir.filePath("librezi.db")));
        QVERIFY(w);
        c = std::make_unique<Controls>(w);
    }
    QString top() { return windowtest::top(c->w); }
    QString told() { return testsupport::child<QLabel>(c->w, "lblNavigimi")->text(); }
    platform::ListBox* marks() { return testsupport::child<platform::ListBox>(c->w, "lstShenjuesit"); }

private Q_SLOTS:
    void initTestCase() { start(); }
    void cleanupTestCase() { Module1::unloadMainWindow(); }
    // At start the text has the focus (the rest of the start state is the start's test).
    void startState() { QVERIFY(c->Rtf1->hasFocus() && boxes.asked().isEmpty()); }
    // Going to surahs and verses by the lists, one step after another.
    void stepByStep() {
        // A list and its choice (typed with Enter: "↵"); the lists' texts and verse count; the selection.
        // clang-format off
        const char* steps[][4] = {
            {"CmbEmrSure", "Fatiha", "1 Fatiha 7 1 7", "\n1:1.\t"}, // 1, not 10
            {"CmbNrSure", "114", "114 Nas 6 1 6", "\n114:1.\t"},
            {"CmbTotalAjete", "286", "2 Bekare 286 1 286", "\n2:1.\t"},
            {"CmbNrAjeti", "255↵", "2 Bekare 286 255 286", "\n2:255.\t"},
            {"CmbTotalAjete", "6", "109 Kafirun 6 1 6", "\n109:1.\t"}, // the first surah of six verses
            {"CmbNrSure", "36↵", "36 Jasin 83 1 83", "\n36:1.\t"},
            {"CmbEmrSure", "bek↵", "2 Bekare 286 1 286", "\n2:1.\t"}, // a name by its start
            {"CmbNrSure", "999x↵", "999x Bekare 286 1 286", "\n2:1.\t"}, // a text that names nothing
            {"CmbTotalAjete", "1↵", "999x Bekare 1 1 286", "\n2:1.\t"}, // no surah has one verse
            {"CmbTotalAjete", "7↵", "1 Fatiha 7 1 7", "\n1:1.\t"},
            {"CmbNrAjeti", "8↵", "1 Fatiha 7 8 7", "\n1:1.\t"}, // beyond the surah: said, the view stays
            {"CmbNrAjeti", "↵", "1 Fatiha 7 1 7", "\n1:1.\t"}, // an empty verse list means verse 1
            {"CmbNrAjeti", "9999↵", "1 Fatiha 7 9999 7", "\n1:1.\t"},
            {"CmbEmrSure", "tiha↵", "1 tiha 7 9999 7", "\n1:1.\t"}}; // inside a name is not its start
        // clang-format on
        for (const auto& [box, choice, lists, from] : steps) {
            auto* list = c->w->findChild<platform::ComboBox*>(QLatin1String(box));
            const QString text = QString::fromUtf8(choice);
            if (text.endsWith(u'↵'))
                enter(list, text.chopped(1));
            else
                list->setListIndex(list->findText(text));
            const QString step = QLatin1String(box) + u' ' + text + ": ";
            const QString shown = QStringList({c->CmbNrSure->Text(), c->CmbEmrSure->Text(), c->CmbTotalAjete->Text(),
                                               c->CmbNrAjeti->Text(), QString::number(c->CmbNrAjeti->ListCount())})
                                      .join(u' ');
            QVERIFY2(shown == QLatin1String(lists), qPrintable(step + shown));
            // The selection with the characters before and after it: one whole line.
            const int at = c->Rtf1->SelStart();
            const QString seen = c->Rtf1->Text().mid(qMax(0, at - 1), c->Rtf1->SelLength() + (at > 0 ? 2 : 1));
            QVERIFY2((*from ? seen.startsWith(QLatin1String(from)) : at == 0) && seen.indexOf(u'\r') == seen.size() - 1,
                     qPrintable(step + seen));
        }
    }
    // Every way of choosing a verse shows it as the first line, selected; verse 1 shows its surah's heading above; the
    // verse list's position is the verse's. Names are taken as other languages spell them, one letter wrong in a
    // long one forgiven. A verse beyond the surah's end or a name of no surah is said under the lists, and the view
    // stays where it was.
    void chosenVerseAtTop_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // the line at the top; "" where the view stays
        QTest::addColumn<QString>("said");  // under the lists
        const auto row = [](const char* tag, const char* box, const char* typed, const char* shown,
                            const char* said = "") {
            QTest::newRow(tag) << QString(box) << QString::fromUtf8(typed) << QString(shown) << QString::fromUtf8(said);
        };
        row("surah number", "CmbNrSure", "36", "36.");
        row("surah name", "CmbEmrSure", "Jasin", "36.");
        row("verse number", "CmbNrAjeti", "10", "36:10.");
        row("beyond the surah, a number", "CmbNrAjeti", "84", "", "Sureja Jasin ka 83 ajete");
        row("beyond the surah, a key", "CmbNrAjeti", "36:84", "", "Sureja Jasin ka 83 ajete");
        row("key in the verse box", "CmbNrAjeti", "2:255", "2:255.");
        row("blank in the surah box", "CmbNrSure", "2 255", "2:255.");
        row("name and verse", "CmbNrAjeti", "Bekare 255", "2:255.");
        row("name and verse in the name box", "CmbEmrSure", "Jasin 7", "36:7.");
        row("key of a first verse", "CmbNrSure", "18:1", "18.");
        row("slash", "CmbNrAjeti", "36/12", "36:12.");
        row("hyphen", "CmbNrAjeti", " 36 - 12 ", "36:12.");
        row("other language", "CmbNrAjeti", "Yasin 12", "36:12.");
        row("Rahman", "CmbNrAjeti", "Rahman 13", "55:13.");
        row("Enam", "CmbNrAjeti", "Enam 5", "6:5.");
        row("article with hyphen", "CmbNrAjeti", "Al-Kehf 10", "18:10.");
        row("article with a blank", "CmbNrAjeti", "es sexhde 5", "32:5.");
        row("apostrophe and marks", "CmbNrAjeti", "MÜ’MİNÛN 2", "23:2.");
        row("ë", "CmbNrAjeti", "Fussilët-3", "41:3.");
        row("transliteration", "CmbNrAjeti", "Aʿrāf 3", "7:3.");
        row("article to a short name", "CmbNrAjeti", "Es-Sad 5", "38:5.");
        row("a name's start", "CmbNrAjeti", "Bek 3", "2:3.");
        row("one letter changed", "CmbNrAjeti", "Kafirum 3", "109:3.");
        row("one letter missing", "CmbNrAjeti", "Ikhas 2", "112:2.");
        row("one letter extra", "CmbNrAjeti", "Muxhaadele 4", "58:4.");
        row("a name alone", "CmbNrAjeti", "Yasin", "36.");
        row("a name in the number box", "CmbNrSure", "An-Nas", "114.");
        row("another name in the name box", "CmbEmrSure", "Baqara", "2.");
        row("a name of none", "CmbNrAjeti", "Xyz 12", "", "Nuk e gjej suren „Xyz”");
        row("a wrong letter in a short name", "CmbNrAjeti", "Kehv 1", "", "Nuk e gjej suren „Kehv”");
        row("a wrong letter between two names", "CmbNrAjeti", "Shurra 1", "", "Nuk e gjej suren „Shurra”");
        row("two wrong letters", "CmbNrAjeti", "Bekkarre 1", "", "Nuk e gjej suren „Bekkarre”");
        row("a name's middle", "CmbNrAjeti", "tiha 1", "", "Nuk e gjej suren „tiha”");
        row("no verse box text", "CmbNrAjeti", " ?! ", "", "Nuk e gjej suren „?!”");
        row("no name box text", "CmbEmrSure", "Qwerty", "", "Nuk e gjej suren „Qwerty”");
        row("no number box text", "CmbNrSure", "999x", "", "Nuk e gjej suren „999x”");
        row("no surah of the number", "CmbNrSure", "999", "", "Nuk ka sure me numrin 999");
    }
    void chosenVerseAtTop() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, said);
        enter(c->CmbNrSure, "36:5");
        const QString before = top();
        enter(c->w->findChild<QWidget*>(box), typed);
        QCOMPARE(top(), shown.isEmpty() ? before : shown);
        QCOMPARE(told(), said);
        if (shown.isEmpty()) { // the lists stay
            QCOMPARE(c->CmbNrSure->ItemData(c->CmbNrSure->ListIndex()), 36);
            QCOMPARE(c->CmbNrAjeti->ListIndex(), 4);
            return;
        }
        const QString key = shown.contains(u':') ? shown : shown.chopped(1).append(":1.");
        QVERIFY(c->Rtf1->SelText().startsWith(key + u'\t')); // the verse is selected, under a heading its first
        QCOMPARE(c->CmbNrAjeti->ListIndex() + 1, key.section(u':', 1).chopped(1).toInt());
    }
    // Ctrl+G, a key typed and Enter: the text has the keyboard, and Down reads on from the verse.
    void readOnAfterTypedVerse() {
        enter(c->CmbNrSure, "2");
        QTest::keyClick(c->w, Qt::Key_G, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "36:12");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), c->Rtf1->shown());
        QCOMPARE(c->Rtf1->verseAt(c->Rtf1->SelStart()).text(), "36:12");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        const text::Verse at = c->Rtf1->verseAt(c->Rtf1->SelStart());
        QVERIFY2(at.surah == 36 && (at.verse == 12 || at.verse == 13), qPrintable(at.text()));
        QCOMPARE(top(), "36:12.");
        // In the verse box, Down goes on from the verse shown.
        QTest::keyClick(c->w, Qt::Key_G, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(top(), "36:13.");
    }
    // The table of other names: every surah has some, and no form of a name names two surahs.
    void otherNames() {
        QHash<QString, int> owner;
        QSet<int> covered;
        const auto take = [&owner](int surah, const QString& name) {
            for (const QString& key : navigation::SurahNames::keys(name))
                QVERIFY2(owner.value(key, surah) == surah && !key.isEmpty(), qPrintable(name));
            for (const QString& key : navigation::SurahNames::keys(name))
                owner.insert(key, surah);
        };
        for (const data::Surah& s : Module1::library.surahs())
            take(s.number, s.name);
        for (const QString& line : navigation::SurahNames::bundledAlternatives().split(u'\n', Qt::SkipEmptyParts))
            if (!line.startsWith(u'#')) {
                covered.insert(line.section(u'\t', 0, 0).toInt());
                for (const QString& name : line.section(u'\t', 1).split(u','))
                    take(line.section(u'\t', 0, 0).toInt(), name);
            }
        QCOMPARE(covered.size(), 114);
        QVERIFY(covered.contains(1) && covered.contains(114));
    }
    // The way back leads to the verse the reader was at; a verse of a result opens in its place.
    // The whole text comes back as it was left (not read again: a mark made in it stays), in the size chosen
    // meanwhile.
    void wayBack() {
        enter(c->CmbNrSure, "36:10");
        c->Rtf1->setSelColor(QColor(0, 0, 255));
        c->CmbKerkoKrejt->setText("Përkthimi");
        QVERIFY(testsupport::search(*c));
        QVERIFY(c->w->inPassageMode());
        QTest::keyClick(c->w, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(c->w, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(!c->w->inPassageMode());
        QCOMPARE(top(), "36:10.");
        const QTextCharFormat kept = c->Rtf1->textCursor().charFormat();
        QVERIFY(kept.foreground().color() == QColor(0, 0, 255) &&
                c->Rtf1->fontAt(c->Rtf1->SelStart()).pointSize() == 13);
        QTest::keyClick(c->w, Qt::Key_0, Qt::ControlModifier);

        QVERIFY(testsupport::search(*c));
        const int line = int(c->Rtf1->Text().indexOf("\n2:5.")) + 1;
        c->Rtf1->setSelStart(line + 3);
        QTest::keyClick(c->Rtf1->shown(), Qt::Key_Return);
        QVERIFY(!c->w->inPassageMode());
        QCOMPARE(top(), "2:5.");
        // The way back: to the results at the line left, then to the whole text where the search was made; the text
        // shown keeps the keyboard.
        c->Rtf1->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), c->Rtf1->shown());
        QTest::keyClick(c->w, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(c->w->inPassageMode() && c->Rtf1->SelStart() == line + 3);
        QCOMPARE(QApplication::focusWidget(), c->Rtf1->shown());
        c->cmdKtheLibrezin->click();
        QVERIFY(!c->w->inPassageMode() && c->cmdKtheLibrezin->isHidden());
        QCOMPARE(top(), "36:10.");
    }
    // A search that finds nothing telling ë from e, that the loose search would find, says so under its report; a
    // click on that line turns the option on and searches again. A result opened by a double click comes back at its
    // line with Alt+Left, and once more the whole text.
    void noResultsHintAndBackToTheLine() {
        auto* loose = testsupport::child<QCheckBox>(c->w, "ChkPaDallim");
        QVERIFY(!loose->isChecked());
        enter(c->CmbNrAjeti, "36:1");
        c->ChkKerkoSure->setChecked(true);
        c->CmbKerkoKrejt->setText("Perkthimi");
        QVERIFY(testsupport::search(*c));
        const QString hint = "Me „Pa dallim ë/e, ç/c” gjenden 83 ajete";
        QVERIFY(c->Rtf1->Text().contains("Në suren Jasin nuk përmendet shprehja Perkthimi\r\n" + hint + "\r\n"));
        const auto lineRect = [this](const QString& line) {
            platform::TextPane* pane = c->Rtf1->shown();
            QTextCursor at(pane->document());
            at.setPosition(c->Rtf1->toDocumentPosition(int(c->Rtf1->Text().indexOf(line))) + 3);
            return pane->cursorRect(at);
        };
        QVERIFY(testsupport::search(
            *c, [&] { QTest::mouseClick(c->Rtf1->shown()->viewport(), Qt::LeftButton, {}, lineRect(hint).center()); }));
        QVERIFY(loose->isChecked());
        QVERIFY(c->Rtf1->Text().contains("Gjithsej u gjetën 83 ajete në suren Jasin"));
        QVERIFY(!c->Rtf1->Text().contains(hint));
        QTest::mouseDClick(c->Rtf1->shown()->viewport(), Qt::LeftButton, {}, lineRect("36:12.\t").center());
        QVERIFY(!c->w->inPassageMode());
        QCOMPARE(top(), "36:12.");
        QTest::keyClick(c->w, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(c->w->inPassageMode());
        QVERIFY(c->Rtf1->lineAt(c->Rtf1->SelStart()).startsWith("36:12.\t"));
        QTest::keyClick(c->w, Qt::Key_Left, Qt::AltModifier);
        QVERIFY(!c->w->inPassageMode());
        QCOMPARE(top(), "36."); // verse 1 under its heading
        loose->setChecked(false);
        c->ChkKerkoSure->setChecked(false);
    }
    // A right click outside the selection puts the caret where the mouse is.
    void rightClickWherePointed() {
        enter(c->CmbNrSure, "2:1");
        const QRect line = c->Rtf1->cursorRect(QTextCursor(
            c->Rtf1->document()->findBlock(c->Rtf1->toDocumentPosition(int(c->Rtf1->Text().indexOf("2:3.\t"))))));
        QTest::mouseClick(c->Rtf1->viewport(), Qt::RightButton, {}, line.center() + QPoint(40, 0));
        c->mnuPopupRtf->hide();
        QVERIFY(c->Rtf1->lineAt(c->Rtf1->SelStart()).startsWith("2:3.\t"));
        // The popup of the heading has nothing to mark; once it closes, Ctrl+D marks the verse under the caret.
        QTest::mouseClick(c->Rtf1->viewport(), Qt::RightButton, {}, QPoint(40, 6));
        c->mnuPopupRtf->hide();
        c->w->activateWindow(); // without a window manager the hidden popup stays the active window
        QVERIFY(QTest::qWaitForWindowActive(c->w));
        QVERIFY(c->Rtf1->lineAt(c->Rtf1->SelStart()).startsWith("2.\tBekare"));
        enter(c->CmbNrAjeti, "2:3");
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(marks()->ListCount(), 1);
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(marks()->ListCount(), 0);
    }
    // Ctrl+D marks the verse under the caret and takes the mark away, and says so; the list is in book order, its
    // count on the tab, a mark beside each marked key. Opening the page and moving along the list go nowhere; a
    // click or Enter goes. Delete removes a mark, Ctrl+Z on the page puts it back.
    void bookmarks() {
        auto* news = testsupport::child<QLabel>(c->w, "lblLajmi");
        const QStringList said = {"Ajeti 36:1 u shënua", "Ajeti 2:255 u shënua", "Ajeti 1:1 u shënua",
                                  "Shënimi i ajetit 1:1 u hoq"};
        for (int i = 0; i < 4; ++i) {
            enter(c->CmbNrAjeti, QStringList{"36:1", "2:255", "1:1", "1:1"}[i]);
            QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
            QCOMPARE(news->text(), said[i]);
        }
        QVERIFY(news->isVisible());
        QCOMPARE(marks()->ListCount(), 2);
        QCOMPARE(c->C1Tab1->tabText(3), "S&hënjuesit (2)");
        QVERIFY(marks()->List(0).startsWith("Bekare 2:255 — [Përkthimi i këtij ajeti"));
        // A mark's line: the surah, the key and the verse's first six words.
        QCOMPARE(Bookmarks::itemText("Jasin", {36, 1}, " Ja,  Sinë! a b c d e"), "Jasin 36:1 — Ja, Sinë! a b c d…");
        QCOMPARE(Bookmarks::itemText(QString(), {36, 1}, "a b c d e f"), "36:1 — a b c d e f");
        QVERIFY(marks()->List(1).startsWith("Jasin 36:1 — "));
        // The mark is drawn beside its key and nowhere else.
        enter(c->CmbNrAjeti, "2:254");
        platform::TextPane* pane = c->Rtf1->shown();
        const QRect mark = pane->markRect({2, 255});
        const QRect key = pane->cursorRect(QTextCursor(pane->document()->findBlock(
                                               c->Rtf1->toDocumentPosition(c->Rtf1->positionOf({2, 255})))))
                              .translated(pane->viewport()->pos());
        QVERIFY(!mark.isEmpty() && pane->markRect({2, 254}).isEmpty());
        QVERIFY(mark.right() < key.left() && mark.intersects(QRect(0, key.top(), pane->width(), key.height())));
        QCOMPARE(pane->grab().toImage().pixelColor(mark.center()), platform::colour(text::Role::Match));

        enter(c->CmbNrAjeti, "1:3");
        QTest::keyClick(c->w, Qt::Key_H, Qt::AltModifier);
        QCOMPARE(c->C1Tab1->currentIndex(), 3);
        marks()->setFocus();
        QTest::keyClick(marks(), Qt::Key_Down);
        QTest::keyClick(marks(), Qt::Key_Up);
        QTest::keyClick(marks(), Qt::Key_Down);
        QCOMPARE(top(), "1:3.");
        QTest::keyClick(marks(), Qt::Key_Return);
        QCOMPARE(top(), "36.");
        QTest::mouseClick(marks()->viewport(), Qt::LeftButton, {}, marks()->visualItemRect(marks()->item(0)).center());
        QCOMPARE(top(), "2:255.");
        marks()->setFocus();
        QTest::keyClick(marks(), Qt::Key_Delete);
        QCOMPARE(marks()->ListCount(), 1);
        QCOMPARE(news->text(), "Shënimi i ajetit 2:255 u hoq");
        QVERIFY(pane->markRect({2, 255}).isEmpty());
        QTest::keyClick(marks(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks()->ListCount(), 2);
        QCOMPARE(marks()->ListIndex(), 0);
        QCOMPARE(c->C1Tab1->tabText(3), "S&hënjuesit (2)");
        QTest::keyClick(marks(), Qt::Key_Z, Qt::ControlModifier); // nothing more to put back
        QCOMPARE(marks()->ListCount(), 2);
        marks()->setCurrentRow(1);
        QTest::keyClick(marks(), Qt::Key_Delete);
        QCOMPARE(marks()->ListCount(), 1);
        QVERIFY(testsupport::search(*c)); // a bookmark chosen over search results is read in the whole text
        QVERIFY(c->w->inPassageMode());
        QTest::mouseClick(marks()->viewport(), Qt::LeftButton, {}, marks()->visualItemRect(marks()->item(0)).center());
        QVERIFY(!c->w->inPassageMode());
        QCOMPARE(top(), "2:255.");
        c->C1Tab1->setCurrentIndex(0);
        QTest::keyClick(c->w, Qt::Key_Z, Qt::ControlModifier); // the page is not shown: nothing is put back
        QCOMPARE(marks()->ListCount(), 1);
        enter(c->CmbNrAjeti, "36:1");
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier); // kept for the next start
        QCOMPARE(marks()->ListCount(), 2);

        // A mark that cannot be stored is said below the pages, until one is stored again.
        const QString ini = dir.filePath("Lib'rezi Drites/Lib'rezi Drites.ini");
        auto* notice = testsupport::child<QLabel>(c->w, "lblNjoftimi");
        QVERIFY(notice->isHidden());
        QVERIFY(QFile::rename(ini, ini + u".x") && QDir().mkpath(ini)); // the store cannot be written
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(notice->text(), notices::failureText(notices::Store::Bookmarks));
        // in sight, whatever the pages' height; navigation does not clear it
        QTRY_COMPARE(notice->visibleRegion().boundingRect(), notice->rect());
        enter(c->CmbNrAjeti, "36:2");
        QVERIFY(!notice->isHidden());
        testsupport::typeInto(c->CmbKerkoKrejt, QStringLiteral("importuar"));
        QVERIFY(testsupport::search(*c)); // a search's words cannot be kept either
        QTRY_COMPARE(notice->text(), notices::failureText(notices::Store::Bookmarks) + u'\n' +
                                         notices::failureText(notices::Store::History));
        QVERIFY(c->w->inPassageMode());
        c->cmdKtheLibrezin->click();
        QVERIFY(QDir(ini).removeRecursively() && QFile::rename(ini + u".x", ini));
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(notice->text(), notices::failureText(notices::Store::History));
        testsupport::typeInto(c->CmbKerkoKrejt, QStringLiteral("ajeti"));
        QVERIFY(testsupport::search(*c));
        QTRY_VERIFY(notice->isHidden() && notice->text().isEmpty());
        c->cmdKtheLibrezin->click();
    }
    // Shortcuts reach their commands (the hints that name them are the layout test's).
    void shortcuts() {
        QTest::keyClick(c->w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), c->txtKerkim);
        QTest::keyClick(c->w, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), c->CmbKerkoKrejt);
        QTest::keyClick(c->w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), c->CmbNrAjeti);
        c->txtKerkim->setText("Përkthimi");
        c->Rtf1->setSelStart(0);
        QTest::keyClick(c->w, Qt::Key_F3);
        const int first = c->Rtf1->SelStart();
        QTest::keyClick(c->w, Qt::Key_F3);
        QVERIFY(c->Rtf1->SelStart() > first);
        QTest::keyClick(c->w, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(c->Rtf1->SelStart(), first);
        for (const auto& [key, size] :
             {std::pair{Qt::Key_Plus, "13"}, {Qt::Key_Plus, "14"}, {Qt::Key_Minus, "13"}, {Qt::Key_0, "12"}}) {
            QTest::keyClick(c->w, key, Qt::ControlModifier);
            QCOMPARE(c->CmbNrFonti->Text(), size);
        }
    }
    // Real Tab presses go round every control in reading order, the exit button last, and Shift+Tab goes round
    // the same controls the other way; F6 goes between the left column, the text and the player strip; Esc in a box
    // brings the keyboard back to the text.
    void keyboardGoesRound() {
        const auto round = [](QWidget* from, Qt::KeyboardModifiers modifiers) {
            from->setFocus();
            QList<QWidget*> seen;
            for (int i = 0; i < 80 && (seen.isEmpty() || QApplication::focusWidget() != from); ++i) {
                seen.append(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            }
            return QApplication::focusWidget() == from ? seen : QList<QWidget*>();
        };
        const QList<QWidget*> seen = round(c->CmbNrSure, {});
        QVERIFY(!seen.isEmpty());
        for (QWidget* w : QList<QWidget*>{c->txtKerkim, c->CmbKerkoKrejt, c->Rtf1->shown(), c->CmbNrFonti})
            QVERIFY2(seen.contains(w), qPrintable(w->objectName()));
        QCOMPARE(seen.last(), c->cmdFund);
        QVERIFY(seen.indexOf(c->CmbNrAjeti) < seen.indexOf(c->txtKerkim));
        QVERIFY(seen.indexOf(c->txtKerkim) < seen.indexOf(c->Rtf1->shown()));
        QList<QWidget*> back = round(c->cmdFund, Qt::ShiftModifier);
        std::reverse(back.begin(), back.end());
        QCOMPARE(back, seen);

        auto* strip = c->WindowsMediaPlayer1;
        const auto inPart = [](QWidget* part) { return part->isAncestorOf(QApplication::focusWidget()); };
        c->CmbNrAjeti->setFocus();
        QTest::keyClick(c->w, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), c->Rtf1->shown());
        QTest::keyClick(c->w, Qt::Key_F6);
        QVERIFY(inPart(strip));
        QTest::keyClick(c->w, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), c->CmbNrAjeti);
        QTest::keyClick(c->w, Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(inPart(strip));
        QTest::keyClick(c->w, Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), c->Rtf1->shown());

        for (QWidget* box : QList<QWidget*>{c->txtKerkim, c->CmbKerkoKrejt, c->CmbNrAjeti, c->CmbFontNames,
                                            testsupport::child<QWidget>(c->w, "SpnNga")}) {
            box->setFocus();
            QVERIFY(box->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY2(c->Rtf1->shown()->hasFocus(), qPrintable(box->objectName()));
        }
    }
    // Closing keeps the verse at the top, the size and the window's size; the next start opens there.
    void placeKeptBetweenRuns() {
        c->w->resize(760, 580); // within the test screen of 800 by 800
        enter(c->CmbNrAjeti, "36:10");
        c->CmbNrFonti->setText("15");
        Q_EMIT c->CmbNrFonti->Click();
        QCOMPARE(top(), "36:10.");
        c->w->close();
        start();
        QCOMPARE(top(), "36:10.");
        QCOMPARE(c->CmbNrFonti->Text(), "15");
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->SelStart()).pointSize(), 15);
        QCOMPARE(c->w->size(), QSize(760, 580));
        QCOMPARE(marks()->ListCount(), 2);
        // Closed on search results, the place kept is the verse the whole text showed under them.
        QVERIFY(testsupport::search(*c));
        c->Rtf1->showAtTop(c->Rtf1->TextLength()); // the results read to their end
        c->w->close();
        QCOMPARE(platform::GetSetting("Lib'rezi Drites", "Vendi i leximit", "Ajeti"), "36:10");
        start();
        QCOMPARE(top(), "36:10.");

        // A verse this database does not have: the start state, without a word.
        c->w->close();
        platform::SaveSetting("Lib'rezi Drites", "Vendi i leximit", "Ajeti", "200:1");
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
        const QString app = "Lib'rezi Drites", section = "Vendi i leximit", key = "Madhësia";
        c->w->close();
        platform::SaveSetting(app, section, key, stored);
        start();
        QCOMPARE(c->CmbNrFonti->Text(), QString::number(applied ? applied : 12));
        enter(c->CmbNrAjeti, "2:255");
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->SelStart()).pointSize(), applied ? applied : 12);
        c->w->close();
        QCOMPARE(platform::GetSetting(app, section, key), applied ? stored : QString());
    }
    // A size typed beyond the list applies nothing, and the next step goes from the size the text has.
    void typedSizeBeyondTheList() {
        start();
        QTest::keyClick(c->w, Qt::Key_0, Qt::ControlModifier);
        enter(c->CmbNrAjeti, "2:255");
        c->CmbNrFonti->setText("40");
        Q_EMIT c->CmbNrFonti->Click();
        QCOMPARE(c->Rtf1->fontAt(c->Rtf1->SelStart()).pointSize(), 12);
        QTest::keyClick(c->w, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(c->CmbNrFonti->Text(), "13");
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
        const QString app = "Lib'rezi Drites", section = "Shënjuesit", key = "Ajetet";
        QStringList keys{"1:8", "115:1", "114:7", "0:1", "2:0"}; // verses the book has not, then every verse backwards
        const QList<text::Verse> book = Module1::library.verses();
        for (qsizetype i = 0; keys.size() < 100000; ++i)
            keys.append(book[book.size() - 1 - i % book.size()].text());
        c->w->close();
        QVERIFY(platform::SaveSetting(app, section, key, quoted ? keys.join(u',') : "KETU"));
        if (!quoted) {
            const QString file = QSettings(QSettings::IniFormat, QSettings::UserScope, app, app).fileName();
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray listed = keys.join(", ").toLatin1();
            const QByteArray text = f.readAll().replace(QByteArray("=KETU"), QByteArray('=' + listed));
            QVERIFY(testsupport::overwrite(file, text));
        }
        start();
        QCOMPARE(marks()->ListCount(), 6236);
        QVERIFY(marks()->List(0).startsWith("Fatiha 1:1 — "));
        QVERIFY(marks()->List(6235).startsWith("Nas 114:6 — "));
        enter(c->CmbNrAjeti, "2:255");
        QTest::keyClick(c->w, Qt::Key_D, Qt::ControlModifier); // stored at once
        const QStringList stored = platform::GetSetting(app, section, key).split(u',');
        QVERIFY(stored.size() == 6235 && stored.first() == QLatin1String("1:1") &&
                stored.last() == QLatin1String("114:6") && !stored.contains("2:255"));
        QVERIFY(platform::SaveSetting(app, section, key, QString()));
    }
};

QTEST_MAIN(TestReading)
#include "test_reading.moc"
