// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"

#include "app/splash.h"
#include "audio/reciters.h"
#include "data/queryhelpers.h"
#include "data/schema.h"
#include "mainwindow/frmkryesore.h"
#include "mainwindow/navigation.h"
#include "mainwindow/wholetext.h"
#include "platform/msgbox.h"
#include "resources/resources.h"
#include "tools/databuilder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QStandardPaths>

#include <cstdio>

namespace Module1 {

platform::Connection cnLidhja;
QString strLokacioniAjeteve;
QString strLokacioniSureve;
bool blnMosRuajLexuesinAjeteve = false;
bool blnMosRuajLexuesinSureve = false;

namespace {
QString g_programFolder;
std::optional<bool> g_programFolderWritable;
frmKryesore* g_main = nullptr;

const QString kDatabaseName = QStringLiteral("librezi.db");
} // namespace

QString programFolder() {
    if (!g_programFolder.isEmpty())
        return g_programFolder;
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

void setProgramFolder(const QString& folder) {
    g_programFolder = QDir::cleanPath(folder);
}

QString userDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/librezi");
}

void setProgramFolderWritable(std::optional<bool> writable) {
    g_programFolderWritable = writable;
}

bool usesUserData() {
    const QDir folder(programFolder());
    if (g_programFolderWritable)
        return !*g_programFolderWritable;
    if (QFileInfo::exists(folder.filePath(QString::fromLatin1(kInstalledMarker))))
        return true;
    const QFileInfo database(folder.filePath(kDatabaseName));
    return database.exists() ? !database.isWritable() : !QFileInfo(folder.path()).isWritable();
}

QString dataFolder() {
    return usesUserData() ? userDataFolder() : programFolder();
}

QString databasePath() {
    return dataFolder() + u'/' + kDatabaseName;
}

namespace {

// The reader's copy is of an older import than the program folder's whole text (the program was updated):
// it is made again from the program folder's database, the reader's reciters and choices carried over.
// A copy that cannot be made leaves the old one, and the start then says the two do not belong together.
void refreshUserDatabase(const QString& source, const QString& target) {
    const QString pending = target + QStringLiteral(".kopje");
    QFile::remove(pending);
    if (!QFile::copy(source, pending))
        return;
    QFile::setPermissions(pending, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    try {
        platform::Connection from, into;
        from.Open(target);
        into.Open(pending);
        databuilder::copyReciters(from, into);
    } catch (const platform::DbError&) {
        QFile::remove(pending);
        return;
    }
    if (std::rename(QFile::encodeName(pending).constData(), QFile::encodeName(target).constData()) != 0)
        QFile::remove(pending);
}

} // namespace

void ensureUserDatabase() {
    const QString target = userDataFolder() + u'/' + kDatabaseName;
    const QString source = programFolder() + u'/' + kDatabaseName;
    if (QFileInfo::exists(target)) {
        const QString own = databuilder::importOf(target);
        if (navigation::wholeTextFile(userDataFolder()).isEmpty() && QFileInfo(source).isFile() && !own.isEmpty() &&
            own != databuilder::importOf(source))
            refreshUserDatabase(source, target);
        return;
    }
    if (!QFileInfo(source).isFile())
        throw StartupError{source, QStringLiteral("skedari mungon")};
    if (!QDir().mkpath(userDataFolder()))
        throw StartupError{userDataFolder(), QStringLiteral("dosja e të dhënave të përdoruesit nuk mund të krijohet")};
    // Copied under another name first, so that a broken copy is never taken for the database.
    const QString pending = target + QStringLiteral(".kopje");
    QFile::remove(pending);
    if (const int error = databuilder::copyFile(source, pending)) {
        QFile::remove(pending);
        throw StartupError{target, databuilder::fileCause(error)}; // a full disk said as such
    }
    QFile::setPermissions(pending, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!QFile::rename(pending, target)) {
        QFile::remove(pending);
        throw StartupError{target, QStringLiteral("kopja e bazës nuk mund të shkruhet")};
    }
}

QString wholeTextFile() {
    if (usesUserData()) {
        const QString own = navigation::wholeTextFile(userDataFolder());
        if (!own.isEmpty())
            return own;
    }
    return navigation::wholeTextFile(programFolder());
}

QString reciterFolder(const QString& relative) {
    if (usesUserData()) {
        const QString own = userDataFolder() + u'/' + relative;
        if (QFileInfo(own).isDir())
            return own;
    }
    return programFolder() + u'/' + relative;
}

QString importTranslation(const QString& file, const QByteArray& content, const std::function<void()>& onStep) {
    if (usesUserData()) {
        try {
            ensureUserDatabase();
        } catch (const StartupError& e) {
            throw databuilder::BuildError(
                QStringLiteral("Kopja e bazës për përdoruesin nuk u bë (%1): %2")
                    .arg(QDir::toNativeSeparators(e.file), e.cause + (e.cause.contains(u'\n') ? "" : ".")));
        }
    }
    databuilder::Options options;
    options.outFolder = dataFolder();
    options.translationFile = file;
    options.translationContent = content;
    options.baseDatabase = databasePath();
    options.onStep = onStep;
    const QString note = databuilder::build(options);
    cnLidhja.Open(databasePath()); // the new file: the old one is gone from the folder
    return note;
}

frmKryesore* mainWindow() {
    return g_main;
}

void unloadMainWindow() {
    delete g_main;
    g_main = nullptr;
}

void ShfaqSplash() {
    if (const QString file = wholeTextFile(); !file.isEmpty())
        wholetext::readAhead(file); // the longest part of the start, while the splash shows and the window is built
    auto* splash = new frmSplash;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        splash->move(screen->availableGeometry().center() - splash->rect().center());
    splash->show();
    QCoreApplication::processEvents();
    struct Close {
        frmSplash* s;
        ~Close() {
            s->close();
            delete s;
        }
    } close{splash};
    unloadMainWindow();
    g_main = new frmKryesore; // its load procedure runs here, while the splash is on screen
}

namespace {

int startFailed(const QString& file, const QString& cause) {
    unloadMainWindow();
    platform::MsgBox(QStringLiteral("Programi nuk mund të niset.\n\nSkedari: %1\nShkaku: %2")
                         .arg(QDir::toNativeSeparators(file), cause),
                     platform::Buttons::OK, QString(), platform::Icon::Critical);
    return 1;
}

} // namespace

int Main() {
    initResources();
    if (usesUserData()) {
        try {
            ensureUserDatabase();
        } catch (const StartupError& e) {
            std::fprintf(stderr, "librezi: %s\n", qPrintable(e.cause));
            return startFailed(e.file, e.cause);
        }
    }
    try {
        cnLidhja.Open(databasePath());
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "librezi: %s\n", e.what());
        return startFailed(databasePath(), platform::albanianCause(e));
    }
    try {
        ShfaqSplash();
        strLokacioniAjeteve = vbText(audio::defaultReciter(audio::ReciterKind::Verses, QStringLiteral("Lokacioni")));
        strLokacioniSureve = vbText(audio::defaultReciter(audio::ReciterKind::Surahs, QStringLiteral("Lokacioni")));
    } catch (const platform::DbError& e) {
        std::fprintf(stderr, "librezi: %s\n", e.what());
        return startFailed(databasePath(), platform::albanianCause(e));
    } catch (const StartupError& e) {
        std::fprintf(stderr, "librezi: %s\n", qPrintable(e.cause));
        return startFailed(e.file, e.cause);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "librezi: %s\n", e.what());
        return startFailed(databasePath(), QStringLiteral("të dhënat e bazës nuk janë të rregullta"));
    }
    g_main->show();
    return 0;
}

} // namespace Module1
