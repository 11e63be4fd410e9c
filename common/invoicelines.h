#pragma once

#include <QString>
#include <array>

// The arithmetic of an invoice's line rows and totals. The texts of the boxes are the data:
// every number is read from a cell's text and written back as text.
namespace qm {

// The cells of a line row, left to right.
enum LineCell { LineQty = 0, LineDescription = 1, LineRate = 2, LineTax = 3, LineTaxAmount = 4, LineAmount = 5 };

constexpr int LineRows = 7;
constexpr int LineCells = 6;

using LineTexts = std::array<QString, LineCells>;
using InvoiceLines = std::array<LineTexts, LineRows>;

// A row is taxed GST when its tax code is "GST" in any letter case, and nothing else.
bool isGstLine(const LineTexts &row);

// The row as it stands once the change of cell `changed` has been worked through: a rate or
// amount entered is shown as money; an amount entered gives the rate and tax; a row with a rate
// gets its tax (a tenth of the nett on a GST row, the tax typed otherwise) and its amount.
LineTexts workOutLine(LineTexts row, int changed);

// The four totals as shown: NETT (quantities times rates), TAX @ 10% (tax of the GST rows),
// OTHER TAX (tax of the other rows), and TOTAL DUE, the sum of those three as shown.
struct InvoiceTotals
{
    QString nett, gst, otherTax, total;
};
InvoiceTotals workOutTotals(const InvoiceLines &lines);

// True when a number cell of some row (QTY, $RATE, $TAX AMT, $AMOUNT) shows no finite number:
// the row's arithmetic went beyond the range of a double and wrote "inf" or "nan".
bool hasNumberBeyondRange(const InvoiceLines &lines);

// A rate or amount as the cell shows it while it is typed: the text and where the cursor stands.
struct MoneyEntry
{
    QString text;
    int cursor = 0;
};
// The cell as it stood before an edit: its text and its selection (none: the cursor).
struct MoneyCell
{
    QString text;
    int selStart = 0;
    int selLength = 0;
};
// The cell was `before`, and an edit left `after` with the cursor at `cursor`. The text is
// shown as money. A decimal point typed puts the cursor just after the point; a digit typed
// after the point replaces the cent it stands on, and none goes past the second cent.
// Backspace or Delete (or a selection cleared) never takes out the point: whole digits go,
// cents become noughts where they stand, so an amount never grows by it. Backspace just after
// the point moves the cursor before it, Delete just before it moves the cursor past it; a cent
// taken out leaves the cursor where it was, in the cents.
// Otherwise the cursor stands before the point, so that digits typed next extend the whole part.
MoneyEntry enterMoney(const MoneyCell &before, const QString &after, int cursor);

} // namespace qm
