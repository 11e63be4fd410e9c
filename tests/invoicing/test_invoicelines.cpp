// The line rows and totals of the invoice form, worked the way the user works them: typed key
// by key at the cursor, pasted whole, cleared, double-clicked; and shown whole in any font.
#include "common/format.h"
#include "tests/invoicing/invoicefixture.h"
#include "tests/support/machinefont.h"

#include <QApplication>
#include <QKeyEvent>
#include <cstring>
#include <set>

namespace qm::test {

namespace {

enum Action { Type, Paste, Clear, DoubleClick };

struct Step
{
    int row;
    int cell;
    Action action;
    const char *text = "";
};

Step typed(int row, int cell, const char *text)
{
    return {row, cell, Type, text};
}
Step pasted(int row, int cell, const char *text)
{
    return {row, cell, Paste, text};
}
Step cleared(int row, int cell)
{
    return {row, cell, Clear};
}
Step doubleClicked(int row, int cell)
{
    return {row, cell, DoubleClick};
}

constexpr int Q = LineQty, D = LineDescription, R = LineRate, T = LineTax, TA = LineTaxAmount, A = LineAmount;

struct LineCase
{
    const char *name;
    std::vector<Step> steps;
    const char *row1;   // QTY|DESCRIPTION|$RATE|TAX|$TAX AMT|$AMOUNT
    const char *totals; // NETT|TAX @ 10%|OTHER TAX|TOTAL DUE
    const char *row2 = "|||||";
};

class LineRowTest : public InvoiceTest
{
protected:
    void apply(const Step &step)
    {
        TextBox *cell = form().l(step.row)[step.cell];
        const QString text = QString::fromUtf8(step.text);
        switch (step.action) {
        case Type:
            for (const QChar key : text)
                cell->typeText(key);
            break;
        case Paste: cell->setText(text); break;
        case Clear: cell->setText(QString()); break;
        case DoubleClick: form().l_DblClick(step.row, step.cell); break;
        }
    }
};

} // namespace

TEST_F(LineRowTest, EachEditWorksOutItsRowAndTheTotals)
{
    const std::vector<Step> fiveOnTwo{typed(1, Q, "2"), typed(1, R, "5")};
    const auto then = [](std::vector<Step> steps, std::initializer_list<Step> more) {
        steps.insert(steps.end(), more);
        return steps;
    };
    const std::vector<Step> gstFiveOnTwo = then(fiveOnTwo, {doubleClicked(1, T)});
    const LineCase cases[] = {
        {"a rate typed after the quantity", fiveOnTwo, "2||5.00||.00|10.00", "10.00|.00|.00|10.00"},
        {"a double-click on TAX", gstFiveOnTwo, "2||5.00|GST|1.00|11.00", "10.00|1.00|.00|11.00"},
        {"a GST row's tax cannot be typed over", then(gstFiveOnTwo, {typed(1, TA, "7")}), "2||5.00|GST|1.00|11.00",
         "10.00|1.00|.00|11.00"},
        {"another tax code keeps the tax, now other tax", then(gstFiveOnTwo, {cleared(1, T), typed(1, T, "X")}),
         "2||5.00|X|1.00|11.00", "10.00|.00|1.00|11.00"},
        {"an other tax typed", then(gstFiveOnTwo, {cleared(1, T), typed(1, T, "X"), pasted(1, TA, "9")}),
         "2||5.00|X|9.00|19.00", "10.00|.00|9.00|19.00"},
        {"gst in lower case", then(fiveOnTwo, {typed(1, T, "gst")}), "2||5.00|gst|1.00|11.00", "10.00|1.00|.00|11.00"},
        {"GST with a trailing blank is another code", then(fiveOnTwo, {typed(1, T, "GST ")}), "2||5.00|GST |1.00|11.00",
         "10.00|.00|1.00|11.00"},
        {"double-clicks that change nothing",
         then(gstFiveOnTwo, {doubleClicked(1, T), doubleClicked(1, D), doubleClicked(1, Q), doubleClicked(1, A)}),
         "2||5.00|GST|1.00|11.00", "10.00|1.00|.00|11.00"},
        {"an amount of 11 over three",
         {typed(1, Q, "3"), doubleClicked(1, T), pasted(1, A, "11")},
         "3||3.33|GST|1.00|10.99",
         "9.99|1.00|.00|10.99"},
        {"an amount of 10 over three",
         {typed(1, Q, "3"), doubleClicked(1, T), pasted(1, A, "11"), pasted(1, A, "10")},
         "3||3.03|GST|.91|10.00",
         "9.09|.91|.00|10.00"},
        {"an amount with no quantity",
         {doubleClicked(1, T), pasted(1, A, "11")},
         "||.00|GST|.00|.00",
         ".00|.00|.00|.00"},
        {"the rate deleted on a GST row", then(gstFiveOnTwo, {cleared(1, R)}), "2||.00|GST|.00|.00", ".00|.00|.00|.00"},
        {"the rate deleted on an other-tax row", then(fiveOnTwo, {pasted(1, TA, "3"), cleared(1, R)}),
         "2||.00||3.00|3.00", ".00|.00|3.00|3.00"},
        {"a description alone", {typed(1, D, "Hay")}, "|Hay||||", ".00|.00|.00|.00"},
        {"a quantity of 1,5 reads as 1",
         {typed(1, Q, "1,5"), typed(1, R, "10")},
         "1,5||10.00||.00|10.00",
         "10.00|.00|.00|10.00"},
        {"a tax of 2.675 rounds up",
         {typed(1, Q, "1"), doubleClicked(1, T), pasted(1, R, "26.75")},
         "1||26.75|GST|2.68|29.43",
         "26.75|2.68|.00|29.43"},
        {"an amount typed is reworked after each key",
         {typed(1, Q, "1"), typed(1, A, "12")},
         "1||12.00||.00|12.00",
         "12.00|.00|.00|12.00"},
        {"a point typed into an empty rate starts at the cents",
         {typed(1, Q, "4"), typed(1, R, ".25")},
         "4||.25||.00|1.00",
         "1.00|.00|.00|1.00"},
        {"digits typed after a paste extend the whole part",
         {typed(1, Q, "2"), pasted(1, R, "7.25"), typed(1, R, "1")},
         "2||71.25||.00|142.50",
         "142.50|.00|.00|142.50"},
        // The row's own writes do not run it again, so what was entered stands.
        {"a rate entered before the quantity",
         {pasted(1, R, "2.51"), typed(1, Q, "4")},
         "4||2.51||.00|10.04",
         "10.04|.00|.00|10.04"},
        {"the quantity cleared and typed again",
         {pasted(1, R, "2.51"), typed(1, Q, "4"), cleared(1, Q), typed(1, Q, "4")},
         "4||2.51||.00|10.04",
         "10.04|.00|.00|10.04"},
        {"the quantity cleared",
         {pasted(1, R, "2.51"), typed(1, Q, "4"), cleared(1, Q)},
         "||2.51||.00|.00",
         ".00|.00|.00|.00"},
        {"half of 10.01 on a GST row",
         {typed(1, Q, "0.5"), doubleClicked(1, T), pasted(1, R, "10.01")},
         "0.5||10.01|GST|.50|5.51",
         "5.01|.50|.00|5.51"},
        // TOTAL DUE adds the three totals as shown, whichever row changed last.
        {"a total from rounded totals",
         {typed(1, Q, "0.4"), pasted(1, R, "2.51"), typed(2, TA, "0.004")},
         "0.4||2.51||.00|1.00",
         "1.00|.00|.00|1.00",
         "||||0.004|"},
        {"a total from rounded totals after a change in row 3",
         {typed(1, Q, "0.4"), pasted(1, R, "2.51"), typed(2, TA, "0.004"), typed(3, D, "x")},
         "0.4||2.51||.00|1.00",
         "1.00|.00|.00|1.00",
         "||||0.004|"},
    };
    for (const LineCase &c : cases) {
        SCOPED_TRACE(c.name);
        Forms::discardAll();
        processEvents();
        for (const Step &step : c.steps)
            apply(step);
        EXPECT_EQ(line(1), c.row1);
        EXPECT_EQ(line(2), c.row2);
        // The rows never touch each other.
        std::set<int> touched{1, 2};
        for (const Step &step : c.steps)
            touched.insert(step.row);
        for (int row = 1; row <= LineRows; ++row) {
            if (!touched.count(row)) {
                EXPECT_EQ(line(row), "|||||") << "row " << row;
            }
        }
        EXPECT_EQ(totals(), c.totals);
    }
    EXPECT_TRUE(messages().isEmpty());
}

// Rates and amounts typed key by key: where the cursor stands after each key decides what the
// next one does. The point moves to the cents, digits there replace the cents in turn.
TEST_F(LineRowTest, TheCursorFollowsThePoint)
{
    INV &f = form();
    apply(typed(4, Q, "2"));
    const struct
    {
        int cell;
        const char *key;
        const char *shown;
        int cursor;
    } keys[] = {
        {R, "5", "5.00", 1},
        {R, "2", "52.00", 2},
        {R, ".", "52.00", 3},
        {R, "7", "52.70", 4},
        {R, "5", "52.75", 5},
        {R, "9", "52.75", 5},
        {R, ".", "52.75", 3},
        {R, "1", "52.15", 4},
        // Typed after the amount's cents, a digit is dropped.
        {A, "3", "104.30", 6},
    };
    for (const auto &key : keys) {
        SCOPED_TRACE(std::string(key.key) + " -> " + key.shown);
        apply(typed(4, key.cell, key.key));
        EXPECT_EQ(f.l4[key.cell]->Text(), key.shown);
        EXPECT_EQ(f.l4[key.cell]->SelStart(), key.cursor);
    }
    // Before the point, a digit extends the whole part and the cursor returns before the point.
    f.l4[R]->setSelStart(0);
    apply(typed(4, R, "1"));
    EXPECT_EQ(line(4), "2||152.15||.00|304.30");
    EXPECT_EQ(f.l4[R]->SelStart(), 3);
    EXPECT_EQ(totals(), "304.30|.00|.00|304.30");
}

// The cells of money show the largest amount whole, whatever the machine's font; the $AMOUNT
// cells and the totals under them the largest sum, and the totals stand under the cells.
TEST_F(LineRowTest, TheLinesAndTotalsShowTheLargestAmountsWhole)
{
    for (const QFont &font : machineFonts()) {
        SCOPED_TRACE(font.toString().toStdString());
        Forms::discardAll();
        const MachineFont machine(font);
        INV &f = form();
        chooseClient("Acme Pty Ltd");
        f.Show();
        processEvents();
        for (int row = 1; row <= LineRows; ++row) {
            EXPECT_TRUE(f.l(row)[LineRate]->showsWhole(LargestAmount)) << row;
            EXPECT_TRUE(f.l(row)[LineTaxAmount]->showsWhole(LargestAmount)) << row;
            EXPECT_TRUE(f.l(row)[LineAmount]->showsWhole(LargestTotal)) << row;
        }
        const TextBox *lastAmount = f.l(LineRows)[LineAmount];
        for (TextBox *total : {f.xsubtot, f.xgst, f.othertax, f.xtotal}) {
            EXPECT_TRUE(total->showsWhole(LargestTotal));
            EXPECT_EQ(total->Left(), lastAmount->Left());
            EXPECT_EQ(total->Width(), lastAmount->Width());
        }
    }
}

namespace {
// Keys typed into a cell's editor as the user types them; \b is Backspace, \x7f Delete, < the
// left arrow and { Shift with the left arrow.
void press(TextBox *cell, const char *keys)
{
    for (const char *k = keys; *k; ++k) {
        if (!std::strchr("\b\x7f<{", *k)) {
            cell->typeText(QString(QLatin1Char(*k)));
            continue;
        }
        const Qt::Key key = *k == '\b' ? Qt::Key_Backspace : *k == '\x7f' ? Qt::Key_Delete : Qt::Key_Left;
        QKeyEvent event(QEvent::KeyPress, key, *k == '{' ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::sendEvent(cell->focusProxy(), &event);
    }
}
} // namespace

// Amounts corrected with Backspace or Delete: the cursor stays in the cents, so the digit typed
// next goes there ("9.99", two Backspaces and "1" is 9.10); the point is never taken out, so
// the whole part and the cents never run together.
TEST_F(LineRowTest, AmountsCorrectedWithBackspaceOrDelete)
{
    const struct
    {
        const char *name;
        int cell;
        const char *keys;
        const char *row1;
    } cases[] = {
        {"the last cent taken back", R, "9.99\b5", "1||9.95||.00|9.95"},
        {"both cents taken back", R, "9.99\b\b1", "1||9.10||.00|9.10"},
        {"the first cent deleted and typed again", R,
         "9.99<<\x7f"
         "1",
         "1||9.19||.00|9.19"},
        {"an amount's cents taken back", A, "110.00\b\b5", "1||110.50||.00|110.50"},
        {"Backspace up to the point", R, "9.99\b\b\b", "1||9.00||.00|9.00"},
        {"Backspace past the point takes the whole part", R, "9.99\b\b\b\b", "1||.00||.00|.00"},
        {"the point backspaced over", R, "12.50<<\b3", "1||123.50||.00|123.50"},
        {"Delete before the point", R, "9\x7f", "1||9.00||.00|9.00"},
        {"Delete before the point, then in the cents", R,
         "9.99<<<\x7f\x7f"
         "5",
         "1||9.59||.00|9.59"},
        {"an amount backspaced over its point", A, "55.5\b\b\b", "1||5.00||.00|5.00"},
        {"a selection across the point deleted", R, "12.5{{\x7f", "1||12.00||.00|12.00"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Forms::discardAll();
        processEvents();
        apply(typed(1, Q, "1"));
        press(form().l1[c.cell], c.keys);
        EXPECT_EQ(line(1), c.row1);
    }
    EXPECT_TRUE(messages().isEmpty());
}

// An amount taken back over its point is the amount the totals show and the invoice stores.
TEST_F(LineRowTest, AnAmountBackspacedOverItsPointIsWhatIsSaved)
{
    INV &f = form();
    chooseClient("Acme Pty Ltd");
    f.a[0]->setText("A1");
    f.a[1]->setText("07/12/2026");
    apply(typed(1, Q, "2"));
    press(f.l1[A], "55.5\b\b\b");
    EXPECT_EQ(line(1), "2||2.50||.00|5.00");
    EXPECT_EQ(totals(), "5.00|.00|.00|5.00");
    ASSERT_TRUE(f.save_Click());
    EXPECT_EQ(rows("qm1.mdb", "select xr1, xta1, xam1, quote(xsubtot), quote(xtotal) from inv"),
              QStringList{"2.50|.00|5.00|5|5"});
    EXPECT_TRUE(messages().isEmpty());
}

} // namespace qm::test
