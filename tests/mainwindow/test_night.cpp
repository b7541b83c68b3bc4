// SPDX-License-Identifier: GPL-3.0-or-later
// Reading at night on the real window: Ctrl+Shift+N and the button switch the page between day and night, every
// colour of the page readable on it in both (read from what draws it), the text itself untouched and the day back
// exactly; the choice kept across two starts, and a first start following the desktop.
#include "platform/look.h"
#include "windowtest.h"

#include <QGuiApplication>
#include <QTextBlock>

#include <memory>

using namespace Qt::StringLiterals;
using testsupport::Controls;

class TestNight : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Controls> c;
    void start(QTemporaryDir& folder, bool again) {
        frmKryesore* w = again ? testsupport::startOnFolder(folder) : testsupport::startProgram(folder);
        QVERIFY(w);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        c = std::make_unique<Controls>(w);
    }
    QToolButton* button() const { return testsupport::child<QToolButton>(c->w, "cmdNata"); }
    void switchByKey() { QTest::keyClick(c->w, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier); }

    // Everything a pane shows: its page's colours, then every run's characters and whole format.
    using Shown = std::pair<QList<QColor>, QList<std::pair<QString, QTextFormat>>>;
    static Shown shownBy(const platform::TextPane* pane) {
        const QPalette p = pane->palette();
        Shown all{{p.color(QPalette::Base), p.color(QPalette::Text), p.color(QPalette::Highlight)}, {}};
        for (QTextBlock b = pane->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                all.second.append({it.fragment().text(), it.fragment().charFormat()});
        return all;
    }
    // The colour a character of the text shown (CR LF position) is drawn in: its own, or the page's text colour.
    QColor drawn(int at) const {
        QTextCursor cursor(c->Rtf1->document());
        cursor.setPosition(c->Rtf1->toDocumentPosition(at) + 1);
        const QBrush own = cursor.charFormat().foreground();
        return own.style() == Qt::NoBrush ? c->Rtf1->shown()->palette().color(QPalette::Text) : own.color();
    }
    // The page as drawn: its colour where no text stands (the bottom left corner of the view).
    QColor pageDrawn() const {
        QWidget* view = c->Rtf1->viewport();
        return view->grab().toImage().pixelColor(1, view->height() - 2);
    }

    // The whole text's verse key, heading, title, body and Arabic line, and a marked verse's ribbon, each 7:1 at least
    // on the page as drawn (the ribbon 3:1, as any mark that is not text); each in its role's colour of the palette;
    // a selection's text 4.5:1 on it.
    void wholeTextReadable(const QString& palette) {
        QVERIFY(c->Rtf1->showsWholeText());
        const QColor page = pageDrawn();
        QCOMPARE(page, platform::colour(text::Role::Page));
        const QString all = c->Rtf1->Text();
        const int key = int(all.indexOf(u"\r\n1:1.\t"_s)) + 2, heading = int(all.indexOf(u"\r\n1.\tFatiha"_s)) + 2;
        const int arabic = c->Rtf1->fromDocumentPosition(c->Rtf1->verseIndex().spanOf({1, 1})->start);
        QVERIFY(key > 2 && heading > 2 && c->Rtf1->lineAt(arabic) == u"بِسْمِ ٱللَّهِ"_s);
        const struct {
            const char* what;
            QColor colour;
            QColor role;
        } seen[] = {{"key", drawn(key), platform::colour(text::Role::VerseKey)},
                    {"heading", drawn(heading), platform::colour(text::Role::Heading)},
                    {"title", drawn(0), platform::colour(text::Role::Heading)},
                    {"body", drawn(key + 6), platform::colour(text::Role::Text)},
                    {"arabic", drawn(arabic + 1), platform::colour(text::Role::Text)}};
        for (const auto& [what, colour, role] : seen) {
            const QString why = palette + u' ' + QLatin1String(what) + u' ' + colour.name();
            QVERIFY2(colour == role, qPrintable(why));
            QVERIFY2(platform::contrastRatio(colour, page) >= 7, qPrintable(why));
        }
        platform::TextPane* pane = c->Rtf1->shown();
        const QColor selection = pane->palette().color(QPalette::Highlight);
        QCOMPARE(selection, platform::colour(text::Role::Selection));
        QVERIFY(platform::contrastRatio(pane->palette().color(QPalette::HighlightedText), selection) >= 4.5);
        const QRect mark = pane->markRect({1, 1});
        QVERIFY(!mark.isEmpty());
        const QColor ribbon = pane->grab().toImage().pixelColor(mark.center());
        QCOMPARE(ribbon, platform::colour(text::Role::Match));
        QVERIFY(platform::contrastRatio(ribbon, page) >= 3);
    }

private Q_SLOTS:
    void cleanupTestCase() {
        Module1::unloadMainWindow();
        platform::setNight(false);
    }
    // A first start on a light desktop reads by day. Ctrl+Shift+N turns the night on and the button shows it; every
    // colour of both texts is readable on its page, a search's matches among them; the characters stay as they are,
    // and switching back brings the day back to the last format. The button switches too.
    void switchesBothTexts() {
        start(dir, false);
        QVERIFY(!button()->isChecked() && !platform::isNight());
        QVERIFY(button()->isCheckable() && button()->toolTip().contains(u"Natë"_s) &&
                button()->toolTip().contains(u"Ditë"_s) && button()->toolTip().endsWith(u"(Ctrl+Shift+N)"_s));
        c->Rtf1->setBeside({text::ShownText{QString(), true, {{{1, 1}, u"بِسْمِ ٱللَّهِ"_s}}}}, c->Rtf1->font());
        c->Rtf1->setMarkedVerses({{1, 1}});
        c->Rtf1->showAtTop(0);
        wholeTextReadable(u"day"_s);
        if (QTest::currentTestFailed())
            return;
        // A search of the first surah, shown at day and then at night: its matches, 4.5:1 at least on the page.
        c->ChkKerkoSure->setChecked(true);
        c->CmbKerkoKrejt->setText(u"ajeti"_s);
        QVERIFY(testsupport::search(*c));
        const int match = int(c->Rtf1->Text().indexOf(u"ajeti"_s, c->Rtf1->Text().indexOf(u"1:1."_s)));
        QVERIFY(match > 0);
        const auto matchReadable = [&](const QString& palette) {
            const QColor red = drawn(match), page = pageDrawn();
            QVERIFY2(red == platform::colour(text::Role::Match) && red.red() > 2 * std::max(red.green(), red.blue()),
                     qPrintable(palette + u' ' + red.name()));
            QVERIFY2(platform::contrastRatio(red, page) >= 4.5 && page == platform::colour(text::Role::Page),
                     qPrintable(palette + u' ' + page.name()));
        };
        matchReadable(u"day"_s);
        if (QTest::currentTestFailed())
            return;
        const Shown day[] = {shownBy(c->Rtf1->panes()[0]), shownBy(c->Rtf1->panes()[1])};
        const QString text[] = {c->Rtf1->panes()[0]->Text(), c->Rtf1->panes()[1]->Text()};

        switchByKey();
        QVERIFY(button()->isChecked() && platform::isNight());
        matchReadable(u"night"_s);
        if (QTest::currentTestFailed())
            return;
        c->cmdKtheLibrezin->click();
        wholeTextReadable(u"night"_s);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(pageDrawn().lightness() < 64); // a dark page, not a grey one
        for (int i = 0; i < 2; ++i) {
            QVERIFY(shownBy(c->Rtf1->panes()[i]) != day[i]);
            QCOMPARE(c->Rtf1->panes()[i]->Text(), text[i]);
        }

        button()->click();
        QVERIFY(!button()->isChecked() && !platform::isNight());
        for (int i = 0; i < 2; ++i)
            QVERIFY2(shownBy(c->Rtf1->panes()[i]) == day[i], i ? "composed" : "whole");
        wholeTextReadable(u"day again"_s);
        c->ChkKerkoSure->setChecked(false);
        c->Rtf1->setBeside({}, c->Rtf1->font());
        c->Rtf1->setMarkedVerses({});
    }
    // The choice is kept: the next start reads at night, its whole text too, and after the day is chosen, by day.
    void keptAcrossStarts() {
        switchByKey();
        QVERIFY(platform::isNight());
        start(dir, true);
        QVERIFY(button()->isChecked() && platform::isNight());
        QCOMPARE(pageDrawn(), platform::nightPalette(text::Role::Page));
        const QString all = c->Rtf1->Text();
        QCOMPARE(drawn(int(all.indexOf(u"\r\n1:1.\t"_s)) + 2), platform::nightPalette(text::Role::VerseKey));
        QCOMPARE(drawn(int(all.indexOf(u"[P"_s))), platform::nightPalette(text::Role::Text));
        switchByKey();
        start(dir, true);
        QVERIFY(!button()->isChecked() && !platform::isNight());
        QCOMPARE(pageDrawn(), platform::dayPalette(text::Role::Page));
    }
    // On a first start the desktop's dark windows ask for the night; a choice kept wins over the desktop.
    void firstStartFollowsTheDesktop() {
        const QPalette before = QGuiApplication::palette();
        QPalette dark = before;
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
        QGuiApplication::setPalette(dark);
        QTemporaryDir fresh;
        start(fresh, false);
        const bool onDark = button()->isChecked() && platform::isNight();
        const QColor page = pageDrawn();
        start(dir, true); // kept: by day
        const bool keptWins = !button()->isChecked() && !platform::isNight();
        QGuiApplication::setPalette(before);
        QVERIFY(onDark && page == platform::nightPalette(text::Role::Page));
        QVERIFY(keptWins);
    }
};

QTEST_MAIN(TestNight)
#include "test_night.moc"
