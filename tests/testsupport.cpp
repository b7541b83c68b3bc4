#include "testsupport.h"

#include "app/module1.h"
#include "data/schema.h"
#include "mainwindow/frmkryesore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

#include <sqlite3.h>

namespace testsupport {

QString buildFolder() {
    return qEnvironmentVariable("LIBREZI_BUILD");
}
QString factsFolder() {
    return qEnvironmentVariable("LIBREZI_FACTS");
}

QString sharedTestFile(const QString& name) {
    const QString path = qEnvironmentVariable("LIBREZI_SHARED") + QStringLiteral("/testdata/") + name;
    return QFile::exists(path) ? path : QString();
}

QString copyBundledData(const QTemporaryDir& dir) {
    const QDir build(buildFolder());
    for (const QString& name : {QStringLiteral("librezi.db"), QStringLiteral("LIB'REZI.rtf")}) {
        const QString to = dir.filePath(name);
        QFile::remove(to);
        if (!QFile::copy(build.filePath(name), to))
            qFatal("cannot copy %s from the build folder", qPrintable(name));
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return dir.path();
}

void createEmptyDatabase(const QString& path) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK)
        qFatal("cannot create %s", qPrintable(path));
    sqlite3_close(db);
    Module1::cnLidhja.Open(path);
    for (const QString& s : schema::createStatements())
        Module1::cnLidhja.Execute(s);
}

QList<QStringList> queryRows(platform::Connection& db, const QString& sql) {
    QList<QStringList> result;
    for (platform::Recordset rs = db.Execute(sql); !rs.Eof(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.FieldCount(); ++i)
            row.append(rs.Fields(i).toString());
        result.append(row);
    }
    return result;
}

void useSettingsIn(const QTemporaryDir& dir) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
}

frmKryesore* startProgram(const QTemporaryDir& dir) {
    Module1::unloadMainWindow();
    copyBundledData(dir);
    useSettingsIn(dir);
    Module1::setProgramFolder(dir.path());
    const int rc = Module1::Main();
    if (rc != 0 || !Module1::mainWindow())
        qFatal("the program did not start (%d)", rc);
    return Module1::mainWindow();
}

} // namespace testsupport
