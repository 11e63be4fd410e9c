// Decided behaviours of the record cycle that were once otherwise, each guarded so
// that losing one fails here: the close box posts a receipt, Add checks an edited row, and
// Record > Delete takes an amount off only once the receipt is gone.
#include "tests/ledger/ledgerfixture.h"

namespace qm::test {

using DecisionsTest = LedgerTest;

// Closing the receipts screen with its window's close box writes and posts the receipt,
// once, as OK would.
TEST_F(DecisionsTest, TheCloseBoxPostsTheReceipt)
{
    addRow("r", "2000-07-01", 1, 100, "10", "A1");
    run("qm1.mdb", "update inv set paid = 100 where a = 'A1'");
    RRC &form = Forms::get<RRC>();
    form.Show();
    retype(form.Text2[3], "160"); // an edit of a stored receipt
    form.close();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<RRC>());
    EXPECT_DOUBLE_EQ(paid("A1"), 160);

    RRC &fresh = Forms::get<RRC>();
    fresh.Show();
    fresh.Command1_Click(LedgerButton::Add);
    enter(fresh, "02/jul/00", 0, "75");
    fresh.pay1[3]->typeText("A12");
    fresh.close();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<RRC>());
    EXPECT_DOUBLE_EQ(paid("A12"), 75);
    EXPECT_DOUBLE_EQ(paid("A1"), 160);
    EXPECT_TRUE(m_messages.log().empty());
}

// Add leaves an edited row only when it passes the checks; otherwise the form stays on it.
TEST_F(DecisionsTest, AddChecksAnEditedRow)
{
    for (bool receipts : {false, true}) {
        const QString table = receipts ? "r" : "p";
        addRow(table, "2000-07-01", 1, 110, "10");
        LedgerScreen &form = receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        retype(form.Text2[3], "");
        form.Command1_Click(LedgerButton::Add);
        EXPECT_EQ(messages(), QStringList({"Must enter a total"}));
        EXPECT_EQ(form.statuspanel->Caption(), "Editing");
        EXPECT_EQ(form.pay1[5]->Text(), "1");
        EXPECT_EQ(row("qm.mdb", "select e from " + table), "110");
        m_messages.clear();

        form.Text2[3]->typeText("99");
        form.Command1_Click(LedgerButton::Add);
        EXPECT_TRUE(m_messages.log().empty());
        EXPECT_EQ(form.statuspanel->Caption(), "Adding");
        EXPECT_EQ(row("qm.mdb", "select e from " + table), "99");
        form.Command1_Click(LedgerButton::Cancel);
    }
}

// A saved row holds what its boxes show, box for box: also a column changed behind the
// screen's back since the row was shown, which the user never saw.
TEST_F(DecisionsTest, ASaveStoresEveryBoxAsShown)
{
    for (const bool receipts : {false, true}) {
        SCOPED_TRACE(receipts ? "receipts" : "payments");
        const QString table = receipts ? "r" : "p";
        addRow(table, "2000-07-01", 1, 110, "10");
        run("qm.mdb", "update " + table + " set a = 'Fuel'");
        LedgerScreen &form = receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        run("qm.mdb", "update " + table + " set a = 'Changed elsewhere', n = 'A note', h = 'WAGES'");
        retype(form.Text2[3], "220");
        form.Command1_Click(LedgerButton::OK);
        EXPECT_TRUE(m_messages.log().empty());
        EXPECT_EQ(row("qm.mdb", "select a, ifnull(n, '(none)'), ifnull(h, '(none)'), e from " + table),
                  "Fuel|(none)|Other|220");
        Forms::discardAll();
    }
}

// Record > Delete takes the amount off only once the receipt is gone: a receipt that could
// not be deleted leaves its invoice alone.
TEST_F(DecisionsTest, DeleteTakesTheAmountOffOnlyWhenTheReceiptIsGone)
{
    addRow("r", "2000-07-01", 1, 150, "10", "A12");
    addRow("r", "2000-07-02", 1, 40, "10", "A12");
    run("qm1.mdb", "update inv set paid = 190 where a = 'A12'");
    RRC &form = Forms::get<RRC>();
    run("qm.mdb", "delete from r where ID = 1"); // gone behind the screen's back
    run("qm1.mdb", "update inv set paid = 40 where a = 'A12'");
    form.mrd_Click();
    EXPECT_DOUBLE_EQ(paid("A12"), 40);
    EXPECT_EQ(row("qm.mdb", "select count(*) from r"), "1");
    EXPECT_EQ(row("qm.mdb", "select count(*) from pendingpost"), "0");
    EXPECT_FALSE(RecordLoading);
}

// A delete whose posting cannot reach the invoice says so; the posting is finished later.
TEST_F(DecisionsTest, ADeleteWhosePostingFailsSaysSo)
{
    addInvoice("B7", 500, "2001-04-01", "null");
    addRow("r", "2000-07-01", 1, 150, "10", "B7");
    RRC &form = Forms::get<RRC>();
    form.mrd_Click();
    ASSERT_EQ(messages(),
              QStringList({"The receipt was deleted, but the paid amount of invoice B7 was not updated (the "
                           "invoice has no paid amount). It will be updated the next time the receipts "
                           "screen is opened."}));
    EXPECT_EQ(m_messages.log().front().icon, vbExclamation);
    EXPECT_EQ(row("qm.mdb", "select count(*) from r"), "0");

    run("qm1.mdb", "update inv set paid = 150 where a = 'B7'");
    m_messages.clear();
    form.Command1_Click(LedgerButton::Cancel);
    Forms::get<RRC>();
    EXPECT_DOUBLE_EQ(paid("B7"), 0);
    EXPECT_TRUE(m_messages.log().empty());
}

} // namespace qm::test
