#include "common/invoicelines.h"

#include "common/convert.h"
#include "common/format.h"

namespace qm {

namespace {
const QString Money = QStringLiteral("###.00");
} // namespace

bool isGstLine(const LineTexts &row)
{
    return row[LineTax].toUpper() == QLatin1String("GST");
}

LineTexts workOutLine(LineTexts row, int changed)
{
    const bool gst = isGstLine(row);
    if (changed == LineRate)
        row[LineRate] = Format(Val(row[LineRate]), Money);
    if (changed == LineAmount) {
        row[LineAmount] = Format(Val(row[LineAmount]), Money);
        const double amount = Val(row[LineAmount]);
        const double tax = gst ? amount / 11 : Val(row[LineTaxAmount]);
        const double quantity = Val(row[LineQty]);
        // No quantity, no rate: the rate shows .00.
        row[LineRate] = Format(quantity != 0 ? (amount - tax) / quantity : 0, Money);
        row[LineTaxAmount] = Format(tax, Money);
    }
    if (!row[LineRate].isEmpty()) {
        const double nett = Val(row[LineRate]) * Val(row[LineQty]);
        const double tax = gst ? nett / 10 : Val(row[LineTaxAmount]);
        row[LineTaxAmount] = Format(tax, Money);
        row[LineAmount] = Format(nett + tax, Money);
    }
    return row;
}

InvoiceTotals workOutTotals(const InvoiceLines &lines)
{
    double nett = 0, gst = 0, other = 0;
    for (const LineTexts &row : lines) {
        nett += Val(row[LineQty]) * Val(row[LineRate]);
        (isGstLine(row) ? gst : other) += Val(row[LineTaxAmount]);
    }
    // The total is what the three lines above it add up to, cent for cent.
    nett = roundDecimal(nett, 2);
    gst = roundDecimal(gst, 2);
    other = roundDecimal(other, 2);
    return {Format(nett, Money), Format(gst, Money), Format(other, Money), Format(nett + gst + other, Money)};
}

} // namespace qm
