#include "about/addresses.h"
#include "about/frmrrethprog.h"
#include "app/module1.h"
#include "platform/shell.h"
#include "resources/resources.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using testsupport::child;

// The About window built as the main window's button builds it, against a real database.
class TestAbout : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    void setMeta(const QString& key, const QString& value) {
        QString v = value;
        v.replace(u'\'', QStringLiteral("''"));
        Module1::cnLidhja.Execute(
            QStringLiteral("INSERT OR REPLACE INTO Te_dhenat (Celesi, Vlera) VALUES ('%1', '%2')").arg(key, v));
    }

    static QString text(QObject* dialog, const char* name) { return child<QLabel>(dialog, name)->text(); }

    static std::unique_ptr<frmRrethProg> shown(QWidget* owner = nullptr) {
        auto dialog = createAbout(owner);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qFatal("the About window was not exposed");
        return dialog;
    }

private Q_SLOTS:
    void initTestCase() {
        initResources();
        QVERIFY(m_dir.isValid());
    }

    void init() { testsupport::createEmptyDatabase(m_dir.filePath(QStringLiteral("librezi.db"))); }
    void cleanup() { Module1::cnLidhja.Close(); }

    void windowPagesAndTexts() {
        QWidget owner;
        owner.setWindowTitle(QStringLiteral("Lib'rezi Drites"));
        auto dialog = createAbout(&owner);

        QCOMPARE(dialog->windowTitle(), QStringLiteral("Rreth programit Lib'rezi Drites"));
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->windowType(), Qt::Tool);
        QCOMPARE(dialog->minimumSize(), QSize(344, 396));
        QCOMPARE(dialog->maximumSize(), QSize(344, 396));
        QCOMPARE(dialog->palette().color(QPalette::Window), QColor(28, 31, 40));

        QTabWidget* tabs = dialog->SSTab1;
        QCOMPARE(tabs->count(), 4);
        const QStringList titles{QStringLiteral("Programi"), QStringLiteral("Përpunimi"), QStringLiteral("Mirënjohje"),
                                 QStringLiteral("Kontakt")};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tabs->tabText(i), titles[i]);
            QCOMPARE(tabs->widget(i)->palette().color(QPalette::Window), QColor(0, 30, 80));
        }
        QCOMPARE(tabs->currentIndex(), 0);

        QCOMPARE(dialog->Label1_67->text(), QStringLiteral("Lib'rezi Drites"));
        QCOMPARE(dialog->LblVer->text(), QString(QStringLiteral("Ver. ") + QStringLiteral(LIBREZI_VERSION_STRING)));
        QCOMPARE(text(dialog.get(), "Label1_82"), QStringLiteral("Klasifikimi tematik i ajeteve"));
        QCOMPARE(text(dialog.get(), "Label1_38"), QStringLiteral("Fitimi nga ky punim ndalohet"));
        QCOMPARE(text(dialog.get(), "lblMirenjohje_0"), QStringLiteral("Rradhitja e tekstit"));
        QCOMPARE(text(dialog.get(), "lblMirenjohje_1"), QStringLiteral("Korigjimi i tekstit"));
        QCOMPARE(text(dialog.get(), "lblMirenjohje_2"), QStringLiteral("Rradhitja e klasifikimit"));
        QCOMPARE(text(dialog.get(), "lblMirenjohje_3"), QStringLiteral("Skenimi dhe përpunimi i tekstit arab"));
        QCOMPARE(text(dialog.get(), "lblMirenjohje_4"), QStringLiteral("Klasifikimi boshnjakisht"));
        QCOMPARE(text(dialog.get(), "lblFalenderimi"),
                 QStringLiteral("I falënderohemi All-llahut që na e mundësoi këtë"));
        QCOMPARE(text(dialog.get(), "Label1_39"),
                 QStringLiteral("Informata rreth programit dhe risive mund të gjeni në këtë adresë interneti:"));
        QCOMPARE(text(dialog.get(), "Label1_47"),
                 QStringLiteral(
                     "Sugjërimet e juaja rreth mungesave ose plotësimeve të programit na i dërgoni në këtë e-mail:"));

        // Every link caption is its address with one blank before and one after.
        QCOMPARE(dialog->Label1_42->text(), QString(u' ' + addresses::programPage() + u' '));
        QCOMPARE(dialog->LblVRNLink->text(), QString(u' ' + addresses::makerSite() + u' '));
        QCOMPARE(dialog->lblHyperlink->text(), QString(u' ' + addresses::makerEmail() + u' '));
        QVERIFY(addresses::programPage().startsWith(addresses::productSite()));
        const QString copyHint = QStringLiteral("Shtype pullën e djathtë të miut për ta kopjuar");
        QCOMPARE(dialog->Label1_42->toolTip(), copyHint);
        QCOMPARE(dialog->LblVRNLink->toolTip(), copyHint);
        for (LinkLabel* link : {dialog->Label1_42, dialog->LblVRNLink, dialog->lblHyperlink}) {
            QCOMPARE(link->ForeColor(), QColor(0, 0, 192));
            QCOMPARE(link->palette().color(QPalette::Window), QColor(254, 255, 242));
        }
        QCOMPARE(dialog->Command1->toolTip(), QStringLiteral("Kthehu"));
        QVERIFY(!dialog->Command1->icon().isNull());
    }

    void productNameIsTheOwnersCaption() {
        QWidget owner;
        owner.setWindowTitle(QStringLiteral("Lib'rezi Drites (prova)"));
        auto* inner = new QWidget(&owner);
        QCOMPARE(createAbout(inner)->Label1_67->text(), QStringLiteral("Lib'rezi Drites (prova)"));
        QCOMPARE(createAbout(nullptr)->Label1_67->text(), QStringLiteral("Lib'rezi Drites"));
    }

    void namesComeOnlyFromTheDatabase() {
        {
            // An empty metadata table: no credit, nothing made up.
            auto dialog = shown();
            QVERIFY(dialog->Label1_62->text().isEmpty());
            QVERIFY(!dialog->Label1_62->isVisible());
            QVERIFY(text(dialog.get(), "lblPerkthimi").isEmpty());
            QVERIFY(text(dialog.get(), "lblEmrat_0").isEmpty());
            QVERIFY(dialog->lblHyperlink->toolTip().isEmpty());
        }
        setMeta(QStringLiteral("perkthyesi"), QStringLiteral("Përkthyes Prove"));
        setMeta(QStringLiteral("perkthimi"), QStringLiteral("Përkthim prove"));
        setMeta(QStringLiteral("burimi"), QStringLiteral("Burim i provës"));
        setMeta(QStringLiteral("rradhitja_e_tekstit"), QStringLiteral("Rradhitës Prove"));
        setMeta(QStringLiteral("kontakti"), QStringLiteral("Kontakt Prove"));
        auto dialog = shown();
        QCOMPARE(dialog->Label1_62->text(), QStringLiteral("Përkthim i Përkthyes Prove"));
        QVERIFY(dialog->Label1_62->isVisible());
        QCOMPARE(text(dialog.get(), "lblPerkthimi"), QStringLiteral("Përkthim prove"));
        QCOMPARE(text(dialog.get(), "lblBurimi"), QStringLiteral("Burim i provës"));
        QCOMPARE(text(dialog.get(), "lblEmrat_0"), QStringLiteral("Rradhitës Prove"));
        QCOMPARE(dialog->lblHyperlink->toolTip(), QStringLiteral("Kontakt Prove"));
    }

    void withoutADatabaseNothingIsShownForNames() {
        Module1::cnLidhja.Close();
        auto dialog = createAbout(nullptr);
        QVERIFY(dialog->Label1_62->text().isEmpty());
        QCOMPARE(dialog->LblVer->text(), QString(QStringLiteral("Ver. ") + QStringLiteral(LIBREZI_VERSION_STRING)));
    }

    void leftClickOpensRightClickCopies() {
        platform::ShellRecorder shell;
        auto dialog = shown();
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("e mëparshme"));

        dialog->SSTab1->setCurrentIndex(3);
        QTest::mouseClick(dialog->Label1_42, Qt::LeftButton);
        QTest::mouseClick(dialog->lblHyperlink, Qt::LeftButton);
        dialog->SSTab1->setCurrentIndex(1);
        QTest::mouseClick(dialog->LblVRNLink, Qt::LeftButton);
        QCOMPARE(shell.opened(),
                 (QStringList{addresses::programPage(), QString(QStringLiteral("mailto:") + addresses::makerEmail()),
                              addresses::makerSite()}));
        QCOMPARE(clipboard->text(), QStringLiteral("e mëparshme"));
        QVERIFY(dialog->isVisible());

        // A right click copies the caption, blanks included, and opens nothing.
        dialog->SSTab1->setCurrentIndex(3);
        QTest::mouseClick(dialog->Label1_42, Qt::RightButton);
        QCOMPARE(clipboard->text(), QString(u' ' + addresses::programPage() + u' '));
        QTest::mouseClick(dialog->lblHyperlink, Qt::RightButton);
        QCOMPARE(clipboard->text(), QString(u' ' + addresses::programPage() + u' '));
        dialog->SSTab1->setCurrentIndex(1);
        QTest::mouseClick(dialog->LblVRNLink, Qt::RightButton);
        QCOMPARE(clipboard->text(), QString(u' ' + addresses::makerSite() + u' '));
        QCOMPARE(shell.opened().size(), 3);
    }

    void linksTurnRedUnderTheMouse() {
        auto dialog = shown();
        dialog->SSTab1->setCurrentIndex(3);
        LinkLabel* link = dialog->Label1_42;
        QTest::mouseMove(link, link->rect().center());
        QTRY_COMPARE(link->ForeColor(), QColor(255, 0, 0));
        QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(link->cursor().hotSpot(), art::handCursor().hotSpot());
        QCOMPARE(dialog->lblHyperlink->ForeColor(), QColor(0, 0, 192));

        // Moving on over the page outside the link gives it its normal colour again.
        QWidget* page = dialog->SSTab1->currentWidget();
        QTest::mouseMove(page, QPoint(5, page->height() - 5));
        QTRY_COMPARE(link->ForeColor(), QColor(0, 0, 192));
    }

    void closing() {
        {
            auto dialog = shown();
            QTest::mouseClick(dialog->Command1, Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
        }
        {
            // A click on a page other than "Kontakt" keeps the window open; one on "Kontakt" closes it.
            auto dialog = shown();
            QWidget* programi = dialog->SSTab1->widget(0);
            QTest::mouseClick(programi, Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY(dialog->isVisible());
            dialog->SSTab1->setCurrentIndex(3);
            QWidget* kontakt = dialog->SSTab1->widget(3);
            QTest::mouseClick(kontakt, Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY(!dialog->isVisible());
        }
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
