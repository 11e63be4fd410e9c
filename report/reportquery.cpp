#include "report/reportquery.h"

#include "data/error.h"

#include <map>

namespace qm {

namespace {

[[noreturn]] void badDefinition(const QString &what)
{
    throw Error(ErrorCode::BadReportFile, QStringLiteral("The report definition is not valid: %1").arg(what));
}

bool isNumberType(FieldType type)
{
    return type == FieldType::Counter || type == FieldType::Long || type == FieldType::Double
           || type == FieldType::Currency;
}

void appendUnique(QStringList &list, const QString &field)
{
    if (!list.contains(field, Qt::CaseInsensitive))
        list << field;
}

// The column as the table spells it; a definition naming another is not valid.
QString column(const TableSchema &schema, const QString &field)
{
    const int index = schema.find(field);
    if (index < 0)
        badDefinition(QStringLiteral("table %1 has no field \"%2\".").arg(schema.name, field));
    return schema.columns[size_t(index)].first;
}

QString summed(const TableSchema &schema, const QString &field)
{
    const int index = schema.find(field);
    if (index >= 0 && !isNumberType(schema.columns[size_t(index)].second))
        badDefinition(QStringLiteral("field \"%1\" of table %2 holds no numbers to add up.").arg(field, schema.name));
    return QStringLiteral("total(%1)").arg(sqlName(column(schema, field)));
}

QStringList sumTerms(const TableSchema &schema, const QStringList &fields)
{
    QStringList sums;
    for (const QString &field : fields)
        sums << summed(schema, field);
    return sums;
}

QString selectList(const TableSchema &schema, const QStringList &fields)
{
    QStringList names;
    for (const QString &field : fields)
        names << sqlName(column(schema, field));
    return names.join(QStringLiteral(", "));
}

QString whereClause(const SqlCondition &condition)
{
    return condition.sql.isEmpty() ? QString() : QStringLiteral(" where ") + condition.sql;
}

// A comparison may name only the tables the report reads.
void checkFormulaTables(const ReportFormula &formula, const QStringList &tables)
{
    for (const FormulaComparison &c : formula.comparisons) {
        if (!tables.contains(c.table, Qt::CaseInsensitive))
            throw Error(ErrorCode::FormulaError,
                        QStringLiteral("Error in formula: {%1.%2} names table %1; this report reads %3.")
                            .arg(c.table, c.column, tables.join(QStringLiteral(" and "))));
    }
}

// The order the sort fields choose, as SQL terms; fields of tables not read are no order.
QStringList chosenOrder(const QStringList &sortFields, const std::map<QString, TableSchema> &schemas)
{
    QStringList terms;
    for (const QString &text : sortFields) {
        if (text.trimmed().isEmpty())
            continue;
        const SortField sort = parseSortField(text);
        const auto found = schemas.find(sort.table.toLower());
        if (found == schemas.end())
            continue;
        const int index = found->second.find(sort.column);
        if (index < 0)
            throw Error(ErrorCode::FormulaError, QStringLiteral("Error in sort field \"%1\": table %2 has no field %3.")
                                                     .arg(text.trimmed(), found->second.name, sort.column));
        terms << sqlName(found->second.columns[size_t(index)].first)
                     + (sort.descending ? QStringLiteral(" desc") : QString());
    }
    return terms;
}

// The fields a form's items or a list's columns show, each once, in the file's order.
QStringList shownFields(const ReportDefinition &def)
{
    QStringList fields;
    if (def.layout == ReportDefinition::Layout::Form) {
        for (const ReportItem &item : def.items) {
            for (const QString &field : item.fields)
                appendUnique(fields, field);
            for (const QStringList &row : item.rows) {
                for (const QString &field : row) {
                    if (!field.isEmpty())
                        appendUnique(fields, field);
                }
            }
        }
    } else {
        for (const ReportColumn &c : def.columns)
            appendUnique(fields, c.field);
    }
    return fields;
}

} // namespace

int ReportData::fieldIndex(const QString &field) const
{
    for (int i = 0; i < int(fields.size()); ++i) {
        if (fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

ReportQuery::ReportQuery(const ReportDefinition &definition, Database &database, const QString &formula,
                         const QStringList &sortFields)
    : m_def(definition)
    , m_db(database)
{
    const ReportFormula parsed = parseReportFormula(formula);
    m_data.dates = formulaDates(parsed);
    checkFormulaTables(parsed, m_def.tables);

    TableSchemas schemas;
    for (const QString &table : m_def.tables)
        schemas[table.toLower()] = readTableSchema(m_db, table);
    const QStringList orderTerms = chosenOrder(sortFields, schemas);

    if (m_def.layout == ReportDefinition::Layout::Summary)
        addSummarySelects(parsed, schemas);
    else
        addRowSelects(parsed, schemas.at(m_def.table.toLower()), orderTerms);
}

// A select per table column of the summary, summing the rows' fields; a difference column
// is worked out once they are read.
void ReportQuery::addSummarySelects(const ReportFormula &formula, const TableSchemas &schemas)
{
    QStringList fields;
    for (const SummaryRow &row : m_def.summaryRows)
        fields << row.field;
    for (int i = 0; i < int(m_def.summaryColumns.size()); ++i) {
        const SummaryColumn &c = m_def.summaryColumns[size_t(i)];
        if (c.table.isEmpty())
            continue;
        const TableSchema &schema = schemas.at(c.table.toLower());
        const QString sums = sumTerms(schema, fields).join(QStringLiteral(", "));
        const SqlCondition condition = formulaCondition(formula, schema);
        add(Purpose::SummaryColumn,
            QStringLiteral("select %1 from %2%3").arg(sums, sqlName(schema.name), whereClause(condition)), condition);
        m_summaryColumns.push_back(i);
    }
}

// A list's or a form's selects: its groups, its rows (the chosen order, then the group's, then
// the file's own) and its totals.
void ReportQuery::addRowSelects(const ReportFormula &formula, const TableSchema &schema, QStringList orderTerms)
{
    const SqlCondition condition = formulaCondition(formula, schema);
    const QString from = sqlName(schema.name) + whereClause(condition);
    for (const QString &field : m_def.order)
        orderTerms << sqlName(column(schema, field));
    // Every field shown is the table's, whether or not the rows are fetched.
    const QStringList fields = shownFields(m_def);
    for (const QString &field : fields)
        column(schema, field);

    QString groupKey;
    if (m_def.group) {
        const QString field = sqlName(column(schema, m_def.group->field));
        groupKey = QStringLiteral("coalesce(%1, '') COLLATE NOCASE").arg(field);
        QStringList sums = sumTerms(schema, m_def.group->sums);
        sums << QStringLiteral("count(*)");
        // Of the spellings in a group (OFFICE, office) the smallest names it, the same every run.
        add(Purpose::Groups,
            QStringLiteral("select min(%1 COLLATE BINARY), %2 from %3 group by %4 order by %4")
                .arg(field, sums.join(QStringLiteral(", ")), from, groupKey),
            condition);
    }
    if (!m_def.group || m_def.group->details) {
        if (!groupKey.isEmpty())
            orderTerms.prepend(groupKey);
        QString sql = QStringLiteral("select %1 from %2").arg(selectList(schema, fields), from);
        if (!orderTerms.isEmpty())
            sql += QStringLiteral(" order by ") + orderTerms.join(QStringLiteral(", "));
        add(Purpose::Details, sql, condition);
        m_data.fields = fields;
    }
    if (m_def.totals) {
        const QString sums = sumTerms(schema, m_def.totals->fields).join(QStringLiteral(", "));
        add(Purpose::Totals, QStringLiteral("select %1 from %2").arg(sums, from), condition);
    }
}

void ReportQuery::add(Purpose purpose, const QString &sql, const SqlCondition &condition)
{
    m_selects.push_back({sql, condition.parameters});
    m_purposes.push_back(purpose);
}

const std::vector<ReportSelect> &ReportQuery::selects() const
{
    return m_selects;
}

ReportData ReportQuery::run()
{
    ReportData data = m_data;
    if (m_def.layout == ReportDefinition::Layout::Summary)
        data.cells.assign(m_def.summaryRows.size(), std::vector<double>(m_def.summaryColumns.size(), 0.0));
    size_t summaryIndex = 0;
    for (size_t s = 0; s < m_selects.size(); ++s) {
        const auto rs = m_db.OpenQuery(m_selects[s].sql, m_selects[s].parameters, RecordsetType::ForwardOnly);
        const int width = rs->FieldCount();
        switch (m_purposes[s]) {
        case Purpose::Details:
            for (; !rs->Eof(); rs->MoveNext()) {
                std::vector<Value> row;
                row.reserve(size_t(width));
                for (int i = 0; i < width; ++i)
                    row.push_back(rs->field(i));
                data.rows.push_back(std::move(row));
            }
            break;
        case Purpose::Groups:
            for (; !rs->Eof(); rs->MoveNext()) {
                ReportData::Group group;
                group.key = rs->field(0);
                for (int i = 1; i < width - 1; ++i)
                    group.sums.push_back(rs->field(i));
                group.rows = int(rs->field(width - 1).toInteger());
                data.groups.push_back(std::move(group));
            }
            break;
        case Purpose::Totals:
            for (int i = 0; i < width && !rs->Eof(); ++i)
                data.totals.push_back(rs->field(i));
            break;
        case Purpose::SummaryColumn: {
            const size_t column = size_t(m_summaryColumns[summaryIndex++]);
            for (int i = 0; i < width && !rs->Eof(); ++i)
                data.cells[size_t(i)][column] = rs->field(i).toDouble();
            break;
        }
        }
    }
    for (size_t c = 0; c < m_def.summaryColumns.size(); ++c) {
        const SummaryColumn &column = m_def.summaryColumns[c];
        if (column.minuend < 0)
            continue;
        for (std::vector<double> &row : data.cells)
            row[c] = row[size_t(column.minuend)] - row[size_t(column.subtrahend)];
    }
    return data;
}

ReportData selectReportData(const ReportDefinition &definition, const QString &formula, const QStringList &sortFields)
{
    const auto database = Database::open(definition.database, true);
    ReportQuery query(definition, *database, formula, sortFields);
    return query.run();
}

} // namespace qm
