// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "platform/look.h"
#include "testsupport.h"
#include <QTest>
using namespace Qt::StringLiterals;
using platform::twips;

// The finished window: every control with its caption, first text and hint, in its designed size.
class TestLayout : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private Q_SLOTS:
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
            {"CmbFontNames", "Verdana", "Lloji i shkronjave"}, {"CmbNrSure", "1", "Numri i sures"},
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
        QCOMPARE(c.C1Tab1->tabText(0) + c.C1Tab1->tabText(1) + c.C1Tab1->tabText(2), u"&Suret&Klasifikimi&Temat"_s);
        QVERIFY(c.C1Tab1->count() == 4 && c.C1Tab1->currentIndex() == 0 && !c.C1Tab1->tabIcon(2).isNull());
        QVERIFY(c.cmdKtheLibrezin->isHidden() && c.CmdCollapseAll->isHidden() && !c.cmdExpandAll->isHidden());
        QVERIFY(c.CmbKerkoKrejt->width() == twips(2415) && c.LblKeshilla->minimumHeight() == twips(1500));
        QCOMPARE(testsupport::child<QWidget>(c.w, "C1Elastic4_Bottom")->minimumHeight(), twips(930));
        QVERIFY(testsupport::child<QWidget>(c.w, "C1Elastic2_MenuContainer")->width() >= twips(3120));
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
