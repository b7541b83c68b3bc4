// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/reciters.h"

#include "platform/database.h"
#include "tools/textinput.h"

#include <QDir>
#include <QFileInfo>

namespace databuilder {

namespace {

const QString kInsert = QStringLiteral(
    "INSERT INTO Lokacioni_i_zerit (IDLok, Lexuesi, Lokacioni, Ajete, [Default]) VALUES (?, ?, ?, ?, ?)");

constexpr int kBundledReciters = 2; // IDLok 1 and 2

} // namespace

void writeBundledReciters(platform::Connection& db) {
    platform::Statement reciter = db.query(kInsert);
    reciter.run({1, QStringLiteral("Shembull sintetik (ajete)"), QStringLiteral("zeri/ajete"), -1, -1});
    reciter.run({2, QStringLiteral("Shembull sintetik (sure)"), QStringLiteral("zeri/sure"), 0, -1});
}

void copyReciters(platform::Connection& from, platform::Connection& into) {
    QList<QVariantList> rows;
    for (platform::Statement st =
             from.query(QStringLiteral("SELECT IDLok, Lexuesi, Lokacioni, Ajete, [Default] FROM Lokacioni_i_zerit"));
         st.next();)
        rows.append({st.value(0), st.value(1), st.value(2), st.value(3), st.value(4)});
    into.transaction([&] {
        platform::Statement mark =
            into.query(QStringLiteral("UPDATE Lokacioni_i_zerit SET [Default] = ? WHERE IDLok = ?"));
        platform::Statement add = into.query(QStringLiteral("INSERT OR REPLACE INTO Lokacioni_i_zerit (IDLok, Lexuesi, "
                                                            "Lokacioni, Ajete, [Default]) VALUES (?, ?, ?, ?, ?)"));
        for (const QVariantList& row : rows) {
            if (row[0].toInt() >= 1 && row[0].toInt() <= kBundledReciters)
                mark.run({row[4], row[0]});
            else
                add.run(row);
        }
    });
}

int addReciter(const ReciterOptions& options) {
    const QString name = options.name.trimmed();
    if (name.isEmpty())
        throw BuildError(QStringLiteral("Emri i lexuesit nuk mund të jetë bosh."));
    const QFileInfo database(options.database);
    if (!database.isFile())
        throw BuildError(
            QStringLiteral("Baza e të dhënave %1 nuk u gjet.").arg(QDir::toNativeSeparators(options.database)));
    QString folder = QDir(database.absolutePath()).filePath(options.folder);
    if (!options.otherBase.isEmpty() && !QFileInfo(folder).isDir() &&
        QFileInfo(QDir(options.otherBase).filePath(options.folder)).isDir())
        folder = QDir(options.otherBase).filePath(options.folder);
    if (options.folder.isEmpty() || !QFileInfo(folder).isDir())
        throw BuildError(QStringLiteral("Dosja e lexuesit %1 nuk ekziston.").arg(QDir::toNativeSeparators(folder)));

    const int ajete = options.verses ? -1 : 0;
    int id = 0;
    try {
        platform::Connection db;
        db.Open(options.database);
        db.transaction([&] {
            if (options.makeDefault)
                db.exec(QStringLiteral("UPDATE Lokacioni_i_zerit SET [Default] = 0 WHERE Ajete = ?"), {ajete});
            id = int(db.value(QStringLiteral("SELECT coalesce(max(IDLok), 0) + 1 FROM Lokacioni_i_zerit")).toInt());
            db.exec(kInsert, {id, name, options.folder, ajete, options.makeDefault ? -1 : 0});
        });
    } catch (const platform::DbError& e) {
        throw databaseError(options.database, e);
    }
    return id;
}

} // namespace databuilder
