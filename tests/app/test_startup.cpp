// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/splash.h"
#include "audio/playback.h"
#include "windowtest.h"
#include <QApplication>
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

// The start: the splash, then the first state; a database it cannot use; the reader's own copy of the data for an
// installed program, made on the first start and used afterwards.
class TestStartup : public QObject {
    Q_OBJECT
    QTemporaryDir program, home; // the program folder and XDG_DATA_HOME
    QString own(const QString& name) const { return home.filePath(u"librezi/"_s + name); }
    QString bundled(const QString& name) const { return program.filePath(name); }
    // Starts on the program folder: "" when it started without a message, else what it said.
    QString start() {
        Module1::setProgramFolder(program.path());
        platform::MsgBoxScript script;
        const int rc = Module1::Main();
        return rc == 0 && script.asked().isEmpty() ? QString() : script.asked().value(0).text + u" (refused)"_s;
    }
    static testsupport::Controls window() { return testsupport::Controls(Module1::mainWindow()); }
    // The reader's own whole text: the bundled one under another title.
    QByteArray imported() const {
        QFile f(bundled(u"LIB'REZI.rtf"_s));
        return f.open(QIODevice::ReadOnly) ? f.readAll().replace("Kur'ani", "Importuar") : QByteArray();
    }
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
    void writableFolderFirstThenInstalled() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        testsupport::copyBundledData(program);
        testsupport::useSettingsIn(program);
        QVERIFY(QDir(program.path()).mkpath(u"zeri/tjeter"_s)); // a second verse reciter to choose
        databuilder::addReciter({bundled(u"librezi.db"_s), u"Tjetri"_s, u"zeri/tjeter"_s, QString(), true, false});
        const QByteArray sum = testsupport::fileChecksum(bundled(u"librezi.db"_s));
        QCOMPARE(start(), QString());
        QVERIFY(Module1::cnLidhja.path() == bundled(u"librezi.db"_s) && !QFileInfo::exists(own(QString())));
        // A per-user folder, with its own text and reciter folder, stays unused while the folder is writable.
        QVERIFY(QDir().mkpath(own(u"zeri/sure"_s)) && testsupport::overwrite(own(u"lib'rezi.RTF"_s), imported()));
        QCOMPARE(start(), QString());
        QVERIFY(!Module1::usesUserData() && !window().Rtf1->Text().contains(u"Importuar"_s));
        QCOMPARE(Module1::reciterFolder(u"zeri/sure"_s), bundled(u"zeri/sure"_s));
        // Marked installed (root may write anywhere): the reader gets a copy, their text and reciter folders.
        QVERIFY(testsupport::overwrite(bundled(QString::fromLatin1(Module1::kInstalledMarker)), "installed\n") &&
                QFile::setPermissions(bundled(u"librezi.db"_s), QFile::ReadOwner)); // as installed
        QCOMPARE(start(), QString());
        QVERIFY(Module1::cnLidhja.path() == own(u"librezi.db"_s) &&
                QFileInfo(own(u"librezi.db"_s)).permission(QFile::WriteOwner));
        QVERIFY(window().Rtf1->Text().startsWith(u"Importuar"_s));
        QCOMPARE(audio::surahAudioPath(u"zeri/sure"_s, u"1"_s), own(u"zeri/sure/001.mp3"_s));
        QCOMPARE(audio::surahAudioPath(u"zeri/ajete"_s, u"1"_s), bundled(u"zeri/ajete/001.mp3"_s));
        window().CmbLexuesAjete->setListIndex(window().CmbLexuesAjete->findText(u"Tjetri"_s));
        // A read-only folder: the copy is taken as the reader left it, and the bundled one stays untouched.
        QVERIFY(QFile::remove(bundled(QString::fromLatin1(Module1::kInstalledMarker))));
        Module1::setProgramFolderWritable(false);
        QCOMPARE(start(), QString());
        QVERIFY(window().CmbLexuesAjete->Text() == "Tjetri"_L1 && Module1::strLokacioniAjeteve == "zeri/tjeter"_L1);
        QCOMPARE(testsupport::fileChecksum(bundled(u"librezi.db"_s)), sum);
        QVERIFY(QFile::remove(bundled(u"librezi.db"_s))); // with the copy there the bundled one is not needed
        QCOMPARE(start(), QString());
        QVERIFY(QFile::remove(own(u"librezi.db"_s))); // with neither the start is refused and nothing is made
        QVERIFY(start().contains(u"librezi.db\nShkaku: skedari mungon"_s) && !QFile::exists(own(u"librezi.db"_s)));
    }
    // The program updated with data of a newer import: the reader's copy is made again from it, with the reciters
    // the reader added and chose, and the program starts (no pair of two imports).
    void programUpdated() {
        QTemporaryDir newProgram, newHome;
        qputenv("XDG_DATA_HOME", QFile::encodeName(newHome.path()));
        testsupport::copyBundledData(newProgram);
        Module1::setProgramFolder(newProgram.path());
        Module1::setProgramFolderWritable(false);
        Module1::ensureUserDatabase();
        const QString copy = newHome.filePath(u"librezi/librezi.db"_s);
        const int id = databuilder::addReciter({copy, u"Imi"_s, newHome.path(), QString(), true, true});
        QProcess builder;
        builder.start(testsupport::buildFolder() + u"/tools/librezi-builder"_s,
                      {u"--facts"_s, testsupport::factsFolder(), u"--out"_s, newProgram.path()});
        QVERIFY(builder.waitForFinished() && builder.exitCode() == 0);
        platform::MsgBoxScript script;
        QVERIFY(testsupport::startOnFolder(newProgram) && script.asked().isEmpty());
        QCOMPARE(databuilder::importOf(copy), databuilder::importOf(newProgram.filePath(u"librezi.db"_s)));
        QCOMPARE(Module1::cnLidhja.value(u"SELECT [Default] FROM Lokacioni_i_zerit WHERE IDLok = ?"_s, {id}),
                 QVariant(-1));
        Module1::unloadMainWindow();
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
