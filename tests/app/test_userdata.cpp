// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"
#include "audio/playback.h"
#include "mainwindow/frmkryesore.h"
#include "platform/msgbox.h"
#include "testsupport.h"
#include "tools/databuilder.h"
#include <QDir>
#include <QProcess>
#include <QTest>
using namespace Qt::StringLiterals;

// The reader's own copy of the data for an installed program: made on the first start, used afterwards.
class TestUserData : public QObject {
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

QTEST_MAIN(TestUserData)
#include "test_userdata.moc"
