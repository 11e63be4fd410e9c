// The invoice list on the invoice form: its filters, its totals, and opening an invoice from it.
#include "common/format.h"
#include "common/period.h"
#include "platform/flexgrid.h"
#include "tests/invoicing/invoicefixture.h"
#include "tests/support/machinefont.h"

namespace qm::test {

namespace {

class InvoiceListTest : public InvoiceTest
{
protected:
    void SetUp() override
    {
        InvoiceTest::SetUp();
        // A5 carries the marker state "plimb", A7 no state at all: neither is ever listed.
        run("qm1.mdb", "insert into inv (a, b, i, e, xd1, xtotal, paid, printed, y) values "
                       "('A1', '2003-07-15', 'Acme Pty Ltd', 'VIC', 'Paper', 110.1, 110.1, 'YES', 'Fair'),"
                       "('A2', '2003-07-01', 'Acme Pty Ltd', 'VIC', 'Ink', 220.2, 0, '', null),"
                       "('A3', '2004-02-29', 'Acme Pty Ltd', 'VIC', 'Toner', 55.5, 20, null, ''),"
                       "('A4', '2004-06-30', 'O''Brien''s Farm', 'VIC', 'Hay', 100, null, 'YES', ''),"
                       "('A5', '2003-07-02', 'Acme Pty Ltd', 'plimb', 'Hidden', 10, 0, '', ''),"
                       "('A6', null, 'Acme Pty Ltd', 'VIC', 'Undated', 1, 0, '', ''),"
                       "('A7', '2003-08-01', 'Acme Pty Ltd', null, 'No state', 7, 0, '', '')");
    }

    // The list of a client, shown as the user shows it.
    INV &showList(const QString &client = "Acme Pty Ltd")
    {
        chooseClient(client);
        form().history_Click();
        return form();
    }

    // The invoice numbers listed, in order.
    QStringList listed()
    {
        QStringList numbers;
        for (int row = 1; row < form().flex->Rows() && !form().flex->TextMatrix(row, 1).isEmpty(); ++row)
            numbers << form().flex->TextMatrix(row, 1);
        return numbers;
    }

    QString gridRow(int row)
    {
        QStringList cells;
        for (int col = 0; col < 7; ++col)
            cells << form().flex->TextMatrix(row, col);
        return cells.join('|');
    }

    static void pick(ComboBox *combo, const QString &item)
    {
        for (int i = 0; i < combo->ListCount(); ++i) {
            if (combo->List(i) == item) {
                combo->pick(i);
                return;
            }
        }
        ADD_FAILURE() << "no item " << item.toStdString();
    }
};

} // namespace

TEST_F(InvoiceListTest, ListsByClientStatusAndPeriodWithTheirTotals)
{
    const struct
    {
        bool allClients;
        const char *status;
        const char *period;
        const char *year;
        QStringList numbers;
        const char *total;
        const char *paid;
    } cases[] = {
        {false, "All invoices", "All dates", "2000", {"A6", "A2", "A1", "A3"}, "386.8", "130.1"},
        {false, "Unpaid invoices", "All dates", "2000", {"A6", "A2", "A3"}, "276.7", "20"},
        {false, "Unprinted invoices", "All dates", "2000", {"A6", "A2"}, "221.2", "0"},
        {false, "All invoices", "1st Quarter", "2003", {"A2", "A1"}, "330.3", "110.1"},
        {false, "All invoices", "Financial Year", "2003", {"A2", "A1", "A3"}, "385.8", "130.1"},
        {false, "All invoices", "February", "2003", {"A3"}, "55.5", "20"},
        {false, "Unpaid invoices", "3rd Quarter", "2003", {"A3"}, "55.5", "20"},
        {false, "Unprinted invoices", "July", "2000", {}, "", ""},
        {true, "All invoices", "All dates", "2000", {"A6", "A2", "A1", "A3", "A4"}, "486.8", "130.1"},
        {true, "Unpaid invoices", "All dates", "2000", {"A6", "A2", "A3"}, "276.7", "20"},
        {true, "Unprinted invoices", "4th Quarter", "2003", {}, "", ""},
        {true, "All invoices", "4th Quarter", "2003", {"A4"}, "100", "0"},
    };
    INV &f = showList();
    for (const auto &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3 %4").arg(c.allClients).arg(c.status, c.period, c.year).toStdString());
        // Each pick rebuilds the list; the last one shows the case.
        if ((f.Check1->Value() == 1) != c.allClients)
            f.Check1->setValue(c.allClients ? 1 : 0);
        pick(f.basyear, c.year);
        pick(f.basfor, c.period);
        pick(f.combo1, c.status);
        EXPECT_EQ(listed(), c.numbers);
        EXPECT_EQ(f.itot->Text(), c.total);
        EXPECT_EQ(f.ptot->Text(), c.paid);
    }
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoiceListTest, ShowsEachInvoiceAsStored)
{
    INV &f = showList();
    EXPECT_EQ(gridRow(0), "Date|Invoice #|Inv to|First Item Description|$Total|$Paid|Project");
    EXPECT_EQ(gridRow(1), "|A6|Acme Pty Ltd|Undated|1|0|");
    EXPECT_EQ(gridRow(3), "15/07/03|A1|Acme Pty Ltd|Paper|110.1|110.1|Fair");
    EXPECT_EQ(f.flex->RowData(3), 1);
    EXPECT_EQ(f.flex->RowData(4), 3);
    // The grid grows with every invoice listed (by the client's choice, then by the showing)
    // and never shrinks.
    EXPECT_EQ(f.flex->Rows(), 308);
    pick(f.combo1, "Unprinted invoices");
    EXPECT_EQ(listed(), QStringList({"A6", "A2"}));
    EXPECT_EQ(gridRow(3), "||||||");
    EXPECT_EQ(f.flex->Rows(), 310);
}

// The client's name reaches the query whole, apostrophes and all.
TEST_F(InvoiceListTest, FindsAClientWithApostrophes)
{
    INV &f = showList("O'Brien's Farm");
    EXPECT_EQ(listed(), QStringList{"A4"});
    // Typed over, the combo names nobody: the list is empty and nothing else happens.
    f.DBCombo1->setText("'; drop table inv; --");
    pick(f.combo1, "All invoices");
    EXPECT_EQ(listed(), QStringList{});
    EXPECT_EQ(rows("qm1.mdb", "select count(*) from inv"), QStringList{"7"});
    EXPECT_TRUE(messages().isEmpty());
}

// The list needs a client (or All Clients); it offers the years from 2000 to next year, and
// keeps its filters while hidden.
TEST_F(InvoiceListTest, ShowingAndHidingTheList)
{
    INV &f = form();
    f.history_Click();
    EXPECT_EQ(takeMessages(), QStringList{"You must select a Client"});
    EXPECT_FALSE(f.flex->Visible());

    showList();
    EXPECT_EQ(f.history->Caption(), "Hide History");
    EXPECT_TRUE(f.flex->Visible());
    EXPECT_EQ(f.combo1->Text(), "All invoices");
    EXPECT_EQ(f.basfor->Text(), "All dates");
    EXPECT_EQ(f.basyear->Text(), "2000");
    QStringList years;
    for (int i = 0; i < f.basyear->ListCount(); ++i)
        years << f.basyear->List(i);
    EXPECT_EQ(years, financialYears());
    EXPECT_EQ(years.last(), QString::number(QDate::currentDate().year() + 1));
    pick(f.basfor, "March");
    EXPECT_TRUE(f.basyear->Visible());
    pick(f.basfor, "All dates");
    EXPECT_FALSE(f.basyear->Visible());

    f.Check1->setValue(1);
    EXPECT_FALSE(f.DBCombo1->Visible());
    f.history_Click();
    EXPECT_EQ(f.history->Caption(), "History / Search");
    EXPECT_FALSE(f.flex->Visible());
    f.history_Click();
    EXPECT_EQ(f.Check1->Value(), 1);
    EXPECT_EQ(listed(), QStringList({"A6", "A2", "A1", "A3", "A4"}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoiceListTest, AClickOpensTheInvoiceForEditing)
{
    INV &f = showList();
    f.flex->clickCell(3, 6); // A1's project
    EXPECT_EQ(f.a[0]->Text(), "A1");
    EXPECT_EQ(f.invid->Text(), "1");
    EXPECT_EQ(f.statuspanel->Caption(), "Editing");
    EXPECT_FALSE(f.flex->Visible());

    // A save then rewrites that invoice.
    f.a[1]->setText("15/07/2003");
    f.l1[LineDescription]->setText("Paper, reams");
    ASSERT_TRUE(f.save_Click());
    EXPECT_EQ(rows("qm1.mdb", "select a, xd1 from inv where ID = 1"), QStringList{"A1|Paper, reams"});
    EXPECT_EQ(rows("qm1.mdb", "select count(*) from inv"), QStringList{"7"});

    // Empty cells open nothing: past the last invoice, or a blank of a listed one.
    f.history_Click();
    f.flex->clickCell(10, 1);
    f.flex->clickCell(1, 6);
    EXPECT_EQ(takeMessages(), QStringList({"No Item Selected!", "No Item Selected!"}));
    EXPECT_TRUE(f.flex->Visible());

    // An invoice gone since it was listed: said, and the invoice on screen stays the one kept.
    run("qm1.mdb", "delete from inv where a = 'A2'");
    f.flex->clickCell(2, 1);
    EXPECT_EQ(takeMessages(), QStringList{"No current record."});
    EXPECT_EQ(f.invid->Text(), "1");
    EXPECT_EQ(f.a[0]->Text(), "A1");
}

// One failure, one message: the rebuild is abandoned, its totals left empty.
TEST_F(InvoiceListTest, AFilterThatCannotBeRunIsSaidOnce)
{
    INV &f = showList();
    f.basyear->typeText("x");
    pick(f.basfor, "1st Quarter");
    EXPECT_EQ(takeMessages(), QStringList{"Error = \"2000x\" is not a year."});
    EXPECT_EQ(listed(), QStringList{});
    EXPECT_EQ(f.itot->Text(), "");
    EXPECT_EQ(f.ptot->Text(), "");

    pick(f.basyear, "2003");
    f.basfor->typeText("x");
    pick(f.combo1, "All invoices");
    EXPECT_EQ(takeMessages(), QStringList{"Error = \"1st Quarterx\" is not a period of the list."});
    pick(f.basfor, "All dates");
    f.combo1->typeText("?");
    pick(f.basyear, "2001");
    EXPECT_EQ(takeMessages(), QStringList{"Error = \"All invoices?\" is not a status of the list."});

    // The file cannot be read: one box again.
    f.combo1->setText("All invoices");
    run("qm1.mdb", "drop table inv");
    pick(f.basyear, "2002");
    const QStringList said = takeMessages();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith("Error = ")) << said[0].toStdString();
}

// No amount is cut, in this machine's font or a large one: the $Total and $Paid columns show
// the largest amount whole, the totals under them the largest sum, each under its column.
TEST_F(InvoiceListTest, TheLargestAmountsShowWholeUnderTheirColumns)
{
    run("qm1.mdb", "insert into inv (a, b, i, e, xd1, xtotal, paid, printed) values "
                   "('B1', '2005-07-01', 'Acme Pty Ltd', 'VIC', 'Big', 9999999.99, 9999999.99, 'YES'),"
                   "('B2', '2005-07-02', 'Acme Pty Ltd', 'VIC', 'Big', 9999999.99, 8888888.88, '')");
    for (const QFont &font : machineFonts()) {
        SCOPED_TRACE(font.toString().toStdString());
        Forms::discardAll();
        const MachineFont machine(font);
        INV &f = showList();
        EXPECT_EQ(listed().mid(4), QStringList({"B1", "B2"}));
        EXPECT_EQ(f.itot->Text(), "20000386.78");
        double left = 15; // the grid's frame
        for (int col = 0; col < 4; ++col)
            left += f.flex->ColWidth(col);
        for (int i = 0; i < 2; ++i) {
            const int col = 4 + i;
            TextBox *total = i == 0 ? f.itot : f.ptot;
            EXPECT_TRUE(f.flex->showsWhole(col, LargestAmount)) << col;
            EXPECT_TRUE(total->showsWhole(LargestTotal)) << col;
            EXPECT_EQ(total->Left(), left) << col;
            EXPECT_EQ(total->Width(), f.flex->ColWidth(col)) << col;
            left += f.flex->ColWidth(col);
        }
    }
}

} // namespace qm::test
