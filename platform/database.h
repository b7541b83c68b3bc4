// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

// A statement that failed: it carries the statement, SQLite's message and result code.
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

// One prepared statement: values are bound to its "?" parameters, its rows are read one at a time.
// Finalised when it goes.
class Statement {
public:
    Statement() = default;
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    // Binds the values to the parameters in order: integers, doubles, texts, byte arrays; an invalid
    // or null value binds NULL.
    Statement& bind(const QVariantList& values);
    // Steps to the next row: true while there is one. Throws DbError.
    bool next();
    // Runs the statement to its end, reading no rows.
    void run();
    // Back to the start with new values bound (for a statement run once per item).
    Statement& reset(const QVariantList& values);
    void run(const QVariantList& values) { reset(values).run(); }

    // The current row's columns, by position from 0.
    QVariant value(int column) const;
    QString text(int column) const; // a number in decimal, NULL as ""
    qint64 integer(int column) const;
    int columnCount() const;
    // The position of a result column named `name` (any letter case). Throws DbError when none is.
    int column(const QString& name) const;

    const QString& sql() const { return m_sql; }

private:
    friend class Connection;
    Statement(sqlite3* db, sqlite3_stmt* stmt, QString sql) : m_db(db), m_stmt(stmt), m_sql(std::move(sql)) {}
    [[noreturn]] void fail(int code) const;
    void requireRow(int column) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
    bool m_row = false;
};

// A connection to one database file, in SQLite's own dialect. LIKE on it ignores letter case for every
// letter and takes the apostrophes ' ’ ‘ as one character (see likeMatch).
class Connection {
public:
    enum class Mode { Existing, Create };

    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens a database file. Existing: the file must be there and be a database; Create: a new file is
    // made when there is none. Throws DbError.
    void Open(const QString& path, Mode mode = Mode::Existing);
    void Close();
    bool isOpen() const { return m_db != nullptr; }
    const QString& path() const { return m_path; }

    // One statement (blanks and semicolons may follow it, nothing else) with its values bound, not yet
    // run. Throws DbError.
    Statement query(const QString& sql, const QVariantList& values = {});
    // Runs a statement to its end.
    void exec(const QString& sql, const QVariantList& values = {});
    // The first column of the first row; an invalid QVariant when there is no row or it holds NULL.
    QVariant value(const QString& sql, const QVariantList& values = {});

    // Runs `work` inside a transaction: committed when it returns, rolled back when it throws.
    template <typename F> void transaction(F&& work) {
        exec(QStringLiteral("BEGIN"));
        try {
            work();
            exec(QStringLiteral("COMMIT"));
        } catch (...) {
            rollback();
            throw;
        }
    }

private:
    void rollback() noexcept;
    sqlite3* m_db = nullptr;
    QString m_path;
};

// LIKE as the program means it: % and _ as wildcards, every letter without regard to case,
// ' ’ ‘ as one character. SQLite calls it for every LIKE on a connection. The connection also knows
// loose_fold(text): the text folded loosely (foldText with ë as e, ç as c).
bool likeMatch(const QString& pattern, const QString& text);

// A short Albanian sentence saying why a statement or an open failed, for the reader's eyes.
QString albanianCause(const DbError& e);

} // namespace platform
