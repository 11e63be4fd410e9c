#pragma once

#include "data/database.h"
#include "data/value.h"

#include <QString>
#include <sqlite3.h>
#include <vector>

// Column kinds and value conversion: what the schema declares a column to be, how a stored
// value reads as its field's value, and how an assigned value is converted for the field.
namespace qm {

struct FieldInfo
{
    QString name;
    FieldType type = FieldType::Text;
    bool typed = false; // the schema declares the type; otherwise it follows the value
    QString column;     // the column of the updatable table this field writes; "" if none
};

// The fields of a prepared select; those of `writable` (a table's real name) can be written.
// The key that stands for the rowid is a Counter and is never written.
std::vector<FieldInfo> describeFields(sqlite3 *db, sqlite3_stmt *stmt, const QString &writable);

// The current row of a statement as its fields present it: dates as dates, Yes/No as -1/0,
// money as a double.
std::vector<Value> readValues(sqlite3_stmt *stmt, const std::vector<FieldInfo> &fields);

// A value converted to what its field holds, as the old engine converted on assignment:
// Error 3421 when it cannot be.
Value convertForField(FieldType type, const Value &value);

// The type a field without a declared type shows: its value tells (Text for Null).
FieldType typeOfValue(const Value &value);

} // namespace qm
