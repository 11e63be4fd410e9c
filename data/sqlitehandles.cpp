#include "data/sqlitehandles.h"

#include "data/fileaccess.h"
#include "data/jetsql.h"

#include <QFile>

namespace qm {

namespace {

constexpr int BusyTimeoutMs = 5000;

// X LIKE Y calls like(Y, X): the old engine's wildcards, case-insensitive.
void likeFunction(sqlite3_context *context, int, sqlite3_value **arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    auto text = [](sqlite3_value *value) {
        const auto *utf8 = reinterpret_cast<const char *>(sqlite3_value_text(value));
        return QString::fromUtf8(utf8, sqlite3_value_bytes(value));
    };
    sqlite3_result_int(context, jetLike(text(arguments[0]), text(arguments[1])) ? 1 : 0);
}

} // namespace

Error sqliteError(sqlite3 *db)
{
    const int code = sqlite3_extended_errcode(db);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    // SQLite says so only in words.
    const QLatin1String noSuchTable("no such table: ");
    if (code == SQLITE_ERROR && message.startsWith(noSuchTable))
        return missingTableError(QString::fromUtf8(sqlite3_db_filename(db, "main")), message.mid(noSuchTable.size()));
    const bool badValue = code == SQLITE_CONSTRAINT_CHECK || code == SQLITE_CONSTRAINT_NOTNULL;
    return Error(badValue ? ErrorCode::CheckFailed : ErrorCode::DatabaseError, message);
}

// ---- Statement ----

Statement::Statement(sqlite3 *db, const QString &sql)
    : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, &tail) != SQLITE_OK)
        throw sqliteError(db);
    if (!m_stmt)
        throw Error(ErrorCode::DatabaseError, QStringLiteral("Invalid SQL statement."));
    QString rest = QString::fromUtf8(tail, utf8.constData() + utf8.size() - tail).trimmed();
    rest.remove(QLatin1Char(';'));
    if (!rest.trimmed().isEmpty()) {
        finalize();
        throw Error(ErrorCode::TrailingCharacters);
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const Error error = sqliteError(m_db);
    sqlite3_reset(m_stmt);
    throw error;
}

void Statement::bind(int index, const Value &value)
{
    int rc = SQLITE_OK;
    switch (value.kind()) {
    case Value::Kind::Null: rc = sqlite3_bind_null(m_stmt, index); break;
    case Value::Kind::Integer: rc = sqlite3_bind_int64(m_stmt, index, value.toInteger()); break;
    case Value::Kind::Double: rc = sqlite3_bind_double(m_stmt, index, value.toDouble()); break;
    case Value::Kind::Text:
    case Value::Kind::Date: {
        const QByteArray text = value.kind() == Value::Kind::Date ? value.toDate().toString(Qt::ISODate).toUtf8()
                                                                  : value.toText().toUtf8();
        rc = sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        break;
    }
    case Value::Kind::Blob: {
        const QByteArray bytes = value.toBlob();
        rc = sqlite3_bind_blob(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK)
        throw sqliteError(m_db);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::finalize()
{
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

QString columnText(sqlite3_stmt *stmt, int i)
{
    const auto *utf8 = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
    return QString::fromUtf8(utf8, sqlite3_column_bytes(stmt, i));
}

// ---- Connection ----

Connection::Connection(const QString &path, bool readOnly)
    : m_path(path)
    , m_readOnly(readOnly)
{
    checkDatabaseFile(path);
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
    int tables = 0;
    try {
        if (rc != SQLITE_OK)
            throw sqliteError(m_db);
        sqlite3_busy_timeout(m_db, BusyTimeoutMs);
        // Replaces the built-in LIKE: % and _ in user text stay literal.
        if (sqlite3_create_function_v2(m_db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                                       nullptr, nullptr, nullptr)
            != SQLITE_OK)
            throw sqliteError(m_db);
        // SQLite reads a file lazily; a file that is no database shows here.
        Statement probe(m_db, QStringLiteral("select count(*) from sqlite_master where type = 'table'"));
        probe.step();
        tables = sqlite3_column_int(probe.get(), 0);
    } catch (const Error &error) {
        const QString reason = sqlite3_errcode(m_db) == SQLITE_NOTADB ? QStringLiteral("the file is not a database")
                                                                      : error.Description();
        sqlite3_close_v2(m_db);
        throw unreadableFileError(path, reason);
    }
    if (tables == 0) {
        sqlite3_close_v2(m_db);
        throw noTablesError(path);
    }
}

Connection::~Connection()
{
    sqlite3_close_v2(m_db);
}

bool Connection::writable() const
{
    return !m_readOnly && sqlite3_db_readonly(m_db, "main") == 0;
}

} // namespace qm
