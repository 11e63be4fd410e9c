#include "contacts/crc.h"
#include "contacts/src.h"
#include "ledger/ctc.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "reports/reports2.h"
#include "shell/frmabout.h"
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

TEST_F(ScreensTest, TheFormsOpenFromTheMainMenuWithTheirLists)
{
    addRow("p", "2000-07-01", 2, 110, "10");
    run("qm1.mdb", "insert into jac (jac, exp) values ('JOB1', 'first job')");
    run("qm.mdb", "update p set v = 'JOB1'");
    UserName = "tester";
    Menu2 &menu = Forms::get<Menu2>();
    menu.Picture1_Click(5);
    PRC &payments = Forms::get<PRC>();
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(payments.Caption(), "Payments, Expenses, Purchases");
    EXPECT_EQ(payments.pay0[0]->Text(), "tester");
    EXPECT_EQ(payments.combo1->Text(), "O'Brien's Farm");
    EXPECT_EQ(payments.combo1->ListCount(), 2);
    EXPECT_EQ(payments.job->Text(), "JOB1");
    EXPECT_EQ(payments.job->ListCount(), 1);
    EXPECT_EQ(payments.Combo2[2]->ListCount(), 20);
    EXPECT_EQ(payments.Combo2[0]->List(0), "Expense");
    EXPECT_FALSE(payments.Picture1->Visible());
    EXPECT_FALSE(payments.back->Visible());
    payments.Command1_Click(LedgerButton::Cancel);

    Forms::get<Menu2>().Picture1_Click(6);
    RRC &receipts = Forms::get<RRC>();
    EXPECT_EQ(receipts.Caption(), "Receipts, Income");
    EXPECT_EQ(receipts.Combo2[2]->ListCount(), 9);
    EXPECT_EQ(receipts.Combo2[3]->ListCount(), 5);
    EXPECT_FALSE(receipts.Combo2[0]->Visible());
    EXPECT_EQ(receipts.Add1->Caption(), "Add Client");
}

// The reports form opens one row through search_Click; Go Back saves through OK and runs
// the reports form's search again.
TEST_F(ScreensTest, SearchOpensOneRowAndGoBackReturnsToTheReports)
{
    addRow("p", "2000-07-01", 1, 110, "10");
    addRow("p", "2000-07-02", 1, 220, "10");
    reports2 &reports = Forms::get<reports2>();
    findInFinancialYear2000(reports, "All purchases");
    ASSERT_EQ(reports.flex->TextMatrix(2, 7), "220.00");
    reports.flex->doubleClickCell(2, 4);
    PRC &form = Forms::get<PRC>();
    EXPECT_EQ(form.pay1[5]->Text(), "2");
    EXPECT_EQ(form.gobackb->Text(), "Reports");
    EXPECT_TRUE(form.back->Visible());
    EXPECT_EQ(form.p->Recordset().RecordCount(), 1); // the screen now works on that one row

    retype(form.Text2[3], "330");
    form.back_Click();
    EXPECT_FALSE(Forms::isLoaded<PRC>());
    EXPECT_TRUE(Forms::isLoaded<reports2>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());               // OK showed the menu behind the reports form
    EXPECT_EQ(reports.flex->TextMatrix(2, 7), "330.00"); // searched again
    EXPECT_EQ(row("qm.mdb", "select e from p where ID = 2"), "330");
    EXPECT_FALSE(RecordLoading);
}

// Decision: Go Back stops where OK's checks fail.
TEST_F(ScreensTest, GoBackStaysWhenOksChecksFail)
{
    addRow("r", "2000-07-01", 1, 110, "10");
    reports2 &reports = Forms::get<reports2>();
    findInFinancialYear2000(reports, "Income");
    reports.flex->doubleClickCell(1, 0);
    RRC &form = Forms::get<RRC>();
    form.pay1[0]->setText("");
    form.back_Click();
    EXPECT_EQ(messages(), QStringList({"Must enter a date"}));
    EXPECT_TRUE(Forms::isLoaded(form));
    EXPECT_EQ(form.gobackb->Text(), "Reports");
    EXPECT_EQ(row("qm.mdb", "select j from r"), "01/Jul/00");
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
        EXPECT_EQ(messages(), QStringList({"No current record."}));
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

// What the supplier and client screens hand back lands in the row; the ABN box never
// writes to the supplier table.
TEST_F(ScreensTest, APartyHandedBackIsSavedWithTheRow)
{
    PRC &form = Forms::get<PRC>();
    form.Add1_Click();
    EXPECT_EQ(CallerTag, "PRC");
    EXPECT_EQ(CurrentRecordId, "");
    EXPECT_TRUE(Forms::isLoaded<src>());
    Forms::Unload(Forms::get<src>());
    m_messages.clear();

    run("qm.mdb", "insert into s (l, o) values ('New Co', '99')");
    form.s->Refresh();
    form.combo1->setBoundText("3");
    form.combo1_Click(dbcAreaList);
    form.abn->setText("99");
    form.pay1[0]->typeText("01/jul/00");
    form.Text2[3]->typeText("11");
    form.Combo3->pick(0);
    form.Command1_Click(LedgerButton::OK);
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(row("qm.mdb", "select p, b, t from p"), "3|3|New Co");
    EXPECT_EQ(rows("qm.mdb", "select o from s order by ID"), QStringList({"11 222 333 444", "55 666", "99"}));

    // Edit with a party shown opens that party; with none, a new one.
    RRC &receipts = Forms::get<RRC>();
    receipts.combo1->pickRow(1);
    receipts.combo1->doubleClick(); // "Double Click to edit"
    EXPECT_EQ(CallerTag, "RRC");
    EXPECT_EQ(CurrentClientId, "2");
    EXPECT_TRUE(Forms::isLoaded<crc>());
    Forms::Unload(Forms::get<crc>());
    m_messages.clear();
    receipts.combo1->setText("");
    receipts.mse->trigger();
    EXPECT_EQ(CurrentClientId, "");
}

TEST_F(ScreensTest, TheJobButtonOpensTheJobListAndAPickedJobIsSaved)
{
    run("qm1.mdb", "insert into jac (jac, exp) values ('JOB''S', 'with an apostrophe')");
    PRC &form = Forms::get<PRC>();
    form.Command5_Click();
    EXPECT_EQ(CallerTag, "PRC");
    EXPECT_TRUE(Forms::isLoaded<CTC>());
    EXPECT_TRUE(Forms::isLoaded(form));

    enter(form, "01/jul/00", 0, "22");
    form.job->pickRow(0);
    EXPECT_EQ(form.jobtext->Text(), "JOB'S");
    EXPECT_EQ(form.job->BackColor(), vbPink);
    form.Command1_Click(LedgerButton::OK);
    EXPECT_EQ(row("qm.mdb", "select v from p"), "JOB'S");
}

TEST_F(ScreensTest, DatePickersWriteTheirDayIntoTheDateBoxes)
{
    PRC &form = Forms::get<PRC>();
    EXPECT_EQ(form.pay1[0]->Text(), ""); // loading sets the pickers, not the boxes
    EXPECT_EQ(form.picker->Value(), QDate::currentDate());
    form.picker->pickDate(QDate(2001, 3, 5));
    EXPECT_EQ(form.pay1[0]->Text(), "05/Mar/01");
    form.DTPicker1->pickDate(QDate(2000, 12, 31));
    EXPECT_EQ(form.pay1[2]->Text(), "31/Dec/00");
}

TEST_F(ScreensTest, DetailsShowAndHideOnHover)
{
    RRC &form = Forms::get<RRC>();
    form.Label1_MouseMove(7);
    EXPECT_TRUE(form.Picture1->Visible());
    EXPECT_TRUE(form.Label1[17]->Visible());
    EXPECT_FALSE(form.Label1[7]->Visible());
    EXPECT_FALSE(form.Label2->Visible());
    form.Label1_MouseMove(17);
    EXPECT_FALSE(form.Picture1->Visible());
    EXPECT_TRUE(form.Label1[7]->Visible());
    EXPECT_TRUE(form.Label2->Visible());
}

TEST_F(ScreensTest, TheMenus)
{
    PRC &form = Forms::get<PRC>();
    enter(form, "01/jul/00", 0, "22");
    m_messages.queueAnswer(vbNo);
    form.en->onClick();
    EXPECT_EQ(m_messages.log().back().title, "Quitting QUILLMARK");
    EXPECT_EQ(m_messages.log().back().buttons, vbYesNoCancel);
    EXPECT_EQ(m_services->quitCalls, 0);
    m_messages.queueAnswer(vbNo);
    form.mm->onClick();
    EXPECT_TRUE(Forms::isLoaded(form));
    form.a1->onClick();
    EXPECT_TRUE(Forms::isLoaded<frmAbout>());
    m_services->printerWorks = false;
    form.mps->onClick();
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
