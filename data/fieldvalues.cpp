#include "data/fieldvalues.h"

#include "data/decimal.h"
#include "data/error.h"
#include "data/sqlitehandles.h"

#include <utility>

namespace qm {

namespace {

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

} // namespace

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

std::vector<Value> readValues(sqlite3_stmt *stmt, const std::vector<FieldInfo> &fields)
{
    std::vector<Value> values;
    values.reserve(fields.size());
    for (int i = 0; i < int(fields.size()); ++i)
        values.push_back(readColumn(stmt, i, fields[size_t(i)]));
    return values;
}

Value convertForField(FieldType type, const Value &value)
{
    if (value.isNull())
        return {};
    const bool isText = value.kind() == Value::Kind::Text;
    if (type == FieldType::Text || type == FieldType::Memo) {
        if (value.kind() == Value::Kind::Blob)
            throw Error(ErrorCode::DataTypeConversion);
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
        throw Error(ErrorCode::DataTypeConversion);
    }
    throw Error(ErrorCode::DataTypeConversion);
}

FieldType typeOfValue(const Value &value)
{
    switch (value.kind()) {
    case Value::Kind::Integer: return FieldType::Long;
    case Value::Kind::Double: return FieldType::Double;
    case Value::Kind::Date: return FieldType::Date;
    case Value::Kind::Blob: return FieldType::Binary;
    case Value::Kind::Null:
    case Value::Kind::Text: break;
    }
    return FieldType::Text;
}

} // namespace qm
