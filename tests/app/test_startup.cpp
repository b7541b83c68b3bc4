// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "app/splash.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"
#include <QApplication>
#include <QFile>
#include <QTest>
using namespace Qt::StringLiterals;

// Watches the start: the splash is on screen while the main window gets its controls, gone when it shows.
struct StartWatcher : QObject {
    QString splashWhileBuilding; // the splash's version text
    bool splashAtShow = true;
    static frmSplash* splash() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<frmSplash*>(w); s && s->isVisible())
                return s;
        return nullptr;
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o->objectName() == "frmKryesore"_L1 && e->type() == QEvent::ChildAdded && splash())
            splashWhileBuilding = splash()->Label1->text();
        if (o->objectName() == "frmKryesore"_L1 && e->type() == QEvent::Show)
            splashAtShow = splash() != nullptr;
        return false;
    }
};

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithTheSplashThenTheFirstState() {
        QTemporaryDir dir;
        const QString db = testsupport::copyBundledData(dir) + u"/librezi.db"_s;
        const QByteArray sum = testsupport::fileChecksum(db);
        StartWatcher watcher;
        qApp->installEventFilter(&watcher);
        testsupport::Controls c(testsupport::startProgram(dir));
        qApp->removeEventFilter(&watcher);
        QCOMPARE(watcher.splashWhileBuilding, u"Ver. 5.0.17"_s);
        QVERIFY(c.w->isVisible() && !watcher.splashAtShow && Module1::cnLidhja.path() == db);
        QCOMPARE(c.w->palette().color(QPalette::Window), QColor(28, 31, 40));
        QVERIFY(c.CmbNrSure->ListCount() == 114 && c.CmbEmrSure->ListCount() == 114 && c.CmbNrAjeti->ListCount() == 0);
        QVERIFY(c.cmbKlasifikimTematik->ListCount() > 0 && c.LblKeshilla->text() != "..."_L1); // a tip is shown
        QVERIFY(c.Rtf1->Text().contains(u"\r\n2:255.\t"_s) && c.Rtf1->SelStart() == 0 && !c.w->inPassageMode());
        QCOMPARE(Module1::strLokacioniAjeteve + u'|' + Module1::strLokacioniSureve, u"zeri/ajete|zeri/sure"_s);
        QVERIFY(c.CmbLexuesAjete->ListIndex() >= 0 && c.CmbLexuesSure->ListIndex() >= 0 &&
                testsupport::fileChecksum(db) == sum);
    }
    // A database the start cannot use: one Albanian message naming the file, a non-zero result, no window.
    void refusedStart_data() {
        QTest::addColumn<QByteArray>("bytes"); // written over the database; null: it is removed
        QTest::addColumn<QString>("said");
        QTest::newRow("missing") << QByteArray() << u"librezi.db\nShkaku: skedari mungon"_s;
        QTest::newRow("not a database") << QByteArray("{\\rtf1 x}") << u"nuk është bazë të dhënash"_s;
        QTest::newRow("empty: its tables missing") << QByteArray("") << u"mungon tabela „Suret”"_s;
    }
    void refusedStart() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString db = testsupport::copyBundledData(dir) + u"/librezi.db"_s;
        QVERIFY(bytes.isNull() ? QFile::remove(db) : testsupport::overwrite(db, bytes));
        platform::MsgBoxScript script;
        QVERIFY(!testsupport::startOnFolder(dir) && !Module1::mainWindow() && script.asked().size() == 1);
        const platform::AskedMessage& m = script.asked().first();
        QVERIFY2(m.text.startsWith(u"Programi nuk mund të niset."_s) && m.text.contains(said), qPrintable(m.text));
        QVERIFY(m.title == "Lib'rezi Drites"_L1 && m.icon == platform::Icon::Critical && !StartWatcher::splash());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
