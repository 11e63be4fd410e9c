// The reports form over a small hand-worked book: what it shows and hides, its checks, the
// grid and its sums, the transaction and profit-and-loss reports it runs, the round trip to
// the payments and receipts forms, and the leaving of the screen.
#include "common/format.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/dbcombo.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "platform/reportcontrol.h"
#include "reports/reports2.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/machinefont.h"
#include "tests/support/testservices.h"

#include <QApplication>
#include <QFile>

namespace qm::test {

namespace {

const QString Unchecked = QStringLiteral("Please check transaction data has been entered over the period specified!");
const QString NoReportOn
    = QStringLiteral("You must enter the type of type of transaction to report on. (The 'Report on' field)");

// The financial year starting 2005. Payments: P6 falls before it; P4 has no total, P7 a total
// of 0. Receipts: R1 was invoiced in June, before the year; R3 falls in the second quarter.
class ReportsTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        runSql(path(QStringLiteral("qm.mdb")),
               "insert into s (ID, l) values (1, 'Office Co'), (2, 'O''Brien''s Farm'), (3, 'Landlord');"
               "insert into c (ID, l) values (1, 'Farmer''s Market'), (2, 'Smith & Co');"
               "insert into p (ID, j, a, b, p, t, c, d, e, f, g, h, i, l, m, o, q, s, u, v) values "
               "(1, '2005-07-03', 'Paper', 1, 1, 'Office Co', 100, 10, 110, 'Expense', 'Cheque', 'Phone', null, "
               "'A1', '2005-07-01', '000123', '10', 0, 'STD', 'JOB1'),"
               "(2, '2005-07-20', 'Ink', 1, 1, 'Office Co', 50.5, 5.05, 55.55, 'Expense', 'Cash', 'Other', "
               "'Printing', null, null, null, '10', 60, 'STD', 'JOB1'),"
               "(3, '2005-08-01', 'Van', 2, 2, 'O''Brien''s Farm', 20000, 2000, 22000, 'Capital', 'Cheque', 'Car', "
               "null, 'OB-1', '2005-07-28', '000124', '10', 50, 'STD', null),"
               "(4, '2005-09-30', 'Misc', 2, 2, 'O''Brien''s Farm', 12.5, 0, null, 'Expense', 'Direct', 'Other', "
               "null, null, null, null, '0', 0, 'STD', null),"
               "(5, '2005-10-01', 'Rent', 3, 3, 'Landlord', 1000, 0, 1000, 'Expense', 'Direct', "
               "'RENTAL PROPERTY RATES & REPAIRS', null, null, null, null, '0', 0, 'ITS', null),"
               "(6, '2005-06-30', 'Old', 1, 1, 'Office Co', 7, 0.7, 7.7, 'Expense', 'Cash', 'Phone', null, null, "
               "null, null, '10', 0, 'STD', null),"
               "(7, '2005-09-15', 'Refund', 1, 1, 'Office Co', 0, 0, 0, 'Expense', 'Cash', 'Phone', null, null, "
               "null, null, '10', 0, 'STD', null);"
               "insert into r (ID, j, m, a, b, p, t, c, d, e, f, g, h, l, q, s, u, v) values "
               "(1, '2005-07-10', '2005-06-30', 'Consulting', 1, 1, 'Farmer''s Market', 1000, 100, 1100, 'Income', "
               "'Direct', 'Services', 'A0001', '10', 0, 'STD', 'JOB1'),"
               "(2, '2005-08-10', '2005-08-01', 'Repairs', 2, 2, 'Smith & Co', 300, 30, 330, 'Income', 'Cheque', "
               "'Services', 'A0002', '10', 0, 'STD', null),"
               "(3, '2005-10-05', '2005-09-20', 'Late', 2, 2, 'Smith & Co', 200, 20, 220, 'Income', 'Cash', "
               "'Goods', 'A0003', '10', 0, 'STD', null);");
        runSql(path(QStringLiteral("qm1.mdb")), "insert into jac (jac, exp) values ('JOB1', 'first job');");
        UserName = QStringLiteral("tester");
    }

    reports2 &form() { return Forms::get<reports2>(); }

    // Picks a list entry by its text, as the user does.
    static void pick(ComboBox *box, const QString &text)
    {
        for (int i = 0; i < box->ListCount(); ++i)
            if (box->List(i) == text)
                return box->pick(i);
        FAIL() << "no entry " << qPrintable(text);
    }

    void period(const QString &name, const QString &year = QStringLiteral("2005"))
    {
        pick(form().basfor, name);
        if (!year.isEmpty())
            form().basyear->setText(year);
    }

    // Go with the criteria on the screen.
    void go(const QString &reportType = QStringLiteral("Search"))
    {
        form().reptype->setText(reportType);
        form().Command8_Click();
    }

    QString gridRow(int row)
    {
        QStringList cells;
        for (int col = 0; col < 14; ++col)
            cells << form().flex->TextMatrix(row, col);
        return cells.join(u'|');
    }

    QStringList gridRows()
    {
        QStringList rows;
        for (int row = 1; row < form().flex->Rows() && !form().flex->TextMatrix(row, 0).isEmpty(); ++row)
            rows << gridRow(row);
        return rows;
    }

    QString totals() { return form().net->Text() + u'|' + form().gst->Text() + u'|' + form().tot->Text(); }

    // The last report's lines between its title line and its page number.
    QStringList reportBody() const
    {
        if (m_services->reports.empty())
            return {QStringLiteral("<no report>")};
        QStringList lines = m_services->reports.back().pages.split(u'\n');
        return lines.mid(1, lines.size() - 2);
    }

    QString grandTotal() const
    {
        const QStringList body = reportBody();
        return body.isEmpty() ? QString() : body.last();
    }

    int payments() { return rows(QStringLiteral("qm.mdb"), QStringLiteral("select ID from p")).size(); }
};

} // namespace

// The years run to the one after this, then the empty entry; today's date is in the one
// short date form; the lists read the tables.
TEST_F(ReportsTest, TheScreenAsItOpens)
{
    reports2 &f = form();
    EXPECT_EQ(f.typeoftrans->Text(), "All purchases");
    EXPECT_EQ(f.pay0[0]->Text(), "tester");
    EXPECT_EQ(f.pay0[2]->Text(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    const int next = QDate::currentDate().year() + 1;
    ASSERT_EQ(f.basyear->ListCount(), next - 2000 + 2);
    EXPECT_EQ(f.basyear->List(0), "2000");
    EXPECT_EQ(f.basyear->List(next - 2000), QString::number(next));
    EXPECT_EQ(f.basyear->List(next - 2000 + 1), "");
    EXPECT_EQ(f.DBCombo2->ListCount(), 3);
    EXPECT_EQ(f.combo1->ListText(0), "Farmer's Market");
    EXPECT_EQ(f.job->ListText(0), "JOB1");
}

// A picked choice shows its fields; a typed one only colours itself. Leaving Select Dates
// empties the dates, choosing it empties the year.
TEST_F(ReportsTest, ChoicesShowAndHideTheirFields)
{
    reports2 &f = form();
    pick(f.typeoftrans, "Income");
    EXPECT_TRUE(f.combo1->Visible());
    EXPECT_FALSE(f.DBCombo2->Visible());
    f.typeoftrans->setText(QString());
    f.typeoftrans->typeText("Capital");
    EXPECT_TRUE(f.combo1->Visible());
    EXPECT_EQ(f.typeoftrans->BackColor(), vbPink);

    pick(f.typeoftrans, "Income by Client");
    EXPECT_TRUE(f.Picture4->Visible());
    f.Command11_Click();
    EXPECT_EQ(f.typeoftrans->Text(), "All purchases");
    EXPECT_FALSE(f.Picture4->Visible());
    EXPECT_TRUE(f.DBCombo2->Visible());

    period("1st Quarter");
    pick(f.basfor, "Select Dates");
    EXPECT_TRUE(f.selectdates->Visible());
    EXPECT_EQ(f.basyear->Text(), "");
    f.picker->pickDate(QDate(2005, 7, 5));
    f.DTPicker2->pickDate(QDate(2005, 8, 31));
    f.DTPicker1->pickDate(QDate(2005, 7, 1));
    EXPECT_EQ(f.pay1[0]->Text() + u' ' + f.pay1[7]->Text() + u' ' + f.pay1[2]->Text(),
              "05/Jul/2005 31/Aug/2005 01/Jul/2005");
    pick(f.basfor, "July");
    EXPECT_FALSE(f.selectdates->Visible());
    EXPECT_EQ(f.pay1[0]->Text() + f.pay1[7]->Text(), "");

    pick(f.Combo2[2], "Other");
    EXPECT_TRUE(f.Combo2[3]->Visible());
    pick(f.Combo2[3], "Travel");
    f.Command9_Click(); // Clear form empties the sub-category and leaves it shown
    EXPECT_TRUE(f.Combo2[3]->Visible());
    EXPECT_EQ(f.Combo2[3]->Text(), "");
    pick(f.Combo2[2], "Phone");
    EXPECT_FALSE(f.Combo2[3]->Visible());
}

// Filled-in criteria are coloured; Clear form whitens what it empties. Suppressed, typing
// colours nothing but a pick from a list still does.
TEST_F(ReportsTest, FilledInFieldsAreColoured)
{
    reports2 &f = form();
    f.pay1[1]->typeText("Paper");
    pick(f.basfor, "Financial Year");
    f.DBCombo2->typeText("Office");
    EXPECT_EQ(f.pay1[1]->BackColor(), vbPink);
    EXPECT_EQ(f.basfor->BackColor(), vbPink);
    EXPECT_EQ(f.DBCombo2->BackColor(), vbWhite); // typing a supplier does not colour it
    f.Command9_Click();
    EXPECT_EQ(f.pay1[1]->BackColor(), vbWhite);
    EXPECT_EQ(f.basfor->BackColor(), vbPink); // Clear form leaves the period as it was

    SuppressHighlight = true;
    f.pay1[3]->typeText("A1");
    pick(f.Combo2[1], "Cash");
    EXPECT_EQ(f.pay1[3]->BackColor(), vbWhite);
    EXPECT_EQ(f.Combo2[1]->BackColor(), vbPink);
    f.sspanel100_MouseMove();
    EXPECT_FALSE(SuppressHighlight);
}

// The five checks in their order, then the values that must be numbers or dates: each stops
// Go with its message, with nothing shown, searched or run.
TEST_F(ReportsTest, GoChecksTheCriteriaInOrder)
{
    struct Case
    {
        const char *name;
        std::function<void(reports2 &)> setUp;
        QString message;
    };
    const Case cases[] = {
        {"no Report on",
         [](reports2 &f) {
             f.typeoftrans->setText(QString());
             f.Combo2[4]->setText("abc");
         },
         NoReportOn},
        {"a client hidden under a supplier",
         [](reports2 &f) {
             pick(f.typeoftrans, "Income");
             f.combo1->pickRow(1);
             pick(f.typeoftrans, "Expense");
             f.DBCombo2->pickRow(0);
             f.pay1[0]->setText("1/7/05");
         },
         QStringLiteral("You cannot search for Client and Supplier at the same time.")},
        {"a From date without Select Dates",
         [this](reports2 &f) {
             period("1st Quarter", "");
             f.pay1[0]->setText("1/7/05");
         },
         QStringLiteral("Select period of report or dates.")},
        {"a To date without Select Dates", [](reports2 &f) { f.pay1[7]->setText("1/7/05"); },
         QStringLiteral("Select period of report or dates.")},
        {"a quarter without a year", [this](reports2 &) { period("1st Quarter", ""); },
         QStringLiteral("Please select Financial Year.")},
        // Every value that is not a number or a date is refused alike (each kind is tested
        // in test_reportcriteria.cpp).
        {"a personal use that is not a number",
         [this](reports2 &f) {
             period("1st Quarter");
             f.Combo2[4]->typeText("50 or 1=1");
         },
         Unchecked},
    };
    for (const Case &c : cases) {
        c.setUp(form());
        for (const QString &type : {QStringLiteral("Search"), QStringLiteral("View report")}) {
            m_messages.clear();
            go(type);
            EXPECT_EQ(messages(), QStringList{c.message}) << c.name;
            EXPECT_FALSE(form().searchbox->Visible()) << c.name;
            EXPECT_TRUE(m_services->reports.empty()) << c.name;
        }
        Forms::discardAll();
    }
    EXPECT_EQ(payments(), 7);
}

TEST_F(ReportsTest, TheGridListsTheFoundRowsWithTheirSums)
{
    period("1st Quarter");
    go();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_TRUE(form().searchbox->Visible());
    EXPECT_EQ(gridRows(), QStringList({
                              "1|03/07/2005|Paper|1|Office Co|100|10|110.00|Phone||A1|01/07/2005|Expense|JOB1",
                              "2|20/07/2005|Ink|1|Office Co|50.5|5.05|55.55|Other|Printing|||Expense|JOB1",
                              "3|01/08/2005|Van|2|O'Brien's Farm|20000|2000|22000.00|Car||OB-1|28/07/2005|Capital|",
                              "7|15/09/2005|Refund|1|Office Co|0|0|.00|Phone||||Expense|",
                              "4|30/09/2005|Misc|2|O'Brien's Farm|12.5|0||Other||||Expense|",
                          }));
    // 100 + 50.5 + 20000 + 0 + 12.5; 10 + 5.05 + 2000; 110 + 55.55 + 22000 (no total counts 0)
    EXPECT_EQ(totals(), "20163.00|2015.05|22165.55");
    EXPECT_EQ(form().flex->RowData(3), 3);
    EXPECT_EQ(form().flex->TextMatrix(0, 4), "Supplier");
    EXPECT_EQ(form().flex->Rows(), 3005); // one more row for each one filled
    EXPECT_EQ(form().MousePointer(), vbDefault);

    // Receipts by invoice date: the invoice's date in the Date column, the client's heading.
    pick(form().typeoftrans, "Income");
    form().Combo4->pick(1);
    go();
    EXPECT_EQ(gridRows(),
              QStringList({"2|01/08/2005|Repairs|2|Smith & Co|300|30|330.00|Services||A0002|01/08/2005|"
                           "Income|",
                           "3|20/09/2005|Late|2|Smith & Co|200|20|220.00|Goods||A0003|20/09/2005|Income|"}));
    EXPECT_EQ(form().flex->TextMatrix(0, 4), "Client");
    EXPECT_EQ(totals(), "500.00|50.00|550.00");
    EXPECT_EQ(form().flex->Rows(), 3007);
    EXPECT_EQ(form().flex->TextMatrix(3, 0), ""); // rows of the earlier run are emptied
}

TEST_F(ReportsTest, CriteriaFindTheirRows)
{
    struct Case
    {
        const char *name;
        std::function<void(reports2 &)> setUp;
        const char *ids; // the grid's IDs, in order
        const char *totals;
    };
    const Case cases[] = {
        {"expenses of every date", [](reports2 &f) { pick(f.typeoftrans, "Expense"); }, "6,1,2,7,4,5",
         "1170.00|15.75|1173.25"},
        {"a supplier with an apostrophe, typed in part", [](reports2 &f) { f.DBCombo2->typeText("o'brien"); }, "3,4",
         "20012.50|2000.00|22000.00"},
        {"a supplier picked", [](reports2 &f) { f.DBCombo2->pickRow(0); }, "6,1,2,7", "157.50|15.75|173.25"},
        {"a wildcard in For", [](reports2 &f) { f.pay1[1]->typeText("M?sc"); }, "4", "12.50|.00|.00"},
        {"personal use over 50", [](reports2 &f) { pick(f.Combo2[4], "50"); }, "2", "50.50|5.05|55.55"},
        {"category, job, paid by, cheque and invoice number",
         [](reports2 &f) {
             f.Combo2[2]->typeText("phone");
             f.job->typeText("JOB1");
             f.Combo2[1]->typeText("Cheque");
             f.pay1[4]->typeText("000123");
             f.pay1[3]->typeText("A1");
         },
         "1", "100.00|10.00|110.00"},
        {"the invoice date", [](reports2 &f) { f.pay1[2]->typeText("28/07/2005"); }, "3", "20000.00|2000.00|22000.00"},
        {"a sub-category", [](reports2 &f) { f.Combo2[3]->setText("Printing"); }, "2", "50.50|5.05|55.55"},
    };
    for (const Case &c : cases) {
        form().basyear->setText("2005"); // no period: the question is answered Yes
        c.setUp(form());
        go();
        QStringList ids;
        for (const QString &row : gridRows())
            ids << row.section(u'|', 0, 0);
        EXPECT_EQ(ids.join(u','), QString::fromUtf8(c.ids)) << c.name;
        EXPECT_EQ(totals(), QString::fromUtf8(c.totals)) << c.name;
        Forms::discardAll();
        m_messages.clear();
    }
}

// Every box takes apostrophes and hostile text as plain text: they find what holds them,
// break no query or formula and change nothing.
TEST_F(ReportsTest, HostileTextInEveryBox)
{
    using Setter = std::function<void(reports2 &, const QString &)>;
    struct Box
    {
        const char *name;
        Setter set;
        bool income;
    };
    const Box textBoxes[] = {
        {"client", [](reports2 &f, const QString &t) { f.combo1->setText(t); }, true},
        {"supplier", [](reports2 &f, const QString &t) { f.DBCombo2->setText(t); }, false},
        {"For", [](reports2 &f, const QString &t) { f.pay1[1]->setText(t); }, false},
        {"category", [](reports2 &f, const QString &t) { f.Combo2[2]->setText(t); }, true},
        {"sub-category", [](reports2 &f, const QString &t) { f.Combo2[3]->setText(t); }, false},
        {"job", [](reports2 &f, const QString &t) { f.job->setText(t); }, true},
        {"paid by", [](reports2 &f, const QString &t) { f.Combo2[1]->setText(t); }, false},
        {"cheque", [](reports2 &f, const QString &t) { f.pay1[4]->setText(t); }, false},
        {"invoice number", [](reports2 &f, const QString &t) { f.pay1[3]->setText(t); }, true},
    };
    const QString hostile[]
        = {QStringLiteral("O'Brien's Farm"), QStringLiteral("'; drop table p; --"), QStringLiteral("\"50 or 1=1\""),
           QStringLiteral("x' or 'a'='a"), QStringLiteral("#1/1/2000#")};
    for (const Box &box : textBoxes) {
        for (const QString &text : hostile) {
            if (box.income)
                pick(form().typeoftrans, "Income");
            period("Financial Year");
            box.set(form(), text);
            go();
            const bool found = QLatin1String(box.name) == QLatin1String("supplier") && text.startsWith(u'O');
            EXPECT_EQ(messages(), found ? QStringList() : QStringList{"No Transactions found"})
                << box.name << " " << qPrintable(text);
            EXPECT_EQ(gridRows().size(), found ? 2 : 0) << box.name;
            m_messages.clear();
            go("View report");
            EXPECT_TRUE(m_messages.log().empty()) << box.name << " " << qPrintable(messages().join(u'/'));
            EXPECT_EQ(grandTotal(),
                      found ? "Grand Total | 20012.50 | 2000.00 | 22000.00" : "Grand Total | 0.00 | 0.00 | 0.00")
                << box.name << " " << qPrintable(text);
            Forms::discardAll();
            m_messages.clear();
        }
    }

    EXPECT_EQ(payments(), 7);
}

TEST_F(ReportsTest, ASearchWithoutCriteriaAsksFirst)
{
    form().basyear->setText("2005");
    m_messages.queueAnswer(vbNo);
    go();
    ASSERT_EQ(messages(), QStringList{"This search has no dates associated. It will select all records meeting your "
                                      "criteria. Proceed?"});
    EXPECT_EQ(m_messages.log()[0].title, "Corvane");
    EXPECT_EQ(m_messages.log()[0].buttons, vbYesNo);
    EXPECT_EQ(gridRows(), QStringList());
    EXPECT_EQ(form().flex->TextMatrix(0, 0), "ID");
    EXPECT_EQ(form().Report1->SortFields(0), ""); // nothing of the run was reached

    m_messages.clear();
    go(); // Yes: every payment
    EXPECT_EQ(gridRows().size(), 7);
    EXPECT_EQ(form().Report1->SortFields(0), "+{p.j}"); // set for a search too

    m_messages.clear();
    m_messages.queueAnswer(vbNo);
    go("View report");
    EXPECT_TRUE(m_services->reports.empty());
    go("View report");
    ASSERT_EQ(m_services->reports.size(), 1u);
    EXPECT_EQ(m_services->reports[0].run.formula, "");
    EXPECT_EQ(grandTotal(), "Grand Total | 21170.00 | 2015.75 | 23173.25");

    // The type is a criterion of its own: no question.
    m_messages.clear();
    pick(form().typeoftrans, "Capital");
    go();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(gridRows().size(), 1);
}

TEST_F(ReportsTest, TransactionReportsGetTheSameCriteria)
{
    period("1st Quarter", "2005");
    pick(form().typeoftrans, "Expense");
    go("View report");
    ASSERT_EQ(m_services->reports.size(), 1u);
    const ReportRun &run = m_services->reports[0].run;
    EXPECT_EQ(run.fileName, "report1p.rpt");
    EXPECT_EQ(run.destination, 0);
    EXPECT_EQ(run.sortFields, QStringList{"+{p.j}"});
    EXPECT_EQ(run.formula, "{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2005,9,30) AND{p.f} = 'Expense'");
    EXPECT_FALSE(form().searchbox->Visible()); // a report leaves the results box as it was
    EXPECT_EQ(reportBody(),
              QStringList({"01/07/2005 to 30/09/2005",
                           "Date | For | Supplier | Nett | GST | Total | Category | Invoice No. | Type | Job / Account",
                           "03/07/2005 | Paper | Office Co | 100.00 | 10.00 | 110.00 | Phone | A1 | Expense | JOB1",
                           "20/07/2005 | Ink | Office Co | 50.50 | 5.05 | 55.55 | Other | Expense | JOB1",
                           "15/09/2005 | Refund | Office Co | 0.00 | 0.00 | 0.00 | Phone | Expense",
                           "30/09/2005 | Misc | O'Brien's Farm | 12.50 | 0.00 | Other | Expense",
                           "Grand Total | 163.00 | 15.05 | 165.55"}));

    pick(form().typeoftrans, "Income");
    form().combo1->pickRow(0);
    go("Print report");
    const ReportRun &printed = m_services->reports.back().run;
    EXPECT_EQ(printed.fileName, "report1r.rpt");
    EXPECT_EQ(printed.destination, 1);
    EXPECT_EQ(printed.formula, "{r.j} >= Date(2005,7,1) AND {r.j} <= Date(2005,9,30) AND{r.t} = 'Farmer''s Market'");
    EXPECT_EQ(grandTotal(), "Grand Total | 1000.00 | 100.00 | 1100.00");

    form().Combo4->pick(1);
    go("View report");
    EXPECT_EQ(m_services->reports.back().run.fileName, "report1ri.rpt");
    EXPECT_EQ(m_services->reports.back().run.sortFields, QStringList{"+{r.m}"});
    EXPECT_EQ(grandTotal(), "Grand Total | 0.00 | 0.00 | 0.00"); // R1 was invoiced in June
    EXPECT_EQ(form().MousePointer(), vbDefault);
}

// Where the query and the formula select alike, the report's totals are the search's.
TEST_F(ReportsTest, ReportTotalsAreTheSearchTotals)
{
    const std::vector<std::function<void(reports2 &)>> criteria = {
        [this](reports2 &) { period("Financial Year"); },
        [this](reports2 &f) {
            period("1st Quarter");
            pick(f.typeoftrans, "Expense");
        },
        [this](reports2 &f) {
            period("Financial Year");
            pick(f.typeoftrans, "Capital");
        },
        [this](reports2 &f) {
            period("Financial Year");
            pick(f.Combo2[2], "Other");
        },
        [this](reports2 &f) {
            period("Financial Year");
            f.job->pickRow(0);
        },
        [this](reports2 &f) {
            period("Financial Year");
            pick(f.Combo2[1], "Cheque");
        },
        [this](reports2 &f) {
            pick(f.typeoftrans, "Income");
            period("2nd Quarter");
        },
        [this](reports2 &f) {
            pick(f.typeoftrans, "Income");
            f.Combo4->pick(1);
            period("Financial Year");
            pick(f.Combo2[1], "Cash");
        },
    };
    for (size_t i = 0; i < criteria.size(); ++i) {
        criteria[i](form());
        go();
        const QStringList sums = totals().split(u'|');
        go("View report");
        EXPECT_EQ(grandTotal(), QStringLiteral("Grand Total | %1 | %2 | %3").arg(sums[0], sums[1], sums[2]))
            << "criteria " << i;
        Forms::discardAll();
    }
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(ReportsTest, ProfitAndLossReports)
{
    pick(form().typeoftrans, "Expenses by Category");
    period("Financial Year");
    pick(form().orderby1, "Client/Supplier");
    form().reptype->setText("Print report"); // not read: these open in the window
    form().Command10_Click();
    ASSERT_EQ(m_services->reports.size(), 1u);
    const ReportRun &run = m_services->reports[0].run;
    EXPECT_EQ(run.fileName, "plcatexp.rpt");
    EXPECT_EQ(run.formula, "{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2006,6,30)");
    EXPECT_EQ(run.sortFields, QStringList{"+{p.j}"});
    EXPECT_EQ(run.destination, 0);
    EXPECT_EQ(form().orderby1->Text(), "Date");
    // Phone 100 + 0, Other 50.5 + 12.5 (no total), Car, the rent; P6 is in the year before.
    EXPECT_EQ(reportBody(), QStringList({"01/07/2005 to 30/06/2006", "Category | Nett | GST | Total",
                                         "Car | 20000.00 | 2000.00 | 22000.00", "Other | 63.00 | 5.05 | 55.55",
                                         "Phone | 100.00 | 10.00 | 110.00",
                                         "RENTAL PROPERTY RATES & REPAIRS | 1000.00 | 0.00 | 1000.00",
                                         "Grand Total | 21163.00 | 2015.05 | 23165.55"}));

    pick(form().typeoftrans, "Income by Client");
    form().Combo4->pick(1);
    pick(form().basfor, "1st Quarter");
    form().Command10_Click();
    EXPECT_EQ(m_services->reports.back().run.fileName, "plnaminci.rpt");
    EXPECT_EQ(m_services->reports.back().run.sortFields, QStringList{"+{r.m}"});
    EXPECT_EQ(reportBody(),
              QStringList({"01/07/2005 to 30/09/2005", "Client | Nett | GST | Total",
                           "Smith & Co | 500.00 | 50.00 | 550.00", "Grand Total | 500.00 | 50.00 | 550.00"}));

    // Typed, the summary of both tables covers the chosen period too.
    form().Combo4->pick(0);
    pick(form().basfor, "Financial Year");
    form().typeoftrans->setText("Total Income & Expenses");
    form().Command10_Click();
    EXPECT_EQ(m_services->reports.back().run.fileName, "plmain.rpt");
    EXPECT_EQ(m_services->reports.back().run.sortFields, QStringList{"+{r.m}"}); // kept from the last run
    EXPECT_EQ(reportBody(), QStringList({"01/07/2005 to 30/06/2006", "Income | Expenses | Difference",
                                         "Nett | 1500.00 | 21163.00 | -19663.00", "GST | 150.00 | 2015.05 | -1865.05",
                                         "Total | 1650.00 | 23165.55 | -21515.55"}));
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(ReportsTest, ProfitAndLossChecks)
{
    struct Case
    {
        const char *name;
        std::function<void(reports2 &)> setUp;
        QString message;
    };
    const Case cases[] = {
        {"a typed text that names no report",
         [this](reports2 &f) {
             pick(f.typeoftrans, "Expenses by Category");
             f.typeoftrans->setText("Expense");
             period("Financial Year");
         },
         NoReportOn},
        {"a From date with a quarter",
         [this](reports2 &f) {
             pick(f.typeoftrans, "Expenses by Category");
             period("1st Quarter");
             f.pay1[0]->setText("01/07/2005");
         },
         QStringLiteral("Select period of report or dates.")},
        {"a quarter without a year",
         [this](reports2 &f) {
             pick(f.typeoftrans, "Expenses by Supplier");
             period("1st Quarter", "");
         },
         QStringLiteral("Please select Financial Year.")},
        {"a typed year that is not one",
         [this](reports2 &f) {
             pick(f.typeoftrans, "Income by Category");
             period("March", "two thousand");
         },
         Unchecked},
    };
    for (const Case &c : cases) {
        c.setUp(form());
        form().orderby1->setText("Type");
        m_messages.clear();
        form().Command10_Click();
        EXPECT_EQ(messages(), QStringList{c.message}) << c.name;
        EXPECT_TRUE(m_services->reports.empty()) << c.name;
        EXPECT_EQ(form().orderby1->Text(), "Type") << c.name;
        Forms::discardAll();
    }

    // No period with a year, and no From date: every date.
    pick(form().typeoftrans, "Expenses by Job / Account");
    form().basyear->setText("2005");
    form().Command10_Click();
    ASSERT_EQ(m_services->reports.size(), 1u);
    EXPECT_EQ(m_services->reports[0].run.formula, "");
    EXPECT_EQ(reportBody().first(), "All dates");
}

// A failing report is said and the screen goes on working.
TEST_F(ReportsTest, ReportFailuresAreSaid)
{
    period("1st Quarter");
    QFile::remove(path(QStringLiteral("report1p.rpt")));
    go("View report");
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Report Error: ")) << qPrintable(messages()[0]);
    EXPECT_GT(messages()[0].size(), QStringLiteral("Report Error: ").size());
    EXPECT_EQ(m_messages.log()[0].icon, vbExclamation);
    EXPECT_EQ(form().MousePointer(), vbDefault);

    m_messages.clear();
    pick(form().typeoftrans, "Income");
    m_services->printerWorks = false;
    go("Print report");
    EXPECT_EQ(messages(), QStringList{"Printer Error"});

    // No printer set up: the print dialog asks; cancelled, nothing is printed or said.
    m_messages.clear();
    m_services->printerWorks = true;
    m_services->defaultPrinter = false;
    go("Print report");
    EXPECT_EQ(m_services->printDialogs, 1);
    EXPECT_TRUE(messages().isEmpty());

    m_messages.clear();
    go();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(gridRows().size(), 2);
}

TEST_F(ReportsTest, ADatabaseThatCannotBeReadIsSaid)
{
    period("1st Quarter");
    runSql(path(QStringLiteral("qm.mdb")), "drop table p;");
    go();
    EXPECT_EQ(messages(),
              QStringList{
                  "qm.mdb cannot be opened: the file has no table \"p\"; it is damaged or is not the program's file."});
    EXPECT_EQ(totals(), "||");
    EXPECT_EQ(form().MousePointer(), vbDefault);
}

// A double-click opens the transaction in its form; Go Back saves it and searches again. Go
// Back shows the main menu on its way out (OK's way) and then this form: this form comes to the
// front and takes the focus, the main menu is never asked to.
TEST_F(ReportsTest, AFoundRowOpensForEditingAndComesBackSearchedAgain)
{
    form().Show();
    period("1st Quarter");
    go();
    form().flex->doubleClickCell(1, 9); // an empty cell of a filled row
    EXPECT_EQ(messages(), QStringList{"No Item Selected!"});
    EXPECT_FALSE(Forms::isLoaded<PRC>());
    m_messages.clear();

    form().flex->doubleClickCell(2, 2);
    PRC &payments = Forms::get<PRC>();
    EXPECT_EQ(payments.pay1[5]->Text(), "2");
    EXPECT_EQ(payments.gobackb->Text(), "Reports");
    EXPECT_TRUE(payments.back->Visible());
    EXPECT_TRUE(Forms::isLoaded<reports2>());
    payments.Text2[3]->setText(QString());
    payments.Text2[3]->typeText("66");
    processEvents();
    m_services->broughtToFront.clear();
    payments.back_Click();
    processEvents();
    EXPECT_TRUE(m_messages.log().empty()) << qPrintable(messages().join(u'/'));
    EXPECT_FALSE(Forms::isLoaded<PRC>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(m_services->broughtToFront, QStringList{"reports2"});
    EXPECT_EQ(QApplication::activeWindow(), &form());
    EXPECT_EQ(form().flex->TextMatrix(2, 7), "66.00");
    EXPECT_EQ(form().flex->TextMatrix(2, 5), "60");
    EXPECT_EQ(form().flex->TextMatrix(2, 6), "6");
    EXPECT_EQ(totals(), "20172.50|2016.00|22176.00");
    EXPECT_TRUE(form().searchbox->Visible());
}

// No amount is cut, in this machine's font or a large one: the grid's columns of money show
// the largest amount whole, the totals under the grid the largest sum, and both widen for an
// amount beyond those. A stored number shows fifteen significant digits.
TEST_F(ReportsTest, TheLargestAmountsShowWhole)
{
    runSql(path(QStringLiteral("qm.mdb")),
           "insert into p (ID, j, a, b, p, t, c, d, e, f, g, h, q, s, u) values "
           "(8, '2005-07-05', 'Huge', 1, 1, 'Office Co', 9090909.08, 909090.91, 9999999.99, 'Expense', 'Cash', "
           "'Phone', '10', 0, 'STD'),"
           "(9, '2005-07-06', 'Odd', 1, 1, 'Office Co', 200.0 / 11, 20.0 / 11, 20, 'Expense', 'Cash', 'Phone', "
           "'10', 0, 'STD'),"
           "(10, '2005-07-07', 'Billion', 1, 1, 'Office Co', 909090909.09, 90909090.91, 1000000000, 'Expense', "
           "'Cash', 'Phone', '10', 0, 'STD')");
    for (const QFont &font : machineFonts()) {
        SCOPED_TRACE(font.toString().toStdString());
        Forms::discardAll();
        const MachineFont machine(font);
        form().Show();
        period("1st Quarter");
        go();
        processEvents();
        EXPECT_EQ(gridRow(2), "8|05/07/2005|Huge|1|Office Co|9090909.08|909090.91|9999999.99|Phone||||Expense|");
        EXPECT_EQ(gridRow(3), "9|06/07/2005|Odd|1|Office Co|18.1818181818182|1.81818181818182|20.00|Phone||||Expense|");
        EXPECT_EQ(totals(), "918201999.35|91820198.69|1010022185.54");
        for (int col = 5; col <= 7; ++col) {
            EXPECT_TRUE(form().flex->showsWhole(col, LargestAmount)) << col;
            for (int row = 1; row < form().flex->Rows(); ++row)
                EXPECT_TRUE(form().flex->showsWhole(col, form().flex->TextMatrix(row, col))) << row << ',' << col;
        }
        for (TextBox *total : {form().net, form().gst, form().tot}) {
            EXPECT_TRUE(total->showsWhole(LargestTotal));
            EXPECT_TRUE(total->showsWhole(total->Text()));
        }
    }
}

// The grid's rows belong to the table that filled them, whatever "Report on" says now.
TEST_F(ReportsTest, ADoubleClickOpensTheFormOfTheRowsTable)
{
    pick(form().typeoftrans, "Income");
    period("1st Quarter");
    go();
    pick(form().typeoftrans, "All purchases");
    form().flex->doubleClickCell(1, 0);
    EXPECT_FALSE(Forms::isLoaded<PRC>());
    RRC &receipts = Forms::get<RRC>();
    EXPECT_EQ(receipts.pay1[1]->Text(), "Consulting");
    EXPECT_EQ(receipts.searchtext->Text(), "1");
}

TEST_F(ReportsTest, ResultsBoxAndLeaving)
{
    period("1st Quarter");
    go();
    form().Command6_Click();
    EXPECT_FALSE(form().searchbox->Visible());
    EXPECT_EQ(form().basfor->Text(), "1st Quarter");

    m_messages.queueAnswer(vbNo);
    form().mm->trigger();
    EXPECT_EQ(messages(), QStringList{"Cancel and go to Menu?"});
    EXPECT_TRUE(Forms::isLoaded<reports2>());
    form().mm->trigger(); // Yes
    EXPECT_FALSE(Forms::isLoaded<reports2>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());

    for (int button : {1, 2}) {
        m_messages.clear();
        form().Command1_Click(button);
        EXPECT_FALSE(Forms::isLoaded<reports2>());
        EXPECT_TRUE(m_messages.log().empty());
    }
}

} // namespace qm::test
