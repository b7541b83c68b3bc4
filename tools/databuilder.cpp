#include "tools/databuilder.h"

#include "data/schema.h"
#include "platform/database.h"
#include "tools/pendingfile.h"

#include <QDir>
#include <QFileInfo>

namespace databuilder {

void writeDatabase(const QString& path, const QList<Surah>& surahs, const Translation& t, const QStringList& tips,
                   const Classification& classification) {
    try {
        platform::Connection db;
        db.Open(path, platform::Connection::Mode::Create);
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
                db.query(QStringLiteral("INSERT INTO librezi (NrSure, NrAjet, Perkthimi) VALUES (?, ?, ?)"));
            for (qsizetype s = 0; s < surahs.size(); ++s)
                for (qsizetype v = 0; v < t.verses[s].size(); ++v)
                    verse.run({surahs[s].number, int(v + 1), t.verses[s][v]});

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
        });
    } catch (const platform::DbError& e) {
        throw databaseError(path, e);
    }
}

void build(const Options& options) {
    // Every input is read and checked before anything is written.
    const QList<Surah> surahs = readSurahs(options.factsFolder);
    const QStringList tips = readTips(options.factsFolder);
    const Translation translation = options.translationFile.isEmpty()
                                        ? placeholderTranslation(surahs)
                                        : readTranslation(options.translationFile, surahs);
    const Classification classification = options.classificationFile.isEmpty()
                                              ? factsClassification(options.factsFolder, surahs)
                                              : readClassification(options.classificationFile, surahs);

    if (!QDir().mkpath(options.outFolder))
        throw BuildError(
            QStringLiteral("Dosja %1 nuk mund të krijohet.").arg(QDir::toNativeSeparators(options.outFolder)));

    PendingFile database(options.outFolder, QString::fromLatin1(kDatabaseFile));
    database.release();
    writeDatabase(database.path(), surahs, translation, tips, classification);
    const QString previous = QDir(options.outFolder).filePath(QString::fromLatin1(kDatabaseFile));
    if (options.keepReciters && QFileInfo(previous).isFile()) {
        // The reader's reciters and the reciter marked as chosen outlive a new translation.
        try {
            platform::Connection db;
            db.Open(database.path());
            copyReciters(db, previous);
        } catch (const platform::DbError& e) {
            throw databaseError(database.path(), e);
        }
    }

    PendingFile wholeText(options.outFolder, QString::fromLatin1(kWholeTextFile));
    wholeText.write(wholeTextRtf(surahs, translation));

    database.replaceTarget();
    wholeText.replaceTarget();
}

} // namespace databuilder
