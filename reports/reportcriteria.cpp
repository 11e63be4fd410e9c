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
    const QString field = QStringLiteral("{") + table + u'.';

    QString where = QStringLiteral(" where");
    QString formula;
    // A comparison of a column with a quoted value, in the query and in the formula.
    const auto compare = [&](const QString &value, const char *column, const char *queryOp, const char *formulaOp) {
        const QString trimmed = value.trimmed();
        if (trimmed.isEmpty())
            return;
        const bool like = qstrcmp(queryOp, "like") == 0;
        where += u' ' + QLatin1String(column) + u' ' + QLatin1String(queryOp) + u' '
                 + SqlText(like ? u'*' + trimmed + u'*' : trimmed) + And;
        formula += field + QLatin1String(column) + QStringLiteral("} ") + QLatin1String(formulaOp) + u' '
                   + SqlText(trimmed) + And;
    };

    // 1. The period.
    if (!c.from.isEmpty() || !c.period.isEmpty()) {
        const std::optional<Bounds> bounds = boundsOf(c);
        if (!bounds)
            return std::nullopt;
        const QString column = texts.invoiceDates ? QStringLiteral("m") : QStringLiteral("j");
        where += u' ' + column + QStringLiteral(" >= #") + bounds->queryFirst + QStringLiteral("# AND ") + column
                 + QStringLiteral(" <= #") + bounds->queryLast + u'#' + And;
        const QString formulaColumn
            = field + (texts.income && c.dateBasis != ReceiptDateBasis ? QStringLiteral("m") : QStringLiteral("j"))
              + u'}';
        formula += formulaColumn + QStringLiteral(" >= ") + bounds->formulaFirst + And + u' ' + formulaColumn
                   + QStringLiteral(" <= ") + bounds->formulaLast + And;
    }
    // 2. The invoice date, as typed in the query.
    if (!c.invoiceDate.isEmpty()) {
        const QDate day = dateOfBox(c.invoiceDate);
        if (!day.isValid())
            return std::nullopt;
        where += QStringLiteral(" m = #") + c.invoiceDate + u'#' + And;
        formula += u' ' + field + QStringLiteral("m} = ") + formulaDay(day) + And;
    }
    // 3, 4. The type.
    const QString type = c.reportOn.trimmed();
    if (type == QLatin1String("Expense") || type == QLatin1String("Capital")) {
        where += QStringLiteral(" f = ") + SqlText(type) + And;
        formula += QStringLiteral("{p.f} = ") + SqlText(type) + And;
    }
    // 5 to 7. The party and what it was for: the query finds them inside longer texts.
    compare(c.client, "t", "like", "=");
    compare(c.supplier, "t", "like", "like");
    compare(c.forText, "a", "like", "like");
    // 8. The personal-use share: a number, never SQL.
    const QString share = c.personalUse.trimmed();
    if (!share.isEmpty()) {
        QString number;
        try {
            number = SqlNumber(share);
        } catch (const Error &) {
            return std::nullopt;
        }
        where += QStringLiteral(" s > ") + number + And;
        formula += field + QStringLiteral("s} > ") + SqlText(share) + And;
    }
    // 9 to 14.
    compare(c.category, "h", "=", "=");
    compare(c.subCategory, "i", "=", "=");
    compare(c.job, "v", "=", "=");
    compare(c.paidBy, "g", "=", "=");
    compare(c.cheque, "o", "=", "=");
    compare(c.invoiceNumber, "l", "=", "=");

    texts.hasCriterion = where != QLatin1String(" where");
    texts.query = QStringLiteral("select * from ") + table + (texts.hasCriterion ? withoutLastAnd(where) : QString());
    texts.formula = withoutLastAnd(formula);
    applyOrder(c, table, texts.income, texts);
    if (!texts.income)
        texts.reportFile = QStringLiteral("report1p.rpt");
    else
        texts.reportFile
            = c.dateBasis == ReceiptDateBasis ? QStringLiteral("report1r.rpt") : QStringLiteral("report1ri.rpt");
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
