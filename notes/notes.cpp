// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/notes.h"

#include "platform/database.h"
#include "platform/textfold.h"
#include "tools/textinput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace notes {

namespace {

const QString kSchema =
    QStringLiteral("CREATE TABLE IF NOT EXISTS Shenimet (NrSure INTEGER NOT NULL, NrAjet INTEGER NOT NULL, "
                   "Shenimi TEXT NOT NULL, Ndryshuar INTEGER NOT NULL, PRIMARY KEY (NrSure, NrAjet))");

// The number of surahs: a key beyond it names no verse.
constexpr int kSurahs = 114;

using databuilder::BuildError;

void openForWriting(platform::Connection& db, const QString& store) {
    QDir().mkpath(QFileInfo(store).absolutePath()); // the reader's data folder, on a first note
    db.Open(store, platform::Connection::Mode::Create);
    db.exec(kSchema);
}

// Writes one verse's note inside the caller's transaction.
void put(platform::Connection& db, text::Verse verse, const QString& text) {
    if (text.trimmed().isEmpty())
        db.exec(QStringLiteral("DELETE FROM Shenimet WHERE NrSure = ? AND NrAjet = ?"), {verse.surah, verse.verse});
    else
        db.exec(QStringLiteral("INSERT OR REPLACE INTO Shenimet (NrSure, NrAjet, Shenimi, Ndryshuar) "
                               "VALUES (?, ?, ?, ?)"),
                {verse.surah, verse.verse, text, QDateTime::currentMSecsSinceEpoch()});
}

// Opens the store for reading; false when there is no store, or no note was ever kept in it.
bool openForReading(platform::Connection& db, const QString& store) {
    if (!QFileInfo::exists(store))
        return false;
    db.Open(store);
    return db.value(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'Shenimet'")).isValid();
}

BuildError fileError(const QString& file, const QString& cause) {
    return BuildError(QStringLiteral("Skedari i shënimeve %1 %2").arg(QDir::toNativeSeparators(file), cause), cause);
}

} // namespace

void save(const QString& store, text::Verse verse, const QString& text) {
    if (!verse.isValid())
        return;
    platform::Connection db;
    try {
        openForWriting(db, store);
        db.transaction([&] { put(db, verse, text); });
    } catch (const platform::DbError& e) {
        throw databuilder::databaseError(store, e);
    }
}

QString note(const QString& store, text::Verse verse) {
    platform::Connection db;
    try {
        if (!openForReading(db, store))
            return {};
        return db
            .value(QStringLiteral("SELECT Shenimi FROM Shenimet WHERE NrSure = ? AND NrAjet = ?"),
                   {verse.surah, verse.verse})
            .toString();
    } catch (const platform::DbError& e) {
        throw databuilder::databaseError(store, e);
    }
}

QList<Note> all(const QString& store) {
    QList<Note> notes;
    platform::Connection db;
    try {
        if (!openForReading(db, store))
            return notes;
        for (platform::Statement rows = db.query(
                 QStringLiteral("SELECT NrSure, NrAjet, Shenimi, Ndryshuar FROM Shenimet ORDER BY NrSure, NrAjet"));
             rows.next();)
            notes.append({{int(rows.integer(0)), int(rows.integer(1))},
                          rows.text(2),
                          QDateTime::fromMSecsSinceEpoch(rows.integer(3))});
    } catch (const platform::DbError& e) {
        throw databuilder::databaseError(store, e);
    }
    return notes;
}

QList<Note> search(const QList<Note>& notes, const QString& filter) {
    const QString wanted = platform::foldText(filter.trimmed(), true);
    QList<Note> found;
    for (const Note& n : notes)
        if (platform::foldText(n.text, true).contains(wanted) || n.verse.text() == wanted)
            found.append(n);
    return found;
}

int exportTo(const QString& store, const QString& file) {
    QJsonArray list;
    for (const Note& n : all(store))
        list.append(QJsonObject{{QStringLiteral("ajeti"), n.verse.text()}, {QStringLiteral("shenimi"), n.text}});
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(list).toJson()) < 0 || !out.commit())
        throw fileError(file, QStringLiteral("nuk mund të shkruhet.\n(%1)").arg(out.errorString()));
    return int(list.size());
}

int importFrom(const QString& store, const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw fileError(file, QStringLiteral("nuk mund të lexohet.\n(%1)").arg(in.errorString()));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(in.read(databuilder::kMaxInputBytes), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        throw fileError(file, QStringLiteral("nuk është një listë shënimesh."));
    QList<std::pair<text::Verse, QString>> read;
    for (const QJsonValue& item : doc.array()) {
        const QJsonObject o = item.toObject();
        const text::Verse verse = text::Verse::fromText(o.value(QStringLiteral("ajeti")).toString());
        if (!verse.isValid() || verse.surah > kSurahs || !o.value(QStringLiteral("shenimi")).isString())
            throw fileError(file, QStringLiteral("nuk është një listë shënimesh: %1 nuk është një ajet.")
                                      .arg(o.value(QStringLiteral("ajeti")).toVariant().toString()));
        read.append({verse, o.value(QStringLiteral("shenimi")).toString()});
    }
    int changed = 0;
    platform::Connection db;
    try {
        openForWriting(db, store);
        db.transaction([&] {
            for (const auto& [verse, text] : read) {
                if (text.trimmed().isEmpty())
                    continue;
                const QString own =
                    db.value(QStringLiteral("SELECT Shenimi FROM Shenimet WHERE NrSure = ? AND NrAjet = ?"),
                             {verse.surah, verse.verse})
                        .toString();
                if (own.contains(text))
                    continue; // already here
                put(db, verse, own.isEmpty() ? text : own + QStringLiteral("\n\n") + text);
                ++changed;
            }
        });
    } catch (const platform::DbError& e) {
        throw databuilder::databaseError(store, e);
    }
    return changed;
}

} // namespace notes
