// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/databuilder.h"

#include "data/schema.h"
#include "platform/database.h"
#include "platform/textfile.h"
#include "platform/textfold.h"
#include "tools/pendingfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <csignal>
#include <cstdio>

#include <sqlite3.h>

namespace databuilder {

namespace {

// Writes every table of a new database into `db`. Throws platform::DbError.
void writeTables(platform::Connection& db, const QList<Surah>& surahs, const Translation& t, const QStringList& tips,
                 const Classification& classification, const QString& identity) {
    // The file is new and replaces the old one only when complete: no journal is needed.
    db.exec(QStringLiteral("PRAGMA journal_mode=OFF"));
    db.transaction([&] {
        for (const QString& statement : schema::createStatements())
            db.exec(statement);

        platform::Statement surah =
            db.query(QStringLiteral("INSERT INTO Suret (IDSureja, Emri, NrAjete, Vendi) VALUES (?, ?, ?, ?)"));
        for (const Surah& s : surahs)
            surah.run({s.number, s.name, s.verses, s.place});

        platform::Statement verse =
            db.query(QStringLiteral("INSERT INTO librezi (NrSure, NrAjet, Perkthimi, Kerkimi) VALUES (?, ?, ?, ?)"));
        for (qsizetype s = 0; s < surahs.size(); ++s)
            for (qsizetype v = 0; v < t.verses[s].size(); ++v)
                verse.run({surahs[s].number, int(v + 1), t.verses[s][v], platform::foldText(t.verses[s][v], true)});

        writeBundledReciters(db);

        platform::Statement tip = db.query(QStringLiteral("INSERT INTO Keshilla (ID, Keshilla) VALUES (?, ?)"));
        for (qsizetype i = 0; i < tips.size(); ++i)
            tip.run({int(i + 1), tips[i]});

        // The program reads a theme's groups without ORDER BY: they go in by ID, in reading order.
        platform::Statement chapter = db.query(QStringLiteral("INSERT INTO Kreret (NrKreu, Kreu) VALUES (?, ?)"));
        platform::Statement theme =
            db.query(QStringLiteral("INSERT INTO Temat (NrTema, Tema, NrKreu) VALUES (?, ?, ?)"));
        platform::Statement group = db.query(
            QStringLiteral("INSERT INTO klasifikim (ID, tema, nrsure, emrsure, ajetet) VALUES (?, ?, ?, ?, ?)"));
        int groupId = 0;
        for (const Chapter& c : classification) {
            chapter.run({c.number, c.title});
            for (const Theme& th : c.themes) {
                theme.run({th.number, th.title, c.number});
                for (const VerseGroup& g : th.groups)
                    group.run({++groupId, th.title, g.surah, surahs[g.surah - 1].name, g.verses});
            }
        }

        platform::Statement meta = db.query(QStringLiteral("INSERT INTO Te_dhenat (Celesi, Vlera) VALUES (?, ?)"));
        meta.run({QString::fromLatin1(schema::kMetaVersion), QString::number(schema::kVersion)});
        meta.run({QString::fromLatin1(schema::kMetaTranslation), t.name});
        meta.run({QString::fromLatin1(schema::kMetaTranslator), t.translator});
        meta.run({QString::fromLatin1(schema::kMetaSource), t.source});
        if (!identity.isEmpty())
            meta.run({QString::fromLatin1(schema::kMetaImport), identity});
    });
}

QString fileIdentity(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? platform::importIdentity(f.read(4096)) : QString();
}

// A test of the builder stops it dead after a step ("kill the builder between every two steps"): the
// variable LIBREZI_BUILDER_HALT names the step.
void haltAfter(int step) {
    static const int wanted = qEnvironmentVariableIntValue("LIBREZI_BUILDER_HALT");
    if (wanted == step)
        ::raise(SIGKILL);
}

// What an import killed on its way left in the folder: a whole text written for the database now in place
// is put in place too (the import is finished); every other temporary file is removed.
void recoverInterrupted(const QString& folder) {
    const QDir dir(folder);
    const QString database = dir.filePath(QString::fromLatin1(kDatabaseFile));
    const QString wholeText = dir.filePath(QString::fromLatin1(kWholeTextFile));
    const QString identity = QFileInfo(database).isFile() ? importOf(database) : QString();
    for (const QString& pending : pendingFiles(folder, QString::fromLatin1(kWholeTextFile))) {
        if (!identity.isEmpty() && fileIdentity(pending) == identity && fileIdentity(wholeText) != identity &&
            std::rename(QFile::encodeName(pending).constData(), QFile::encodeName(wholeText).constData()) == 0)
            continue; // in one step: a reader meanwhile finds the old whole text or the new one
        QFile::remove(pending);
    }
    for (const QString& pending : pendingFiles(folder, QString::fromLatin1(kDatabaseFile)))
        QFile::remove(pending);
}

// The database about to be replaced, held with SQLite's exclusive lock from before the reciters are read
// until it is replaced: no other program's write can land in it and be lost with it.
class LockedTarget {
public:
    explicit LockedTarget(const QString& path) : m_path(path) {
        if (!QFileInfo(path).isFile())
            return;
        try {
            m_db.Open(path); // waits a bounded time for another program's transaction
            m_db.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        } catch (const platform::DbError& e) {
            if ((e.code() & 0xff) == SQLITE_BUSY || (e.code() & 0xff) == SQLITE_LOCKED)
                throw BuildError(QStringLiteral("Baza e të dhënave %1 është në përdorim nga një program tjetër; "
                                                "importi u anulua. Provoni sërish pasi ai të mbarojë.")
                                     .arg(QDir::toNativeSeparators(path)));
            m_db.Close(); // a file that cannot be read has no reciters to keep
        }
    }
    // Carries the reader's reciters and choices over into the new database.
    void keepRecitersIn(const QString& newDatabase) {
        if (!m_db.isOpen())
            return;
        try {
            platform::Connection into;
            into.Open(newDatabase);
            copyReciters(m_db, into);
        } catch (const platform::DbError& e) {
            throw databaseError(m_path, e);
        }
    }

private:
    QString m_path;
    platform::Connection m_db;
};

} // namespace

QString importOf(const QString& database) {
    try {
        platform::Connection db;
        db.Open(database);
        return db
            .value(QStringLiteral("SELECT Vlera FROM Te_dhenat WHERE Celesi = ?"),
                   {QString::fromLatin1(schema::kMetaImport)})
            .toString();
    } catch (const platform::DbError&) {
        return QString();
    }
}

bool finishInterrupted(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return true;
    try {
        const FolderLock lock(folder);
        recoverInterrupted(folder);
        return true;
    } catch (const BuildError&) {
        return false; // an import holds the folder: its files are its own
    }
}

bool importRunning(const QString& folder) {
    return !finishInterrupted(folder);
}

QByteArray wholeTextOf(const QString& database) {
    const QList<Surah> surahs = surahsOf(database);
    return wholeTextRtf(surahs, translationOf(database, surahs), importOf(database));
}

void rewriteWholeText(const QString& folder) {
    const FolderLock lock(folder);
    const QByteArray rtf = wholeTextOf(QDir(folder).filePath(QString::fromLatin1(kDatabaseFile)));
    PendingFile wholeText(folder, QString::fromLatin1(kWholeTextFile));
    wholeText.write(rtf);
    wholeText.replaceTarget();
}

void writeDatabase(const QString& path, const QList<Surah>& surahs, const Translation& t, const QStringList& tips,
                   const Classification& classification, const QString& identity) {
    try {
        platform::Connection db;
        db.Open(path, platform::Connection::Mode::Create);
        writeTables(db, surahs, t, tips, classification, identity);
    } catch (const platform::DbError& e) {
        throw databaseError(path, e);
    }
}

QString build(const Options& options) {
    if (!QDir().mkpath(options.outFolder))
        throw BuildError(
            QStringLiteral("Dosja %1 nuk mund të krijohet.").arg(QDir::toNativeSeparators(options.outFolder)));
    const FolderLock lock(options.outFolder);
    recoverInterrupted(options.outFolder); // even when this import's inputs are refused

    // Every input is read and checked before anything is written.
    const bool fromDatabase = !options.baseDatabase.isEmpty();
    const QList<Surah> surahs = fromDatabase ? surahsOf(options.baseDatabase) : readSurahs(options.factsFolder);
    const QStringList tips = fromDatabase ? tipsOf(options.baseDatabase) : readTips(options.factsFolder);
    const Translation translation =
        options.translationContent ? readTranslation(*options.translationContent, options.translationFile, surahs)
        : !options.translationFile.isEmpty() ? readTranslation(options.translationFile, surahs)
        : !options.keptTranslation.isEmpty() ? translationOf(options.keptTranslation, surahs)
                                             : placeholderTranslation(surahs);
    const QString target = QDir(options.outFolder).filePath(QString::fromLatin1(kDatabaseFile));
    Classification classification;
    if (!options.classificationFile.isEmpty())
        classification = readClassification(options.classificationFile, surahs);
    else if (fromDatabase)
        classification = classificationOf(options.baseDatabase, surahs);
    if (classification.isEmpty())
        classification = factsClassification(options.factsFolder, surahs);

    // The new pair is written whole under temporary names, the whole text first. The database goes into place
    // first, the whole text after it: an import killed between the two leaves a database whose identity the
    // old whole text does not carry (the program refuses the pair and names the cause), and the next import
    // into the folder finishes it.
    const QString identity = QUuid::createUuid().toString(QUuid::WithoutBraces);
    PendingFile wholeText(options.outFolder, QString::fromLatin1(kWholeTextFile));
    wholeText.write(wholeTextRtf(surahs, translation, identity));
    haltAfter(1);
    PendingFile database(options.outFolder, QString::fromLatin1(kDatabaseFile));
    database.release();
    try {
        platform::Connection db;
        db.Open(database.path(), platform::Connection::Mode::Create);
        writeTables(db, surahs, translation, tips, classification, identity);
    } catch (const platform::DbError& e) {
        throw databaseError(target, e);
    }
    haltAfter(2);
    {
        LockedTarget previous(target);
        previous.keepRecitersIn(database.path());
        database.replaceTarget();
    }
    haltAfter(3);
    wholeText.replaceTarget();
    haltAfter(4);
    return emptyVersesNote(translation);
}

} // namespace databuilder
