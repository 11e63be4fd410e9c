#include "common/convert.h"
#include "common/format.h"
#include "common/invoicelines.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// Whatever the rows hold, TOTAL DUE is NETT + TAX @ 10% + OTHER TAX as they are shown.
TEST(InvoiceLines, TotalDueIsTheSumOfTheTotalsShown)
{
    const char *const quantities[] = {"0.4", "3", "1.5", "7", "0.333", "12", "2"};
    const char *const rates[] = {"2.51", "3.335", "0.005", "19.99", "1.015", "0.125", "100.555"};
    const char *const taxes[] = {"0.004", "0.125", "2.675", "0.005", "1.115", "0.335", "9.995"};
    for (int shift = 0; shift < LineRows; ++shift) {
        InvoiceLines lines;
        for (int row = 0; row < LineRows; ++row) {
            const int k = (row + shift) % LineRows;
            LineTexts &line = lines[row];
            line[LineQty] = QString::fromLatin1(quantities[k]);
            line[LineRate] = QString::fromLatin1(rates[k]);
            line[LineTax] = (row + shift) % 3 == 0 ? QStringLiteral("GST") : QString();
            line[LineTaxAmount] = QString::fromLatin1(taxes[k]);
            line = workOutLine(line, LineRate);
        }
        const InvoiceTotals totals = workOutTotals(lines);
        EXPECT_EQ(totals.total, Format(Val(totals.nett) + Val(totals.gst) + Val(totals.otherTax), "###.00"))
            << "shift " << shift;
    }
    // The sum of the rounded totals, not the rounded sum: 1.004 of nett and 0.004 of tax.
    InvoiceLines lines;
    lines[0] = {"0.4", "", "2.51", "", "", ""};
    lines[1] = {"", "", "", "", "0.004", ""};
    const InvoiceTotals totals = workOutTotals(lines);
    EXPECT_EQ(QStringList({totals.nett, totals.gst, totals.otherTax, totals.total}),
              QStringList({"1.00", ".00", ".00", "1.00"}));
}

} // namespace
} // namespace qm
