#include "report/reportlayout.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/drawntext.h"
#include "tests/support/testservices.h"

#include <QDate>

namespace qm::test {

namespace {

const QString PaymentsQ1 = QStringLiteral("{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2005,9,30)");
const QString ReceivedQ1 = QStringLiteral("{r.j} >= Date(2005,7,1) AND {r.j} <= Date(2005,9,30)");
const QString InvoicedQ1 = QStringLiteral("{r.m} >= Date(2005,7,1) AND {r.m} <= Date(2005,9,30)");

// A small book: in the first quarter of the year starting 2005 four payments (two spellings
// of one category and one supplier, a category and a job left out, amounts in tenths of a
// cent), two receipts received and two invoiced; outside it one of each and an older payment.
class ReportFilesTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        runSql(path(QStringLiteral("qm.mdb")),
               "insert into p (ID, j, a, t, c, d, e, f, h, l, v) values "
               "(1, '2005-07-03', 'Paper', 'Office Co', 100, 10, 110, 'Expense', 'OFFICE', 'A1', 'JOB1'),"
               "(2, '2005-07-20', 'Ink', 'office co', 50.5, 5.05, 55.55, 'Expense', 'office', null, 'JOB1'),"
               "(3, '2005-08-01', 'Van', 'Cars R Us', 20000, 2000, 22000, 'Capital', 'MOTOR VEHICLE', null, null),"
               "(4, '2005-09-30', 'Misc', 'O''Brien''s Farm', 10.005, 1.0005, 11.0055, 'Expense', null, null, ''),"
               "(5, '2005-10-01', 'Rent', 'Landlord', 1000, 0, 1000, 'Expense', 'RENT', null, null),"
               "(6, '2005-06-30', 'Old', 'Office Co', 7, 0.7, 7.7, 'Expense', 'OFFICE', null, null);"
               "insert into r (ID, j, m, a, t, c, d, e, f, h, l, v) values "
               "(1, '2005-07-10', '2005-06-30', 'Consulting', 'Farmer''s Market', 1000, 100, 1100, 'Income', "
               "'SALES', 'A0001', 'JOB1'),"
               "(2, '2005-08-10', '2005-08-01', 'Repairs', 'Smith & Co', 300, 30, 330, 'Income', 'SERVICE', "
               "'A0002', null),"
               "(3, '2005-10-05', '2005-09-20', 'Late', 'Smith & Co', 200, 20, 220, 'Income', 'SERVICE', "
               "'A0003', null);");
    }

    // The lines of a report's only page below its title line, up to the page number.
    QStringList body(const QString &file, const QString &formula, const QStringList &sort = {})
    {
        const ReportDocument document = layoutReportFile(path(file), formula, sort);
        EXPECT_EQ(document.pages.size(), 1u) << qPrintable(file);
        QStringList lines = document.pageLines(0);
        EXPECT_EQ(lines.first(), document.title + QStringLiteral(" | Printed ")
                                     + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        EXPECT_EQ(lines.last(), QStringLiteral("Page 1 of 1"));
        return lines.mid(1, lines.size() - 2);
    }
};

} // namespace

// Each summary file over its period: a line per group, hand-worked sums, the grand totals.
TEST_F(ReportFilesTest, ProfitAndLossGroups)
{
    struct Case
    {
        const char *file;
        const QString &formula;
        QStringList lines;
    };
    const Case cases[] = {
        {"plcatexp.rpt",
         PaymentsQ1,
         {"Category | Nett | GST | Total", "(no category) | 10.01 | 1.00 | 11.01",
          "MOTOR VEHICLE | 20000.00 | 2000.00 | 22000.00", "OFFICE | 150.50 | 15.05 | 165.55",
          "Grand Total | 20160.51 | 2016.05 | 22176.56"}},
        {"plnamexp.rpt",
         PaymentsQ1,
         {"Supplier | Nett | GST | Total", "Cars R Us | 20000.00 | 2000.00 | 22000.00",
          "O'Brien's Farm | 10.01 | 1.00 | 11.01", "Office Co | 150.50 | 15.05 | 165.55",
          "Grand Total | 20160.51 | 2016.05 | 22176.56"}},
        {"pljobexp.rpt",
         PaymentsQ1,
         {"Job / Account | Nett | GST | Total", "(no job / account) | 20010.01 | 2001.00 | 22011.01",
          "JOB1 | 150.50 | 15.05 | 165.55", "Grand Total | 20160.51 | 2016.05 | 22176.56"}},
        {"plcatinc.rpt",
         ReceivedQ1,
         {"Category | Nett | GST | Total", "SALES | 1000.00 | 100.00 | 1100.00", "SERVICE | 300.00 | 30.00 | 330.00",
          "Grand Total | 1300.00 | 130.00 | 1430.00"}},
        {"plcatinci.rpt",
         InvoicedQ1,
         {"Category | Nett | GST | Total", "SERVICE | 500.00 | 50.00 | 550.00",
          "Grand Total | 500.00 | 50.00 | 550.00"}},
        {"plnaminc.rpt",
         ReceivedQ1,
         {"Client | Nett | GST | Total", "Farmer's Market | 1000.00 | 100.00 | 1100.00",
          "Smith & Co | 300.00 | 30.00 | 330.00", "Grand Total | 1300.00 | 130.00 | 1430.00"}},
        {"plnaminci.rpt",
         InvoicedQ1,
         {"Client | Nett | GST | Total", "Smith & Co | 500.00 | 50.00 | 550.00",
          "Grand Total | 500.00 | 50.00 | 550.00"}},
        {"pljobinc.rpt",
         ReceivedQ1,
         {"Job / Account | Nett | GST | Total", "(no job / account) | 300.00 | 30.00 | 330.00",
          "JOB1 | 1000.00 | 100.00 | 1100.00", "Grand Total | 1300.00 | 130.00 | 1430.00"}},
        {"pljobinci.rpt",
         InvoicedQ1,
         {"Job / Account | Nett | GST | Total", "(no job / account) | 500.00 | 50.00 | 550.00",
          "Grand Total | 500.00 | 50.00 | 550.00"}},
    };
    for (const Case &c : cases) {
        // The form always sorts these by date: the groups keep their own order.
        const QString date = c.formula.mid(1, 3);
        EXPECT_EQ(body(QString::fromUtf8(c.file), c.formula, {QStringLiteral("+{") + date + u'}'}),
                  QStringList{QStringLiteral("01/07/2005 to 30/09/2005")} + c.lines)
            << c.file;
    }
}

TEST_F(ReportFilesTest, TitlesNameTheDateBasis)
{
    struct Case
    {
        const char *file;
        const char *title;
    };
    const Case cases[] = {
        {"report1p.rpt", "Payments"},
        {"report1r.rpt", "Receipts by Date Received"},
        {"report1ri.rpt", "Receipts by Invoice Date"},
        {"plcatexp.rpt", "Expenses by Category"},
        {"plnamexp.rpt", "Expenses by Supplier"},
        {"pljobexp.rpt", "Expenses by Job / Account"},
        {"plcatinc.rpt", "Income by Category, by Date Received"},
        {"plcatinci.rpt", "Income by Category, by Invoice Date"},
        {"plnaminc.rpt", "Income by Client, by Date Received"},
        {"plnaminci.rpt", "Income by Client, by Invoice Date"},
        {"pljobinc.rpt", "Income by Job / Account, by Date Received"},
        {"pljobinci.rpt", "Income by Job / Account, by Invoice Date"},
        {"plmain.rpt", "Total Income & Expenses"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(loadReportDefinition(path(QString::fromUtf8(c.file))).title, QString::fromUtf8(c.title));
}

// With the empty formula the form gives it, the summary covers every date and says so.
TEST_F(ReportFilesTest, TotalIncomeAndExpenses)
{
    EXPECT_EQ(body(QStringLiteral("plmain.rpt"), QString(), {QStringLiteral("+{p.j}")}),
              QStringList({"All dates", "Income | Expenses | Difference", "Nett | 1500.00 | 21167.51 | -19667.51",
                           "GST | 150.00 | 2016.75 | -1866.75", "Total | 1650.00 | 23184.26 | -21534.26"}));
    // Given the period of both tables, it totals that period.
    EXPECT_EQ(body(QStringLiteral("plmain.rpt"), PaymentsQ1 + QStringLiteral(" AND ") + ReceivedQ1),
              QStringList({"01/07/2005 to 30/09/2005", "Income | Expenses | Difference",
                           "Nett | 1300.00 | 20160.51 | -18860.51", "GST | 130.00 | 2016.05 | -1886.05",
                           "Total | 1430.00 | 22176.56 | -20746.56"}));
}

TEST_F(ReportFilesTest, TransactionLists)
{
    EXPECT_EQ(body(QStringLiteral("report1p.rpt"), PaymentsQ1 + QStringLiteral(" AND{p.f} = 'expense'")),
              QStringList({
                  "01/07/2005 to 30/09/2005",
                  "Date | For | Supplier | Nett | GST | Total | Category | Invoice No. | Type | Job / Account",
                  "03/07/2005 | Paper | Office Co | 100.00 | 10.00 | 110.00 | OFFICE | A1 | Expense | JOB1",
                  "20/07/2005 | Ink | office co | 50.50 | 5.05 | 55.55 | office | Expense | JOB1",
                  "30/09/2005 | Misc | O'Brien's Farm | 10.01 | 1.00 | 11.01 | Expense",
                  "Grand Total | 160.51 | 16.05 | 176.56",
              }));
    // Sorted by supplier, then the file's own order (date).
    const QStringList bySupplier = body(QStringLiteral("report1p.rpt"), PaymentsQ1, {QStringLiteral("+{p.t}")});
    ASSERT_EQ(bySupplier.size(), 7);
    EXPECT_TRUE(bySupplier[2].startsWith(QStringLiteral("01/08/2005 | Van | Cars R Us")));
    EXPECT_TRUE(bySupplier[3].startsWith(QStringLiteral("30/09/2005 | Misc | O'Brien's Farm")));
    EXPECT_TRUE(bySupplier[4].startsWith(QStringLiteral("03/07/2005 | Paper")));
    EXPECT_TRUE(bySupplier[5].startsWith(QStringLiteral("20/07/2005 | Ink")));
    EXPECT_EQ(bySupplier[6], QStringLiteral("Grand Total | 20160.51 | 2016.05 | 22176.56"));

    EXPECT_EQ(body(QStringLiteral("report1r.rpt"), ReceivedQ1 + QStringLiteral(" AND{r.t} = 'Farmer''s Market'"),
                   {QStringLiteral("+{r.j}")}),
              QStringList({
                  "01/07/2005 to 30/09/2005",
                  "Received | For | Client | Nett | GST | Total | Category | Invoice No. | Type | Job / Account",
                  "10/07/2005 | Consulting | Farmer's Market | 1000.00 | 100.00 | 1100.00 | SALES | A0001 | Income | "
                  "JOB1",
                  "Grand Total | 1000.00 | 100.00 | 1100.00",
              }));
    EXPECT_EQ(body(QStringLiteral("report1ri.rpt"), InvoicedQ1, {QStringLiteral("-{r.m}")}),
              QStringList({
                  "01/07/2005 to 30/09/2005",
                  "Inv. Date | For | Client | Nett | GST | Total | Category | Invoice No. | Type | Job / Account",
                  "20/09/2005 | Late | Smith & Co | 200.00 | 20.00 | 220.00 | SERVICE | A0003 | Income",
                  "01/08/2005 | Repairs | Smith & Co | 300.00 | 30.00 | 330.00 | SERVICE | A0002 | Income",
                  "Grand Total | 500.00 | 50.00 | 550.00",
              }));
    // Nothing selected: the headings and zero totals, over every date.
    EXPECT_EQ(body(QStringLiteral("report1p.rpt"), QStringLiteral("{p.a} = '''; drop table p; --'")),
              QStringList({
                  "All dates",
                  "Date | For | Supplier | Nett | GST | Total | Category | Invoice No. | Type | Job / Account",
                  "Grand Total | 0.00 | 0.00 | 0.00",
              }));
}

// Totals in the tens of millions on the lists and in the billions on the profit-and-loss
// pages print whole in their columns, nothing cut, nothing drawn over anything else.
TEST_F(ReportFilesTest, HugeAmountsPrintWhole)
{
    runSql(path(QStringLiteral("qm.mdb")),
           "insert into p (j, a, t, c, d, e, f, h) values "
           "('2005-08-02', 'Plant', 'Cars R Us', 9090909.09, 909090.91, 10000000, 'Capital', 'PLANT'),"
           "('2005-08-03', 'Plant', 'Cars R Us', 90909090.91, 9090909.09, 99999999.99, 'Capital', 'PLANT'),"
           "('2005-08-04', 'Land', 'Land Co', 2727272727.27, 272727272.73, 2999999999.99, 'Capital', 'LAND');"
           "insert into r (j, m, a, t, c, d, e, f, h) values "
           "('2005-08-05', '2005-08-05', 'Sale', 'Smith & Co', 909090909.09, 90909090.91, 999999999.99, "
           "'Income', 'SALES');");
    struct Case
    {
        const char *file;
        const QString formula;
    };
    const Case cases[] = {
        {"report1p.rpt", PaymentsQ1}, {"report1r.rpt", ReceivedQ1},
        {"plcatexp.rpt", PaymentsQ1}, {"plnamexp.rpt", PaymentsQ1},
        {"pljobinc.rpt", ReceivedQ1}, {"plmain.rpt", PaymentsQ1 + QStringLiteral(" AND ") + ReceivedQ1},
    };
    for (const Case &c : cases) {
        const ReportDocument document = layoutReportFile(path(QString::fromUtf8(c.file)), c.formula, {});
        EXPECT_EQ(drawingFaults(document), QStringList()) << c.file;
    }
    // What those pages show, for the reader of this test.
    const QString payments = layoutReportFile(path(QStringLiteral("report1p.rpt")), PaymentsQ1, {}).text();
    EXPECT_TRUE(payments.contains(QStringLiteral("Grand Total | 2827292887.78 | 282729288.78 | 3110022176.54")))
        << payments.toStdString();
    const QString summary
        = layoutReportFile(path(QStringLiteral("plmain.rpt")), PaymentsQ1 + QStringLiteral(" AND ") + ReceivedQ1, {})
              .text();
    EXPECT_TRUE(summary.contains(QStringLiteral("Total | 1000001429.99 | 3110022176.54 | -2110020746.55")))
        << summary.toStdString();
}

// Under its title every report says the days its formula selects on its date fields.
TEST_F(ReportFilesTest, EveryReportSaysTheDaysItCovers)
{
    struct File
    {
        const char *name;
        const char *date; // the field the form selects its period on
    };
    const File files[] = {
        {"report1p.rpt", "p.j"}, {"report1r.rpt", "r.j"},  {"report1ri.rpt", "r.m"}, {"plcatexp.rpt", "p.j"},
        {"plnamexp.rpt", "p.j"}, {"pljobexp.rpt", "p.j"},  {"plcatinc.rpt", "r.j"},  {"plcatinci.rpt", "r.m"},
        {"plnaminc.rpt", "r.j"}, {"plnaminci.rpt", "r.m"}, {"pljobinc.rpt", "r.j"},  {"pljobinci.rpt", "r.m"},
        {"plmain.rpt", "r.m"},
    };
    struct Case
    {
        const char *formula; // %1 the date field, %2 its table
        const char *line;    // under the title; "": the report's headings come first
    };
    const Case cases[] = {
        {"", "All dates"},
        {"{%1} >= Date(2026,07,01) AND {%1} <= Date(2027,6,30)", "01/07/2026 to 30/06/2027"},
        {"{%1} <= Date(2027,6,30) AND{%1} >= Date(2026,7,1)", "01/07/2026 to 30/06/2027"},
        {"{%1} >= Date(2026,7,1)", "From 01/07/2026"},
        {"{%1} <= Date(2027,6,30)", "Up to 30/06/2027"},
        {"{%1} >= Date(2025,1,1) AND {%1} >= Date(2026,7,1) AND {%1} <= Date(2028,1,1) AND {%1} <= Date(2027,6,30)",
         "01/07/2026 to 30/06/2027"},
        // Other criteria are no dates; a day named by = is no range, nor every date.
        {"{%2.a} = '''; drop table p; --' AND {%1} >= Date(2026,7,1) AND {%1} <= Date(2027,6,30)",
         "01/07/2026 to 30/06/2027"},
        {"{%2.t} like 'O''Brien*'", "All dates"},
        {"{%1} = Date(2026,7,1)", ""},
    };
    for (const File &file : files) {
        const QString field = QString::fromUtf8(file.date);
        // The summary reads both tables: the other one is given the same days.
        const bool both = qstrcmp(file.name, "plmain.rpt") == 0;
        for (const Case &c : cases) {
            QString formula = QString::fromUtf8(c.formula)
                                  .replace(QStringLiteral("%1"), field)
                                  .replace(QStringLiteral("%2"), field.left(1));
            if (both && !formula.isEmpty())
                formula += QStringLiteral(" AND ")
                           + QString(formula)
                                 .replace(QStringLiteral("{r."), QStringLiteral("{p."))
                                 .replace(QStringLiteral("{p.m}"), QStringLiteral("{p.j}"));
            const QStringList lines = body(QString::fromUtf8(file.name), formula);
            if (*c.line)
                EXPECT_EQ(lines.value(0), QString::fromUtf8(c.line)) << file.name << ": " << c.formula;
            else
                EXPECT_TRUE(lines.value(0).contains(QStringLiteral(" | "))) << file.name << ": " << c.formula;
        }
    }

    // The two tables of the summary (income first) selected otherwise: each says its own.
    struct Summary
    {
        const char *formula;
        const char *line;
    };
    const Summary summaries[] = {
        {"{r.j} >= Date(2026,7,1) AND {r.j} <= Date(2027,6,30)", "r.j: 01/07/2026 to 30/06/2027; p: All dates"},
        {"{r.j} >= Date(2026,7,1) AND {p.j} >= Date(2025,7,1) AND {r.m} <= Date(2027,6,30)",
         "r.j: From 01/07/2026; r.m: Up to 30/06/2027; p.j: From 01/07/2025"},
        {"{r.j} >= Date(2026,7,1) AND {p.j} = Date(2026,7,1)", "r.j: From 01/07/2026"},
    };
    for (const Summary &s : summaries)
        EXPECT_EQ(body(QStringLiteral("plmain.rpt"), QString::fromUtf8(s.formula)).value(0), QString::fromUtf8(s.line))
            << s.formula;
}

} // namespace qm::test
