#pragma once

#include <QString>
#include <optional>

// Reading the screens' selects (after dialect translation) to see which a keyset can serve.
namespace qm {

// "select <columns> from <table> [[as] alias] [where ...] [order by ...] [limit ...]": one
// table, no grouping, no aggregate, no distinct.
struct SimpleSelect
{
    QString columns;
    QString from;      // the table and its alias as written
    QString filter;    // where / order by / limit for the keyset, always with an order
    QString table;     // the table's name without quotes
    QString qualifier; // what names the table in the select: its alias or its name
};

// The parts of a select of that shape; nothing for any other statement.
std::optional<SimpleSelect> analyseSelect(const QString &sql);

// Whether a record source is a query ("select ..." or "with ...") rather than a table name.
bool startsWithSelect(const QString &source);

} // namespace qm
