#include "platform/database.h"

#include "platform/sqldialect.h"
#include "platform/textfold.h"

#include <QFileInfo>
#include <QStringList>

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

struct Recordset::State {
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    QString statement;
    bool eof = true;
    mutable QHash<QString, int> columns; // lower-case name -> position
    ~State() { sqlite3_finalize(stmt); }

    void step() {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            eof = false;
        } else if (rc == SQLITE_DONE) {
            eof = true;
        } else {
            eof = true;
            throw DbError(statement, errorText(db), rc);
        }
    }
};

bool Recordset::Eof() const {
    return !d || d->eof;
}

void Recordset::MoveNext() {
    if (!d || d->eof)
        throw DbError(d ? d->statement : QString(), QStringLiteral("no current row"), SQLITE_MISUSE);
    d->step();
}

int Recordset::FieldCount() const {
    return d ? sqlite3_column_count(d->stmt) : 0;
}

QVariant Recordset::Fields(int index) const {
    if (!d || d->eof)
        throw DbError(d ? d->statement : QString(), QStringLiteral("no current row"), SQLITE_MISUSE);
    if (index < 0 || index >= sqlite3_column_count(d->stmt))
        throw DbError(d->statement, QStringLiteral("no column at position %1").arg(index), SQLITE_RANGE);
    switch (sqlite3_column_type(d->stmt, index)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(d->stmt, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(d->stmt, index));
    case SQLITE_TEXT:
        return QVariant(QString(reinterpret_cast<const QChar*>(sqlite3_column_text16(d->stmt, index)),
                                sqlite3_column_bytes16(d->stmt, index) / 2));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(d->stmt, index)),
                                   sqlite3_column_bytes(d->stmt, index)));
    default:
        return QVariant();
    }
}

QVariant Recordset::Fields(const QString& name) const {
    if (!d)
        throw DbError(QString(), QStringLiteral("no result"), SQLITE_MISUSE);
    if (d->columns.isEmpty()) {
        const int n = sqlite3_column_count(d->stmt);
        for (int i = n - 1; i >= 0; --i) // the first column of a name wins
            d->columns.insert(QString::fromUtf8(sqlite3_column_name(d->stmt, i)).toLower(), i);
    }
    const auto it = d->columns.constFind(name.toLower());
    if (it == d->columns.constEnd())
        throw DbError(d->statement, QStringLiteral("no such column: ") + name, SQLITE_ERROR);
    return Fields(it.value());
}

Connection::~Connection() {
    Close();
}

void Connection::Close() {
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void Connection::Open(const QString& path) {
    Close();
    m_path = path;
    if (!QFileInfo(path).isFile())
        throw DbError(QString(), QStringLiteral("unable to open database file"), SQLITE_CANTOPEN);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? errorText(db) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw DbError(QString(), msg, rc);
    }
    // Double-quoted words are identifiers, never guessed to be text.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_timeout(db, 2000);
    for (int args : {2, 3})
        sqlite3_create_function_v2(db, "like", args, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                                   nullptr, nullptr, nullptr);
    m_db = db;
    // A file that is not a database fails here, not at the first statement of the program.
    Execute(QStringLiteral("select count(*) from sqlite_master"));
}

Recordset Connection::Execute(const QString& statement) {
    if (!m_db)
        throw DbError(statement, QStringLiteral("the database is not open"), SQLITE_MISUSE);
    const QString sql = normaliseSql(statement);
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        throw DbError(statement, errorText(m_db), rc);
    }
    // One statement at a time: anything after it but blanks and semicolons is refused.
    for (const char* p = tail; p && *p; ++p)
        if (*p != ';' && !QChar::isSpace(uchar(*p))) {
            sqlite3_finalize(stmt);
            throw DbError(statement, QStringLiteral("more than one statement"), SQLITE_ERROR);
        }
    if (!stmt) // blanks only
        throw DbError(statement, QStringLiteral("empty statement"), SQLITE_ERROR);
    Recordset rs;
    rs.d = std::make_shared<Recordset::State>();
    rs.d->db = m_db;
    rs.d->stmt = stmt;
    rs.d->statement = statement;
    rs.d->step();
    return rs;
}

QString albanianCause(const DbError& e) {
    const QString& m = e.message();
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
