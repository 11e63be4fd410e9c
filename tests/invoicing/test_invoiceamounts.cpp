// No amount is cut on the invoice form's lines, whatever the machine's font.
#include "common/format.h"
#include "common/invoicelines.h"
#include "tests/invoicing/invoicefixture.h"
#include "tests/support/machinefont.h"

namespace qm::test {

// The cells of money show the largest amount whole; the $AMOUNT cells and the totals under
// them the largest sum, and the totals stand under the cells.
TEST_F(InvoiceTest, TheLinesAndTotalsShowTheLargestAmountsWhole)
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

} // namespace qm::test
