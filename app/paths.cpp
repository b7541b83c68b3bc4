// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/paths.h"

#include "platform/database.h"

#include "data/schema.h"
#include "platform/textfile.h"
#include "search/history.h"
#include "tools/databuilder.h"
#include "tools/pendingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <memory>

namespace Module1 {

namespace {
QString g_programFolder;
std::optional<bool> g_programFolderWritable;
bool g_userCopyMissing = false; // the per-user copy could not be made: the program folder's database is read
QString g_savingOff;            // why nothing is kept this run; "" while saving is on
QStringList g_notes;            // what the start mended, for the window
std::unique_ptr<QTemporaryFile> g_wholeTextForRun; // a whole text made for this run outside the data folder

const QString kDatabaseName = QStringLiteral("librezi.db");
// How long a start waits for another start or an import that is making the per-user copy.
constexpr int kCopyWaitMs = 60000;
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
    return usesUserData() && !g_userCopyMissing ? userDataFolder() : programFolder();
}

QString databasePath() {
    return dataFolder() + u'/' + kDatabaseName;
}

namespace {

// The reader's copy is of an older import than the program folder's whole text (the program was updated):
// it is made again from the program folder's database, the reader's reciters and choices carried over. A copy
// that cannot be made now (an import is running in the folder, the disk is full) leaves the old one: the start
// then writes the whole text again from it.
void refreshUserDatabase(const QString& source, const QString& target) {
    const QString folder = QFileInfo(target).path();
    try {
        const databuilder::FolderLock lock(folder);
        databuilder::PendingFile copy(folder, kDatabaseName);
        copy.copyFrom(source);
        {
            platform::Connection from, into;
            from.Open(target);
            into.Open(copy.path());
            databuilder::copyReciters(from, into);
        }
        copy.replaceTarget();
    } catch (const databuilder::BuildError&) {
    } catch (const platform::DbError&) {
    }
}

} // namespace

void ensureUserDatabase() {
    const QString folder = userDataFolder();
    const QString target = folder + u'/' + kDatabaseName;
    const QString source = programFolder() + u'/' + kDatabaseName;
    databuilder::finishInterrupted(folder); // an import killed there is finished before its files are judged
    if (QFileInfo::exists(target)) {
        const QString own = databuilder::importOf(target);
        if (wholeTextFileIn(folder).isEmpty() && QFileInfo(source).isFile() && !own.isEmpty() &&
            own != databuilder::importOf(source))
            refreshUserDatabase(source, target);
        return;
    }
    if (!QFileInfo(source).isFile())
        throw StartupError{source, QStringLiteral("skedari mungon")};
    if (!QDir().mkpath(folder))
        throw StartupError{folder, QStringLiteral("dosja e të dhënave të përdoruesit nuk mund të krijohet")};
    try {
        // The first start makes the copy; one that comes meanwhile waits for it and takes it.
        const databuilder::FolderLock lock(folder, kCopyWaitMs);
        if (QFileInfo::exists(target))
            return;
        databuilder::PendingFile copy(folder, kDatabaseName); // never taken for the database until whole
        copy.copyFrom(source);
        copy.replaceTarget();
    } catch (const databuilder::BuildError& e) {
        throw StartupError{target, e.cause()}; // a full disk said as such
    }
}

QString wholeTextFile() {
    if (g_wholeTextForRun)
        return g_wholeTextForRun->fileName();
    if (usesUserData()) {
        const QString own = wholeTextFileIn(userDataFolder());
        if (!own.isEmpty())
            return own;
    }
    return wholeTextFileIn(programFolder());
}

QString parallelTextsPath() {
    return userDataFolder() + QStringLiteral("/tekstet.db");
}

QString notesPath() {
    return userDataFolder() + QStringLiteral("/shenimet.db");
}

QString reciterFolder(const QString& relative) {
    if (usesUserData()) {
        const QString own = userDataFolder() + u'/' + relative;
        if (QFileInfo(own).isDir())
            return own;
    }
    return programFolder() + u'/' + relative;
}

QString importTranslation(const QString& file, const QByteArray& content) {
    if (savingOff())
        throw databuilder::BuildError(QStringLiteral("Importi nuk u bë. ") + savingOffText());
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
    const QString note = databuilder::build(options);
    g_wholeTextForRun.reset(); // the import wrote a whole text of its own
    return note;
}

namespace {

// Whether a file can be made in the folder (made when missing): a probe, removed at once.
bool canWrite(const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.librezi-XXXXXX"));
    return probe.open();
}

QString importOfWholeText(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? platform::importIdentity(f.read(4096)) : QString();
}

} // namespace

void useProgramDatabase() {
    g_userCopyMissing = true;
}

void checkSaving() {
    g_savingOff.clear();
    const QSettings store(QSettings::IniFormat, QSettings::UserScope, history::appName(), history::appName());
    const QFileInfo settings(store.fileName());
    QString folder;
    if (usesUserData() && (g_userCopyMissing || !canWrite(userDataFolder())))
        folder = userDataFolder();
    else if (!canWrite(settings.path()) || (settings.exists() && !settings.isWritable()))
        folder = settings.path();
    if (!folder.isEmpty())
        g_savingOff = QStringLiteral("Ruajtja është e fikur, sepse dosja %1 nuk mund të shkruhet: shënjuesit, vendi i "
                                     "leximit dhe zgjedhjet e tjera nuk do të ruhen.")
                          .arg(QDir::toNativeSeparators(folder));
}

bool savingOff() {
    return !g_savingOff.isEmpty();
}

QString savingOffText() {
    return g_savingOff;
}

void mendWholeText() {
    const QString file = wholeTextFile();
    const QString database = databasePath();
    const QString wanted = databuilder::importOf(database);
    const QString found = file.isEmpty() ? QString() : importOfWholeText(file);
    if (wanted.isEmpty() || found.isEmpty() || found == wanted)
        return; // one import, or files that record none (they are not compared)
    const QString folder = QDir::toNativeSeparators(dataFolder());
    QString cause = QStringLiteral("dosja %1 nuk mund të shkruhet").arg(folder);
    if (!savingOff()) {
        try {
            databuilder::rewriteWholeText(dataFolder());
            g_notes.append(QStringLiteral("Një import ishte ndërprerë: teksti i plotë u shkrua sërish nga baza e të "
                                          "dhënave."));
            return;
        } catch (const databuilder::BuildError&) {
            if (databuilder::importRunning(dataFolder())) // it writes both files anew when it ends
                cause = QStringLiteral("në dosjen %1 po bëhet tani një import tjetër").arg(folder);
        }
    }
    try {
        const QByteArray rtf = databuilder::wholeTextOf(database);
        auto made = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/librezi-XXXXXX.rtf"));
        if (!made->open() || made->write(rtf) != rtf.size() || !made->flush())
            return;
        made->close();
        g_wholeTextForRun = std::move(made);
        g_notes.append(QStringLiteral("Një import ishte ndërprerë dhe teksti i plotë u bë nga baza e të dhënave vetëm "
                                      "për këtë herë, sepse %1.")
                           .arg(cause));
    } catch (const databuilder::BuildError&) {
        // the database itself cannot give it: the window refuses the pair and names the cause
    }
}

QString startNote() {
    QStringList lines = g_notes;
    if (savingOff())
        lines.append(g_savingOff);
    return lines.join(u'\n');
}

QString twoImportsCause(platform::Connection& db) {
    QString open;
    try {
        open = db.value(QStringLiteral("SELECT Vlera FROM Te_dhenat WHERE Celesi = ?"),
                        {QString::fromLatin1(schema::kMetaImport)})
                   .toString();
    } catch (const platform::DbError&) {
    }
    const QString onDisk = databuilder::importOf(db.path());
    if (!onDisk.isEmpty() && onDisk != open)
        return QStringLiteral("baza e të dhënave u zëvendësua nga një import i ri; rinisni programin");
    return QStringLiteral("teksti i plotë dhe baza e të dhënave vijnë nga dy importe të ndryshme (një import u "
                          "ndërpre); rinisni programin");
}

void resetStart() {
    g_userCopyMissing = false;
    g_savingOff.clear();
    g_notes.clear();
    g_wholeTextForRun.reset();
}

} // namespace Module1
