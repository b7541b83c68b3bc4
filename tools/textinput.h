#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace platform {
class DbError;
}

// What every reader of the builder's inputs shares: its error, whole files, UTF-8 lines and numbers.
namespace databuilder {

// An input that was refused or a file that could not be written. Nothing was replaced. The message is
// Albanian, for the reader's eyes.
class BuildError : public std::runtime_error {
public:
    explicit BuildError(const QString& message);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The error for a database that could not be written, with SQLite's cause.
BuildError databaseError(const QString& path, const platform::DbError& e);

// The whole file; BuildError when it cannot be read.
QByteArray readWholeFile(const QString& path);
// The lines of a UTF-8 file: LF or CR LF, a leading BOM dropped.
QStringList readUtf8Lines(const QString& path);
// A number of one to four ASCII digits, or -1.
int parseNumber(QStringView s);
// "Rreshti N: what".
QString lineMessage(int line, const QString& what);

} // namespace databuilder
