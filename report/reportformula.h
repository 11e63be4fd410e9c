#pragma once

#include "data/database.h"
#include "data/value.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

// Selection formulas and sort fields of the report control, and the SQL they become.
//
// The language: comparisons "{table.column} op constant" joined by AND (also written with no
// blank before the next brace), op one of = >= <= > like, the constant a text in single
// quotes ('' is an apostrophe) or Date(year,month,day) (numbers may carry leading zeros).
// The empty formula selects every row. Keywords ignore case.
namespace qm {

// One comparison of a formula.
struct FormulaComparison
{
    enum class Op { Equal, GreaterOrEqual, LessOrEqual, Greater, Like };
    QString table;  // as written
    QString column; // as written
    Op op = Op::Equal;
    Value value;      // a text or a date
    int position = 0; // where the comparison starts in the formula text
};

// A parsed formula: the AND of its comparisons (none: every row).
struct ReportFormula
{
    std::vector<FormulaComparison> comparisons;
};

// Throws Error FormulaError, naming the place, for anything outside the language.
ReportFormula parseReportFormula(const QString &text);

// The days a formula's >= and <= comparisons keep of one date field: the latest first day and
// the earliest last day it is compared with. An open end is an invalid date.
struct FormulaDateRange
{
    QString table, column; // as first written
    QDate first, last;
};

// What a formula selects on dates: a range for each date field it bounds with >= or <=, in
// the order the fields first appear, and the tables with any comparison that takes a date (an
// = or > bounds no range, but that table's rows are no longer of every date).
struct FormulaDates
{
    std::vector<FormulaDateRange> ranges;
    QStringList comparedTables;
};

FormulaDates formulaDates(const ReportFormula &formula);

struct SortField
{
    QString table;
    QString column;
    bool descending = false;
};

// "+{table.column}" (ascending) or "-{table.column}"; throws Error FormulaError.
SortField parseSortField(const QString &text);

// A table's columns and what they hold, read from the database.
struct TableSchema
{
    QString name; // as the database spells it
    std::vector<std::pair<QString, FieldType>> columns;

    // The column's index, names ignoring case; -1 when there is none.
    int find(const QString &column) const;
};

// Throws the database layer's error when the table cannot be read.
TableSchema readTableSchema(Database &database, const QString &table);

// A condition in SQL with the values of its `?` parameters, in order.
struct SqlCondition
{
    QString sql; // empty: no condition
    std::vector<Value> parameters;
};

// The comparisons of `formula` that name `table`, as SQL over its columns: text compares
// ignoring case, like with * and ? wildcards (every other character, # [ ] among them, is
// itself), a date field against a date, a number field
// against a text that reads as a number (compared as numbers). A Null field makes a
// comparison false. Throws Error FormulaError for an unknown column or a constant the
// field cannot be compared with.
SqlCondition formulaCondition(const ReportFormula &formula, const TableSchema &table);

// "name" with every double quote doubled: table and column names in generated SQL.
QString sqlName(const QString &name);

} // namespace qm
