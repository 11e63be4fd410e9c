#include "platform/database.h"

#include "platform/dates.h"
#include "platform/decimal.h"
#include "platform/error.h"
#include "platform/fileaccess.h"
#include "platform/jetsql.h"
#include "platform/services.h"

#include <QFileInfo>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace qm {

namespace {

// Error numbers only this file raises.
constexpr int TrailingCharacters = 3142;
constexpr int InvalidBookmark = 3159;
constexpr int InvalidOperation = 3219;
constexpr int TableNotFound = 3078;

constexpr int BusyTimeoutMs = 5000;

enum Action {
    MoveFirstAction = 1,
    MovePreviousAction = 2,
    MoveNextAction = 3,
    MoveLastAction = 4,
    AddNewAction = 5,
    DeleteAction = 7,
    BookmarkAction = 9
};

[[noreturn]] void fail(int number, const char *description)
{
    throw Error(number, QString::fromUtf8(description));
}

[[noreturn]] void noCurrentRecord()
{
    fail(ErrorCode::NoCurrentRecord, "No current record.");
}

[[noreturn]] void recordIsDeleted()
{
    fail(ErrorCode::RecordIsDeleted, "Record is deleted.");
}

[[noreturn]] void notUpdatable()
{
    fail(ErrorCode::NotUpdatable, "Cannot update. Database or object is read-only.");
}

[[noreturn]] void objectClosed()
{
    fail(ErrorCode::ObjectClosed, "Object invalid or no longer set.");
}

[[noreturn]] void conversionError()
{
    fail(ErrorCode::DataTypeConversion, "Data type conversion error.");
}

Error sqliteError(sqlite3 *db)
{
    const int code = sqlite3_extended_errcode(db);
    const bool badValue = code == SQLITE_CONSTRAINT_CHECK || code == SQLITE_CONSTRAINT_NOTNULL;
    return Error(badValue ? ErrorCode::CheckFailed : ErrorCode::DatabaseError, QString::fromUtf8(sqlite3_errmsg(db)));
}

QString quoteName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A prepared statement that is finalised when it goes out of scope.
class Statement
{
public:
    Statement() = default;
    Statement(sqlite3 *db, const QString &sql)
        : m_db(db)
    {
        const QByteArray utf8 = sql.toUtf8();
        const char *tail = nullptr;
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, &tail) != SQLITE_OK)
            throw sqliteError(db);
        if (!m_stmt)
            fail(ErrorCode::DatabaseError, "Invalid SQL statement.");
        QString rest = QString::fromUtf8(tail, utf8.constData() + utf8.size() - tail).trimmed();
        rest.remove(QLatin1Char(';'));
        if (!rest.trimmed().isEmpty()) {
            finalize();
            fail(TrailingCharacters, "Characters found after end of SQL statement.");
        }
    }
    ~Statement() { finalize(); }
    Statement(Statement &&other) noexcept { swap(other); }
    Statement &operator=(Statement &&other) noexcept
    {
        Statement moved(std::move(other));
        swap(moved);
        return *this;
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

    // True with a row, false when done.
    bool step()
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

    void bind(int index, const Value &value)
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

    // Ends the statement's read, so that no transaction stays open between calls.
    void reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

    void finalize()
    {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }

private:
    void swap(Statement &other) noexcept
    {
        std::swap(m_db, other.m_db);
        std::swap(m_stmt, other.m_stmt);
    }

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};

class ResetOnExit
{
public:
    explicit ResetOnExit(Statement &statement)
        : m_statement(statement)
    {
    }
    ~ResetOnExit() { m_statement.reset(); }
    ResetOnExit(const ResetOnExit &) = delete;
    ResetOnExit &operator=(const ResetOnExit &) = delete;

private:
    Statement &m_statement;
};

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

struct FieldInfo
{
    QString name;
    FieldType type = FieldType::Text;
    bool typed = false; // the schema declares the type; otherwise it follows the value
    QString column;     // the column of the updatable table this field writes; "" if none
};

FieldType typeFromDeclaration(const QString &declaration, bool &typed)
{
    QString d = declaration.trimmed().toUpper();
    if (const qsizetype bracket = d.indexOf(QLatin1Char('(')); bracket >= 0)
        d = d.left(bracket).trimmed();
    typed = true;
    static const std::pair<const char *, FieldType> names[] = {
        {"COUNTER", FieldType::Counter},   {"AUTOINCREMENT", FieldType::Counter},
        {"LONG", FieldType::Long},         {"INTEGER", FieldType::Long},
        {"INT", FieldType::Long},          {"DOUBLE", FieldType::Double},
        {"REAL", FieldType::Double},       {"FLOAT", FieldType::Double},
        {"CURRENCY", FieldType::Currency}, {"DATE", FieldType::Date},
        {"DATETIME", FieldType::Date},     {"BOOLEAN", FieldType::Boolean},
        {"BIT", FieldType::Boolean},       {"TEXT", FieldType::Text},
        {"VARCHAR", FieldType::Text},      {"CHAR", FieldType::Text},
        {"LONGTEXT", FieldType::Memo},     {"MEMO", FieldType::Memo},
        {"BLOB", FieldType::Binary},       {"LONGBINARY", FieldType::Binary},
    };
    for (const auto &[name, type] : names) {
        if (d == QLatin1String(name))
            return type;
    }
    typed = false;
    return FieldType::Text;
}

// The INTEGER PRIMARY KEY that stands for the rowid: the layer never writes it.
bool isRowidAlias(sqlite3 *db, const char *database, const char *table, const char *column)
{
    const char *declared = nullptr;
    int primaryKey = 0;
    int autoIncrement = 0;
    if (sqlite3_table_column_metadata(db, database, table, column, &declared, nullptr, nullptr, &primaryKey,
                                      &autoIncrement)
            != SQLITE_OK
        || !primaryKey)
        return false;
    if (autoIncrement)
        return true;
    if (QString::fromUtf8(declared).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) != 0)
        return false;
    Statement keys(db, QStringLiteral("select count(*) from pragma_table_info(?, ?) where pk > 0"));
    keys.bind(1, Value(QString::fromUtf8(table)));
    keys.bind(2, Value(QString::fromUtf8(database)));
    return keys.step() && sqlite3_column_int(keys.get(), 0) == 1;
}

// The fields of a prepared select; those of `writable` (a table's real name) can be written.
std::vector<FieldInfo> describeFields(sqlite3 *db, sqlite3_stmt *stmt, const QString &writable)
{
    std::vector<FieldInfo> fields;
    const int count = sqlite3_column_count(stmt);
    for (int i = 0; i < count; ++i) {
        FieldInfo field;
        field.name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        const char *database = sqlite3_column_database_name(stmt, i);
        const char *table = sqlite3_column_table_name(stmt, i);
        const char *column = sqlite3_column_origin_name(stmt, i);
        field.type = typeFromDeclaration(QString::fromUtf8(sqlite3_column_decltype(stmt, i)), field.typed);
        if (table && column && isRowidAlias(db, database, table, column)) {
            field.type = FieldType::Counter;
            field.typed = true;
        }
        if (table && column && field.type != FieldType::Counter && !writable.isEmpty()
            && writable.compare(QString::fromUtf8(table), Qt::CaseInsensitive) == 0 && QByteArray(database) == "main")
            field.column = QString::fromUtf8(column);
        fields.push_back(field);
    }
    return fields;
}

QString columnText(sqlite3_stmt *stmt, int i)
{
    const auto *utf8 = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
    return QString::fromUtf8(utf8, sqlite3_column_bytes(stmt, i));
}

// A stored value as its field presents it: dates as dates, Yes/No as -1/0, money as a double.
Value readColumn(sqlite3_stmt *stmt, int i, const FieldInfo &field)
{
    const int storage = sqlite3_column_type(stmt, i);
    if (storage == SQLITE_NULL)
        return {};
    const bool numeric = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
    if (field.typed) {
        switch (field.type) {
        case FieldType::Counter:
        case FieldType::Long:
            if (storage == SQLITE_INTEGER)
                return Value(qint64(sqlite3_column_int64(stmt, i)));
            break;
        case FieldType::Boolean:
            if (numeric)
                return Value(sqlite3_column_double(stmt, i) != 0 ? -1 : 0);
            break;
        case FieldType::Double:
        case FieldType::Currency:
            if (numeric)
                return Value(sqlite3_column_double(stmt, i));
            break;
        case FieldType::Date:
            if (storage == SQLITE_TEXT) {
                const QString text = columnText(stmt, i);
                // 'YYYY-MM-DD', or with a time after it that a day does not show
                const QChar after = text.size() > 10 ? text[10] : QLatin1Char(' ');
                const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
                if (date.isValid() && (after == QLatin1Char(' ') || after == QLatin1Char('T')))
                    return Value(date);
            }
            break;
        case FieldType::Text:
        case FieldType::Memo:
            if (storage != SQLITE_BLOB)
                return Value(columnText(stmt, i));
            break;
        case FieldType::Binary: break;
        }
    }
    switch (storage) {
    case SQLITE_INTEGER: return Value(qint64(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT: return Value(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT: return Value(columnText(stmt, i));
    default: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt, i));
        return Value::blob(QByteArray(bytes, sqlite3_column_bytes(stmt, i)));
    }
    }
}

std::vector<Value> readValues(sqlite3_stmt *stmt, const std::vector<FieldInfo> &fields)
{
    std::vector<Value> values;
    values.reserve(fields.size());
    for (int i = 0; i < int(fields.size()); ++i)
        values.push_back(readColumn(stmt, i, fields[size_t(i)]));
    return values;
}

// A value converted to what its field holds, as the old engine converted on assignment.
Value convertForField(FieldType type, const Value &value)
{
    if (value.isNull())
        return {};
    const bool isText = value.kind() == Value::Kind::Text;
    if (type == FieldType::Text || type == FieldType::Memo) {
        if (value.kind() == Value::Kind::Blob)
            conversionError();
        return Value(value.toText());
    }
    if (isText && value.toText().trimmed().isEmpty())
        return {};
    try {
        switch (type) {
        case FieldType::Long:
            if (value.isNumber() || isText)
                return Value(value.toInteger());
            break;
        case FieldType::Double:
            if (value.isNumber() || isText)
                return Value(value.toDouble());
            break;
        case FieldType::Currency:
            if (value.isNumber() || isText)
                return Value(roundDecimal(value.toDouble(), 4));
            break;
        case FieldType::Boolean:
            if (isText) {
                const QString word = value.toText().trimmed().toLower();
                if (word == QLatin1String("true") || word == QLatin1String("yes") || word == QLatin1String("on"))
                    return Value(-1);
                if (word == QLatin1String("false") || word == QLatin1String("no") || word == QLatin1String("off"))
                    return Value(0);
            }
            if (value.isNumber() || isText)
                return Value(value.toDouble() != 0 ? -1 : 0);
            break;
        case FieldType::Date:
            if (value.kind() == Value::Kind::Date || isText)
                return Value(value.toDate());
            break;
        case FieldType::Binary:
            if (value.kind() == Value::Kind::Blob || isText)
                return Value::blob(value.toBlob());
            break;
        case FieldType::Counter:
        case FieldType::Text:
        case FieldType::Memo: break;
        }
    } catch (const Error &) {
        conversionError();
    }
    conversionError();
}

struct Token
{
    enum Kind { Word, Name, String, Number, Symbol } kind;
    qsizetype start;
    qsizetype end;
    QString text; // words in lower case, names without their quotes
};

std::vector<Token> tokenize(const QString &sql)
{
    std::vector<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto closing = [&](QChar close, qsizetype from) {
        qsizetype end = sql.indexOf(close, from);
        while (end >= 0 && close != QLatin1Char(']') && end + 1 < n && sql[end + 1] == close)
            end = sql.indexOf(close, end + 2);
        return end < 0 ? n : end + 1;
    };
    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            const qsizetype end = sql.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? n : end + 1;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c == QLatin1Char('\'')) {
            const qsizetype end = closing(c, i + 1);
            tokens.push_back({Token::String, i, end, sql.mid(i, end - i)});
            i = end;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const qsizetype end = closing(close, i + 1);
            QString name = sql.mid(i + 1, end - i - 2);
            if (close != QLatin1Char(']'))
                name.replace(QString(2, close), QString(close));
            tokens.push_back({Token::Name, i, end, name});
            i = end;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype end = i + 1;
            while (end < n
                   && (sql[end].isLetterOrNumber() || sql[end] == QLatin1Char('_') || sql[end] == QLatin1Char('$')))
                ++end;
            tokens.push_back({Token::Word, i, end, sql.mid(i, end - i).toLower()});
            i = end;
        } else if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
            qsizetype end = i + 1;
            while (end < n && (sql[end].isLetterOrNumber() || sql[end] == QLatin1Char('.')))
                ++end;
            tokens.push_back({Token::Number, i, end, sql.mid(i, end - i)});
            i = end;
        } else {
            tokens.push_back({Token::Symbol, i, i + 1, QString(c)});
            ++i;
        }
    }
    return tokens;
}

bool isWord(const Token &token, std::initializer_list<const char *> words)
{
    if (token.kind != Token::Word)
        return false;
    return std::any_of(words.begin(), words.end(), [&](const char *w) { return token.text == QLatin1String(w); });
}

bool isSymbol(const Token &token, char symbol)
{
    return token.kind == Token::Symbol && token.text == QLatin1Char(symbol);
}

// "select <columns> from <table> [[as] alias] [where ...] [order by ...]" — the shape a keyset can serve.
struct SimpleSelect
{
    QString columns;
    QString from;      // the table and its alias as written
    QString filter;    // where / order by / limit for the keyset, always with an order
    QString table;     // the table's name without quotes
    QString qualifier; // what names the table in the select: its alias or its name
};

std::optional<SimpleSelect> analyseSelect(const QString &sql)
{
    std::vector<Token> tokens = tokenize(sql);
    while (!tokens.empty() && isSymbol(tokens.back(), ';'))
        tokens.pop_back();
    const size_t n = tokens.size();
    if (n < 4 || !isWord(tokens[0], {"select"}) || isWord(tokens[1], {"distinct"}))
        return std::nullopt;

    size_t from = 0;
    int depth = 0;
    for (size_t k = 1; k < n && from == 0; ++k) {
        if (isSymbol(tokens[k], '('))
            ++depth;
        else if (isSymbol(tokens[k], ')'))
            --depth;
        else if (depth == 0 && isWord(tokens[k], {"from"}))
            from = k;
        else if (isWord(tokens[k], {"over"})
                 || (isWord(tokens[k], {"count", "sum", "avg", "min", "max", "total", "group_concat"}) && k + 1 < n
                     && isSymbol(tokens[k + 1], '(')))
            return std::nullopt; // an aggregate makes rows of its own
    }
    if (from < 2 || from + 1 >= n)
        return std::nullopt;

    static const std::initializer_list<const char *> clauseWords = {
        "where", "order", "limit",   "group", "having", "union", "intersect", "except", "join",    "inner", "left",
        "right", "cross", "natural", "full",  "outer",  "on",    "using",     "window", "indexed", "not",   "select"};
    const Token &tableToken = tokens[from + 1];
    if (tableToken.kind != Token::Name && (tableToken.kind != Token::Word || isWord(tableToken, clauseWords)))
        return std::nullopt;
    size_t k = from + 2;
    const Token *alias = nullptr;
    if (k + 1 < n && isWord(tokens[k], {"as"})) {
        alias = &tokens[k + 1];
        k += 2;
    } else if (k < n
               && (tokens[k].kind == Token::Name
                   || (tokens[k].kind == Token::Word && !isWord(tokens[k], clauseWords)))) {
        alias = &tokens[k];
        k += 1;
    }
    if (k < n && !isWord(tokens[k], {"where", "order", "limit"}))
        return std::nullopt; // joins, several tables, grouping
    depth = 0;
    bool ordered = false;
    size_t limit = n;
    for (size_t j = k; j < n; ++j) {
        if (isSymbol(tokens[j], '('))
            ++depth;
        else if (isSymbol(tokens[j], ')'))
            --depth;
        else if (depth == 0 && isWord(tokens[j], {"group", "having", "union", "intersect", "except", "window"}))
            return std::nullopt;
        else if (depth == 0 && isWord(tokens[j], {"order"}))
            ordered = true;
        else if (depth == 0 && isWord(tokens[j], {"limit"}) && limit == n)
            limit = j;
    }

    const qsizetype end = tokens[n - 1].end;
    auto text = [&](qsizetype a, qsizetype b) { return sql.mid(a, b - a).trimmed(); };
    SimpleSelect select;
    select.columns = text(tokens[1].start, tokens[from].start);
    select.from = text(tableToken.start, k < n ? tokens[k].start : end);
    select.table = tableToken.kind == Token::Name ? tableToken.text
                                                  : sql.mid(tableToken.start, tableToken.end - tableToken.start);
    const Token &q = alias ? *alias : tableToken;
    select.qualifier = sql.mid(q.start, q.end - q.start);
    const qsizetype limitStart = limit < n ? tokens[limit].start : end;
    select.filter = k < n ? text(tokens[k].start, limitStart) : QString();
    // Without an order the rows come in key order, not in that of whatever index SQLite
    // finds smallest for reading rowids alone.
    if (!ordered)
        select.filter = (select.filter + QStringLiteral(" order by %1.rowid").arg(select.qualifier)).trimmed();
    if (limit < n)
        select.filter += QLatin1Char(' ') + text(limitStart, end);
    return select;
}

bool startsWithSelect(const QString &source)
{
    const std::vector<Token> tokens = tokenize(source);
    return !tokens.empty() && isWord(tokens[0], {"select", "with"});
}

// The real name of a table or view (names ignore case), and whether it is a view.
std::optional<std::pair<QString, bool>> findTable(sqlite3 *db, const QString &name)
{
    Statement find(db, QStringLiteral("select name, type from sqlite_master where type in ('table', 'view') "
                                      "and name = ? collate nocase"));
    find.bind(1, Value(name));
    if (!find.step())
        return std::nullopt;
    return std::make_pair(columnText(find.get(), 0), columnText(find.get(), 1) == QLatin1String("view"));
}

// A bare table reads in key order: its declared primary key, else the rowid.
QString keyOrder(sqlite3 *db, const QString &table)
{
    Statement info(db, QStringLiteral("select name, type from pragma_table_info(?) where pk > 0 order by pk"));
    info.bind(1, Value(table));
    QStringList names;
    QString firstType;
    while (info.step()) {
        names << quoteName(columnText(info.get(), 0));
        if (firstType.isNull())
            firstType = columnText(info.get(), 1);
    }
    if (names.isEmpty() || (names.size() == 1 && firstType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0))
        return QStringLiteral("rowid");
    return names.join(QLatin1String(", "));
}

} // namespace

// ---------------------------------------------------------------------------------------------

class Connection
{
public:
    Connection(const QString &path, bool readOnly)
        : m_readOnly(readOnly)
    {
        if (!QFileInfo(path).isFile())
            throw Error(ErrorCode::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
        const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
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
            Statement probe(m_db, QStringLiteral("select count(*) from sqlite_master"));
            probe.step();
        } catch (const Error &error) {
            sqlite3_close_v2(m_db);
            throw unreadableFileError(path, error.Description());
        }
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }
    bool writable() const { return !m_readOnly && sqlite3_db_readonly(m_db, "main") == 0; }

private:
    sqlite3 *m_db = nullptr;
    bool m_readOnly;
};

// ---------------------------------------------------------------------------------------------

struct Recordset::Impl
{
    enum class Kind { Keyset, Snapshot, ForwardOnly };
    enum class Where { Bof, Row, Eof, Deleted };

    // Declared first so that the statements below are finalised before the connection goes.
    std::shared_ptr<Connection> connection;
    Kind kind = Kind::Snapshot;
    std::vector<FieldInfo> fields;
    bool updatable = false;
    QString table; // the quoted name of the table a keyset writes

    std::vector<qint64> keys;             // Keyset: rowids taken at open, in order
    bool keysAscending = true;            // Keyset: bookmarks are then found by bisection
    Statement readRow;                    // Keyset: the current row by rowid; reset after each use
    std::vector<std::vector<Value>> rows; // Snapshot
    Statement stream;                     // ForwardOnly: held until read to the end or closed
    int streamed = 0;                     // ForwardOnly: rows read so far

    Where where = Where::Eof;
    int pos = -1; // Row: its index; Deleted: the index of the row that followed it
    std::vector<Value> current;

    EditState mode = EditState::None;
    std::vector<Value> buffer;
    std::vector<bool> dirty;
    std::optional<qint64> lastModified;
    RecordsetObserver *observer = nullptr;

    sqlite3 *db() const { return connection->handle(); }
    int count() const;
    bool bof() const;
    bool eof() const;
    void checkOpen() const;
    void checkField(int index) const;
    void willMove(Recordset &rs, int action);
    void moved(Recordset &rs, int action);
    bool readKey(qint64 key, std::vector<Value> &values);
    int indexOfKey(qint64 key) const;
    void appendKey(qint64 key);
    bool land(int index, int direction);
    void cancelEdit();
    void refreshCurrent();

    void openTable(const QString &name, RecordsetType type);
    void openSelect(const QString &sql, RecordsetType type);
    void openKeyset(const QString &keysetSql, const QString &fallbackSql, const QString &readSql,
                    const QString &realTable);
    void openSnapshot(const QString &sql);
    void openForwardOnly(const QString &sql);
};

int Recordset::Impl::count() const
{
    switch (kind) {
    case Kind::Keyset: return int(keys.size());
    case Kind::Snapshot: return int(rows.size());
    case Kind::ForwardOnly: break;
    }
    return streamed;
}

bool Recordset::Impl::bof() const
{
    return where == Where::Bof || (where == Where::Eof && count() == 0);
}

bool Recordset::Impl::eof() const
{
    return where == Where::Eof || (where == Where::Bof && count() == 0);
}

void Recordset::Impl::checkOpen() const
{
    if (!connection)
        objectClosed();
}

void Recordset::Impl::checkField(int index) const
{
    checkOpen();
    if (index < 0 || index >= int(fields.size()))
        fail(ErrorCode::ItemNotFound, "Item not found in this collection.");
}

void Recordset::Impl::willMove(Recordset &rs, int action)
{
    if (observer)
        observer->recordsetWillMove(rs, action);
    checkOpen(); // the observer may have closed us
}

void Recordset::Impl::moved(Recordset &rs, int action)
{
    if (observer)
        observer->recordsetMoved(rs, action);
}

bool Recordset::Impl::readKey(qint64 key, std::vector<Value> &values)
{
    ResetOnExit reset(readRow);
    readRow.bind(1, Value(key));
    if (!readRow.step())
        return false;
    values = readValues(readRow.get(), fields);
    return true;
}

int Recordset::Impl::indexOfKey(qint64 key) const
{
    const auto it
        = keysAscending ? std::lower_bound(keys.begin(), keys.end(), key) : std::find(keys.begin(), keys.end(), key);
    return it != keys.end() && *it == key ? int(it - keys.begin()) : -1;
}

void Recordset::Impl::appendKey(qint64 key)
{
    keysAscending = keysAscending && (keys.empty() || key > keys.back());
    keys.push_back(key);
}

// Makes row `index` current, skipping in `direction` past rows that another connection
// deleted since the keyset was taken; lands at BOF/EOF when it runs out of rows.
bool Recordset::Impl::land(int index, int direction)
{
    while (index >= 0 && index < count()) {
        if (kind == Kind::Snapshot) {
            current = rows[size_t(index)];
        } else if (!readKey(keys[size_t(index)], current)) {
            keys.erase(keys.begin() + index);
            if (direction < 0)
                --index;
            continue;
        }
        where = Where::Row;
        pos = index;
        return true;
    }
    where = index < 0 ? Where::Bof : Where::Eof;
    pos = -1;
    current.clear();
    return false;
}

void Recordset::Impl::cancelEdit()
{
    mode = EditState::None;
    buffer.clear();
    dirty.clear();
}

// After a write the current row is read again; a failure here must not report the write as failed.
void Recordset::Impl::refreshCurrent()
{
    if (where != Where::Row || kind != Kind::Keyset)
        return;
    try {
        std::vector<Value> values;
        if (readKey(keys[size_t(pos)], values))
            current = std::move(values);
    } catch (const Error &) {
    }
}

void Recordset::Impl::openTable(const QString &source, RecordsetType type)
{
    QString name = source;
    if (name.size() >= 2
        && ((name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
            || (name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))))
        name = name.mid(1, name.size() - 2);
    const auto found = findTable(db(), name);
    if (!found)
        throw Error(TableNotFound, QStringLiteral("Cannot find the input table or query '%1'.").arg(name));
    const auto &[realName, isView] = *found;
    const QString quoted = quoteName(realName);
    if (isView) {
        const QString all = QStringLiteral("select * from ") + quoted;
        type == RecordsetType::ForwardOnly ? openForwardOnly(all) : openSnapshot(all);
        return;
    }
    const QString ordered = QStringLiteral("select %1 from %2 order by %3");
    const QString order = keyOrder(db(), realName);
    if (type == RecordsetType::Snapshot)
        openSnapshot(ordered.arg(QStringLiteral("*"), quoted, order));
    else if (type == RecordsetType::ForwardOnly)
        openForwardOnly(ordered.arg(QStringLiteral("*"), quoted, order));
    else
        openKeyset(ordered.arg(QStringLiteral("rowid"), quoted, order), QString(),
                   QStringLiteral("select * from %1 where rowid = ?").arg(quoted), realName);
}

void Recordset::Impl::openSelect(const QString &jetSql, RecordsetType type)
{
    const QString sql = translateJetSql(jetSql);
    if (type == RecordsetType::Snapshot)
        return openSnapshot(sql);
    if (type == RecordsetType::ForwardOnly)
        return openForwardOnly(sql);
    const std::optional<SimpleSelect> simple = analyseSelect(sql);
    const auto found = simple ? findTable(db(), simple->table) : std::nullopt;
    if (!simple || !found || found->second)
        return openSnapshot(sql);
    const SimpleSelect &s = *simple;
    const QString where = QLatin1Char(' ') + s.filter;
    openKeyset(QStringLiteral("select %1.rowid from %2%3").arg(s.qualifier, s.from, where),
               // an order by that names a column alias needs the select's columns
               QStringLiteral("select %1.rowid, %4 from %2%3").arg(s.qualifier, s.from, where, s.columns),
               QStringLiteral("select %1 from %2 where %3.rowid = ?").arg(s.columns, s.from, s.qualifier),
               found->first);
}

void Recordset::Impl::openKeyset(const QString &keysetSql, const QString &fallbackSql, const QString &readSql,
                                 const QString &realTable)
{
    kind = Kind::Keyset;
    readRow = Statement(db(), readSql);
    fields = describeFields(db(), readRow.get(), realTable);
    updatable = connection->writable();
    table = quoteName(realTable);
    {
        std::optional<Statement> keyset;
        try {
            keyset.emplace(db(), keysetSql);
        } catch (const Error &) {
            if (fallbackSql.isEmpty())
                throw;
            keyset.emplace(db(), fallbackSql);
        }
        while (keyset->step())
            keys.push_back(sqlite3_column_int64(keyset->get(), 0));
    }
    keysAscending = std::is_sorted(keys.begin(), keys.end());
    land(0, 1);
}

void Recordset::Impl::openSnapshot(const QString &sql)
{
    kind = Kind::Snapshot;
    Statement select(db(), sql);
    fields = describeFields(db(), select.get(), QString());
    while (select.step())
        rows.push_back(readValues(select.get(), fields));
    land(0, 1);
}

void Recordset::Impl::openForwardOnly(const QString &sql)
{
    kind = Kind::ForwardOnly;
    stream = Statement(db(), sql);
    fields = describeFields(db(), stream.get(), QString());
    if (stream.step()) {
        current = readValues(stream.get(), fields);
        where = Where::Row;
        pos = 0;
        streamed = 1;
    } else {
        stream.finalize();
    }
}

// ---------------------------------------------------------------------------------------------

FieldRef::FieldRef(Recordset &rs, int index)
    : m_rs(&rs)
    , m_index(index)
{
}

QString FieldRef::Name() const
{
    return m_rs->fieldName(m_index);
}

FieldType FieldRef::Type() const
{
    return m_rs->fieldType(m_index);
}

Value FieldRef::value() const
{
    return m_rs->field(m_index);
}

void FieldRef::setValue(const Value &v)
{
    m_rs->setField(m_index, v);
}

// ---------------------------------------------------------------------------------------------

Recordset::Recordset()
    : d(std::make_unique<Impl>())
{
}

Recordset::~Recordset()
{
    Close();
}

void Recordset::MoveFirst()
{
    d->checkOpen();
    if (d->kind == Impl::Kind::ForwardOnly) {
        // Only the first row, while it is still current, can be "moved to" again.
        if (d->where != Impl::Where::Row || d->pos != 0) {
            if (d->count() == 0)
                noCurrentRecord();
            fail(InvalidOperation, "Invalid operation.");
        }
        d->willMove(*this, MoveFirstAction);
        d->cancelEdit();
        d->moved(*this, MoveFirstAction);
        return;
    }
    d->willMove(*this, MoveFirstAction);
    if (d->count() == 0)
        noCurrentRecord();
    d->cancelEdit();
    if (d->land(0, 1))
        d->moved(*this, MoveFirstAction);
}

void Recordset::MoveLast()
{
    d->checkOpen();
    if (d->kind == Impl::Kind::ForwardOnly)
        fail(InvalidOperation, "Invalid operation.");
    d->willMove(*this, MoveLastAction);
    if (d->count() == 0)
        noCurrentRecord();
    d->cancelEdit();
    if (d->land(d->count() - 1, -1))
        d->moved(*this, MoveLastAction);
}

void Recordset::MoveNext()
{
    d->checkOpen();
    d->willMove(*this, MoveNextAction);
    if (d->eof())
        noCurrentRecord();
    d->cancelEdit();
    if (d->kind == Impl::Kind::ForwardOnly) {
        bool row = false;
        try {
            row = d->stream.step();
        } catch (const Error &) {
            // A failed read cannot resume: stepping again would start the query over.
            d->stream.finalize();
            d->where = Impl::Where::Eof;
            d->current.clear();
            throw;
        }
        if (row) {
            d->current = readValues(d->stream.get(), d->fields);
            ++d->pos;
            ++d->streamed;
            d->moved(*this, MoveNextAction);
        } else {
            d->stream.finalize(); // the read ends here: no statement stays open
            d->where = Impl::Where::Eof;
            d->current.clear();
        }
        return;
    }
    int next = 0;
    if (d->where == Impl::Where::Row)
        next = d->pos + 1;
    else if (d->where == Impl::Where::Deleted)
        next = d->pos; // the row that followed the deleted one
    if (d->land(next, 1))
        d->moved(*this, MoveNextAction);
}

void Recordset::MovePrevious()
{
    d->checkOpen();
    if (d->kind == Impl::Kind::ForwardOnly)
        fail(InvalidOperation, "Invalid operation.");
    d->willMove(*this, MovePreviousAction);
    if (d->bof())
        noCurrentRecord();
    d->cancelEdit();
    const int previous = d->where == Impl::Where::Eof ? d->count() - 1 : d->pos - 1;
    if (d->land(previous, -1))
        d->moved(*this, MovePreviousAction);
}

bool Recordset::Bof() const
{
    d->checkOpen();
    return d->bof();
}

bool Recordset::Eof() const
{
    d->checkOpen();
    return d->eof();
}

int Recordset::RecordCount() const
{
    d->checkOpen();
    return d->count();
}

int Recordset::AbsolutePosition() const
{
    d->checkOpen();
    return d->where == Impl::Where::Row && d->mode != EditState::Add ? d->pos : -1;
}

void Recordset::AddNew()
{
    d->checkOpen();
    if (!d->updatable)
        notUpdatable();
    d->willMove(*this, AddNewAction);
    d->cancelEdit();
    d->mode = EditState::Add;
    d->buffer.assign(d->fields.size(), Value());
    d->dirty.assign(d->fields.size(), false);
    d->moved(*this, AddNewAction);
}

void Recordset::Edit()
{
    d->checkOpen();
    if (!d->updatable)
        notUpdatable();
    if (d->where == Impl::Where::Deleted)
        recordIsDeleted();
    if (d->where != Impl::Where::Row)
        noCurrentRecord();
    // The edit starts from the row as it is now, not as it was read on the move.
    std::vector<Value> values;
    if (!d->readKey(d->keys[size_t(d->pos)], values))
        recordIsDeleted();
    d->current = values;
    d->buffer = std::move(values);
    d->dirty.assign(d->fields.size(), false);
    d->mode = EditState::InProgress;
}

void Recordset::Update()
{
    d->checkOpen();
    if (d->mode == EditState::None)
        fail(ErrorCode::UpdateWithoutEdit, "Update or CancelUpdate without AddNew or Edit.");
    QStringList columns;
    std::vector<const Value *> values;
    for (size_t i = 0; i < d->fields.size(); ++i) {
        if (d->dirty[i] && !columns.contains(quoteName(d->fields[i].column))) {
            columns << quoteName(d->fields[i].column);
            values.push_back(&d->buffer[i]);
        }
    }
    // On failure the edit buffer stays, so the caller can correct it and retry or cancel.
    if (d->mode == EditState::Add) {
        QString sql = QStringLiteral("insert into %1 default values").arg(d->table);
        if (!columns.isEmpty())
            sql = QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(d->table, columns.join(QLatin1String(", ")),
                           QStringList(columns.size(), QStringLiteral("?")).join(QLatin1String(", ")));
        Statement insert(d->db(), sql);
        for (int i = 0; i < int(values.size()); ++i)
            insert.bind(i + 1, *values[size_t(i)]);
        insert.step();
        const qint64 rowid = sqlite3_last_insert_rowid(d->db());
        d->appendKey(rowid);
        d->lastModified = rowid;
    } else {
        const qint64 rowid = d->keys[size_t(d->pos)];
        if (!columns.isEmpty()) {
            Statement update(d->db(), QStringLiteral("update %1 set %2 = ? where rowid = ?")
                                          .arg(d->table, columns.join(QLatin1String(" = ?, "))));
            for (int i = 0; i < int(values.size()); ++i)
                update.bind(i + 1, *values[size_t(i)]);
            update.bind(int(values.size()) + 1, Value(rowid));
            update.step();
            if (sqlite3_changes(d->db()) == 0)
                recordIsDeleted();
        }
        d->lastModified = rowid;
    }
    d->cancelEdit();
    d->refreshCurrent();
}

void Recordset::CancelUpdate()
{
    d->checkOpen();
    d->cancelEdit();
}

void Recordset::Delete()
{
    d->checkOpen();
    if (!d->updatable)
        notUpdatable();
    d->willMove(*this, DeleteAction);
    if (d->mode == EditState::Add)
        noCurrentRecord(); // the new row is not a record yet
    if (d->where == Impl::Where::Deleted)
        recordIsDeleted();
    if (d->where != Impl::Where::Row)
        noCurrentRecord();
    d->cancelEdit();
    Statement remove(d->db(), QStringLiteral("delete from %1 where rowid = ?").arg(d->table));
    remove.bind(1, Value(d->keys[size_t(d->pos)]));
    remove.step();
    const bool deleted = sqlite3_changes(d->db()) > 0;
    // Either way the row is gone: it stays current, as deleted, until the next move.
    d->keys.erase(d->keys.begin() + d->pos);
    d->where = Impl::Where::Deleted;
    d->current.clear();
    if (!deleted)
        recordIsDeleted();
}

EditState Recordset::EditMode() const
{
    d->checkOpen();
    return d->mode;
}

bool Recordset::Updatable() const
{
    d->checkOpen();
    return d->updatable;
}

qint64 Recordset::Bookmark() const
{
    d->checkOpen();
    if (d->kind == Impl::Kind::ForwardOnly)
        fail(InvalidOperation, "Invalid operation.");
    if (d->where == Impl::Where::Deleted)
        recordIsDeleted();
    if (d->where != Impl::Where::Row)
        noCurrentRecord();
    return d->kind == Impl::Kind::Keyset ? d->keys[size_t(d->pos)] : qint64(d->pos) + 1;
}

void Recordset::setBookmark(qint64 bookmark)
{
    d->checkOpen();
    if (d->kind == Impl::Kind::ForwardOnly)
        fail(InvalidOperation, "Invalid operation.");
    d->willMove(*this, BookmarkAction);
    int index = -1;
    if (d->kind == Impl::Kind::Keyset)
        index = d->indexOfKey(bookmark);
    else if (bookmark >= 1 && bookmark <= d->count())
        index = int(bookmark - 1);
    if (index < 0)
        fail(InvalidBookmark, "Not a valid bookmark.");
    if (d->kind == Impl::Kind::Keyset) {
        std::vector<Value> values;
        if (!d->readKey(bookmark, values)) {
            // Another connection deleted it; the row the recordset is on stays put.
            d->keys.erase(d->keys.begin() + index);
            if (d->where != Impl::Where::Bof && d->where != Impl::Where::Eof && d->pos > index)
                --d->pos;
            recordIsDeleted();
        }
        d->current = std::move(values);
        d->where = Impl::Where::Row;
        d->pos = index;
    } else {
        d->land(index, 1);
    }
    d->cancelEdit();
    d->moved(*this, BookmarkAction);
}

qint64 Recordset::LastModified() const
{
    d->checkOpen();
    if (!d->lastModified)
        noCurrentRecord();
    return *d->lastModified;
}

int Recordset::FieldCount() const
{
    d->checkOpen();
    return int(d->fields.size());
}

int Recordset::FieldIndex(const QString &name) const
{
    d->checkOpen();
    for (int i = 0; i < int(d->fields.size()); ++i) {
        if (d->fields[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

FieldRef Recordset::Fields(const QString &name)
{
    const int index = FieldIndex(name);
    d->checkField(index);
    return FieldRef(*this, index);
}

FieldRef Recordset::Fields(int index)
{
    d->checkField(index);
    return FieldRef(*this, index);
}

Value Recordset::field(const QString &name) const
{
    const int index = FieldIndex(name);
    d->checkField(index);
    return field(index);
}

Value Recordset::field(int index) const
{
    d->checkField(index);
    if (d->mode != EditState::None)
        return d->buffer[size_t(index)];
    if (d->where == Impl::Where::Deleted)
        recordIsDeleted();
    if (d->where != Impl::Where::Row)
        noCurrentRecord();
    return d->current[size_t(index)];
}

void Recordset::Close()
{
    if (!d->connection)
        return;
    d->cancelEdit();
    d->readRow.finalize();
    d->stream.finalize();
    d->keys.clear();
    d->rows.clear();
    d->current.clear();
    d->observer = nullptr;
    d->connection.reset();
}

bool Recordset::isOpen() const
{
    return d->connection != nullptr;
}

void Recordset::setObserver(RecordsetObserver *observer)
{
    d->observer = observer;
}

QString Recordset::fieldName(int index) const
{
    d->checkField(index);
    return d->fields[size_t(index)].name;
}

FieldType Recordset::fieldType(int index) const
{
    d->checkField(index);
    const FieldInfo &info = d->fields[size_t(index)];
    if (info.typed)
        return info.type;
    // An expression has no declared type: its value tells.
    const std::vector<Value> &row = d->mode != EditState::None ? d->buffer : d->current;
    switch (size_t(index) < row.size() ? row[size_t(index)].kind() : Value::Kind::Null) {
    case Value::Kind::Integer: return FieldType::Long;
    case Value::Kind::Double: return FieldType::Double;
    case Value::Kind::Date: return FieldType::Date;
    case Value::Kind::Blob: return FieldType::Binary;
    case Value::Kind::Null:
    case Value::Kind::Text: break;
    }
    return FieldType::Text;
}

void Recordset::setField(int index, const Value &v)
{
    d->checkField(index);
    if (d->mode == EditState::None)
        fail(ErrorCode::UpdateWithoutEdit, "Update or CancelUpdate without AddNew or Edit.");
    const FieldInfo &info = d->fields[size_t(index)];
    if (info.column.isEmpty())
        throw Error(ErrorCode::NotUpdatable, QStringLiteral("Field '%1' cannot be updated.").arg(info.name));
    d->buffer[size_t(index)] = convertForField(info.type, v);
    d->dirty[size_t(index)] = true;
}

// ---------------------------------------------------------------------------------------------

namespace {
Connection &openConnection(const std::shared_ptr<Connection> &connection)
{
    if (!connection)
        objectClosed();
    return *connection;
}
} // namespace

Database::Database() = default;
Database::~Database() = default;

std::unique_ptr<Database> Database::open(const QString &path, bool readOnly, const QString &)
{
    const QString file = programFile(path);
    std::unique_ptr<Database> database(new Database());
    database->m_connection = std::make_shared<Connection>(file, readOnly);
    database->m_name = file;
    return database;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &source, RecordsetType type)
{
    openConnection(m_connection);
    std::unique_ptr<Recordset> rs(new Recordset());
    rs->d->connection = m_connection;
    const QString trimmed = source.trimmed();
    if (startsWithSelect(trimmed))
        rs->d->openSelect(trimmed, type);
    else
        rs->d->openTable(trimmed, type);
    return rs;
}

int Database::Execute(const QString &sql)
{
    sqlite3 *db = openConnection(m_connection).handle();
    Statement statement(db, translateJetSql(sql));
    const qint64 before = sqlite3_total_changes64(db);
    while (statement.step()) {
    }
    // Statements that change no rows (a select, a create) leave changes() at the last count.
    return sqlite3_total_changes64(db) == before ? 0 : sqlite3_changes(db);
}

void Database::Close()
{
    m_connection.reset();
}

QString Database::Name() const
{
    return m_name;
}

QStringList Database::queryPlan(const QString &select)
{
    sqlite3 *db = openConnection(m_connection).handle();
    Statement plan(db, QStringLiteral("explain query plan ") + translateJetSql(select));
    QStringList details;
    while (plan.step())
        details << columnText(plan.get(), 3);
    return details;
}

std::unique_ptr<Database> DBEngineClass::OpenDatabase(const QString &name, bool, bool readOnly, const QString &connect)
{
    return Database::open(name, readOnly, connect);
}

DBEngineClass &DBEngine()
{
    static DBEngineClass engine;
    return engine;
}

} // namespace qm
