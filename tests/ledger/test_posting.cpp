// A receipt's amount reaches its invoice even when the program dies between the two files,
// or the invoice file is locked: the posting is kept with the receipt and finished, once, the
// next time the receipts screen or the program starts. The crashes are real: a child process
// saves a receipt and is killed with SIGKILL at a step between the two writes.
#include "ledger/invoiceposting.h"
#include "tests/ledger/ledgerfixture.h"
#include "tests/support/crashchild.h"

#include <QElapsedTimer>

namespace qm::test {

namespace {

QString stepName(PostingStep step)
{
    switch (step) {
    case PostingStep::ReceiptStored: return QStringLiteral("ReceiptStored");
    case PostingStep::InvoiceUpdated: return QStringLiteral("InvoiceUpdated");
    case PostingStep::PostingFinished: return QStringLiteral("PostingFinished");
    }
    return {};
}

class PostingTest : public LedgerTest
{
protected:
    // Runs `action` ("save" or "delete") on the receipts screen in a child process over this
    // program folder, and kills it with SIGKILL when it reaches `step`.
    void crashChild(const QString &action, PostingStep step)
    {
        killChildWhenStopped(m_dir.path(), QStringLiteral("PostingCrashChild.*"),
                             {{QStringLiteral("QM_CRASH_FOLDER"), m_dir.path()},
                              {QStringLiteral("QM_CRASH_ACTION"), action},
                              {QStringLiteral("QM_CRASH_STEP"), stepName(step)}});
    }

    int pending() { return row("qm.mdb", "select count(*) from pendingpost").toInt(); }
    // The postings an invoice remembers having taken.
    int tokens() { return row("qm1.mdb", "select count(*) from postdone").toInt(); }
};

} // namespace

// The child's side of the crash tests: it only runs when a crash test starts it.
TEST(PostingCrashChild, ActsOnTheReceiptsScreenUntilKilled)
{
    const QString folder = qEnvironmentVariable("QM_CRASH_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "started by the crash tests only";
    ChildProgram child(folder);
    const QString stopAt = qEnvironmentVariable("QM_CRASH_STEP");
    postingStepHook = [stopAt](PostingStep step) {
        if (stepName(step) != stopAt)
            return;
        stopAndAwaitKill();
    };
    RRC &form = Forms::get<RRC>();
    if (qEnvironmentVariable("QM_CRASH_ACTION") == QLatin1String("delete")) {
        form.mrd_Click();
    } else {
        form.Command1_Click(LedgerButton::Add);
        form.pay1[0]->typeText("01/jul/00");
        form.combo1->pickRow(0);
        form.Combo3->pick(0);
        form.Text2[3]->typeText("200");
        form.pay1[3]->typeText("A12");
        form.Command1_Click(LedgerButton::OK);
    }
    ADD_FAILURE() << "the step was never reached";
}

// The other side of the two-copies test: one copy of the program saving receipts, each its own,
// for the given time, each save and each opening of the screen applying whatever is pending.
TEST(PostingTwoCopiesChild, SavesReceiptsForAWhile)
{
    const QString folder = qEnvironmentVariable("QM_TWOCOPIES_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "started by the two-copies test only";
    ChildProgram child(folder); // records a busy file's "will be updated" notes
    const int copy = qEnvironmentVariableIntValue("QM_TWOCOPIES_COPY");
    const QString invoices[] = {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A12")};
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; timer.elapsed() < qEnvironmentVariableIntValue("QM_TWOCOPIES_MS"); ++n) {
        RRC &form = Forms::get<RRC>();
        form.Command1_Click(LedgerButton::Add);
        form.pay1[0]->typeText("01/07/2000");
        form.combo1->pickRow(copy);
        form.Combo3->pick(0);
        form.Text2[3]->typeText(QStringLiteral("%1.%2").arg(10 + n % 90).arg(copy * 10 + n % 10, 2, 10, QChar(u'0')));
        form.pay1[3]->typeText(invoices[n % 3]);
        form.Command1_Click(LedgerButton::OK);
        Forms::discardAll();
    }
}

// Two copies of the program on one folder, each saving its own receipts while the other applies
// whatever it finds pending: every receipt reaches its invoice exactly once.
TEST_F(PostingTest, TwoCopiesOnOneFolderCountEachReceiptOnce)
{
    const auto copy = [this](const char *n) -> ChildVariables {
        return {{QStringLiteral("QM_TWOCOPIES_FOLDER"), m_dir.path()},
                {QStringLiteral("QM_TWOCOPIES_COPY"), QString::fromLatin1(n)},
                {QStringLiteral("QM_TWOCOPIES_MS"), QStringLiteral("3000")}};
    };
    runChildrenTogether(m_dir.path(), QStringLiteral("PostingTwoCopiesChild.*"), {copy("0"), copy("1")});
    ASSERT_EQ(row("qm.mdb", "select count(distinct p), count(*) >= 6 from r"), "2|1"); // both copies saved

    for (const char *file : {"qm.mdb", "qm1.mdb"})
        EXPECT_EQ(RawDatabase(path(file)).value("pragma integrity_check"), "text:ok") << file;
    Main(); // the next start finishes whatever a busy file left pending
    EXPECT_EQ(pending(), 0);
    EXPECT_EQ(tokens(), 0);
    // Each invoice's paid amount against the sum of its receipts, to the cent, as text.
    EXPECT_EQ(rows("qm1.mdb", "select a, printf('%.2f', paid) from inv order by a"),
              rows("qm.mdb", "select l, printf('%.2f', sum(e)) from r group by l order by l"));
}

TEST_F(PostingTest, AReceiptSavedJustBeforeACrashReachesItsInvoiceOnce)
{
    struct Case
    {
        PostingStep step;
        bool programStart; // finished by the program's start, else by the receipts screen's
        double paidAtCrash;
        int pendingAtCrash;
        int tokensAtCrash;
    };
    const Case cases[] = {
        {PostingStep::ReceiptStored, false, 0, 1, 0},
        {PostingStep::ReceiptStored, true, 0, 1, 0},
        {PostingStep::InvoiceUpdated, false, 200, 1, 1}, // in the invoice, still recorded as pending
        {PostingStep::InvoiceUpdated, true, 200, 1, 1},
        {PostingStep::PostingFinished, false, 200, 0, 1}, // finished, only its token is left
        {PostingStep::PostingFinished, true, 200, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(stepName(c.step).toStdString() + (c.programStart ? " program" : " screen"));
        run("qm.mdb", "delete from r");
        run("qm1.mdb", "update inv set paid = 0");
        crashChild("save", c.step);
        EXPECT_EQ(row("qm.mdb", "select e, l from r"), "200|A12");
        EXPECT_EQ(pending(), c.pendingAtCrash);
        EXPECT_EQ(tokens(), c.tokensAtCrash);
        EXPECT_DOUBLE_EQ(paid("A12"), c.paidAtCrash);

        if (c.programStart)
            Main();
        else
            Forms::get<RRC>();
        EXPECT_DOUBLE_EQ(paid("A12"), 200);
        EXPECT_EQ(pending(), 0);
        EXPECT_EQ(tokens(), 0);
        Forms::discardAll();
        Forms::get<RRC>(); // finishing again changes nothing
        EXPECT_DOUBLE_EQ(paid("A12"), 200);
        Forms::discardAll();
        EXPECT_TRUE(m_messages.log().empty());
    }
}

// A token goes only once its posting is gone from qm.mdb: while the posting is still
// recorded (a crash left it, or the receipts file cannot be written), the token stays and
// keeps the posting from counting twice.
TEST_F(PostingTest, ATokenStaysWhileItsPostingIsRecorded)
{
    crashChild("save", PostingStep::InvoiceUpdated);
    ASSERT_EQ(pending(), 1);
    ASSERT_EQ(tokens(), 1);
    run("qm.mdb", "create trigger keep before delete on pendingpost begin select raise(abort, 'kept'); end");
    for (int pass = 0; pass < 2; ++pass) {
        applyPendingPostings();
        EXPECT_DOUBLE_EQ(paid("A12"), 200);
        EXPECT_EQ(pending(), 1);
        EXPECT_EQ(tokens(), 1);
    }
    run("qm.mdb", "drop trigger keep");
    EXPECT_TRUE(applyPendingPostings().empty());
    EXPECT_DOUBLE_EQ(paid("A12"), 200);
    EXPECT_EQ(pending(), 0);
    EXPECT_EQ(tokens(), 0);
}

TEST_F(PostingTest, AReceiptDeletedJustBeforeACrashIsTakenOffItsInvoice)
{
    for (const PostingStep step : {PostingStep::ReceiptStored, PostingStep::PostingFinished}) {
        SCOPED_TRACE(stepName(step).toStdString());
        run("qm.mdb", "delete from r");
        addRow("r", "2000-07-01", 1, 150, "10", "A12");
        run("qm1.mdb", "update inv set paid = 150 where a = 'A12'");
        crashChild("delete", step);
        EXPECT_EQ(row("qm.mdb", "select count(*) from r"), "0");
        EXPECT_DOUBLE_EQ(paid("A12"), step == PostingStep::ReceiptStored ? 150 : 0);
        Forms::get<RRC>();
        EXPECT_DOUBLE_EQ(paid("A12"), 0);
        EXPECT_EQ(pending(), 0);
        EXPECT_EQ(tokens(), 0);
        EXPECT_TRUE(m_messages.log().empty());
        Forms::discardAll();
    }
}

// With the invoice file locked by another program, the receipt is saved and the posting
// waits; it is applied once the next time the receipts screen opens.
TEST_F(PostingTest, ALockedInvoiceFileDelaysThePostingAndLosesNothing)
{
    auto lock = std::make_unique<RawDatabase>(path("qm1.mdb"));
    lock->run("begin immediate");

    RRC &form = Forms::get<RRC>();
    enter(form, "01/jul/00", 0, "200");
    form.pay1[3]->typeText("A12");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_FALSE(Forms::isLoaded<RRC>());
    EXPECT_EQ(messages(), QStringList({"The receipt was saved, but the paid amount of invoice A12 was not updated "
                                       "(database is locked). It will be updated the next time the receipts screen "
                                       "is opened."}));
    EXPECT_EQ(row("qm.mdb", "select e from r"), "200");
    EXPECT_EQ(pending(), 1);

    lock->run("rollback");
    lock.reset();
    EXPECT_DOUBLE_EQ(paid("A12"), 0);
    m_messages.clear();
    Forms::get<RRC>().Command1_Click(LedgerButton::Cancel);
    EXPECT_DOUBLE_EQ(paid("A12"), 200);
    Forms::get<RRC>().Command1_Click(LedgerButton::Cancel);
    EXPECT_DOUBLE_EQ(paid("A12"), 200);
    EXPECT_EQ(pending(), 0);
    EXPECT_TRUE(m_messages.log().empty());
}

// Books written by older builds may hold an invoice number with a NUL character: a receipt
// against it still reaches the invoice, and is taken off again when deleted.
TEST_F(PostingTest, AnInvoiceNumberWithANulCharacterTakesItsReceipts)
{
    const char *number = "'B' || char(0) || '7'";
    run("qm1.mdb",
        QStringLiteral("insert into inv (a, b, xtotal, paid) values (%1, '2001-03-05', 500, 0)").arg(number));
    run("qm.mdb",
        QStringLiteral("insert into r (j, b, p, t, e, q, l) values ('2000-07-01', 1, 1, 'Acme Pty', 200, '10', %1)")
            .arg(number));
    run("qm.mdb",
        QStringLiteral("insert into pendingpost (token, invoice, amount) values ('left', %1, 200)").arg(number));
    const QString paid = QStringLiteral("select paid from inv where a = %1").arg(number);

    RRC &form = Forms::get<RRC>();
    EXPECT_EQ(row("qm1.mdb", paid), "200");
    EXPECT_EQ(pending(), 0);
    form.mrd_Click();
    EXPECT_EQ(row("qm.mdb", "select count(*) from r"), "0");
    EXPECT_EQ(row("qm1.mdb", paid), "0");
    EXPECT_EQ(pending(), 0);
    EXPECT_EQ(tokens(), 0);
    EXPECT_TRUE(m_messages.log().empty());
}

// Files made before postings were kept get their tables when a receipt first needs them.
TEST_F(PostingTest, FilesWithoutThePostingTablesGetThem)
{
    run("qm.mdb", "drop table pendingpost");
    run("qm1.mdb", "drop table postdone");
    Main(); // nothing recorded, nothing created
    EXPECT_EQ(row("qm.mdb", "select count(*) from sqlite_master where name = 'pendingpost'"), "0");
    Forms::discardAll();
    RRC &form = Forms::get<RRC>();
    enter(form, "01/jul/00", 0, "120");
    form.pay1[3]->typeText("A1");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_DOUBLE_EQ(paid("A1"), 120);
    EXPECT_EQ(pending(), 0);
}

} // namespace qm::test
