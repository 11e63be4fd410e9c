#include "reports/reportcriteria.h"

#include "common/period.h"
#include "data/dates.h"
#include "data/error.h"
#include "data/jetsql.h"

#include <QStringList>
#include <array>

namespace qm {

const QString ReceiptDateBasis = QStringLiteral("Payments on receipt date");
const QString InvoiceDateBasis = QStringLiteral("Payments on invoice date");

namespace {

const QString SelectDates = QStringLiteral("Select Dates");
const QString And = QStringLiteral(" AND");

const char *const MonthAbbreviations[12]
    = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A day as a query writes it between # signs: "05/Jul/2002".
QString queryDay(const QDate &day)
{
    return QStringLiteral("%1/%2/%3")
        .arg(day.day(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(MonthAbbreviations[day.month() - 1]))
        .arg(day.year(), 4, 10, QLatin1Char('0'));
}

// A day as a formula writes it: "Date(2002,07,05)".
QString formulaDay(const QDate &day)
{
    return QStringLiteral("Date(") + day.toString(QStringLiteral("yyyy,MM,dd")) + u')';
}

// The two ends of the chosen period in both forms; nothing when they cannot be worked out.
struct Bounds
{
    QString queryFirst, queryLast, formulaFirst, formulaLast;
};

std::optional<Bounds> boundsOf(const ReportCriteria &c)
{
    const PeriodRange range = PeriodBounds(c.period, c.year);
    if (range.status == PeriodRange::BadYear)
        return std::nullopt;
    if (range.status == PeriodRange::Found)
        return Bounds{queryDate(range.first), queryDate(range.last), formulaDate(range.first), formulaDate(range.last)};
    // "Select Dates" (or no period with a From date): the two boxes, both of them days.
    const QDate first = dateOfBox(c.from);
    const QDate last = dateOfBox(c.to);
    if (!first.isValid() || !last.isValid())
        return std::nullopt;
    return Bounds{queryDay(first), queryDay(last), formulaDay(first), formulaDay(last)};
}

// Cuts the " AND" that ends the last piece.
QString withoutLastAnd(const QString &text)
{
    return text.endsWith(QLatin1String("AND")) ? text.left(text.size() - 4) : text;
}

// The query's order and the report's sort field for the Order By text.
void applyOrder(const ReportCriteria &c, const QString &table, bool income, SearchTexts &texts)
{
    QString column;
    if (c.orderBy == QLatin1String("Date")) {
        if (!income)
            column = QStringLiteral("j");
        else if (c.dateBasis == ReceiptDateBasis)
            column = QStringLiteral("j");
        else if (c.dateBasis == InvoiceDateBasis)
            column = QStringLiteral("m");
    } else {
        static const std::array<std::pair<const char *, const char *>, 6> orders{{{"Client/Supplier", "t"},
                                                                                  {"Type", "f"},
                                                                                  {"Category", "h"},
                                                                                  {"Invoice Date", "m"},
                                                                                  {"Invoice Number", "l"},
                                                                                  {"Paid by method", "g"}}};
        for (const auto &[text, letter] : orders)
            if (c.orderBy == QLatin1String(text))
                column = QLatin1String(letter);
    }
    if (column.isEmpty())
        return;
    texts.query += QStringLiteral(" order by ") + column;
    texts.sortField = QStringLiteral("+{") + table + u'.' + column + u'}';
}

// The where clause and the selection formula of a search as they grow, one criterion at a
// time; every piece ends in " AND" until the last one is cut.
class SearchClauses
{
public:
    explicit SearchClauses(const QString &table)
        : m_field(QStringLiteral("{") + table + u'.')
    {
    }

    // A column against a quoted value, in the query and in the formula; nothing for a blank
    // value. The query's "like" finds the value inside a longer text.
    void compare(const QString &value, const char *column, const char *queryOp, const char *formulaOp);
    // The days of the chosen period or of the two date boxes: false when they are no days.
    bool period(const ReportCriteria &c, bool income);
    // The invoice date, as typed in the query: false when it is no date.
    bool invoiceDate(const QString &typed);
    // Expense or Capital: the payments of that type.
    void type(const QString &reportOn);
    // The personal-use share, a number and never SQL: false when it is no number.
    bool personalUse(const QString &share);

    bool any() const { return m_where != QLatin1String(" where"); }
    QString where() const { return withoutLastAnd(m_where); }
    QString formula() const { return withoutLastAnd(m_formula); }

private:
    QString m_field; // "{p." or "{r."
    QString m_where = QStringLiteral(" where");
    QString m_formula;
};

void SearchClauses::compare(const QString &value, const char *column, const char *queryOp, const char *formulaOp)
{
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty())
        return;
    const bool like = qstrcmp(queryOp, "like") == 0;
    m_where += u' ' + QLatin1String(column) + u' ' + QLatin1String(queryOp) + u' '
               + SqlText(like ? u'*' + trimmed + u'*' : trimmed) + And;
    m_formula += m_field + QLatin1String(column) + QStringLiteral("} ") + QLatin1String(formulaOp) + u' '
                 + SqlText(trimmed) + And;
}

bool SearchClauses::period(const ReportCriteria &c, bool income)
{
    if (c.from.isEmpty() && c.period.isEmpty())
        return true;
    const std::optional<Bounds> bounds = boundsOf(c);
    if (!bounds)
        return false;
    // Receipts dated by their invoice are selected on its date, everything else on its own.
    const QString column = income && c.dateBasis == InvoiceDateBasis ? QStringLiteral("m") : QStringLiteral("j");
    m_where += u' ' + column + QStringLiteral(" >= #") + bounds->queryFirst + QStringLiteral("# AND ") + column
               + QStringLiteral(" <= #") + bounds->queryLast + u'#' + And;
    const QString formulaColumn = m_field + column + u'}';
    m_formula += formulaColumn + QStringLiteral(" >= ") + bounds->formulaFirst + And + u' ' + formulaColumn
                 + QStringLiteral(" <= ") + bounds->formulaLast + And;
    return true;
}

bool SearchClauses::invoiceDate(const QString &typed)
{
    if (typed.isEmpty())
        return true;
    const QDate day = dateOfBox(typed);
    if (!day.isValid())
        return false;
    m_where += QStringLiteral(" m = #") + typed + u'#' + And;
    m_formula += u' ' + m_field + QStringLiteral("m} = ") + formulaDay(day) + And;
    return true;
}

void SearchClauses::type(const QString &reportOn)
{
    const QString trimmed = reportOn.trimmed();
    if (trimmed != QLatin1String("Expense") && trimmed != QLatin1String("Capital"))
        return;
    m_where += QStringLiteral(" f = ") + SqlText(trimmed) + And;
    m_formula += QStringLiteral("{p.f} = ") + SqlText(trimmed) + And;
}

bool SearchClauses::personalUse(const QString &share)
{
    const QString trimmed = share.trimmed();
    if (trimmed.isEmpty())
        return true;
    QString number;
    try {
        number = SqlNumber(trimmed);
    } catch (const Error &) {
        return false;
    }
    m_where += QStringLiteral(" s > ") + number + And;
    m_formula += m_field + QStringLiteral("s} > ") + SqlText(trimmed) + And;
    return true;
}

QString transactionReportFile(bool income, const QString &dateBasis)
{
    if (!income)
        return QStringLiteral("report1p.rpt");
    return dateBasis == ReceiptDateBasis ? QStringLiteral("report1r.rpt") : QStringLiteral("report1ri.rpt");
}

} // namespace

QString SearchTexts::selecting(const QString &columns) const
{
    static const QString all = QStringLiteral("select * ");
    return QStringLiteral("select ") + columns + u' ' + query.mid(all.size());
}

bool isIncome(const QString &reportOn)
{
    return reportOn.trimmed() == QLatin1String("Income");
}

QDate dateOfBox(const QString &text)
{
    return parseUserDate(text);
}

std::optional<SearchTexts> buildSearch(const ReportCriteria &c)
{
    SearchTexts texts;
    texts.income = isIncome(c.reportOn);
    texts.invoiceDates = texts.income && c.dateBasis == InvoiceDateBasis;
    const QString table = texts.income ? QStringLiteral("r") : QStringLiteral("p");

    SearchClauses clauses(table);
    if (!clauses.period(c, texts.income) || !clauses.invoiceDate(c.invoiceDate))
        return std::nullopt;
    clauses.type(c.reportOn);
    // The party and what it was for: the query finds them inside longer texts.
    clauses.compare(c.client, "t", "like", "=");
    clauses.compare(c.supplier, "t", "like", "like");
    clauses.compare(c.forText, "a", "like", "like");
    if (!clauses.personalUse(c.personalUse))
        return std::nullopt;
    clauses.compare(c.category, "h", "=", "=");
    clauses.compare(c.subCategory, "i", "=", "=");
    clauses.compare(c.job, "v", "=", "=");
    clauses.compare(c.paidBy, "g", "=", "=");
    clauses.compare(c.cheque, "o", "=", "=");
    clauses.compare(c.invoiceNumber, "l", "=", "=");

    texts.hasCriterion = clauses.any();
    texts.query = QStringLiteral("select * from ") + table + (texts.hasCriterion ? clauses.where() : QString());
    texts.formula = clauses.formula();
    applyOrder(c, table, texts.income, texts);
    texts.reportFile = transactionReportFile(texts.income, c.dateBasis);
    return texts;
}

namespace {

struct ProfitAndLossFile
{
    const char *reportOn;
    const char *table; // "" for both
    const char *receiptFile;
    const char *invoiceFile;
};

const std::array<ProfitAndLossFile, 7> ProfitAndLossFiles{{
    {"Expenses by Category", "p", "plcatexp.rpt", "plcatexp.rpt"},
    {"Expenses by Supplier", "p", "plnamexp.rpt", "plnamexp.rpt"},
    {"Expenses by Job / Account", "p", "pljobexp.rpt", "pljobexp.rpt"},
    {"Income by Category", "r", "plcatinc.rpt", "plcatinci.rpt"},
    {"Income by Client", "r", "plnaminc.rpt", "plnaminci.rpt"},
    {"Income by Job / Account", "r", "pljobinc.rpt", "pljobinci.rpt"},
    {"Total Income & Expenses", "", "plmain.rpt", "plmain.rpt"},
}};

const ProfitAndLossFile *profitAndLossFile(const QString &reportOn)
{
    for (const ProfitAndLossFile &file : ProfitAndLossFiles)
        if (reportOn == QLatin1String(file.reportOn))
            return &file;
    return nullptr;
}

} // namespace

bool namesProfitAndLossReport(const QString &reportOn)
{
    return profitAndLossFile(reportOn) != nullptr;
}

std::optional<ProfitAndLossRun> buildProfitAndLoss(const ReportCriteria &c)
{
    const ProfitAndLossFile *file = profitAndLossFile(c.reportOn);
    if (!file)
        return std::nullopt;
    const bool receiptDates = c.dateBasis == ReceiptDateBasis;
    ProfitAndLossRun run;
    run.file = QLatin1String(receiptDates ? file->receiptFile : file->invoiceFile);

    // The date column each table is selected on.
    QStringList columns;
    const QLatin1String table(file->table);
    const QString receipts = receiptDates ? QStringLiteral("{r.j}") : QStringLiteral("{r.m}");
    if (table == QLatin1String("p") || table.isEmpty())
        columns << QStringLiteral("{p.j}");
    if (table == QLatin1String("r") || table.isEmpty())
        columns << receipts;
    if (!table.isEmpty())
        run.sortField = QStringLiteral("+") + columns.first();

    if (!c.from.isEmpty() || !c.period.isEmpty()) {
        const std::optional<Bounds> bounds = boundsOf(c);
        if (!bounds)
            return std::nullopt;
        QStringList clauses;
        for (const QString &column : columns)
            clauses << column + QStringLiteral(" >= ") + bounds->formulaFirst + QStringLiteral(" AND ") + column
                           + QStringLiteral(" <= ") + bounds->formulaLast;
        run.formula = clauses.join(QStringLiteral(" AND "));
    }
    return run;
}

} // namespace qm
