// Saving an invoice when things go wrong: amounts too large to add up, and the program killed
// in the middle of a save. The crashes are real: a child process saves and is killed with
// SIGKILL while SQLite holds the save's transaction open.
#include "tests/invoicing/invoicefixture.h"
#include "tests/support/crashchild.h"

#include <cstring>
#include <sqlite3.h>
#include <vector>

namespace qm::test {

namespace {

// Where the child stops: while it writes the number (the invoice row already written), while
// it rewrites a stored invoice, or as the save commits.
enum class Stop { WritingTheNumber, RewritingTheRow, Committing };

const char *stopName(Stop stop)
{
    switch (stop) {
    case Stop::WritingTheNumber: return "number";
    case Stop::RewritingTheRow: return "rewrite";
    case Stop::Committing: return "commit";
    }
    return "";
}

bool g_invoiceWritten = false;

void onUpdate(void *, int op, const char *, const char *table, sqlite3_int64)
{
    const QByteArray stop = qgetenv("QM_INVOICE_STOP");
    if (std::strcmp(table, "inv") == 0) {
        g_invoiceWritten = true;
        if (op == SQLITE_UPDATE && stop == stopName(Stop::RewritingTheRow))
            stopAndAwaitKill();
    }
    if (std::strcmp(table, "invnumb") == 0 && g_invoiceWritten && stop == stopName(Stop::WritingTheNumber))
        stopAndAwaitKill();
}

int onCommit(void *)
{
    if (g_invoiceWritten && qgetenv("QM_INVOICE_STOP") == stopName(Stop::Committing))
        stopAndAwaitKill();
    return 0;
}

// Every connection the child opens watches its writes.
int watchConnection(sqlite3 *db, char **, const sqlite3_api_routines *)
{
    sqlite3_update_hook(db, onUpdate, nullptr);
    sqlite3_commit_hook(db, onCommit, nullptr);
    return SQLITE_OK;
}

class InvoiceSaveTest : public InvoiceTest
{
protected:
    // Fills a new invoice for O'Brien's Farm with one line row.
    void fillNew(const QString &number)
    {
        chooseClient("O'Brien's Farm");
        form().a[0]->setText(number);
        form().a[1]->setText("07/12/2026");
        form().l(1)[LineQty]->setText("2");
        form().l(1)[LineDescription]->setText("Café Zoë's hay");
        form().l(1)[LineRate]->setText("10");
    }

    // Runs the child over this program folder and kills it where it stops.
    void crashChild(Stop stop)
    {
        killChildWhenStopped(m_dir.path(), QStringLiteral("InvoiceSaveChild.*"),
                             {{QStringLiteral("QM_INVOICE_FOLDER"), m_dir.path()},
                              {QStringLiteral("QM_INVOICE_STOP"), QString::fromLatin1(stopName(stop))}});
    }
};

} // namespace

// The child's side of the crash test: it only runs when the test starts it.
TEST(InvoiceSaveChild, SavesUntilKilled)
{
    const QString folder = qEnvironmentVariable("QM_INVOICE_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "started by the crash test only";
    ChildProgram child(folder);
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(watchConnection));
    INV &form = Forms::get<INV>();
    if (qgetenv("QM_INVOICE_STOP") == stopName(Stop::RewritingTheRow)) {
        form.invid->setText("1");
        ASSERT_TRUE(form.getinv());
        form.statuspanel->setCaption("Editing");
        form.l(1)[LineDescription]->setText("changed");
    } else {
        form.DBCombo1->pickRow(1);
        form.a[0]->setText("A2");
        form.l(1)[LineQty]->setText("1");
        form.l(1)[LineRate]->setText("5");
    }
    form.save_Click();
    ADD_FAILURE() << "the save never stopped; messages: " << child.messages.texts().size();
}

// A quantity, rate or amount so large that a line or the sums cannot be worked out shows "inf"
// or "nan": the save refuses it, writes nothing and leaves the form as it was.
TEST_F(InvoiceSaveTest, AmountsTooLargeToAddUpAreRefused)
{
    struct Line
    {
        const char *qty, *rate, *taxAmount, *amount = nullptr;
    };
    const struct
    {
        const char *name;
        std::vector<Line> lines;
        const char *total; // TOTAL DUE as shown
    } cases[] = {
        {"a rate beyond the largest number from the amount", {{".5", "", "", "1e308"}}, ".00"},
        {"one row beyond the largest number", {{"1e308", "10", ""}}, "inf"},
        {"two rows that cancel into no number", {{"1e308", "10", ""}, {"-1e308", "10", ""}}, "nan"},
        {"other tax beyond the largest number", {{"1", "1", "1e308"}, {"1", "1", "1e308"}}, "inf"},
    };
    fillNew("A1");
    ASSERT_TRUE(form().save_Click());
    const QStringList saved = stored();
    const QString last = row("qm1.mdb", "select last from invnumb");
    for (const bool editing : {true, false}) {
        if (!editing) {
            Forms::discardAll();
            processEvents();
            fillNew("A2");
        }
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (editing ? ", editing" : ", adding"));
            for (int r = 1; r <= LineRows; ++r)
                for (int cell : {LineQty, LineRate, LineTaxAmount})
                    form().l(r)[cell]->setText("");
            for (size_t i = 0; i < c.lines.size(); ++i) {
                ControlArray<TextBox> &cells = form().l(int(i) + 1);
                cells[LineQty]->setText(c.lines[i].qty);
                cells[LineTaxAmount]->setText(c.lines[i].taxAmount);
                cells[LineRate]->setText(c.lines[i].rate);
                if (c.lines[i].amount) {
                    cells[LineAmount]->setText(c.lines[i].amount);
                    EXPECT_EQ(cells[LineRate]->Text(), "inf");
                }
            }
            EXPECT_EQ(form().xtotal->Text(), c.total);
            EXPECT_FALSE(form().save_Click());
            EXPECT_EQ(takeMessages(),
                      QStringList{"The amounts are too large to add up: check the quantities and rates."});
            EXPECT_EQ(stored(), saved);
            EXPECT_EQ(row("qm1.mdb", "select last from invnumb"), last);
            EXPECT_EQ(form().statuspanel->Caption(), editing ? "Editing" : "Adding");
        }
    }
    // Mended, it saves.
    form().l(1)[LineQty]->setText("3");
    form().l(2)[LineQty]->setText("");
    form().l(1)[LineTaxAmount]->setText("");
    form().l(2)[LineTaxAmount]->setText("");
    EXPECT_TRUE(form().save_Click());
    EXPECT_EQ(row("qm1.mdb", "select a, xtotal from inv where a = 'A2'"), "A2|3");
    EXPECT_TRUE(messages().isEmpty());
}

// The invoice row and its number go in one transaction: killed at any point of a save, the
// file holds the invoices as they were before it, whole, and the numbering goes on from there.
TEST_F(InvoiceSaveTest, AKillInTheMiddleOfASaveLeavesNothingHalfWritten)
{
    fillNew("A1");
    ASSERT_TRUE(form().save_Click());
    Forms::discardAll();
    processEvents();
    const QStringList before = stored();
    ASSERT_EQ(before.size(), 1);

    for (const Stop stop : {Stop::WritingTheNumber, Stop::Committing, Stop::RewritingTheRow}) {
        SCOPED_TRACE(stopName(stop));
        crashChild(stop);
        EXPECT_EQ(RawDatabase(path("qm1.mdb")).value("pragma integrity_check"), "text:ok");
        EXPECT_EQ(stored(), before);
        EXPECT_EQ(row("qm1.mdb", "select group_concat(last) from invnumb"), "A1");
        // The next invoice gets the number the killed save would have taken.
        EXPECT_EQ(form().a[0]->Text(), "A2");
        Forms::discardAll();
        processEvents();
    }
    fillNew("A2");
    EXPECT_TRUE(form().save_Click());
    EXPECT_EQ(rows("qm1.mdb", "select a from inv order by ID"), QStringList({"A1", "A2"}));
    EXPECT_TRUE(messages().isEmpty());
}

} // namespace qm::test
