// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
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
    explicit BuildError(const QString& message, const QString& cause = QString());
    const QString& message() const { return m_message; }
    // The cause alone, without the file named (a caller that names the file itself); the message when none is given.
    const QString& cause() const { return m_cause.isEmpty() ? m_message : m_cause; }

private:
    QString m_message;
    QString m_cause;
};

// The error for a database that could not be written: the file named, the cause in Albanian and SQLite's
// own words on a second line.
BuildError databaseError(const QString& path, const platform::DbError& e);

// Why a file operation failed, in Albanian, from the system's error number; the system's own words follow on
// a second line.
QString fileCause(int error);

// A count as the reader reads it, grouped by thousands with blanks: "67 108 865", "6 236".
QString groupedNumber(qint64 n);

// The largest input the builder reads: a translation is about 1 MB.
inline constexpr qint64 kMaxInputBytes = 64 * 1024 * 1024;

// The whole file; BuildError when it is missing, is not a regular file (a device, a pipe, a folder), is
// larger than kMaxInputBytes (its size and the limit said in bytes), or cannot be read.
QByteArray readWholeFile(const QString& path);
// The lines of a text: LF, CR LF and a lone CR each end a line; no empty line follows a last line break.
QList<QByteArrayView> splitLines(QByteArrayView text);
// The lines of a UTF-8 file, a leading BOM dropped.
QStringList readUtf8Lines(const QString& path);
// A number of one to four ASCII digits, or -1.
int parseNumber(QStringView s);
// "Rreshti N: what".
QString lineMessage(int line, const QString& what);

} // namespace databuilder
