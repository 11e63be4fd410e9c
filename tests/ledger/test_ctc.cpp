#include "ledger/ctc.h"
#include "shell/menu2.h"
#include "tests/ledger/ledgerfixture.h"

namespace qm::test {

class JobListTest : public LedgerTest
{
protected:
    int addJob(const QString &code, const QString &explanation = {})
    {
        run("qm1.mdb", QStringLiteral("insert into jac (jac, exp) values (%1, %2)")
                           .arg(quoted(code), explanation.isNull() ? QStringLiteral("null") : quoted(explanation)));
        return row("qm1.mdb", "select max(id) from jac").toInt();
    }

    // The codes in the grid, from row 1 down to the first empty row.
    static QStringList listed(CTC &list)
    {
        QStringList codes;
        for (int row = 1; row < list.flex->Rows() && !list.flex->TextMatrix(row, 0).isEmpty(); ++row)
            codes << list.flex->TextMatrix(row, 0);
        return codes;
    }

    // The list as the ledger form's "Add / Edit" opens it.
    static CTC &openFrom(LedgerScreen &caller)
    {
        caller.Command5_Click();
        return Forms::get<CTC>();
    }
};

// As the list has always opened: sorted, two rows of growth per record, the last row
// current in the hidden column; Delete asks first, then finds that cell empty.
TEST_F(JobListTest, OpensOnTheLastRowInTheHiddenColumnAndGrowsTwoRowsPerRecord)
{
    CTC &empty = Forms::get<CTC>();
    EXPECT_EQ(empty.flex->Rows(), 2);
    EXPECT_TRUE(m_messages.log().empty());
    Forms::discardAll();

    addJob("beta", "second");
    addJob("ZED", "last");
    addJob("Alpha", "first");
    CTC &list = Forms::get<CTC>();
    EXPECT_EQ(list.statuspanel->Caption(), "Adding");
    EXPECT_EQ(listed(list), QStringList({"Alpha", "beta", "ZED"}));
    EXPECT_EQ(list.flex->Rows(), 8);
    EXPECT_EQ(list.flex->Row(), 3);
    EXPECT_EQ(list.flex->Col(), 2);
    EXPECT_FALSE(list.returnb->Visible()); // not opened by a ledger form

    m_messages.queueAnswer(vbNo);
    list.Command3_Click();
    list.Command3_Click();
    ASSERT_EQ(m_messages.log().size(), 3u);
    EXPECT_EQ(m_messages.log()[0].text, "Delete Current Record?");
    EXPECT_EQ(m_messages.log()[0].title, "Are you Sure?");
    EXPECT_EQ(m_messages.log()[2].text, "Nothing to edit!");
    EXPECT_EQ(m_messages.log()[2].title, "QUILLMARK");
    EXPECT_EQ(row("qm1.mdb", "select count(*) from jac"), "3");
}

TEST_F(JobListTest, AddUpperCasesTheCodeAndListsItWithItsId)
{
    addJob("beta", "second");
    addJob("ZED", "last");
    CTC &list = Forms::get<CTC>();
    list.addb_Click();
    EXPECT_TRUE(list.SSPanel3->Visible());
    list.Text3[0]->typeText("abc");
    EXPECT_EQ(list.Text3[0]->Text(), "ABC");
    EXPECT_EQ(list.Text3[0]->SelStart(), 3);
    list.Text3[1]->typeText("Bob's job");
    list.Command4_Click();
    EXPECT_TRUE(m_messages.log().empty());
    const int id = row("qm1.mdb", "select id from jac where jac = 'ABC'").toInt();
    EXPECT_EQ(row("qm1.mdb", QStringLiteral("select jac, exp from jac where id = %1").arg(id)), "ABC|Bob's job");
    EXPECT_FALSE(list.SSPanel3->Visible());
    EXPECT_EQ(EditMode, "Editing");
    EXPECT_EQ(listed(list), QStringList({"ABC", "beta", "ZED"}));
    EXPECT_EQ(list.flex->RowData(1), id);
    EXPECT_EQ(list.flex->Rows(), 6 + 6); // the refill grows the uncleared grid again

    // Cancel leaves the mode as it was; an empty explanation is allowed.
    list.addb_Click();
    list.Command5_Click();
    EXPECT_EQ(EditMode, "Adding");
    list.addb_Click();
    list.Text3[0]->typeText("x1");
    list.Command4_Click();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(row("qm1.mdb", "select jac, exp from jac where jac = 'X1'"), "X1|");
}

// An empty code, or one the database refuses, is not added: the reason is said after
// "Couldn't add record." and the panel keeps what was typed.
TEST_F(JobListTest, AnAddThatFailsSaysWhyAndKeepsThePanel)
{
    for (const bool locked : {false, true}) {
        if (locked)
            run("qm1.mdb",
                "create trigger refuse before insert on jac begin select raise(abort, 'the jobs are locked'); end");
        CTC &list = Forms::get<CTC>();
        list.addb_Click();
        list.Text3[0]->typeText(locked ? "new" : "   ");
        list.Text3[1]->typeText("no code");
        list.Command4_Click();
        const QStringList said = takeMessages();
        ASSERT_EQ(said.size(), 2) << locked;
        EXPECT_EQ(said[0], "Couldn't add record.");
        EXPECT_TRUE(said[1].contains(locked ? "the jobs are locked" : "Job / Account must not be empty"))
            << said[1].toStdString();
        EXPECT_EQ(row("qm1.mdb", "select count(*) from jac"), "0");
        EXPECT_TRUE(list.SSPanel3->Visible());
        EXPECT_EQ(list.Text3[1]->Text(), "no code");
        EXPECT_EQ(list.MousePointer(), vbDefault);
        Forms::discardAll();
    }
}

TEST_F(JobListTest, EditKeepsLowerCaseAndLeavesTransactionsAlone)
{
    const int id = addJob("ALPHA", "  first  ");
    addJob("beta");
    run("qm.mdb", "insert into p (j, v) values ('2000-07-01', 'ALPHA')");
    run("qm.mdb", "insert into r (j, v) values ('2000-07-01', 'ALPHA')");
    CTC &list = Forms::get<CTC>();
    list.flex->doubleClickCell(1, 0);
    EXPECT_EQ(SelectedJobId, QString::number(id));
    EXPECT_TRUE(list.SSPanel1->Visible());
    EXPECT_EQ(list.Text4[1]->Text(), "first");

    retype(list.Text4[0], "alpha's");
    retype(list.Text4[1], "it's done");
    EXPECT_EQ(list.Text4[0]->Text(), "alpha's");
    list.Command7_Click();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(row("qm1.mdb", QStringLiteral("select jac, exp from jac where id = %1").arg(id)), "alpha's|it's done");
    EXPECT_EQ(listed(list), QStringList({"alpha's", "beta"}));
    // The refill leaves the last row current, in the column that was clicked.
    EXPECT_EQ(list.flex->Row(), 2);
    EXPECT_EQ(list.flex->Text(), "beta");
    EXPECT_EQ(row("qm.mdb", "select v from p"), "ALPHA");
    EXPECT_EQ(row("qm.mdb", "select v from r"), "ALPHA");
}

TEST_F(JobListTest, EditRefusesAnOverlongOrEmptyCode)
{
    const QString longCode(60, QLatin1Char('L'));
    const int id = addJob(longCode, "too long");
    CTC &list = Forms::get<CTC>();
    list.flex->doubleClickCell(1, 1);
    EXPECT_EQ(list.Text4[0]->Text(), longCode); // the typing limit does not cut a loaded code
    list.Command7_Click();
    EXPECT_EQ(messages(), QStringList{"Job / Account must be 50 characters or less"});
    EXPECT_TRUE(list.SSPanel1->Visible());

    list.Text4[0]->setText("  ");
    list.Command7_Click();
    ASSERT_FALSE(m_messages.log().empty());
    EXPECT_EQ(m_messages.log().back().text, "Job / Account must not be empty");
    EXPECT_EQ(row("qm1.mdb", QStringLiteral("select jac from jac where id = %1").arg(id)), longCode);
    EXPECT_TRUE(list.SSPanel1->Visible());
}

TEST_F(JobListTest, DoubleClickOnAnEmptyCellOrWhileAdding)
{
    addJob("ONE");
    const int two = addJob("TWO", "second");
    CTC &list = Forms::get<CTC>();
    list.flex->doubleClickCell(1, 1); // ONE has no explanation
    ASSERT_EQ(m_messages.log().size(), 1u);
    EXPECT_EQ(m_messages.log()[0].text, "Nothing to edit!");
    EXPECT_EQ(m_messages.log()[0].title, "Corvane");
    EXPECT_EQ(m_messages.log()[0].icon, vbExclamation);
    list.flex->doubleClickCell(3, 0); // past the last record
    EXPECT_EQ(m_messages.log().size(), 2u);
    EXPECT_FALSE(list.SSPanel1->Visible());

    // While adding, the row is chosen but the edit panel stays shut.
    list.addb_Click();
    list.flex->doubleClickCell(2, 1);
    EXPECT_EQ(SelectedJobId, QString::number(two));
    EXPECT_FALSE(list.SSPanel1->Visible());
    EXPECT_EQ(list.Text4[0]->Text(), "");
}

TEST_F(JobListTest, DeleteReloadsTheListWithBackStillShown)
{
    addJob("ONE");
    addJob("TWO");
    PRC &payments = Forms::get<PRC>();
    CTC &list = openFrom(payments);
    EXPECT_TRUE(list.returnb->Visible());
    list.flex->clickCell(1, 0);
    list.Command3_Click(); // answered Yes
    processEvents();
    EXPECT_EQ(rows("qm1.mdb", "select jac from jac"), QStringList({"TWO"}));
    CTC &reloaded = Forms::get<CTC>();
    EXPECT_EQ(listed(reloaded), QStringList({"TWO"}));
    EXPECT_EQ(reloaded.flex->Rows(), 4);
    EXPECT_TRUE(reloaded.returnb->Visible());
    EXPECT_EQ(CallerTag, "PRC");
    EXPECT_TRUE(Forms::isLoaded(payments));
    EXPECT_EQ(m_messages.texts().size(), 1u); // the question only
}

TEST_F(JobListTest, DeleteOfARowGoneFromTheTable)
{
    const int gone = addJob("GONE");
    CTC &list = Forms::get<CTC>();
    list.flex->clickCell(1, 0);
    run("qm1.mdb", QStringLiteral("delete from jac where id = %1").arg(gone));
    list.Command3_Click();
    EXPECT_EQ(messages(), QStringList({"Delete Current Record?", "Can't retrieve Job / Account!"}));
    EXPECT_TRUE(Forms::isLoaded(list));
    EXPECT_EQ(list.MousePointer(), vbDefault);
}

// The list keeps its database between handlers without holding the file.
TEST_F(JobListTest, TheKeptDatabaseLetsOthersWrite)
{
    addJob("ONE");
    CTC &list = Forms::get<CTC>();
    list.flex->doubleClickCell(1, 0);
    ASSERT_NE(JobListDatabase, nullptr);
    EXPECT_EQ(run("qm1.mdb", "update inv set paid = 5 where a = 'A1'"), 1);
    EXPECT_EQ(run("qm1.mdb", "insert into jac (jac) values ('TWO')"), 1);
    retype(list.Text4[1], "edited");
    list.Command7_Click();
    EXPECT_EQ(row("qm1.mdb", "select exp from jac where jac = 'ONE'"), "edited");
}

TEST_F(JobListTest, BackRightAfterOpeningLeavesTheJobAlone)
{
    addJob("ONE");
    addJob("TWO");
    PRC &payments = Forms::get<PRC>();
    payments.job->setText("ONE");
    payments.jobtext->setText("");
    CTC &list = openFrom(payments);
    run("qm1.mdb", "insert into jac (jac) values ('THREE')");
    list.returnb_Click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<CTC>());
    EXPECT_EQ(payments.job->Text(), "ONE");
    EXPECT_EQ(payments.job->ListCount(), 3);    // its list was read again
    EXPECT_EQ(payments.jobtext->Text(), "ONE"); // job_Click ran
    EXPECT_EQ(EditMode, "Adding");              // as the list's loading left it
    EXPECT_EQ(CallerTag, "");
    EXPECT_TRUE(PreviousForm == FormRef::of<CTC>());

    // The header row current hands nothing over either.
    CTC &again = openFrom(payments);
    again.flex->setRow(0);
    again.flex->setCol(0);
    again.returnb_Click();
    EXPECT_EQ(payments.job->Text(), "ONE");
}

TEST_F(JobListTest, BackHandsTheTrimmedCodeToThePaymentsForm)
{
    addJob("  JOB 7  ", "seven");
    PRC &payments = Forms::get<PRC>();
    enter(payments, "01/jul/00", 0, "22");
    CTC &list = openFrom(payments);
    list.flex->clickCell(1, 1); // the explanation is current; the code goes over
    list.returnb_Click();
    processEvents();
    EXPECT_EQ(payments.job->Text(), "JOB 7");
    EXPECT_EQ(payments.jobtext->Text(), "JOB 7");
    EXPECT_EQ(payments.job->BackColor(), vbPink);
    EXPECT_EQ(EditMode, payments.statuspanel->Caption());
    payments.Command1_Click(LedgerButton::OK);
    EXPECT_EQ(row("qm.mdb", "select v from p"), "JOB 7");
}

TEST_F(JobListTest, ACodeAddedThereGoesBackIntoTheReceiptsForm)
{
    RRC &receipts = Forms::get<RRC>();
    enter(receipts, "01/jul/00", 0, "200");
    CTC &list = openFrom(receipts);
    EXPECT_EQ(CallerTag, "RRC");
    list.addb_Click();
    list.Text3[0]->typeText("o'neil");
    list.Text3[1]->typeText("Bob's barn");
    list.Command4_Click();
    list.flex->clickCell(1, 0);
    list.returnb_Click();
    processEvents();
    EXPECT_EQ(receipts.job->Text(), "O'NEIL");
    EXPECT_EQ(receipts.job->ListCount(), 1);
    EXPECT_EQ(receipts.jobtext->Text(), "O'NEIL");
    receipts.Command1_Click(LedgerButton::OK);
    EXPECT_EQ(row("qm.mdb", "select v from r"), "O'NEIL");
}

// The screen that opened the list was closed meanwhile: Back brings up a fresh one, on a
// stored transaction of its own, which keeps its own job.
TEST_F(JobListTest, BackIntoAClosedScreenHandsNothingOver)
{
    addJob("ONE");
    addJob("TWO");
    for (const bool receipts : {false, true}) {
        SCOPED_TRACE(receipts ? "receipts" : "payments");
        const QString table = receipts ? "r" : "p";
        addRow(table, "2000-07-01", 1, 110, "10");
        run("qm.mdb", "update " + table + " set v = 'ONE'");
        const auto screen = [receipts]() -> LedgerScreen & {
            return receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        };
        const auto loaded = [receipts] { return receipts ? Forms::isLoaded<RRC>() : Forms::isLoaded<PRC>(); };
        screen().Show();
        screen().Command1_Click(LedgerButton::Add);
        CTC &list = openFrom(screen());
        screen().close();
        processEvents();
        ASSERT_FALSE(loaded());

        list.flex->clickCell(2, 0); // TWO
        list.returnb_Click();
        processEvents();
        EXPECT_FALSE(Forms::isLoaded<CTC>());
        ASSERT_TRUE(loaded());
        EXPECT_EQ(screen().pay1[5]->Text(), "1");
        EXPECT_EQ(screen().job->Text(), "ONE");
        screen().Command1_Click(LedgerButton::OK);
        EXPECT_FALSE(loaded());
        EXPECT_EQ(rows("qm.mdb", "select v from " + table), QStringList{"ONE"});
        EXPECT_TRUE(m_messages.log().empty());
        Forms::discardAll();
    }
}

TEST_F(JobListTest, MainMenuAsksFirstAndLeavesTheCallerLoaded)
{
    PRC &payments = Forms::get<PRC>();
    CTC &list = openFrom(payments);
    m_messages.queueAnswer(vbNo);
    list.mm->onClick();
    ASSERT_EQ(messages(), QStringList{"Cancel edit and go to Menu?"});
    EXPECT_EQ(m_messages.log()[0].title, "Corvane");
    EXPECT_TRUE(Forms::isLoaded(list));
    list.mm->onClick();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<CTC>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_TRUE(Forms::isLoaded(payments));
}

} // namespace qm::test
