#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class frmKryesore;
namespace platform {
class Connection;
}

namespace testsupport {

// The folder where the build wrote the bundled librezi.db and whole text.
QString buildFolder();
// The project's reference facts (resources/facts).
QString factsFolder();
// A file of the shared test material, or "" when it is not there (a fresh clone has none).
QString sharedTestFile(const QString& name);

// Copies the bundled database and whole text into `dir` and returns the folder.
QString copyBundledData(const QTemporaryDir& dir);

// Creates an empty database of the program's schema at `path` and opens the shared connection on it.
void createEmptyDatabase(const QString& path);

// Every row of a statement, each column as text.
QList<QStringList> queryRows(platform::Connection& db, const QString& sql);

// Points the per-user settings store into `dir` (call before anything reads settings).
void useSettingsIn(const QTemporaryDir& dir);

// Starts the program on a copy of the bundled data in `dir` (settings kept in `dir` too) and returns
// its main window; fails the test when it does not start.
frmKryesore* startProgram(const QTemporaryDir& dir);

// Finds a child widget by object name and type, failing loudly when it is missing.
template <typename T> T* child(QObject* parent, const char* name) {
    T* w = parent->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

} // namespace testsupport
