// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/addresses.h"
#include "about/frmrrethprog.h"
#include "app/module1.h"
#include "platform/database.h"
#include "resources/resources.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

// The About window on a real database: the translation's names come only from there, the program's own facts
// are real, and no link is shown that leads nowhere; every picture of the program loads and draws something.
class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initResources(); }
    void aboutWindow() {
        QTemporaryDir dir;
        testsupport::createEmptyDatabase(dir.filePath("librezi.db"));
        auto text = [](const std::unique_ptr<frmRrethProg>& d, const char* name) {
            return testsupport::child<QLabel>(d.get(), name)->text();
        };
        QCOMPARE(text(createAbout(nullptr, &Module1::library), "lblEmrat_0"),
                 "Ende nuk është importuar asnjë përkthim.");
        Module1::cnLidhja.exec("INSERT INTO Te_dhenat VALUES ('perkthyesi', 'Sherif Ahmeti'), ('perkthimi', 'Kurani'), "
                               "('burimi', 'tanzil')");
        auto d = createAbout(nullptr, &Module1::library);
        QStringList texts{d->Label1_62->text()};
        for (const char* name : {"lblPerkthimi", "lblBurimi", "lblEmrat_0"})
            texts << text(d, name);
        QCOMPARE(texts, QStringList({"Përkthim i Sherif Ahmeti", "Kurani", "tanzil",
                                     "Sherif Ahmeti — Kurani\nBurimi: tanzil"}));
        QVERIFY(text(d, "lblEmrat_1").contains("SQLite") && text(d, "Label1_38").contains("GPL-3.0-or-later"));
        // Without addresses of its own the program shows no link, and says so where one would stand.
        d->show();
        QVERIFY(addresses::programPage().isEmpty() && addresses::makerEmail().isEmpty());
        for (QLabel* link : QList<QLabel*>{d->Label1_42, d->lblHyperlink, d->LblVRNLink})
            QVERIFY(link->isHidden());
        QVERIFY(!testsupport::child<QLabel>(d.get(), "lblPaAdresa")->isHidden());
    }
    void everyPictureLoadsAndDrawsSomething() {
        for (const char* path : art::kAll) {
            QImage image = art::picture(path).toImage(), blank = image;
            blank.fill(Qt::transparent);
            QVERIFY2(!image.isNull() && image != blank, path);
        }
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
