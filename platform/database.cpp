// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/database.h"

#include "platform/textfold.h"

#include <QFileInfo>
#include <QStringList>

#include <utility>

#include <sqlite3.h>

namespace platform {

DbError::DbError(QString statement, QString message, int code)
    : std::runtime_error(QString(message + QStringLiteral(" [") + statement + u']').toStdString()),
      m_statement(std::move(statement)), m_message(std::move(message)), m_code(code) {}

namespace {

// Matches one segment (no %) of a folded pattern against the text at `at`; _ takes any one character.
bool segmentAt(const QChar* seg, qsizetype segLen, const QChar* text, qsizetype at) {
    for (qsizetype k = 0; k < segLen; ++k)
        if (seg[k] != u'_' && seg[k] != text[at + k])
            return false;
    return true;
}

qsizetype findSegment(const QString& seg, const QString& text, qsizetype from) {
    if (!seg.contains(u'_'))
        return text.indexOf(seg, from);
    for (qsizetype at = from; at + seg.size() <= text.size(); ++at)
        if (segmentAt(seg.constData(), seg.size(), text.constData(), at))
            return at;
    return -1;
}

void foldFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc < 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const void* p = sqlite3_value_text16(argv[0]);
    const QString folded =
        foldText(QString(reinterpret_cast<const QChar*>(p), sqlite3_value_bytes16(argv[0]) / 2), true);
    sqlite3_result_text16(ctx, folded.utf16(), int(folded.size() * 2), SQLITE_TRANSIENT);
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    auto text16 = [](sqlite3_value* v) {
        const void* p = sqlite3_value_text16(v);
        const int bytes = sqlite3_value_bytes16(v);
        return QString(reinterpret_cast<const QChar*>(p), bytes / 2);
    };
    const QString pattern = text16(argv[0]);
    const QString text = text16(argv[1]);
    sqlite3_result_int(ctx, likeMatch(pattern, text) ? 1 : 0);
}

QString errorText(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

} // namespace

bool likeMatch(const QString& patternIn, const QString& textIn) {
    const QString pattern = foldText(patternIn);
    const QString text = foldText(textIn);
    const QStringList segs = pattern.split(u'%');
    if (segs.size() == 1)
        return pattern.size() == text.size() && segmentAt(pattern.constData(), pattern.size(), text.constData(), 0);

    // The first segment is anchored at the start, the last at the end; those between are found
    // leftmost-first, which is enough for patterns made only of % and _.
    const QString& first = segs.first();
    const QString& last = segs.last();
    if (first.size() + last.size() > text.size())
        return false;
    if (!segmentAt(first.constData(), first.size(), text.constData(), 0))
        return false;
    const qsizetype lastAt = text.size() - last.size();
    if (!segmentAt(last.constData(), last.size(), text.constData(), lastAt))
        return false;
    qsizetype pos = first.size();
    for (qsizetype i = 1; i + 1 < segs.size(); ++i) {
        const QString& seg = segs[i];
        if (seg.isEmpty())
            continue;
        const qsizetype at = findSegment(seg, text, pos);
        if (at < 0 || at + seg.size() > lastAt)
            return false;
        pos = at + seg.size();
    }
    return true;
}

// ---- statements ----------------------------------------------------------------------------------

Statement::Statement(Statement&& other) noexcept
    : m_db(other.m_db), m_stmt(std::exchange(other.m_stmt, nullptr)), m_sql(std::move(other.m_sql)),
      m_row(std::exchange(other.m_row, false)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_sql = std::move(other.m_sql);
        m_row = std::exchange(other.m_row, false);
    }
    return *this;
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::fail(int code) const {
    throw DbError(m_sql, errorText(m_db), code);
}

Statement& Statement::bind(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        int rc = SQLITE_OK;
        switch (v.isNull() ? QMetaType::UnknownType : v.typeId()) {
        case QMetaType::UnknownType:
            rc = sqlite3_bind_null(m_stmt, i + 1);
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(m_stmt, i + 1, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::ULongLong: // may not fit in 64 signed bits
            rc = sqlite3_bind_double(m_stmt, i + 1, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            rc = sqlite3_bind_blob(m_stmt, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QString text = v.toString();
            rc = sqlite3_bind_text16(m_stmt, i + 1, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
        }
        }
        if (rc != SQLITE_OK)
            fail(rc);
    }
    return *this;
}

bool Statement::next() {
    if (!m_stmt)
        throw DbError(m_sql, QStringLiteral("no statement"), SQLITE_MISUSE);
    const int rc = sqlite3_step(m_stmt);
    m_row = rc == SQLITE_ROW;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(rc);
    return m_row;
}

void Statement::run() {
    while (next()) {
    }
}

Statement& Statement::reset(const QVariantList& values) {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    m_row = false;
    return bind(values);
}

void Statement::requireRow(int column) const {
    if (!m_row)
        throw DbError(m_sql, QStringLiteral("no current row"), SQLITE_MISUSE);
    if (column < 0 || column >= sqlite3_column_count(m_stmt))
        throw DbError(m_sql, QStringLiteral("no column at position %1").arg(column), SQLITE_RANGE);
}

int Statement::columnCount() const {
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

int Statement::column(const QString& name) const {
    for (int i = 0; i < columnCount(); ++i) // the first column of a name wins
        if (name.compare(QString::fromUtf8(sqlite3_column_name(m_stmt, i)), Qt::CaseInsensitive) == 0)
            return i;
    throw DbError(m_sql, QStringLiteral("no such column: ") + name, SQLITE_ERROR);
}

QVariant Statement::value(int column) const {
    requireRow(column);
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(text(column));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return QVariant();
    }
}

QString Statement::text(int column) const {
    requireRow(column);
    const void* p = sqlite3_column_text16(m_stmt, column);
    return QString(reinterpret_cast<const QChar*>(p), sqlite3_column_bytes16(m_stmt, column) / 2);
}

qint64 Statement::integer(int column) const {
    requireRow(column);
    return sqlite3_column_int64(m_stmt, column);
}

// ---- the connection ---------------------------------------------------------------------------------

Connection::~Connection() {
    Close();
}

void Connection::Close() {
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void Connection::Open(const QString& path, Mode mode) {
    Close();
    m_path = path;
    if (mode == Mode::Existing && !QFileInfo(path).isFile())
        throw DbError(QString(), QStringLiteral("unable to open database file"), SQLITE_CANTOPEN);
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? errorText(db) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw DbError(QString(), msg, rc);
    }
    // Double-quoted words are identifiers, never guessed to be text.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_timeout(db, 2000);
    sqlite3_extended_result_codes(db, 1); // tells a database replaced under us from a read-only one
    for (int args : {2, 3})
        sqlite3_create_function_v2(db, "like", args, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                                   nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "loose_fold", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, foldFunction, nullptr,
                               nullptr, nullptr);
    m_db = db;
    // A file that is not a database fails here, not at the first statement of the program, and leaves the
    // connection closed.
    try {
        exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (const DbError&) {
        Close();
        throw;
    }
}

Statement Connection::query(const QString& sql, const QVariantList& values) {
    if (!m_db)
        throw DbError(sql, QStringLiteral("the database is not open"), SQLITE_MISUSE);
    sqlite3_stmt* stmt = nullptr;
    const void* tail = nullptr;
    const int rc = sqlite3_prepare16_v2(m_db, sql.utf16(), int(sql.size() * 2), &stmt, &tail);
    Statement st(m_db, stmt, sql);
    if (rc != SQLITE_OK)
        st.fail(rc);
    // One statement at a time: anything after it but blanks and semicolons is refused.
    const auto* rest = static_cast<const char16_t*>(tail);
    const auto* end = reinterpret_cast<const char16_t*>(sql.utf16()) + sql.size();
    for (; rest && rest < end; ++rest)
        if (*rest != u';' && !QChar::isSpace(*rest))
            throw DbError(sql, QStringLiteral("more than one statement"), SQLITE_ERROR);
    if (!stmt) // blanks only
        throw DbError(sql, QStringLiteral("empty statement"), SQLITE_ERROR);
    st.bind(values);
    return st;
}

void Connection::exec(const QString& sql, const QVariantList& values) {
    query(sql, values).run();
}

QVariant Connection::value(const QString& sql, const QVariantList& values) {
    Statement st = query(sql, values);
    return st.next() ? st.value(0) : QVariant();
}

void Connection::rollback() noexcept {
    // A failed statement may already have ended the transaction.
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

QString albanianCause(const DbError& e) {
    const QString& m = e.message();
    if (e.code() == SQLITE_READONLY_DBMOVED)
        return QStringLiteral("baza e të dhënave u zëvendësua nga një import i ri; rinisni programin");
    switch (e.code() & 0xff) {
    case SQLITE_CANTOPEN:
        return QStringLiteral("skedari mungon ose nuk mund të hapet");
    case SQLITE_NOTADB:
        return QStringLiteral("skedari nuk është bazë të dhënash");
    case SQLITE_CORRUPT:
        return QStringLiteral("baza e të dhënave është e dëmtuar");
    case SQLITE_READONLY:
        return QStringLiteral("baza e të dhënave lejon vetëm leximin");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("nuk ka leje për bazën e të dhënave");
    case SQLITE_IOERR:
        return QStringLiteral("gabim gjatë leximit ose shkrimit të skedarit");
    case SQLITE_FULL:
        return QStringLiteral("disku është plot");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("baza e të dhënave është e zënë nga një program tjetër");
    default:
        break;
    }
    if (m.startsWith(QLatin1String("no such table: ")))
        return QStringLiteral("mungon tabela „%1”").arg(m.mid(15));
    if (m.startsWith(QLatin1String("no such column: ")))
        return QStringLiteral("mungon kolona „%1”").arg(m.mid(16));
    if (m.contains(QLatin1String("syntax error")) || m.contains(QLatin1String("unrecognized token")))
        return QStringLiteral("urdhri drejtuar bazës së të dhënave nuk është i saktë");
    return QStringLiteral("baza e të dhënave nuk e kreu urdhrin");
}

} // namespace platform
