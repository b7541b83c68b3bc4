#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

// A statement that failed: it carries the statement as composed, SQLite's message and result code.
class DbError : public std::runtime_error {
public:
    DbError(QString statement, QString message, int code);
    const QString& statement() const { return m_statement; }
    const QString& message() const { return m_message; }
    int code() const { return m_code; }

private:
    QString m_statement;
    QString m_message;
    int m_code;
};

// The rows of one statement, read once from the first to the last.
class Recordset {
public:
    Recordset() = default;
    bool Eof() const;
    void MoveNext();
    // The value of a column of the current row, by name (any letter case) or by 0-based position.
    QVariant Fields(const QString& name) const;
    QVariant Fields(int index) const;
    int FieldCount() const;

private:
    friend class Connection;
    struct State;
    std::shared_ptr<State> d;
};

// The one connection to the database. Statements arrive as the program composes them and pass
// through normaliseSql() before SQLite sees them.
class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing database file; never creates one. Throws DbError.
    void Open(const QString& path);
    void Close();
    bool isOpen() const { return m_db != nullptr; }
    const QString& path() const { return m_path; }

    // Runs a statement; a statement that returns rows gives them as a Recordset. Throws DbError.
    Recordset Execute(const QString& statement);

    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
    QString m_path;
};

// LIKE as the program means it: % and _ as wildcards, every letter without regard to case,
// ' ’ ‘ as one character. Exposed for tests; SQLite calls it for every LIKE on the connection.
bool likeMatch(const QString& pattern, const QString& text);

// A short Albanian sentence saying why a statement or an open failed, for the reader's eyes.
QString albanianCause(const DbError& e);

} // namespace platform
