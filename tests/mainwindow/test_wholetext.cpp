// SPDX-License-Identifier: GPL-3.0-or-later
// The whole text is shown only when it holds every verse of the database, in order, and comes from the
// same import: a damaged file is refused at start and at the return button with a clear message.
#include "app/module1.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/wholetext.h"
#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestWholeText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Holding a huge binary group: refused at start, with a message that names the cause (the broken files of
    // other kinds are the fault suite's; one from another import is written again at start, see test_import).
    void damagedAtStart_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cause");
        QTest::newRow("a huge binary group") << QByteArray("{\\rtf1 {\\bin2147483647 ") << "i paplotë";
    }
    void damagedAtStart() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        testsupport::copyBundledData(dir);
        QVERIFY(testsupport::overwrite(dir.filePath(QStringLiteral("LIB'REZI.rtf")), bytes));
        platform::MsgBoxScript boxes;
        QVERIFY(!testsupport::startOnFolder(dir));
        QCOMPARE(boxes.asked().size(), 1);
        QVERIFY2(boxes.asked()[0].text.contains(cause), qPrintable(boxes.asked()[0].text));
    }
};

QTEST_MAIN(TestWholeText)
#include "test_wholetext.moc"
