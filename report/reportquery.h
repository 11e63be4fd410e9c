#pragma once

#include "data/database.h"
#include "data/value.h"
#include "report/reportdefinition.h"
#include "report/reportformula.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

// What a report definition selects, read through the database layer: its rows, its group
// lines and its sums, all worked out in SQL with the formula's values bound as parameters.
namespace qm {

struct ReportSelect
{
    QString sql;
    std::vector<Value> parameters;
};

struct ReportData
{
    struct Group
    {
        Value key;
        int rows = 0;            // rows of the group among `rows` (a detailed group)
        std::vector<Value> sums; // of the definition's group sums, in their order
    };

    FormulaDates dates; // what the formula selects on dates
    // List and form: the fields fetched and the rows, in the report's order.
    QStringList fields;
    std::vector<std::vector<Value>> rows;
    // List groups, in order.
    std::vector<Group> groups;
    // Grand totals of the definition's totals fields, in their order.
    std::vector<Value> totals;
    // Summary: cells[row][column], difference columns included.
    std::vector<std::vector<double>> cells;

    // The index of a field in `fields`, ignoring case; -1 when it was not fetched.
    int fieldIndex(const QString &field) const;
};

class ReportQuery
{
public:
    // Reads the columns of the definition's tables, checks the formula and the sort fields
    // against them and builds the selects. A comparison or sort field naming a table the report
    // does not read: the comparison is refused (Error FormulaError), the sort field ignored.
    // A definition naming a column its table lacks is Error BadFile.
    ReportQuery(const ReportDefinition &definition, Database &database, const QString &formula,
                const QStringList &sortFields);

    // The selects in the order run() runs them (tests read them as text).
    const std::vector<ReportSelect> &selects() const;
    ReportData run();

private:
    enum class Purpose { Details, Groups, Totals, SummaryColumn };
    using TableSchemas = std::map<QString, TableSchema>; // by the table's name in lower case

    void addSummarySelects(const ReportFormula &formula, const TableSchemas &schemas);
    void addRowSelects(const ReportFormula &formula, const TableSchema &schema, QStringList orderTerms);
    void add(Purpose purpose, const QString &sql, const SqlCondition &condition);

    const ReportDefinition &m_def;
    Database &m_db;
    std::vector<ReportSelect> m_selects;
    std::vector<Purpose> m_purposes;
    std::vector<int> m_summaryColumns; // the summary column each SummaryColumn select fills
    ReportData m_data;
};

// Opens the definition's database (read-only, in the program folder) and runs its selects.
ReportData selectReportData(const ReportDefinition &definition, const QString &formula, const QStringList &sortFields);

} // namespace qm
