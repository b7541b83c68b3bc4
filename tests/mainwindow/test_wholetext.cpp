// SPDX-License-Identifier: GPL-3.0-or-later
// The whole text is shown only when it holds every verse of the database, in order, and comes from the
// same import: a damaged or mixed file is refused at start and at the return button with a clear message.
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
    QByteArray m_bundled;

    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase() { m_bundled = read(testsupport::buildFolder() + QStringLiteral("/LIB'REZI.rtf")); }

    // Holding a huge binary group, or from another import: refused at start, with a message that names the
    // cause (the broken files of other kinds are the fault suite's).
    void damagedAtStart_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cause");
        QTest::newRow("a huge binary group") << QByteArray("{\\rtf1 {\\bin2147483647 ") << "i paplotë";
        QByteArray other = m_bundled;
        const qsizetype id = other.indexOf("librezimport ") + 13;
        other[id] = other[id] == 'a' ? 'b' : 'a';
        QTest::newRow("another import") << other << "dy importe";
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
