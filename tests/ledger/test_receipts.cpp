#include "invoicing/inv.h"
#include "shell/menu2.h"
#include "tests/ledger/ledgerfixture.h"

namespace qm::test {

using ReceiptsTest = LedgerTest;

TEST_F(ReceiptsTest, ANewReceiptPostsItsTotalOnceOnOk)
{
    RRC &form = Forms::get<RRC>();
    enter(form, "01/jul/00", 0, "200");
    form.pay1[3]->typeText("A12");
    EXPECT_EQ(form.pay1[2]->Text(), "05/Mar/2001"); // the invoice's date comes with its number
    form.Command1_Click(LedgerButton::OK);
    EXPECT_FALSE(Forms::isLoaded(form));
    EXPECT_DOUBLE_EQ(paid("A12"), 200);
    EXPECT_EQ(row("qm.mdb", "select l, m, e from r"), "A12|05/Mar/2001|200");
    EXPECT_TRUE(m_messages.log().empty());
}

// Each change of a receipt's total is posted once, whichever way the row is left.
TEST_F(ReceiptsTest, EditsPostTheirDifferenceOnceOnEveryPath)
{
    addRow("r", "2000-07-01", 1, 100, "10", "A1");
    addRow("r", "2000-07-02", 1, 50, "10", "A2");
    addRow("r", "2000-07-03", 1, 70, "10", "A2");
    run("qm1.mdb", "update inv set paid = 100 where a = 'A1'");
    run("qm1.mdb", "update inv set paid = 120 where a = 'A2'");
    RRC &form = Forms::get<RRC>();
    EXPECT_EQ(form.oldtot->Text(), "100");

    retype(form.Text2[3], "150");
    form.Command1_Click(LedgerButton::Next); // Next >
    EXPECT_DOUBLE_EQ(paid("A1"), 150);
    form.Command1_Click(LedgerButton::Previous); // back with "< Previous" and OK: nothing more
    EXPECT_EQ(form.oldtot->Text(), "150");

    retype(form.Text2[3], "120");
    form.Command1_Click(LedgerButton::GoLast); // Go Last >> posts too
    EXPECT_DOUBLE_EQ(paid("A1"), 120);
    EXPECT_EQ(row("qm.mdb", "select e from r where ID = 1"), "120");

    retype(form.Text2[3], "75");
    form.Command1_Click(LedgerButton::Add); // Add with a pending receipt posts it once
    EXPECT_DOUBLE_EQ(paid("A2"), 125);
    EXPECT_EQ(form.statuspanel->Caption(), "Adding");
    EXPECT_EQ(form.oldtot->Text(), "");

    enter(form, "04/jul/00", 0, "30");
    form.pay1[3]->typeText("A2");
    form.Command1_Click(LedgerButton::GoFirst); // << Go First posts the new receipt
    EXPECT_DOUBLE_EQ(paid("A2"), 155);
    form.Command1_Click(LedgerButton::OK); // OK on an unedited row posts nothing
    EXPECT_DOUBLE_EQ(paid("A1"), 120);
    EXPECT_DOUBLE_EQ(paid("A2"), 155);
    EXPECT_TRUE(m_messages.log().empty());
}

// Neither a move refused by the checks nor Cancel, on a stored or a new receipt, posts.
TEST_F(ReceiptsTest, ARefusedMoveOrCancelPostsNothing)
{
    addRow("r", "2000-07-01", 1, 100, "10", "A1");
    run("qm1.mdb", "update inv set paid = 100 where a = 'A1'");
    RRC &form = Forms::get<RRC>();
    retype(form.Text2[3], "300");
    form.pay1[0]->setText("");
    form.Command1_Click(LedgerButton::Next);
    EXPECT_EQ(messages(), QStringList({"Must enter a date"}));
    EXPECT_DOUBLE_EQ(paid("A1"), 100);
    form.Command1_Click(LedgerButton::Cancel);
    EXPECT_DOUBLE_EQ(paid("A1"), 100);
    EXPECT_EQ(row("qm.mdb", "select e from r"), "100");

    RRC &fresh = Forms::get<RRC>();
    fresh.Command1_Click(LedgerButton::Add);
    enter(fresh, "01/jul/00", 0, "200");
    fresh.pay1[3]->typeText("A12");
    fresh.Command1_Click(LedgerButton::Cancel);
    EXPECT_DOUBLE_EQ(paid("A12"), 0);
    EXPECT_EQ(row("qm.mdb", "select count(*) from r"), "1");
}

// Decision: a changed invoice number moves the receipt's amount to the new invoice.
TEST_F(ReceiptsTest, ChangingTheInvoiceNumberMovesTheAmount)
{
    addRow("r", "2000-07-01", 1, 100, "10", "A1");
    run("qm1.mdb", "update inv set paid = 100 where a = 'A1'");
    RRC &form = Forms::get<RRC>();
    retype(form.pay1[3], "A2");
    EXPECT_EQ(form.pay1[2]->Text(), "06/Mar/2001");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_DOUBLE_EQ(paid("A1"), 0);
    EXPECT_DOUBLE_EQ(paid("A2"), 100);

    RRC &again = Forms::get<RRC>();
    EXPECT_EQ(again.postedInvoice(), "A2");
    retype(again.pay1[3], "a1"); // the same invoice whatever the case
    retype(again.Text2[3], "120");
    again.Command1_Click(LedgerButton::OK);
    EXPECT_DOUBLE_EQ(paid("A1"), 120);
    EXPECT_DOUBLE_EQ(paid("A2"), 0);
}

// Decision: the row is written first; a failed write posts nothing, and once it is written
// the amount is posted once.
TEST_F(ReceiptsTest, AFailedWritePostsNothingAndTheRetryPostsOnce)
{
    RRC &form = Forms::get<RRC>();
    enter(form, "01/jul/00", 0, "200");
    form.pay1[3]->typeText("A12");
    form.Check2[1]->setValue(0);
    form.Text2[2]->setText("n/a");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_EQ(m_messages.log().size(), 1u);
    EXPECT_TRUE(Forms::isLoaded(form));
    EXPECT_DOUBLE_EQ(paid("A12"), 0);

    form.Text2[2]->setText("181.82");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_FALSE(Forms::isLoaded(form));
    EXPECT_DOUBLE_EQ(paid("A12"), 200);
}

// A posting that cannot be applied after the write is reported, kept, and applied once the
// next time the receipts screen opens; nothing is posted twice meanwhile.
TEST_F(ReceiptsTest, APostingThatFailsIsReportedAndFinishedLater)
{
    addInvoice("B7", 500, "2001-04-01", "null");
    RRC &form = Forms::get<RRC>();
    enter(form, "01/jul/00", 0, "200");
    form.pay1[3]->typeText("B7");
    form.Command1_Click(LedgerButton::Next); // written, then posted: the posting fails
    EXPECT_EQ(messages(), QStringList({"The receipt was saved, but the paid amount of invoice B7 was not updated (the "
                                       "invoice has no paid amount). It will be updated the next time the receipts "
                                       "screen is opened."}));
    EXPECT_EQ(row("qm.mdb", "select e from r"), "200");
    EXPECT_EQ(row("qm1.mdb", "select paid from inv where a = 'B7'"), "");

    run("qm1.mdb", "update inv set paid = 0 where a = 'B7'");
    m_messages.clear();
    form.Command1_Click(LedgerButton::Previous); // back to it: shown as stored, nothing new to post
    form.Command1_Click(LedgerButton::OK);
    EXPECT_DOUBLE_EQ(paid("B7"), 0);
    EXPECT_TRUE(m_messages.log().empty());
    Forms::get<RRC>();
    EXPECT_DOUBLE_EQ(paid("B7"), 200);
    Forms::get<RRC>().Command1_Click(LedgerButton::Cancel);
    Forms::get<RRC>();
    EXPECT_DOUBLE_EQ(paid("B7"), 200);
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(ReceiptsTest, RecordDeleteTakesThePostedAmountOff)
{
    addRow("r", "2000-07-01", 1, 150, "10", "A12");
    addRow("r", "2000-07-02", 1, 40, "10", "A12");
    run("qm1.mdb", "update inv set paid = 190 where a = 'A12'");
    RRC &form = Forms::get<RRC>();
    retype(form.Text2[3], "999"); // edited, not saved: the amount as loaded comes off
    retype(form.pay1[3], "A1");
    form.mrd_Click();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_DOUBLE_EQ(paid("A12"), 40);
    EXPECT_DOUBLE_EQ(paid("A1"), 0);
    EXPECT_EQ(rows("qm.mdb", "select ID from r"), QStringList({"2"}));
    EXPECT_EQ(form.pay1[5]->Text(), "2");

    form.Command1_Click(LedgerButton::Add);
    form.mrd_Click(); // a new, unsaved receipt takes nothing off
    EXPECT_DOUBLE_EQ(paid("A12"), 40);
    EXPECT_EQ(row("qm.mdb", "select count(*) from r"), "1");
}

// Decision: paid is kept to 4 decimals, so parts add up to the invoice exactly.
TEST_F(ReceiptsTest, PartPaymentsSumExactly)
{
    addInvoice("C1", 1.05, "2001-05-01");
    RRC &form = Forms::get<RRC>();
    ASSERT_GE(form.getinv->findText("C1"), 0);
    enter(form, "01/jul/00", 0, "0.35");
    form.pay1[3]->typeText("C1");
    form.Command1_Click(LedgerButton::Add);
    enter(form, "02/jul/00", 0, "0.7");
    form.pay1[3]->typeText("C1");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_EQ(row("qm1.mdb", "select paid from inv where a = 'C1'"), "1.05");
    EXPECT_EQ(row("qm1.mdb", "select count(*) from inv where a = 'C1' and paid < xtotal"), "0");
}

TEST_F(ReceiptsTest, TheListHoldsUnpaidInvoicesInTextOrder)
{
    addInvoice("A10", 100, "2001-03-01");
    addInvoice("A9", 100, "2001-03-01");
    addInvoice("P1", 100, "2001-03-01", "100");
    RRC &form = Forms::get<RRC>();
    QStringList items;
    for (int i = 0; i < form.getinv->ListCount(); ++i)
        items << form.getinv->List(i);
    EXPECT_EQ(items, QStringList({"A1", "A10", "A12", "A2", "A9"}));
    form.getinv->pick(2);
    EXPECT_EQ(form.pay1[3]->Text(), "A12");
    EXPECT_EQ(form.pay1[2]->Text(), "05/Mar/2001");
}

// Decision: loading a receipt never changes it: an invoice that cannot be found leaves the
// stored invoice date, and nothing is posted by browsing.
TEST_F(ReceiptsTest, LoadingReceiptsChangesNothing)
{
    addRow("r", "2000-07-01", 1, 100, "10", "GONE1");
    addRow("r", "2000-07-02", 2, 50, "0", "A2");
    run("qm.mdb", "update r set m = '2000-06-30'");
    const QString everything = "select group_concat(ID || j || c || d || e || q || l || m, ';') from r";
    const QString before = row("qm.mdb", everything);
    RRC &form = Forms::get<RRC>();
    EXPECT_EQ(form.pay1[2]->Text(), "30/Jun/2000");
    form.Command1_Click(LedgerButton::Next);
    EXPECT_EQ(form.pay1[2]->Text(), "30/Jun/2000"); // the receipt's own, not the invoice's
    form.Command1_Click(LedgerButton::Previous);
    EXPECT_EQ(form.pay1[2]->Text(), "30/Jun/2000");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_EQ(row("qm.mdb", everything), before);
    EXPECT_DOUBLE_EQ(paid("A2"), 0);
    EXPECT_TRUE(m_messages.log().empty());

    // Typed, an unknown number empties the date.
    RRC &again = Forms::get<RRC>();
    again.pay1[3]->typeText("X");
    EXPECT_EQ(again.pay1[2]->Text(), "");
}

TEST_F(ReceiptsTest, ApostrophesInAnInvoiceNumberAreLookedUpAndPosted)
{
    addInvoice("O'B1", 300, "2001-07-09");
    RRC &form = Forms::get<RRC>();
    enter(form, "01/jul/00", 1, "300");
    form.getinv->typeText("O'B1");
    EXPECT_EQ(form.pay1[3]->Text(), "O'B1");
    EXPECT_EQ(form.pay1[2]->Text(), "09/Jul/2001");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_DOUBLE_EQ(paid("O'B1"), 300);
    EXPECT_EQ(row("qm.mdb", "select l, t from r"), "O'B1|O'Brien's Farm");
}

// Into the invoice form and back, with the receipt left as it was.
TEST_F(ReceiptsTest, GoToInvoiceAndBack)
{
    addRow("r", "2000-07-01", 1, 100, "10", "A12");
    RRC &form = Forms::get<RRC>();
    form.Show();
    form.Label2_MouseMove();
    INV &invoice = Forms::get<INV>();
    EXPECT_EQ(invoice.invnumb->Text(), "A12");
    EXPECT_EQ(invoice.gobackb->Text(), "RRC");
    EXPECT_TRUE(invoice.back->Visible());
    EXPECT_TRUE(invoice.Picture1->Visible());
    EXPECT_FALSE(invoice.Label1[4]->Visible());
    EXPECT_FALSE(invoice.DBCombo1->Visible());
    EXPECT_FALSE(invoice.Check1->Visible());
    EXPECT_EQ(invoice.statuspanel->Caption(), "Editing");
    EXPECT_TRUE(Forms::isLoaded(form));

    invoice.back_MouseMove();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<INV>());
    EXPECT_EQ(form.pay1[3]->Text(), "A12");

    form.getinv->setText("NOPE");
    form.getinv_DblClick();
    EXPECT_EQ(messages(), QStringList({"No current record."}));
    Forms::get<INV>().gobackb->setText("");
    m_messages.clear();
    Forms::get<INV>().back_MouseMove();
    EXPECT_EQ(messages(), QStringList({"Nothing to go back to."}));
    EXPECT_FALSE(Forms::get<INV>().back->Visible());
}

} // namespace qm::test
