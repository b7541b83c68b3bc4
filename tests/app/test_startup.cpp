#include "app/module1.h"
#include "app/splash.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Watches the windows while the program starts: the splash must be on screen while the main
// window loads, and gone before the main window shows.
class StartWatcher : public QObject {
public:
    bool splashSeenDuringLoad = false;
    QString versionDuringLoad;
    bool splashVisibleAtShow = true;
    bool mainShown = false;

    static frmSplash* visibleSplash() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<frmSplash*>(w); s && s->isVisible())
                return s;
        return nullptr;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o->objectName() == QLatin1String("frmKryesore")) {
            if (e->type() == QEvent::ChildAdded && !mainShown) {
                if (frmSplash* s = visibleSplash()) {
                    splashSeenDuringLoad = true;
                    versionDuringLoad = s->Label1->text();
                }
            } else if (e->type() == QEvent::Show && !mainShown) {
                mainShown = true;
                splashVisibleAtShow = visibleSplash() != nullptr;
            }
        }
        return false;
    }
};

class TestStartup : public QObject {
    Q_OBJECT

    static int visibleTopLevels() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->isVisible() ? 1 : 0;
        return n;
    }

    // Starts on `dir` expecting a refusal; returns the one message shown.
    static platform::AskedMessage startRefused(const QTemporaryDir& dir) {
        platform::MsgBoxScript script;
        Module1::setProgramFolder(dir.path());
        const int rc = Module1::Main();
        if (rc == 0)
            qFatal("the program started");
        if (script.asked().size() != 1)
            qFatal("%d messages", int(script.asked().size()));
        if (Module1::mainWindow() != nullptr || visibleTopLevels() != 0)
            qFatal("a window stayed open");
        return script.asked().first();
    }

private Q_SLOTS:
    void splashWhileLoadingThenMainWindow() {
        QTemporaryDir dir;
        StartWatcher watcher;
        qApp->installEventFilter(&watcher);
        testsupport::startProgram(dir);
        qApp->removeEventFilter(&watcher);
        QVERIFY(watcher.splashSeenDuringLoad);
        QCOMPARE(watcher.versionDuringLoad, QStringLiteral("Ver. 5.0.17"));
        QVERIFY(watcher.mainShown);
        QVERIFY(!watcher.splashVisibleAtShow);
        frmKryesore* w = Module1::mainWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("Lib'rezi Drites"));
        QCOMPARE(w->palette().color(QPalette::Window), QColor(0x1C, 0x1F, 0x28));
        QCOMPARE(w->CmbNrSure->ListCount(), 114);
        QVERIFY(Module1::strLidhja.contains(dir.path()));
        QCOMPARE(Module1::strLidhja.count(dir.path()), 1);
        // The default reciter folders were read after the load.
        QVERIFY(!Module1::strLokacioniAjeteve.isEmpty());
        QVERIFY(Module1::strLokacioniAjeteve != QLatin1String("False"));
        Module1::unloadMainWindow();
    }

    void versionText() { QCOMPARE(::versionText(), QStringLiteral("Ver. 5.0.17")); }

    void missingDatabase() {
        QTemporaryDir dir;
        const platform::AskedMessage m = startRefused(dir);
        QVERIFY(m.text.contains(QLatin1String("librezi.db")));
        QVERIFY(m.text.contains(QStringLiteral("mungon")));
        QCOMPARE(m.title, QStringLiteral("Lib'rezi Drites"));
    }

    void notADatabase() {
        QTemporaryDir dir;
        testsupport::copyBundledData(dir);
        QFile f(dir.filePath(QStringLiteral("librezi.db")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("{\\rtf1 this is not a database}");
        f.close();
        QVERIFY(startRefused(dir).text.contains(QStringLiteral("nuk është bazë të dhënash")));
    }

    void tableMissing() {
        QTemporaryDir dir;
        testsupport::copyBundledData(dir);
        {
            platform::Connection c;
            c.Open(dir.filePath(QStringLiteral("librezi.db")));
            c.Execute(QStringLiteral("drop table Keshilla"));
        }
        QVERIFY(startRefused(dir).text.contains(QStringLiteral("Keshilla")));
    }

    void wholeTextMissing() {
        QTemporaryDir dir;
        testsupport::copyBundledData(dir);
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("LIB'REZI.rtf"))));
        QVERIFY(startRefused(dir).text.contains(QStringLiteral("LIB'REZI.rtf")));
    }

    void wholeTextFoundWhateverItsCase() {
        QTemporaryDir dir;
        testsupport::copyBundledData(dir);
        QVERIFY(
            QFile::rename(dir.filePath(QStringLiteral("LIB'REZI.rtf")), dir.filePath(QStringLiteral("lib'rezi.RTF"))));
        Module1::setProgramFolder(dir.path());
        platform::MsgBoxScript script;
        QCOMPARE(Module1::Main(), 0);
        QVERIFY(script.asked().isEmpty());
        QVERIFY(Module1::mainWindow()->Rtf1->Text().contains(QStringLiteral("2:255.\t")));
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
