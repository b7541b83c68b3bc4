// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/paths.h"

#include "platform/database.h"
#include "tools/databuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace Module1 {

namespace {
QString g_programFolder;
std::optional<bool> g_programFolderWritable;

const QString kDatabaseName = QStringLiteral("librezi.db");
} // namespace

QString wholeTextFileIn(const QString& folder) {
    const QString wanted = QStringLiteral("LIB'REZI.rtf");
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(wanted)).isFile())
        return dir.filePath(wanted);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : entries)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return QString();
}

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
        if (wholeTextFileIn(userDataFolder()).isEmpty() && QFileInfo(source).isFile() && !own.isEmpty() &&
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
        const QString own = wholeTextFileIn(userDataFolder());
        if (!own.isEmpty())
            return own;
    }
    return wholeTextFileIn(programFolder());
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
    return databuilder::build(options);
}

} // namespace Module1
