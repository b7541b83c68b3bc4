#include "about/addresses.h"
#include "about/frmrrethprog.h"
#include "app/module1.h"
#include "platform/database.h"
#include "platform/shell.h"
#include "resources/resources.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

// The About window on a real database: the translation's names come only from there; links open or copy.
class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aboutWindow() {
        initResources();
        QTemporaryDir dir;
        testsupport::createEmptyDatabase(dir.filePath("librezi.db"));
        QCOMPARE(createAbout(nullptr)->Label1_62->text(), QString());
        Module1::cnLidhja.exec("INSERT INTO Te_dhenat VALUES ('perkthyesi', 'Sherif Ahmeti'), ('perkthimi', 'Kurani'), "
                               "('burimi', 'tanzil'), ('rradhitja_e_tekstit', 'R. R.'), ('kontakti', 'Shkruani')");
        auto d = createAbout(nullptr);
        QStringList texts{d->Label1_62->text()};
        for (const char* name : {"lblPerkthimi", "lblBurimi", "lblEmrat_0"})
            texts << testsupport::child<QLabel>(d.get(), name)->text();
        QCOMPARE(texts, QStringList({"Përkthim i Sherif Ahmeti", "Kurani", "tanzil", "R. R."}));
        // A left click opens a link; a right click on a web link copies its caption, as its hint says.
        platform::ShellRecorder shell;
        d->show();
        QStringList copied;
        for (LinkLabel* link : {d->Label1_42, d->lblHyperlink, d->LblVRNLink}) {
            d->SSTab1->setCurrentWidget(link->parentWidget());
            QTest::mouseClick(link, Qt::LeftButton);
            QTest::mouseClick(link, Qt::RightButton);
            copied << QGuiApplication::clipboard()->text() << link->toolTip();
        }
        const QString hint = "Shtype pullën e djathtë të miut për ta kopjuar",
                      page = ' ' + addresses::programPage() + ' ';
        QCOMPARE(copied, QStringList({page, hint, page, "Shkruani", ' ' + addresses::makerSite() + ' ', hint}));
        QCOMPARE(shell.opened(),
                 QStringList({addresses::programPage(), "mailto:" + addresses::makerEmail(), addresses::makerSite()}));
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
