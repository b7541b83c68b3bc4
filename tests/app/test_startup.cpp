#include "app/module1.h"
#include "app/splash.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
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
    void cleanup() { Module1::unloadMainWindow(); }

    void startsWithTheSplashThenTheFirstState() {
        QTemporaryDir dir;
        const QString db = testsupport::copyBundledData(dir) + u"/librezi.db"_s;
        const QByteArray sum = testsupport::fileChecksum(db);
        StartWatcher watcher;
        qApp->installEventFilter(&watcher);
        testsupport::Controls c(testsupport::startProgram(dir));
        qApp->removeEventFilter(&watcher);
        QCOMPARE(watcher.splashWhileBuilding, u"Ver. 5.0.17"_s);
        QVERIFY(c.w->isVisible() && !watcher.splashAtShow);
        QCOMPARE(Module1::cnLidhja.path(), db);
        QCOMPARE(c.w->windowTitle(), u"Lib'rezi Drites"_s);
        QCOMPARE(c.w->palette().color(QPalette::Window), QColor(28, 31, 40));
        QVERIFY(c.CmbNrSure->ListCount() == 114 && c.CmbEmrSure->ListCount() == 114);
        QVERIFY(c.CmbTotalAjete->ListCount() > 20 && c.cmbKlasifikimTematik->ListCount() > 0);
        QCOMPARE(c.CmbNrAjeti->ListCount(), 0); // filled when a surah is chosen
        QVERIFY(c.LblKeshilla->text() != "..."_L1 && !c.LblKeshilla->text().isEmpty());
        QVERIFY(c.Rtf1->Text().contains(u"\r\n2:255.\t"_s) && c.Rtf1->SelStart() == 0 && !c.w->inPassageMode());
        // The default reciters are selected and their folders read; selecting them wrote nothing.
        QCOMPARE(Module1::strLokacioniAjeteve + u'|' + Module1::strLokacioniSureve, u"zeri/ajete|zeri/sure"_s);
        QVERIFY(c.CmbLexuesAjete->ListIndex() >= 0 && c.CmbLexuesSure->ListIndex() >= 0);
        QCOMPARE(testsupport::fileChecksum(db), sum);
    }

    // A start that cannot go on: one Albanian message naming the file, a non-zero result, no window left.
    void refusedStart_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("said");
        QTest::newRow("database missing") << 0 << u"librezi.db\nShkaku: skedari mungon"_s;
        QTest::newRow("not a database") << 1 << u"nuk është bazë të dhënash"_s;
        QTest::newRow("a table missing") << 2 << u"Keshilla"_s;
        QTest::newRow("whole text missing") << 3 << u"LIB'REZI.rtf"_s;
        QTest::newRow("whole text named in other letters: starts") << 4 << QString();
    }
    void refusedStart() {
        QFETCH(int, fault);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QDir d(testsupport::copyBundledData(dir));
        if (fault == 0)
            QFile::remove(d.filePath(u"librezi.db"_s));
        if (fault == 1)
            testsupport::overwrite(d.filePath(u"librezi.db"_s), "{\\rtf1 this is not a database}");
        if (fault == 2) {
            platform::Connection other;
            other.Open(d.filePath(u"librezi.db"_s));
            other.exec(u"DROP TABLE Keshilla"_s);
        }
        if (fault >= 3)
            QFile::rename(d.filePath(u"LIB'REZI.rtf"_s), d.filePath(fault == 3 ? u"tjeter.rtf"_s : u"lib'rezi.RTF"_s));
        platform::MsgBoxScript script;
        Module1::setProgramFolder(dir.path());
        const int rc = Module1::Main();
        QCOMPARE(script.asked().size(), said.isEmpty() ? 0 : 1);
        QVERIFY(rc != 0 && !Module1::mainWindow() ? !said.isEmpty() : rc == 0 && said.isEmpty());
        if (said.isEmpty()) {
            QVERIFY(testsupport::Controls(Module1::mainWindow()).Rtf1->Text().contains(u"2:255.\t"_s));
            return;
        }
        const platform::AskedMessage& m = script.asked().first();
        QVERIFY2(m.text.startsWith(u"Programi nuk mund të niset."_s) && m.text.contains(said), qPrintable(m.text));
        QVERIFY(m.title == "Lib'rezi Drites"_L1 && m.icon == platform::Icon::Critical);
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
