// The query, formula, sort field and file each criterion of the reports form gives, as text.
#include "reports/reportcriteria.h"

#include <gtest/gtest.h>

namespace qm::test {

namespace {

struct SearchCase
{
    const char *name;
    ReportCriteria criteria;
    const char *query;
    const char *formula;
    const char *sortField; // "" when none is set
    const char *file;
};

ReportCriteria quarter(const char *reportOn, const char *period = "1st Quarter", const char *year = "2002")
{
    ReportCriteria c;
    c.reportOn = QString::fromUtf8(reportOn);
    c.period = QString::fromUtf8(period);
    c.year = QString::fromUtf8(year);
    c.dateBasis = ReceiptDateBasis;
    return c;
}

template <class Change>
ReportCriteria with(ReportCriteria c, Change change)
{
    change(c);
    return c;
}

} // namespace

TEST(SearchTexts, EachCriterionGivesItsQueryAndFormula)
{
    const SearchCase cases[] = {
        {"expenses of a quarter by date", with(quarter("Expense"), [](ReportCriteria &c) { c.orderBy = "Date"; }),
         "select * from p where j >= #1/jul/2002# AND j <= #30/sep/2002# AND f = 'Expense' order by j",
         "{p.j} >= Date(2002,7,1) AND {p.j} <= Date(2002,9,30) AND{p.f} = 'Expense'", "+{p.j}", "report1p.rpt"},
        {"a client with an apostrophe, receipts by invoice date",
         with(quarter("Income"),
              [](ReportCriteria &c) {
                  c.dateBasis = InvoiceDateBasis;
                  c.client = "Farmer's Market";
              }),
         "select * from r where m >= #1/jul/2002# AND m <= #30/sep/2002# AND t like '*Farmer''s Market*'",
         "{r.m} >= Date(2002,7,1) AND {r.m} <= Date(2002,9,30) AND{r.t} = 'Farmer''s Market'", "", "report1ri.rpt"},
        {"every apostrophe doubled, receipts by date received",
         with(quarter("Income", "July"),
              [](ReportCriteria &c) {
                  c.client = " O'Brien's Farm ";
                  c.orderBy = "Date";
              }),
         "select * from r where j >= #1/jul/2002# AND j <= #31/jul/2002# AND t like '*O''Brien''s Farm*' order by j",
         "{r.j} >= Date(2002,7,1) AND {r.j} <= Date(2002,7,31) AND{r.t} = 'O''Brien''s Farm'", "+{r.j}",
         "report1r.rpt"},
        {"Income with blanks around it is still the receipts",
         with(quarter(" Income "), [](ReportCriteria &c) { c.orderBy = "Client/Supplier"; }),
         "select * from r where j >= #1/jul/2002# AND j <= #30/sep/2002# order by t",
         "{r.j} >= Date(2002,7,1) AND {r.j} <= Date(2002,9,30)", "+{r.t}", "report1r.rpt"},
        {"Select Dates, and an invoice date as typed",
         with(quarter("All purchases", "Select Dates", ""),
              [](ReportCriteria &c) {
                  c.from = "05/Jul/02";
                  c.to = "20/Jul/02";
                  c.invoiceDate = "05/Jul/02";
              }),
         "select * from p where j >= #05/Jul/2002# AND j <= #20/Jul/2002# AND m = #05/Jul/02#",
         "{p.j} >= Date(2002,07,05) AND {p.j} <= Date(2002,07,20) AND {p.m} = Date(2002,07,05)", "", "report1p.rpt"},
        {"numeric dates are day first",
         with(quarter("Capital", "Select Dates", ""),
              [](ReportCriteria &c) {
                  c.from = "05/07/2002";
                  c.to = " 6/8/02 ";
                  c.invoiceDate = "1/2/03";
              }),
         "select * from p where j >= #05/Jul/2002# AND j <= #06/Aug/2002# AND m = #1/2/03# AND f = 'Capital'",
         "{p.j} >= Date(2002,07,05) AND {p.j} <= Date(2002,08,06) AND {p.m} = Date(2003,02,01) AND{p.f} = 'Capital'",
         "", "report1p.rpt"},
        {"every other criterion, in the form's order",
         with(quarter("Capital", "Financial Year"),
              [](ReportCriteria &c) {
                  c.supplier = "O'Brien's Farm";
                  c.forText = "'; drop table p; --";
                  c.personalUse = " 50 ";
                  c.category = "RENTAL PROPERTY RATES & REPAIRS";
                  c.subCategory = "Books & Publications\"";
                  c.job = "Bob's job";
                  c.paidBy = "Credit Card";
                  c.cheque = "0'1";
                  c.invoiceNumber = "INV'9";
                  c.orderBy = "Paid by method";
              }),
         "select * from p where j >= #1/jul/2002# AND j <= #30/jun/2003# AND f = 'Capital' AND t like "
         "'*O''Brien''s Farm*' AND a like '*''; drop table p; --*' AND s > 50 AND h = 'RENTAL PROPERTY RATES & "
         "REPAIRS' AND i = 'Books & Publications\"' AND v = 'Bob''s job' AND g = 'Credit Card' AND o = '0''1' AND "
         "l = 'INV''9' order by g",
         "{p.j} >= Date(2002,7,1) AND {p.j} <= Date(2003,6,30) AND{p.f} = 'Capital' AND{p.t} like 'O''Brien''s "
         "Farm' AND{p.a} like '''; drop table p; --' AND{p.s} > '50' AND{p.h} = 'RENTAL PROPERTY RATES & REPAIRS' "
         "AND{p.i} = 'Books & Publications\"' AND{p.v} = 'Bob''s job' AND{p.g} = 'Credit Card' AND{p.o} = '0''1' "
         "AND{p.l} = 'INV''9'",
         "+{p.g}", "report1p.rpt"},
        {"wildcards typed by the user keep their meaning",
         with(quarter("All purchases", ""), [](ReportCriteria &c) { c.forText = "Pap?r*"; }),
         "select * from p where a like '*Pap?r**'", "{p.a} like 'Pap?r*'", "", "report1p.rpt"},
        {"no criterion: no where clause and an empty formula",
         with(quarter("All purchases", ""), [](ReportCriteria &c) { c.orderBy = "Date"; }),
         "select * from p order by j", "", "+{p.j}", "report1p.rpt"},
        {"blank values are no criterion",
         with(quarter("Income", ""),
              [](ReportCriteria &c) {
                  c.client = "  ";
                  c.personalUse = " ";
                  c.job = " ";
              }),
         "select * from r", "", "", "report1r.rpt"},
        {"the type alone is a criterion", quarter("Expense", ""), "select * from p where f = 'Expense'",
         "{p.f} = 'Expense'", "", "report1p.rpt"},
    };
    for (const SearchCase &c : cases) {
        const std::optional<SearchTexts> texts = buildSearch(c.criteria);
        ASSERT_TRUE(texts) << c.name;
        EXPECT_EQ(texts->query, QString::fromUtf8(c.query)) << c.name;
        EXPECT_EQ(texts->formula, QString::fromUtf8(c.formula)) << c.name;
        EXPECT_EQ(texts->sortField.value_or(QString()), QString::fromUtf8(c.sortField)) << c.name;
        EXPECT_EQ(texts->reportFile, QString::fromUtf8(c.file)) << c.name;
        EXPECT_EQ(texts->hasCriterion, !texts->formula.isEmpty()) << c.name;
    }
}

TEST(SearchTexts, OrderByChoices)
{
    struct Case
    {
        const char *orderBy;
        const char *reportOn;
        const QString &basis;
        const char *suffix;
        const char *sortField;
    };
    const Case cases[] = {
        {"Date", "Income", ReceiptDateBasis, " order by j", "+{r.j}"},
        {"Date", "Income", InvoiceDateBasis, " order by m", "+{r.m}"},
        {"Client/Supplier", "Expense", ReceiptDateBasis, " order by t", "+{p.t}"},
        {"Type", "Income", ReceiptDateBasis, " order by f", "+{r.f}"},
        {"Category", "Capital", ReceiptDateBasis, " order by h", "+{p.h}"},
        {"Invoice Date", "All purchases", ReceiptDateBasis, " order by m", "+{p.m}"},
        {"Invoice Number", "Income", InvoiceDateBasis, " order by l", "+{r.l}"},
        {"Paid by method", "Income", ReceiptDateBasis, " order by g", "+{r.g}"},
        {"", "Expense", ReceiptDateBasis, "", ""},
        {"date", "Expense", ReceiptDateBasis, "", ""},
    };
    for (const Case &c : cases) {
        ReportCriteria criteria = quarter(c.reportOn, "");
        criteria.dateBasis = c.basis;
        criteria.orderBy = QString::fromUtf8(c.orderBy);
        criteria.forText = QStringLiteral("x");
        const std::optional<SearchTexts> texts = buildSearch(criteria);
        ASSERT_TRUE(texts);
        EXPECT_TRUE(texts->query.endsWith(QStringLiteral("'*x*'") + QString::fromUtf8(c.suffix))) << c.orderBy;
        EXPECT_EQ(texts->sortField.value_or(QString()), QString::fromUtf8(c.sortField)) << c.orderBy;
    }
}

// A share, a year or a date that is not one never reaches a query or a formula.
TEST(SearchTexts, ValuesThatAreNotNumbersOrDatesAreRefused)
{
    const ReportCriteria cases[] = {
        with(quarter("Expense"), [](ReportCriteria &c) { c.personalUse = "50 or 1=1"; }),
        with(quarter("Expense"), [](ReportCriteria &c) { c.personalUse = "fifty"; }),
        with(quarter("Expense"), [](ReportCriteria &c) { c.personalUse = "&H10"; }),
        quarter("Expense", "1st Quarter", "2002 or 1=1"),
        quarter("Expense", "July", "02"),
        quarter("Expense", "March", "abc"),
        with(quarter("Expense", "Select Dates", ""), [](ReportCriteria &c) { c.from = "01/07/2002"; }),
        with(quarter("Expense", "Select Dates", ""),
             [](ReportCriteria &c) {
                 c.from = "31/02/2002";
                 c.to = "01/03/2002";
             }),
        with(quarter("Expense", "Select Dates", ""),
             [](ReportCriteria &c) {
                 c.from = "01/07/2002";
                 c.to = "#1/1/2002# or 1=1";
             }),
        with(quarter("Expense"), [](ReportCriteria &c) { c.invoiceDate = "yesterday"; }),
        with(quarter("Expense"), [](ReportCriteria &c) { c.invoiceDate = "1/jul/2002# or #1/1/2000"; }),
    };
    for (const ReportCriteria &c : cases)
        EXPECT_FALSE(buildSearch(c)) << qPrintable(c.personalUse + c.year + c.from + c.to + c.invoiceDate);
}

TEST(ProfitAndLoss, FilesFormulasAndSortFields)
{
    struct Case
    {
        const char *name;
        ReportCriteria criteria;
        const char *file;
        const char *formula;
        const char *sortField;
    };
    const Case cases[] = {
        {"expenses by supplier", quarter("Expenses by Supplier", "1st Quarter", "2005"), "plnamexp.rpt",
         "{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2005,9,30)", "+{p.j}"},
        {"income by client on invoice dates, a leap February",
         with(quarter("Income by Client", "February", "2003"),
              [](ReportCriteria &c) { c.dateBasis = InvoiceDateBasis; }),
         "plnaminci.rpt", "{r.m} >= Date(2004,2,1) AND {r.m} <= Date(2004,2,29)", "+{r.m}"},
        {"income by category received over a year", quarter("Income by Category", "Financial Year", "2005"),
         "plcatinc.rpt", "{r.j} >= Date(2005,7,1) AND {r.j} <= Date(2006,6,30)", "+{r.j}"},
        {"income by job, any other basis is the invoice date",
         with(quarter("Income by Job / Account", "July", "2005"), [](ReportCriteria &c) { c.dateBasis = ""; }),
         "pljobinci.rpt", "{r.m} >= Date(2005,7,1) AND {r.m} <= Date(2005,7,31)", "+{r.m}"},
        {"expenses by job between two dates",
         with(quarter("Expenses by Job / Account", "Select Dates", ""),
              [](ReportCriteria &c) {
                  c.from = "01/Aug/05";
                  c.to = "31/Aug/05";
              }),
         "pljobexp.rpt", "{p.j} >= Date(2005,08,01) AND {p.j} <= Date(2005,08,31)", "+{p.j}"},
        {"no period: every date", quarter("Expenses by Category", "", "2005"), "plcatexp.rpt", "", "+{p.j}"},
        {"income by client received", quarter("Income by Client", "2nd Quarter", "2005"), "plnaminc.rpt",
         "{r.j} >= Date(2005,10,1) AND {r.j} <= Date(2005,12,31)", "+{r.j}"},
        {"income and expenses over the period, each table on its own date",
         quarter("Total Income & Expenses", "Financial Year", "2005"), "plmain.rpt",
         "{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2006,6,30) AND {r.j} >= Date(2005,7,1) AND {r.j} <= "
         "Date(2006,6,30)",
         ""},
        {"income and expenses, receipts by invoice date",
         with(quarter("Total Income & Expenses", "1st Quarter", "2005"),
              [](ReportCriteria &c) { c.dateBasis = InvoiceDateBasis; }),
         "plmain.rpt",
         "{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2005,9,30) AND {r.m} >= Date(2005,7,1) AND {r.m} <= "
         "Date(2005,9,30)",
         ""},
        {"income and expenses of every date", quarter("Total Income & Expenses", "", "2005"), "plmain.rpt", "", ""},
    };
    for (const Case &c : cases) {
        const std::optional<ProfitAndLossRun> run = buildProfitAndLoss(c.criteria);
        ASSERT_TRUE(run) << c.name;
        EXPECT_EQ(run->file, QString::fromUtf8(c.file)) << c.name;
        EXPECT_EQ(run->formula, QString::fromUtf8(c.formula)) << c.name;
        EXPECT_EQ(run->sortField.value_or(QString()), QString::fromUtf8(c.sortField)) << c.name;
    }

    // A text that names no report, or a period that cannot be worked out, runs nothing.
    for (const char *reportOn : {"Expense", "Income", "expenses by category", "Expenses by Category ", ""}) {
        EXPECT_FALSE(namesProfitAndLossReport(QString::fromUtf8(reportOn))) << reportOn;
        EXPECT_FALSE(buildProfitAndLoss(quarter(reportOn))) << reportOn;
    }
    EXPECT_FALSE(buildProfitAndLoss(quarter("Expenses by Category", "March", "abc")));
    EXPECT_FALSE(buildProfitAndLoss(quarter("Expenses by Category", "Select Dates", "")));
    EXPECT_FALSE(buildProfitAndLoss(with(quarter("Expenses by Category", "Select Dates", ""), [](ReportCriteria &c) {
        c.from = "01/08/2005";
        c.to = "32/08/2005";
    })));
}

} // namespace qm::test
