// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/parallel.h"

#include "platform/database.h"
#include "text/arabic.h"
#include "tools/textinput.h"
#include "tools/translation.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace databuilder {

namespace {

const QStringList kSchema = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS Tekstet (ID INTEGER PRIMARY KEY, Emri TEXT NOT NULL UNIQUE, "
                   "Lloji TEXT NOT NULL, Gjuha TEXT NOT NULL, Burimi TEXT NOT NULL, Shenimi TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS Ajetet (Teksti INTEGER NOT NULL REFERENCES Tekstet(ID), "
                   "NrSure INTEGER NOT NULL, NrAjet INTEGER NOT NULL, Ajeti TEXT NOT NULL, "
                   "Kerkimi TEXT NOT NULL DEFAULT '', PRIMARY KEY (Teksti, NrSure, NrAjet))"),
};

// An Arabic verse as a search compares it (text::foldArabic), kept beside it so that SQLite finds the verses that
// hold a phrase; a store made before it had none, and gains the column empty.
bool hasSearchColumn(platform::Connection& db) {
    return db.value(QStringLiteral("SELECT 1 FROM pragma_table_info('Ajetet') WHERE name = 'Kerkimi'")).isValid();
}

ParallelText textOf(platform::Statement& row) {
    ParallelText t;
    t.id = row.integer(0);
    t.name = row.text(1);
    t.kind = row.text(2) == u"arabisht" ? TextKind::Arabic : TextKind::Translation;
    t.language = row.text(3);
    t.source = row.text(4);
    t.notice = row.text(5);
    return t;
}

} // namespace

QString noticeOf(const QByteArray& content) {
    QStringList lines;
    for (const QByteArray& raw : content.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (QString text = line.mid(1).trimmed(); line.startsWith(u'#') && !QString(text).remove(u'=').isEmpty())
            lines << text; // a line of '=' alone is the frame
    }
    return lines.join(u'\n');
}

ParallelText importParallel(const QString& database, const QString& file, const QByteArray& content, TextKind kind,
                            const QString& language, const QList<Surah>& surahs) {
    const Translation t = readTranslation(content, file, surahs); // throws, naming the file
    ParallelText text;
    text.name = !t.translator.isEmpty() ? t.translator
                : !t.name.isEmpty()     ? t.name
                                        : QFileInfo(file).completeBaseName();
    text.kind = kind;
    text.language = language;
    text.source = t.source;
    text.notice = noticeOf(content);
    text.emptyVerses = t.emptyVerses;
    platform::Connection db;
    QDir().mkpath(QFileInfo(database).absolutePath()); // the reader's data folder, on a first import
    try {
        db.Open(database, platform::Connection::Mode::Create);
        db.transaction([&] {
            for (const QString& statement : kSchema)
                db.exec(statement);
            if (!hasSearchColumn(db)) { // a store made before the column: its Arabic verses are given theirs
                db.exec(QStringLiteral("ALTER TABLE Ajetet ADD COLUMN Kerkimi TEXT NOT NULL DEFAULT ''"));
                platform::Statement update = db.query(QStringLiteral("UPDATE Ajetet SET Kerkimi = ? WHERE rowid = ?"));
                for (platform::Statement old =
                         db.query(QStringLiteral("SELECT rowid, Ajeti FROM Ajetet WHERE Teksti IN (SELECT ID FROM "
                                                 "Tekstet WHERE Lloji = 'arabisht')"));
                     old.next();)
                    update.run({text::foldArabic(old.text(1)).text, old.integer(0)});
            }
            if (const QVariant old = db.value(QStringLiteral("SELECT ID FROM Tekstet WHERE Emri = ?"), {text.name});
                old.isValid()) {
                db.exec(QStringLiteral("DELETE FROM Ajetet WHERE Teksti = ?"), {old});
                db.exec(QStringLiteral("DELETE FROM Tekstet WHERE ID = ?"), {old});
            }
            db.exec(QStringLiteral("INSERT INTO Tekstet (Emri, Lloji, Gjuha, Burimi, Shenimi) VALUES (?, ?, ?, ?, ?)"),
                    {text.name, kind == TextKind::Arabic ? QStringLiteral("arabisht") : QStringLiteral("perkthim"),
                     language, text.source, text.notice});
            text.id = db.value(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
            platform::Statement insert = db.query(
                QStringLiteral("INSERT INTO Ajetet (Teksti, NrSure, NrAjet, Ajeti, Kerkimi) VALUES (?, ?, ?, ?, ?)"));
            for (qsizetype s = 0; s < t.verses.size(); ++s)
                for (qsizetype v = 0; v < t.verses[s].size(); ++v)
                    insert.run({text.id, int(s + 1), int(v + 1), t.verses[s][v],
                                kind == TextKind::Arabic ? text::foldArabic(t.verses[s][v]).text : QString()});
        });
    } catch (const platform::DbError& e) {
        throw databaseError(database, e);
    }
    return text;
}

QList<ParallelText> parallelTexts(const QString& database) {
    QList<ParallelText> texts;
    if (!QFileInfo::exists(database))
        return texts;
    platform::Connection db;
    try {
        db.Open(database);
        if (!db.value(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'Tekstet'")).isValid())
            return texts;
        platform::Statement rows =
            db.query(QStringLiteral("SELECT ID, Emri, Lloji, Gjuha, Burimi, Shenimi FROM Tekstet ORDER BY ID"));
        while (rows.next())
            texts << textOf(rows);
    } catch (const platform::DbError& e) {
        throw databaseError(database, e);
    }
    return texts;
}

TextKind kindOf(const QByteArray& content) {
    QString verses;
    for (const QByteArray& line : content.left(64 * 1024).split('\n'))
        if (!line.startsWith('#'))
            verses += QString::fromUtf8(line);
    return text::hasArabic(verses) ? TextKind::Arabic : TextKind::Translation;
}

QString languageOf(TextKind kind) {
    return kind == TextKind::Arabic ? QStringLiteral("ar") : QStringLiteral("sq");
}

QHash<text::Verse, QString> parallelVerses(const QString& database, qint64 text) {
    QHash<text::Verse, QString> verses;
    if (!QFileInfo::exists(database))
        return verses;
    platform::Connection db;
    try {
        db.Open(database);
        if (!db.value(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'Ajetet'")).isValid())
            return verses;
        verses.reserve(6236);
        for (platform::Statement rows =
                 db.query(QStringLiteral("SELECT NrSure, NrAjet, Ajeti FROM Ajetet WHERE Teksti = ?"), {text});
             rows.next();)
            verses.insert({int(rows.integer(0)), int(rows.integer(1))}, rows.text(2));
    } catch (const platform::DbError& e) {
        throw databaseError(database, e);
    }
    return verses;
}

QString parallelVerse(const QString& database, qint64 text, int surah, int verse) {
    platform::Connection db;
    try {
        db.Open(database);
        return db
            .value(QStringLiteral("SELECT Ajeti FROM Ajetet WHERE Teksti = ? AND NrSure = ? AND NrAjet = ?"),
                   {text, surah, verse})
            .toString();
    } catch (const platform::DbError& e) {
        throw databaseError(database, e);
    }
}

QList<ArabicHit> searchArabic(const QString& database, qint64 text, const QString& phrase, int surah) {
    QList<ArabicHit> hits;
    QStringList parts;
    for (const QString& part : phrase.split(u'&'))
        if (!text::foldArabic(part).text.trimmed().isEmpty())
            parts << part.trimmed();
    if (parts.isEmpty())
        return hits;
    platform::Connection db;
    try {
        db.Open(database);
        // SQLite finds the verses whose folded copy holds every part (a store that has the column has it for every
        // Arabic verse: see importParallel); the places are then found in those alone.
        QString sql =
            QStringLiteral("SELECT NrSure, NrAjet, Ajeti FROM Ajetet WHERE Teksti = ? AND (? = 0 OR NrSure = ?)");
        QVariantList values{text, surah, surah};
        if (hasSearchColumn(db))
            for (const QString& part : parts) {
                sql += QStringLiteral(" AND instr(Kerkimi, ?) > 0");
                values.append(text::foldArabic(part).text);
            }
        platform::Statement rows = db.query(sql + QStringLiteral(" ORDER BY NrSure, NrAjet"), values);
        while (rows.next()) {
            ArabicHit hit{int(rows.integer(0)), int(rows.integer(1)), rows.text(2), {}};
            bool all = true;
            for (const QString& part : parts) {
                const auto places = text::findArabic(hit.text, part);
                all = all && !places.isEmpty();
                hit.places += places;
            }
            if (all) {
                std::sort(hit.places.begin(), hit.places.end());
                hits.append(hit);
            }
        }
    } catch (const platform::DbError& e) {
        throw databaseError(database, e);
    }
    return hits;
}

void removeParallel(const QString& database, qint64 text) {
    platform::Connection db;
    try {
        db.Open(database);
        db.transaction([&] {
            db.exec(QStringLiteral("DELETE FROM Ajetet WHERE Teksti = ?"), {text});
            db.exec(QStringLiteral("DELETE FROM Tekstet WHERE ID = ?"), {text});
        });
    } catch (const platform::DbError& e) {
        throw databaseError(database, e);
    }
}

} // namespace databuilder
