// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/resources.h"

#include <QtTest>

class TestArt : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPictureLoadsAndDrawsSomething() {
        initResources();
        for (const char* path : art::kAll) {
            QImage image = art::picture(path).toImage(), blank = image;
            blank.fill(Qt::transparent);
            QVERIFY2(!image.isNull() && image != blank, path);
        }
    }
};

QTEST_MAIN(TestArt)
#include "test_art.moc"
