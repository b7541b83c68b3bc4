// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/look.h"
#include "platform/mediaplayer.h"
#include "resources/resources.h"
#include "search/history.h"
#include "windowtest.h"
#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
using namespace Qt::StringLiterals;
using platform::twips;

// The finished window: every control with its caption, first text and hint, in its designed size; what a screen
// reader meets in it: every control that takes input is announced by a name; the popup commands of the text view,
// reciting from it, the tips and the exit.
class TestWindow : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    // The controls a reader can give input to, found in the accessibility tree, and those without a name.
    static void walk(QAccessibleInterface* node, int* inputs, QStringList* nameless) {
        static const QList<QAccessible::Role> input{
            QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::List,    QAccessible::Tree,
            QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::SpinBox, QAccessible::Slider,
            QAccessible::PageTab,    QAccessible::Link};
        if (!node || node->state().invisible)
            return;
        if (input.contains(node->role())) {
            ++*inputs;
            if (node->text(QAccessible::Name).trimmed().isEmpty())
                *nameless << (node->object()
                                  ? node->object()->objectName() + u'/' + node->object()->metaObject()->className()
                                  : QString::number(node->role()));
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), inputs, nameless);
    }

private Q_SLOTS:
    void cleanup() { Module1::unloadMainWindow(); }
    void asDesigned() {
        testsupport::Controls c(testsupport::startProgram(dir));
        c.w->show();
        // clang-format off
        const char* rows[][3] = { // name, caption or first text, hint
            {"cmdFund", "", "Mbylle programin"}, {"cmdRrethProg", "", "Rreth programit..."},
            {"cmdCopy", "", "Kopjo tekstin e selektuar"}, {"txtKerkim", "All-llahu", "Fjala e kërkuar (Ctrl+F)"},
            {"cmdKerkimPrapa", "", "Kërko prapa (Shift+F3)"}, {"cmdKerkim", "", "Kërko përpara (F3)"},
            {"CmbKerkoKrejt", "Musliman", "Fjala që përmendet nëpër ajete (Ctrl+Shift+F)"}, {"cmdKerkoAll", "", "Kërko"},
            {"cmdKtheLibrezin", "", "Kthe tekstin e Lib'rezit (Alt+Shigjeta majtas)"},
            {"CmbNrFonti", "12", "Madhësia e tekstit (Ctrl++, Ctrl+−, Ctrl+0)"},
            {"ChkKerkoSure", "Vetëm sureja aktuale", "Kërkimi të bëhet vetëm përbrenda sures së selektuar"},
            {"CmbFontNames", "DejaVu Sans", "Lloji i shkronjave"}, {"CmbNrSure", "1", "Numri i sures"},
            {"CmbEmrSure", "Fatiha", "Emri i sures"}, {"CmdPlaySure", "", "Lexo suren"},
            {"CmbTotalAjete", "7", "Kërkimi sipas numrit të përgjithshëm të ajeteve"},
            {"CmbNrAjeti", "1", "Ajeti i sures së zgjedhur (Ctrl+G)"}, {"CmdPlayAjet", "", "Lexo ajetin"},
            {"CmdRefreshKeshille", "", "Këshillë e re"}, {"CmdCollapseAll", "", "Tregoje trungun"},
            {"cmdExpandAll", "", "Tregoji degët"}, {"lstAjetKlasifikim", "", "Shtyp këtu për ta treguar ajetin"},
            {"Label3", "Kërkimi i tekstit", ""}, {"Label4", "Kërkimi i ajeteve", ""},
            {"Label2_5", "Lloji i shkronjave", ""}, {"Label2_6", "Madhësia", ""}, {"Label2_0", "Sureja", ""},
            {"Label2_1", "Emri", ""}, {"Label2_2", "Gjithsej ajete", ""}, {"Label2_3", "Ajeti", ""},
            {"Label2_7", "Lexuesi i sureve", ""}, {"Label2_4", "Lexuesi i ajeteve", ""}, {"Label6", "Këshilla:", ""},
            {"Label1", "Klasifikimi tematik", ""}};
        // clang-format on
        for (const auto& [name, text, hint] : rows) {
            auto* x = c.w->findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(x, name);
            const char* shown = qobject_cast<QComboBox*>(x) ? "currentText" : "text"; // a list's edit field
            QVERIFY2(x->property(shown).toString() == QString::fromUtf8(text), name);
            QVERIFY2(x->toolTip() == QString::fromUtf8(hint), name);
            // Labels stand white on the dark panels; a graphical button names what it does to a screen reader.
            const bool white = x->palette().color(QPalette::WindowText) == Qt::white;
            const QString named = QString::fromUtf8(hint).section(QStringLiteral(" ("), 0, 0); // the shortcut aside
            QVERIFY2(qobject_cast<QLabel*>(x) ? white : !qobject_cast<QToolButton*>(x) || x->accessibleName() == named,
                     name);
        }
        QVERIFY(twips(1440) == 96 && c.w->windowTitle() == "Lib'rezi Drites"_L1); // 1440 twips an inch
        // Within the room the screen leaves, a window manager's frame included; it can be made lower still.
        const QRect room = c.w->screen()->availableGeometry();
        QVERIFY2(room.contains(QRect(c.w->pos(), c.w->size() + QSize(16, 48))), qPrintable(c.w->objectName()));
        QVERIFY(c.w->width() <= 1024 && c.w->minimumSizeHint().height() <= 480);
        // A book without a translation names its import button as the reader sees it: with its name, whole, in view,
        // white on the panel.
        auto* import = testsupport::child<QToolButton>(c.w, "cmdImporto");
        QVERIFY(import->text() == u"Importo përkthimin..."_s &&
                import->toolButtonStyle() == Qt::ToolButtonTextBesideIcon);
        QVERIFY(c.Rtf1->Text().contains(u"„"_s + import->text() + u"” lart majtas"_s));
        QTRY_COMPARE(import->visibleRegion().boundingRect(), import->rect());
        QVERIFY(import->width() >= import->sizeHint().width());
        QVERIFY(platform::contrastRatio(import->palette().color(QPalette::ButtonText), platform::windowColour()) >= 7);
        QCOMPARE(c.C1Tab1->tabText(0) + c.C1Tab1->tabText(1) + c.C1Tab1->tabText(2), u"&Suret&Klasifikimi&Temat"_s);
        QVERIFY(c.C1Tab1->count() == 4 && c.C1Tab1->currentIndex() == 0 && !c.C1Tab1->tabIcon(2).isNull());
        QVERIFY(c.cmdKtheLibrezin->isHidden() && c.CmdCollapseAll->isHidden() && !c.cmdExpandAll->isHidden());
        QVERIFY(c.CmbKerkoKrejt->width() == twips(2415) && c.LblKeshilla->minimumHeight() == twips(1500));
        QCOMPARE(testsupport::child<QWidget>(c.w, "C1Elastic4_Bottom")->minimumHeight(), twips(930));
        QVERIFY(testsupport::child<QWidget>(c.w, "C1Elastic2_MenuContainer")->width() >= twips(3120));
        c.C1Tab1->setTabText(3, u"S&hënjuesit (999)"_s); // the tabs fit with a count of marks on the last
        QVERIFY(c.C1Tab1->tabBar()->sizeHint().width() <= c.C1Tab1->width());
    }
    // Every icon on the dark panels of the left column stands out from the panel: three quarters of its drawn pixels
    // at 3:1 at least. The way back from the results shows an arrow back (its tip at the left), not the refresh of
    // the tips. The font box names the face the text is drawn in, one of its list.
    void iconsAndFaceThatCanBeSeen() {
        testsupport::Controls c(testsupport::startProgram(dir));
        c.w->show();
        const auto buttons = testsupport::child<QWidget>(c.w, "C1Elastic2_MenuContainer")->findChildren<QToolButton*>();
        int checked = 0;
        for (QToolButton* b : buttons) {
            if (b->icon().isNull())
                continue;
            QWidget* panel = b->parentWidget();
            while (!panel->autoFillBackground())
                panel = panel->parentWidget();
            const QColor back = panel->palette().color(QPalette::Window);
            const QImage icon = b->icon().pixmap(b->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
            int drawn = 0, seen = 0;
            for (int y = 0; y < icon.height(); ++y)
                for (int x = 0; x < icon.width(); ++x) {
                    const QColor p = icon.pixelColor(x, y);
                    if (p.alpha() < 128)
                        continue;
                    const double a = p.alphaF();
                    const QColor over = QColor::fromRgbF(float(p.redF() * a + back.redF() * (1 - a)),
                                                         float(p.greenF() * a + back.greenF() * (1 - a)),
                                                         float(p.blueF() * a + back.blueF() * (1 - a)));
                    ++drawn;
                    seen += platform::contrastRatio(over, back) >= 3;
                }
            QVERIFY2(back == platform::windowColour() && seen * 4 >= drawn * 3,
                     qPrintable(u"%1: %2 of %3"_s.arg(b->objectName()).arg(seen).arg(drawn)));
            ++checked;
        }
        QVERIFY(checked >= 14);
        const QImage back = c.cmdKtheLibrezin->icon().pixmap(24, 24).toImage(); // 24 pixels a side, or more on a
        const int side = back.width();                                          // screen of more pixels a point
        const auto drawnRows = [&](int x) {
            QList<int> rows;
            for (int y = 0; y < side; ++y)
                if (back.pixelColor(x, y).alpha() >= 128)
                    rows << y;
            return rows;
        };
        int left = 0;
        while (left + 1 < side && drawnRows(left).isEmpty())
            ++left;
        const QList<int> tip = drawnRows(left); // the leftmost drawn column: the arrow's tip, at mid height
        QVERIFY2(!tip.isEmpty() && tip.size() * 6 <= side && tip.first() * 8 >= side * 3 && tip.last() * 8 <= side * 5,
                 qPrintable(QString::number(left)));
        QVERIFY(back != c.CmdRefreshKeshille->icon().pixmap(24, 24).toImage());
        QTRY_VERIFY(c.CmbFontNames->ListCount() > 0);
        QCOMPARE(c.CmbFontNames->Text(), QFontInfo(c.Rtf1->document()->defaultFont()).family());
        QVERIFY(c.CmbFontNames->findText(c.CmbFontNames->Text()) >= 0);
    }
    void everyInputHasAName() {
        frmKryesore* w = testsupport::startProgram(dir);
        w->show();
        int inputs = 0;
        QStringList nameless;
        for (int page = 0; page < 4; ++page) { // each page of the left column in its turn
            testsupport::Controls(w).C1Tab1->setCurrentIndex(page);
            walk(QAccessible::queryAccessibleInterface(w), &inputs, &nameless);
        }
        QVERIFY2(inputs > 40, qPrintable(QString::number(inputs)));
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u", ")));
        // The reciter lists say what they are for.
        QVERIFY(!QAccessible::queryAccessibleInterface(testsupport::Controls(w).CmbLexuesAjete)
                     ->text(QAccessible::Description)
                     .isEmpty());
        // Qt's own texts are Albanian too: the input boxes' context menus, the spin boxes', the scroll bars', the
        // file dialog's and the standard buttons.
        initTranslations();
        for (QLineEdit* box : w->findChildren<QLineEdit*>()) {
            std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
            for (QAction* a : menu->actions())
                QVERIFY2(a->isSeparator() ||
                             !QStringList({"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"})
                                  .contains(a->text().remove(u'&').section(u'\t', 0, 0)),
                         qPrintable(a->text()));
        }
        const std::pair<const char*, const char*> qtTexts[] = {
            {"QAbstractSpinBox", "&Step up"}, {"QScrollBar", "Scroll here"}, {"QScrollBar", "Page down"},
            {"QFileDialog", "Look in:"},      {"QFileDialog", "&Open"},      {"QFileSystemModel", "Date Modified"},
            {"QPlatformTheme", "Cancel"},     {"QTabBar", "Scroll Left"}};
        for (const auto& [context, text] : qtTexts)
            QVERIFY2(QCoreApplication::translate(context, text) != QLatin1String(text), text);
    }
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
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
