#include "contacts/crc.h"
#include "contacts/src.h"
#include "platform/flexgrid.h"
#include "reports/reports2.h"
#include "shell/menu2.h"
#include "tests/ledger/ledgerfixture.h"

namespace qm::test {

using ScreensTest = LedgerTest;

// Lists the transactions of the financial year starting 2000 on the reports form.
void findInFinancialYear2000(reports2 &reports, const QString &reportOn)
{
    reports.typeoftrans->setText(reportOn);
    reports.basfor->setText("Financial Year");
    reports.basyear->setText("2000");
    reports.Command8_Click();
}

// Decision: Go Back stops where OK's checks fail: nothing is written, nothing searched again.
TEST_F(ScreensTest, GoBackStaysWhenOksChecksFail)
{
    addRow("r", "2000-07-01", 1, 110, "10");
    reports2 &reports = Forms::get<reports2>();
    findInFinancialYear2000(reports, "Income");
    reports.flex->doubleClickCell(1, 0);
    RRC &form = Forms::get<RRC>();
    addRow("r", "2000-07-02", 1, 220, "10"); // a search now would list it
    form.pay1[0]->setText("");
    form.back_Click();
    EXPECT_EQ(messages(), QStringList({"Must enter a date"}));
    EXPECT_TRUE(Forms::isLoaded(form));
    EXPECT_EQ(form.gobackb->Text(), "Reports");
    EXPECT_EQ(row("qm.mdb", "select j from r where ID = 1"), "01/Jul/2000");
    EXPECT_EQ(reports.flex->TextMatrix(2, 0), "");
}

TEST_F(ScreensTest, GoBackWithNowhereToGo)
{
    PRC &form = Forms::get<PRC>();
    form.back->setVisible(true);
    form.back_Click();
    ASSERT_EQ(messages(), QStringList({"Nothing to go back to."}));
    EXPECT_EQ(m_messages.log().front().icon, vbExclamation);
    EXPECT_FALSE(form.back->Visible());
    form.gobackb->setText("Elsewhere");
    form.back_Click();
    EXPECT_EQ(m_messages.log().size(), 1u);
    EXPECT_TRUE(Forms::isLoaded(form));
}

// A search for a row that is gone says so and shows no other row: what is typed then is
// kept as a new row, or refused with a message.
TEST_F(ScreensTest, SearchingForAMissingRowSaysSoAndStartsANewRow)
{
    for (bool receipts : {false, true}) {
        const QString table = receipts ? "r" : "p";
        addRow(table, "2000-07-01", 1, 110, "10");
        addRow(table, "2000-07-02", 1, 220, "10");
        reports2 &reports = Forms::get<reports2>();
        findInFinancialYear2000(reports, receipts ? "Income" : "All purchases");
        run("qm.mdb", "delete from " + table + " where ID = 1"); // gone since it was found
        reports.flex->doubleClickCell(1, 0);
        LedgerScreen &form = receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        ASSERT_EQ(messages(), QStringList({"No current record."}));
        EXPECT_EQ(m_messages.log().front().icon, vbExclamation);
        EXPECT_EQ(form.statuspanel->Caption(), "Adding");
        EXPECT_EQ(form.pay1[0]->Text() + form.Text2[3]->Text() + form.combo1->Text(), "");
        EXPECT_FALSE(RecordLoading);
        m_messages.clear();

        form.back_Click(); // nothing typed: refused with a message, the form stays
        EXPECT_EQ(messages(), QStringList({"Must enter a date"}));
        EXPECT_TRUE(Forms::isLoaded(form));
        m_messages.clear();
        enter(form, "03/jul/00", 1, "33");
        form.back_Click();
        EXPECT_FALSE(Forms::isLoaded(form));
        EXPECT_TRUE(m_messages.log().empty());
        EXPECT_EQ(rows("qm.mdb", "select e from " + table + " order by ID"), QStringList({"220", "33"}));
        Forms::discardAll();
    }

    PRC &again = Forms::get<PRC>();
    again.searchtext->setText("1 or 1=1");
    EXPECT_THROW(again.search_Click(), Error);
}

// Deleting the last row leaves the screen on a new row, as an empty table opens, so that
// the next entry is kept.
TEST_F(ScreensTest, AfterDeletingTheLastRowTheScreenIsOnANewRow)
{
    for (bool receipts : {false, true}) {
        const QString table = receipts ? "r" : "p";
        addRow(table, "2000-07-01", 1, 110, "10");
        LedgerScreen &form = receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        ASSERT_EQ(form.pay1[5]->Text(), "1");
        form.mrd_Click();
        EXPECT_EQ(row("qm.mdb", "select count(*) from " + table), "0");
        EXPECT_EQ(form.statuspanel->Caption(), "Adding");
        EXPECT_EQ(form.pay1[5]->Text() + form.pay1[0]->Text() + form.Text2[3]->Text(), "");
        enter(form, "04/jul/00", 0, "44");
        form.Command1_Click(LedgerButton::OK);
        EXPECT_TRUE(m_messages.log().empty());
        EXPECT_EQ(rows("qm.mdb", "select j || '|' || e from " + table), QStringList({"2000-07-04|44"}));
    }
}

// "Double Click to edit" opens the party shown; Edit with none shown opens a new one.
TEST_F(ScreensTest, EditingThePartyOpensTheOneShownOrANewOne)
{
    PRC &payments = Forms::get<PRC>();
    payments.Add1_Click();
    EXPECT_EQ(CallerTag, "PRC");
    EXPECT_EQ(CurrentRecordId, "");
    EXPECT_TRUE(Forms::isLoaded<src>());
    Forms::Unload(Forms::get<src>());

    RRC &receipts = Forms::get<RRC>();
    receipts.combo1->pickRow(1);
    receipts.combo1->doubleClick();
    EXPECT_EQ(CallerTag, "RRC");
    EXPECT_EQ(CurrentClientId, "2");
    EXPECT_TRUE(Forms::isLoaded<crc>());
    Forms::Unload(Forms::get<crc>());
    receipts.combo1->setText("");
    receipts.mse->trigger();
    EXPECT_EQ(CurrentClientId, "");
    m_messages.clear();
}

// With an entry typed, leaving asks; the screen's printing fails under the program's title.
TEST_F(ScreensTest, TheMenusAskBeforeLeavingAnEntry)
{
    PRC &form = Forms::get<PRC>();
    enter(form, "01/jul/00", 0, "22");
    m_messages.queueAnswer(vbNo);
    form.en->onClick();
    ASSERT_FALSE(m_messages.log().empty());
    EXPECT_EQ(m_messages.log().back().title, "Quitting QUILLMARK");
    EXPECT_EQ(m_messages.log().back().buttons, vbYesNoCancel);
    EXPECT_EQ(m_services->quitCalls, 0);
    m_messages.queueAnswer(vbNo);
    form.mm->onClick();
    EXPECT_TRUE(Forms::isLoaded(form));
    m_services->printerWorks = false;
    form.mps->onClick();
    ASSERT_FALSE(m_messages.log().empty());
    EXPECT_EQ(m_messages.log().back().text, "Printer Error");
    EXPECT_EQ(m_messages.log().back().title, "QUILLMARK");
    m_messages.queueAnswer(vbYes);
    try {
        form.en->onClick();
    } catch (const QuitRequested &) {
    }
    EXPECT_EQ(m_services->quitCalls, 1);
    EXPECT_EQ(row("qm.mdb", "select count(*) from p"), "0");
}

} // namespace qm::test
