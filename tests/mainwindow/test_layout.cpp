#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/header.h"
#include "platform/shell.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

// The finished window: every control in its place with its caption and hint, panels that stretch.
class TestLayout : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    frmKryesore* w = nullptr;

private Q_SLOTS:
    void init() {
        w = testsupport::startProgram(dir);
        w->show();
    }
    void cleanup() { Module1::unloadMainWindow(); }

    void hints_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        const char* rows[][2] = {
            {"cmdFund", "Mbylle programin"},
            {"cmdRrethProg", "Rreth programit..."},
            {"cmdCopy", "Kopjo tekstin e selektuar"},
            {"txtKerkim", "Fjala e kërkuar"},
            {"cmdKerkimPrapa", "Kërko prapa"},
            {"cmdKerkim", "Kërko përpara"},
            {"CmbKerkoKrejt", "Fjala që përmendet nëpër ajete"},
            {"cmdKtheLibrezin", "Kthe tekstin e Lib'rezit"},
            {"cmdKerkoAll", "Kërko"},
            {"ChkKerkoSure", "Kërkimi të bëhet vetëm përbrenda sures së selektuar"},
            {"CmbFontNames", "Lloji i shkronjave"},
            {"CmbNrFonti", "Madhësia e tekstit"},
            {"CmbNrSure", "Numri i sures"},
            {"CmbEmrSure", "Emri i sures"},
            {"CmdPlaySure", "Lexo suren"},
            {"CmbTotalAjete", "Kërkimi sipas numrit të përgjithshëm të ajeteve"},
            {"CmbNrAjeti", "Ajeti i sures së zgjedhur"},
            {"CmdPlayAjet", "Lexo ajetin"},
            {"CmdRefreshKeshille", "Këshillë e re"},
            {"CmdCollapseAll", "Tregoje trungun"},
            {"cmdExpandAll", "Tregoji degët"},
            {"lstAjetKlasifikim", "Shtyp këtu për ta treguar ajetin"},
            {"LblLinkLibrezi", "Shtypni adresën për ta hapur faqen e internetit"},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromUtf8(r[1]);
    }
    void hints() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QWidget* c = w->findChild<QWidget*>(name);
        QVERIFY2(c, qPrintable(name));
        QCOMPARE(c->toolTip(), hint);
        // Graphical buttons say what they do to a screen reader too.
        if (qobject_cast<QAbstractButton*>(c) && !qobject_cast<QCheckBox*>(c)) {
            QCOMPARE(c->accessibleName(), hint);
            QVERIFY(static_cast<QAbstractButton*>(c)->text().isEmpty());
            QVERIFY(!static_cast<QAbstractButton*>(c)->icon().isNull());
        }
    }

    void captionsAndFirstState() {
        const QList<QPair<const char*, const char*>> labels = {
            {"Label3", "Kërkimi i tekstit"},   {"Label4", "Kërkimi i ajeteve"}, {"Label2_5", "Lloji i shkronjave"},
            {"Label2_6", "Madhësia"},          {"Label2_0", "Sureja"},          {"Label2_1", "Emri"},
            {"Label2_2", "Gjithsej ajete"},    {"Label2_3", "Ajeti"},           {"Label2_7", "Lexuesi i sureve"},
            {"Label2_4", "Lexuesi i ajeteve"}, {"Label6", "Këshilla:"},         {"Label1", "Klasifikimi tematik"}};
        for (const auto& [name, text] : labels) {
            auto* l = testsupport::child<QLabel>(w, name);
            QCOMPARE(l->text(), QString::fromUtf8(text));
            QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::white));
        }
        QCOMPARE(w->txtKerkim->text(), QStringLiteral("All-llahu"));
        QCOMPARE(w->CmbKerkoKrejt->Text(), QStringLiteral("Musliman"));
        QCOMPARE(w->ChkKerkoSure->text(), QStringLiteral("Vetëm sureja aktuale"));
        QVERIFY(!w->ChkKerkoSure->isChecked());
        QCOMPARE(w->CmbFontNames->Text(), QStringLiteral("Verdana"));
        QCOMPARE(w->CmbNrFonti->Text(), QStringLiteral("10"));
        QCOMPARE(w->CmbNrFonti->ListCount(), 21);
        QCOMPARE(w->C1Tab1->count(), 3);
        QCOMPARE(w->C1Tab1->tabText(0), QStringLiteral("&Suret"));
        QCOMPARE(w->C1Tab1->tabText(1), QStringLiteral("&Klasifikimi"));
        QCOMPARE(w->C1Tab1->tabText(2), QStringLiteral("&Temat"));
        for (int i = 0; i < 3; ++i)
            QVERIFY(!w->C1Tab1->tabIcon(i).isNull());
        QCOMPARE(w->C1Tab1->currentIndex(), 0);
        QVERIFY(!w->cmdKtheLibrezin->isVisible());
        QVERIFY(w->CmdCollapseAll->isHidden());
        QVERIFY(!w->cmdExpandAll->isHidden());
        QVERIFY(w->findChild<QWidget*>(QStringLiteral("WindowsMediaPlayer1"))->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Lib'rezi Drites"));
    }

    void fitsASmallScreenAndStretchesTheText() {
        QVERIFY2(w->width() <= 1024, qPrintable(QString::number(w->width())));
        QVERIFY2(w->height() <= 768 - 30,
                 qPrintable(QStringLiteral("%1 (at least %2)").arg(w->height()).arg(w->minimumSizeHint().height())));
        auto* column = testsupport::child<QWidget>(w, "C1Elastic2_MenuContainer");
        const int columnWidth = column->width();
        const int textWidth = w->Rtf1->width();
        const int textHeight = w->Rtf1->height();
        w->resize(w->width() + 300, w->height() + 200);
        QCoreApplication::processEvents();
        QCOMPARE(column->width(), columnWidth);
        QCOMPARE(w->Rtf1->width(), textWidth + 300);
        QVERIFY(w->Rtf1->height() >= textHeight + 150);
    }

    void headerLink() {
        auto* header = testsupport::child<HeaderPanel>(w, "C1Elastic3_Header");
        QLabel* link = header->LblLinkLibrezi;
        QVERIFY(link->text().startsWith(QStringLiteral("  ")) && link->text().endsWith(QStringLiteral("  ")));
        QMouseEvent overLink(QEvent::MouseMove, QPointF(5, 5), link->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(link, &overLink);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
        QMouseEvent overHeader(QEvent::MouseMove, QPointF(3, 3), header->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                               Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(header, &overHeader);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::white));
        platform::ShellRecorder shell;
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(shell.opened().size(), 1);
        QCOMPARE(QStringLiteral("  ") + shell.opened().first() + QStringLiteral("  "), link->text());
    }

    void tabOrderFollowsThePanels() {
        QList<QWidget*> chain;
        QWidget* start = w->cmdFund;
        for (QWidget* x = start->nextInFocusChain(); x && x != start && chain.size() < 500; x = x->nextInFocusChain())
            chain.append(x);
        auto at = [&](QWidget* x) { return chain.indexOf(x); };
        QVERIFY(at(w->txtKerkim) >= 0);
        QVERIFY(at(w->txtKerkim) < at(w->CmbKerkoKrejt));
        QVERIFY(at(w->CmbKerkoKrejt) < at(w->CmbFontNames));
        QVERIFY(at(w->CmbFontNames) < at(w->CmbNrSure));
        QVERIFY(at(w->CmbNrSure) < at(w->CmbNrAjeti));
        QVERIFY(at(w->CmbNrAjeti) < at(w->TreeView1));
        QVERIFY(at(w->TreeView1) < at(w->cmbKlasifikimTematik));
        QVERIFY(at(w->cmbKlasifikimTematik) < at(w->Rtf1));
    }

    void fontSizeAppliesToTheWholeText() {
        const int i = w->CmbNrFonti->findText(QStringLiteral("14"));
        w->CmbNrFonti->setCurrentIndex(i);
        Q_EMIT w->CmbNrFonti->activated(i);
        QTextCursor c(w->Rtf1->document());
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::Left);
        QCOMPARE(c.charFormat().fontPointSize(), 14.0);
        QCOMPARE(w->Rtf1->SelStart(), 0);
        QCOMPARE(w->Rtf1->SelLength(), 0);
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
