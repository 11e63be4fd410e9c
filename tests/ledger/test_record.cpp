#include "shell/menu2.h"
#include "tests/ledger/ledgerfixture.h"

namespace qm::test {

using RecordTest = LedgerTest;

// Each form sets the classification code of its own ledger from the category (the codes of
// every category are tested in tests/common/test_ledgerrules.cpp).
TEST_F(RecordTest, ClassificationFollowsTheCategoryOnEachForm)
{
    struct Case
    {
        QString category, payment, receipt;
    };
    const std::vector<Case> cases = {
        {"WAGES", "NOT", "STD"},   {"EXPORT ", "STD", "STD"},
        {"NEW CAR", "NEW", "STD"}, {"RESIDENTIAL PROPERTY RENT", "STD", "ITS"},
        {"", "STD", "STD"},
    };
    for (bool receipts : {false, true}) {
        LedgerScreen &form = receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        ASSERT_EQ(form.statuspanel->Caption(), "Adding");
        for (size_t i = 0; i < cases.size(); ++i) {
            if (i > 0)
                form.Command1_Click(LedgerButton::Add); // Add writes the row before
            // Wages carry no GST on payments.
            enter(form, "01/jul/00", 0, "110", cases[i].category == "WAGES" ? "0" : "10", cases[i].category);
        }
        form.Command1_Click(LedgerButton::OK);
        EXPECT_FALSE(Forms::isLoaded(form));
        const QStringList codes
            = rows("qm.mdb", QStringLiteral("select u from %1 order by ID").arg(receipts ? "r" : "p"));
        ASSERT_EQ(codes.size(), int(cases.size()));
        for (size_t i = 0; i < cases.size(); ++i)
            EXPECT_EQ(codes[int(i)], receipts ? cases[i].receipt : cases[i].payment) << cases[i].category.toStdString();
    }
    EXPECT_TRUE(m_messages.log().empty());
}

// OK's checks, in order, with their texts; what is checked is what would be stored.
TEST_F(RecordTest, CheckstuffRunsItsChecksInOrder)
{
    PRC &form = Forms::get<PRC>();
    auto failsWith = [&](const QString &text) {
        m_messages.clear();
        EXPECT_EQ(form.checkstuff(), "bad");
        ASSERT_EQ(m_messages.log().size(), 1u);
        EXPECT_EQ(m_messages.log().front().text, text);
        EXPECT_EQ(m_messages.log().front().title, "QUILLMARK");
        EXPECT_EQ(m_messages.log().front().icon, vbExclamation);
        EXPECT_EQ(m_messages.log().front().buttons, vbOKOnly);
    };
    failsWith("Must enter a date");
    // A filled date box that holds no date is named; the invoice date's panel is shown.
    for (const char *day : {"31/feb/01", "31/02/2023", "soon", "1/13/2001"}) {
        retype(form.pay1[0], day);
        failsWith("Date of Payment is not a date.");
    }
    retype(form.pay1[0], "28/feb/01");
    ASSERT_FALSE(form.Picture1->Visible());
    form.pay1[2]->typeText("31/02/2023");
    failsWith("Date of Invoice is not a date.");
    EXPECT_TRUE(form.Picture1->Visible());
    EXPECT_TRUE(form.Label1[17]->Visible());
    EXPECT_FALSE(form.Label1[7]->Visible());
    form.pay1[2]->setText("");
    failsWith("Must select a supplier");
    form.combo1->typeText("Nobody we know");
    failsWith("Must select a supplier");
    form.combo1->setText("");
    form.combo1->pickRow(1);
    // Only what the database stores as a number passes: no &H or &O, nothing beyond a double.
    for (const QString &total : {QString(), QStringLiteral("0"), QStringLiteral("0.00"), QStringLiteral("abc"),
                                 QStringLiteral("12abc"), QStringLiteral("0.00001"), QStringLiteral("&H10"),
                                 QStringLiteral("&H") + QString(256, u'F'), QStringLiteral("1e999")}) {
        retype(form.Text2[3], total);
        failsWith("Must enter a total");
    }
    retype(form.Text2[3], "110");
    failsWith("Must enter a % GST amount");
    form.Combo3->typeText("ten");
    failsWith("GST % must be a number");
    form.Combo3->setText("");
    form.Combo3->pick(0);
    EXPECT_EQ(form.Text2[4]->Text(), "10.00");
    form.Combo2[4]->setText("");
    form.Combo2[4]->typeText("half");
    failsWith("Personal use of purchase % must be a number");
    form.Combo2[4]->pick(50);
    m_messages.clear();
    EXPECT_EQ(form.checkstuff(), "good");

    // Off the calculator, the GST box can be emptied: only empty fails, 0 passes.
    form.Check2[1]->setValue(0);
    form.Text2[4]->setText("");
    failsWith("No GST amount - enter GST");
    form.Text2[4]->setText("0");
    m_messages.clear();
    EXPECT_EQ(form.checkstuff(), "good");
    EXPECT_TRUE(m_messages.log().empty());
}

// The receipts name their own date box; a move is refused with the same messages.
TEST_F(RecordTest, ReceiptsNameTheirDateBoxesOnAMoveToo)
{
    addRow("r", "2000-07-01", 1, 110, "10");
    RRC &form = Forms::get<RRC>();
    retype(form.pay1[0], "30/02/2001");
    form.Command1_Click(LedgerButton::Next);
    EXPECT_EQ(messages(), QStringList({"Date of Receipt is not a date."}));
    m_messages.clear();
    retype(form.pay1[0], "28/02/2001");
    retype(form.pay1[2], "32/01/2001");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_EQ(messages(), QStringList({"Date of Invoice is not a date."}));
    EXPECT_TRUE(form.Picture1->Visible());
    EXPECT_EQ(row("qm.mdb", "select j from r"), "01/Jul/2000");
}

TEST_F(RecordTest, AnEmptyPartyWhileARowLoadsFailsSilently)
{
    PRC &form = Forms::get<PRC>();
    form.pay1[0]->typeText("01/jul/00");
    RecordLoading = true;
    EXPECT_EQ(form.checkstuff(), "bad");
    EXPECT_TRUE(m_messages.log().empty());
    RecordLoading = false;
}

// Decision: wages with GST are refused by OK itself, before the menu is shown.
TEST_F(RecordTest, WagesWithGstAreRefusedBeforeTheMenuIsShown)
{
    PRC &form = Forms::get<PRC>();
    enter(form, "01/jul/00", 0, "110", "10", "WAGES");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_EQ(messages(), QStringList({"Wages should have no GST."}));
    EXPECT_TRUE(Forms::isLoaded(form));
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(row("qm.mdb", "select count(*) from p"), "0");

    form.Combo3->pick(1); // rate 0: no GST
    form.Command1_Click(LedgerButton::OK);
    EXPECT_FALSE(Forms::isLoaded(form));
    EXPECT_EQ(row("qm.mdb", "select u, d from p"), "NOT|0");
}

// Decision: an empty table opens on a new row, so that the first entry is kept.
TEST_F(RecordTest, AnEmptyTableOpensOnANewRowAndKeepsTheFirstEntry)
{
    PRC &form = Forms::get<PRC>();
    EXPECT_EQ(form.statuspanel->Caption(), "Adding");
    EXPECT_EQ(form.Combo2[0]->Text(), ""); // the new row empties the "Expense" default
    enter(form, "01/jul/00", 1, "55", "10");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(row("qm.mdb", "select j, p, b, t, c, d, e, q from p"), "01/Jul/2000|2|2|O'Brien's Farm|50|5|55|10");
}

// A GST-free payment or receipt, and a payment of wages, store a GST amount of 0, however
// the entry was typed: what the row shows after OK is what is stored.
TEST_F(RecordTest, GstFreeEntriesStoreAGstOfZero)
{
    struct Case
    {
        bool receipts;
        QString category;
        bool rateFirst;
        QString stored; // c|d|e|q|u of the new row
    };
    const Case cases[] = {
        {false, "Other", false, "25|0|25|0|STD"}, {false, "Other", true, "25|0|25|0|STD"},
        {false, "WAGES", false, "25|0|25|0|NOT"}, {true, "Goods", false, "25|0|25|0|STD"},
        {true, "EXPORT", true, "25|0|25|0|EXP"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.category.toStdString());
        const QString table = c.receipts ? "r" : "p";
        run("qm.mdb", "delete from " + table);
        addRow(table, "2000-07-01", 1, 110, "10"); // the screen opens on a stored row
        LedgerScreen &form = c.receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        form.Command1_Click(LedgerButton::Add);
        form.pay1[0]->typeText("02/jul/00");
        form.combo1->pickRow(0);
        form.Combo2[2]->typeText(c.category);
        if (c.rateFirst)
            form.Combo3->pick(1);
        form.Text2[3]->typeText("25");
        if (!c.rateFirst)
            form.Combo3->pick(1);
        const QStringList shown = {form.Text2[2]->Text(), form.Text2[4]->Text(), form.Text2[3]->Text()};
        EXPECT_EQ(shown, QStringList({"25.00", "0.00", "25"}));
        form.Command1_Click(LedgerButton::OK);
        EXPECT_TRUE(m_messages.log().empty());
        // A Null anywhere makes the whole text Null.
        EXPECT_EQ(row("qm.mdb", QStringLiteral("select c || '|' || d || '|' || e || '|' || q || '|' || u from %1 "
                                               "order by ID desc limit 1")
                                    .arg(table)),
                  c.stored);
    }
}

// A row being shown shows its stored amounts and dates, not what the calculator or the
// invoice list would make of them; browsing such rows writes nothing.
TEST_F(RecordTest, ARowShowsWhatIsStored)
{
    for (const char *table : {"p", "r"}) {
        run("qm.mdb", QStringLiteral("insert into %1 (j, p, b, t, c, d, e, q, l, m, s, u) values ('2000-07-04', 1, 1, "
                                     "'Acme Pty', 90, 20, 110, '0', 'A1', '2000-06-30', 5, 'STD')")
                          .arg(table));
        run("qm.mdb", QStringLiteral("insert into %1 (j, p, b, t, c, d, e, q, u) values ('2000-07-05', 1, 1, "
                                     "'Acme Pty', 33.3333, 3.3333, 36.6666, '10', 'STD')")
                          .arg(table));
        // No amounts worked out: its checks would stop a move off it.
        run("qm.mdb", QStringLiteral("insert into %1 (j, p, b, t, e, q, u) values ('2000-07-06', 1, 1, 'Acme Pty', "
                                     "55, '10', 'STD')")
                          .arg(table));
    }
    for (bool receipts : {false, true}) {
        LedgerScreen &form = receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        const auto amounts = [&] {
            return form.Text2[2]->Text() + "|" + form.Text2[4]->Text() + "|" + form.Text2[3]->Text() + "|"
                   + form.pay1[2]->Text();
        };
        EXPECT_EQ(amounts(), "90|20|110|30/Jun/2000"); // A1's own date is 05/Mar/2001
        form.Command1_Click(LedgerButton::Next);
        EXPECT_EQ(amounts(), "33.3333|3.3333|36.6666|");
        form.Command1_Click(LedgerButton::Previous);
        EXPECT_EQ(amounts(), "90|20|110|30/Jun/2000");
        form.Command1_Click(LedgerButton::GoLast);
        EXPECT_EQ(amounts(), "||55|");
        form.Command1_Click(LedgerButton::Cancel);
    }
    EXPECT_TRUE(m_messages.log().empty());
    for (const char *table : {"p", "r"})
        EXPECT_EQ(rows("qm.mdb", QStringLiteral("select ifnull(c, '') || '|' || ifnull(d, '') || '|' || e || '|' || "
                                                "ifnull(m, '') from %1 order by ID")
                                     .arg(table)),
                  QStringList({"90|20|110|2000-06-30", "33.3333|3.3333|36.6666|", "||55|"}));
}

// The job box shows the job of the row on screen, and what it shows is stored: a moved-to row
// shows its own; after Add the payments screen starts without one, while a new receipt takes
// the job shown.
TEST_F(RecordTest, TheJobShownIsTheJobStored)
{
    run("qm1.mdb", "insert into jac (jac) values ('ONE'), ('TWO')");
    struct Case
    {
        bool receipts;
        QString afterAdd; // the job shown, and then stored, for a new row
    };
    for (const Case &c : {Case{false, ""}, Case{true, "ONE"}}) {
        SCOPED_TRACE(c.receipts ? "receipts" : "payments");
        const QString table = c.receipts ? "r" : "p";
        addRow(table, "2000-07-01", 1, 110, "10");
        addRow(table, "2000-07-02", 1, 220, "10");
        run("qm.mdb", "update " + table + " set v = case ID when 1 then 'ONE' else 'TWO' end");
        LedgerScreen &form = c.receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        EXPECT_EQ(form.job->Text(), "ONE");
        form.Command1_Click(LedgerButton::Next);
        EXPECT_EQ(form.job->Text(), "TWO");
        form.Command1_Click(LedgerButton::Previous);
        EXPECT_EQ(form.job->Text(), "ONE");

        form.Command1_Click(LedgerButton::Add);
        EXPECT_EQ(form.job->Text(), c.afterAdd);
        enter(form, "03/jul/00", 0, "330");
        form.Command1_Click(LedgerButton::OK);
        EXPECT_TRUE(m_messages.log().empty());
        EXPECT_EQ(rows("qm.mdb", "select ifnull(v, '') from " + table + " order by ID"),
                  QStringList({"ONE", "TWO", c.afterAdd}));

        // A new row left untouched is no entry: the close box leaves it unstored, unasked.
        LedgerScreen &again = c.receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        again.Show();
        again.Command1_Click(LedgerButton::Add);
        again.close();
        processEvents();
        EXPECT_FALSE(Forms::isLoaded(again));
        EXPECT_TRUE(m_messages.log().empty());
        EXPECT_EQ(row("qm.mdb", "select count(*) from " + table), "3");
        Forms::discardAll();
    }
}

TEST_F(RecordTest, MovesCheckTheRowTheyLeaveAndWriteIt)
{
    addRow("p", "2000-07-01", 1, 110, "10");
    addRow("p", "2000-07-02", 1, 220, "10");
    PRC &form = Forms::get<PRC>();
    retype(form.Text2[3], "121");
    form.Command1_Click(LedgerButton::Next); // Next >
    EXPECT_EQ(form.pay1[5]->Text(), "2");
    EXPECT_EQ(row("qm.mdb", "select e, c, d from p where ID = 1"), "121|110|11");

    form.Command1_Click(LedgerButton::Previous); // < Previous
    EXPECT_EQ(form.pay1[5]->Text(), "1");
    form.Command1_Click(LedgerButton::Previous); // at the first row it stays there
    EXPECT_EQ(form.pay1[5]->Text(), "1");

    // A failed check keeps the form on the row, writes nothing and leaves no loading flag.
    form.pay1[0]->setText("");
    form.Command1_Click(LedgerButton::Next);
    EXPECT_EQ(messages(), QStringList({"Must enter a date"}));
    EXPECT_EQ(form.pay1[5]->Text(), "1");
    EXPECT_FALSE(RecordLoading);
    EXPECT_EQ(row("qm.mdb", "select j from p where ID = 1"), "01/Jul/2000");

    form.pay1[0]->typeText("03/jul/00");
    form.Command1_Click(LedgerButton::GoLast); // Go Last >>
    form.Command1_Click(LedgerButton::Next);   // Next > past the last row starts a new one
    EXPECT_EQ(form.pay1[5]->Text(), "");
    EXPECT_EQ(row("qm.mdb", "select j from p where ID = 1"), "03/Jul/2000");
    EXPECT_EQ(row("qm.mdb", "select count(*) from p"), "2");
}

// "<< Go First" right after "< Previous" skips the checks, as it always has.
TEST_F(RecordTest, GoFirstAfterPreviousSkipsTheChecks)
{
    addRow("p", "2000-07-01", 1, 110, "10");
    addRow("p", "2000-07-02", 1, 220, "10");
    PRC &form = Forms::get<PRC>();
    form.Command1_Click(LedgerButton::GoLast);
    form.Command1_Click(LedgerButton::GoFirst);
    EXPECT_EQ(form.pay1[5]->Text(), "1");
    form.Command1_Click(LedgerButton::GoLast);
    form.Command1_Click(LedgerButton::Previous);
    EXPECT_TRUE(PreviousPressed);
    form.Command1_Click(LedgerButton::GoLast);
    form.Combo2[2]->setText("EXPORT");
    form.pay1[1]->typeText("no checks here");
    form.Command1_Click(LedgerButton::GoFirst);
    EXPECT_EQ(form.pay1[5]->Text(), "1");
    EXPECT_TRUE(m_messages.log().empty());
    // Written as the boxes held it, and not classified.
    EXPECT_EQ(row("qm.mdb", "select a, u from p where ID = 2"), "no checks here|STD");
}

TEST_F(RecordTest, CancelWritesNothingOnANewOrAnEditedRow)
{
    addRow("p", "2000-07-01", 1, 110, "10");
    PRC &form = Forms::get<PRC>();
    retype(form.Text2[3], "999");
    form.Command1_Click(LedgerButton::Cancel);
    EXPECT_FALSE(Forms::isLoaded(form));
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(row("qm.mdb", "select e from p"), "110");

    PRC &again = Forms::get<PRC>();
    again.Command1_Click(LedgerButton::Add);
    enter(again, "02/jul/00", 0, "50");
    m_messages.queueAnswer(vbYes);
    again.mm->onClick(); // "Cancel edit and go to Menu?" runs Cancel
    EXPECT_EQ(messages(), QStringList({"Cancel edit and go to Menu?"}));
    EXPECT_FALSE(Forms::isLoaded(again));
    EXPECT_EQ(row("qm.mdb", "select count(*) from p"), "1");
    EXPECT_FALSE(RecordLoading);
}

// Decision: the close box runs a move's checks on an edited row and keeps the form open
// when they fail; otherwise it writes the row.
TEST_F(RecordTest, TheCloseBoxChecksAndWritesAnEditedRow)
{
    addRow("p", "2000-07-01", 1, 110, "10");
    PRC &form = Forms::get<PRC>();
    form.Show();
    form.Text2[3]->setText("");
    form.close();
    processEvents();
    EXPECT_EQ(messages(), QStringList({"Must enter a total"}));
    EXPECT_TRUE(Forms::isLoaded(form));

    form.Text2[3]->typeText("132");
    form.close();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<PRC>());
    EXPECT_EQ(row("qm.mdb", "select e, d from p"), "132|12");

    // A new row nobody typed into is not inserted, and nothing is asked.
    PRC &fresh = Forms::get<PRC>();
    fresh.Show();
    fresh.Command1_Click(LedgerButton::Add);
    m_messages.clear();
    fresh.close();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<PRC>());
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(row("qm.mdb", "select count(*) from p"), "1");
}

// Decision: a value the column cannot hold is never checked as one thing and stored as
// another; a failed write is shown and the form stays.
TEST_F(RecordTest, AFailedWriteIsShownAndTheFormStays)
{
    PRC &form = Forms::get<PRC>();
    enter(form, "01/jul/00", 0, "110");
    form.Check2[1]->setValue(0); // off the calculator: the nett box takes anything
    form.Text2[2]->setText("lots");
    form.Command1_Click(LedgerButton::OK);
    ASSERT_EQ(m_messages.log().size(), 1u);
    EXPECT_TRUE(Forms::isLoaded(form));
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
    EXPECT_FALSE(RecordLoading);
    EXPECT_EQ(row("qm.mdb", "select count(*) from p"), "0");

    form.Text2[2]->setText("100");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_FALSE(Forms::isLoaded(form));
    EXPECT_EQ(row("qm.mdb", "select count(*), c from p"), "1|100");
}

TEST_F(RecordTest, RecordDeleteOnPaymentsDeletesWithoutAsking)
{
    addRow("p", "2000-07-01", 1, 110, "10");
    addRow("p", "2000-07-02", 1, 220, "10");
    PRC &form = Forms::get<PRC>();
    form.Command1_Click(LedgerButton::GoLast);
    form.mrd_Click();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(rows("qm.mdb", "select ID from p"), QStringList({"1"}));
    EXPECT_EQ(form.pay1[5]->Text(), "1");

    form.Command1_Click(LedgerButton::Add);
    form.mrd_Click(); // a new row is no record: nothing happens, nothing is said
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(row("qm.mdb", "select count(*) from p"), "1");
    EXPECT_FALSE(RecordLoading);
}

// Apostrophes in every box reach the row as typed.
TEST_F(RecordTest, ApostrophesAreStoredAsTyped)
{
    PRC &form = Forms::get<PRC>();
    enter(form, "01/jul/00", 1, "110", "10", "Men's Wear");
    form.pay1[1]->typeText("Bob's lunch");
    form.pay1[3]->typeText("INV'9");
    form.pay1[4]->typeText("Chq 'A'");
    form.Text1->typeText("It's 'quoted'");
    form.Combo2[3]->typeText("Books & Publications\"");
    form.Command1_Click(LedgerButton::OK);
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(row("qm.mdb", "select a, h, l, o, n, t, i from p"),
              "Bob's lunch|Men's Wear|INV'9|Chq 'A'|It's 'quoted'|O'Brien's Farm|Books & Publications\"");
}

} // namespace qm::test
