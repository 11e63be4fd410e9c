#include "common/convert.h"
#include "common/format.h"
#include "common/invoicelines.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

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

// What the cell's editor does with Backspace or Delete before the rule sees it: the selection
// goes, or else one character before or after the cursor; the cursor ends where they were.
enum class Erase { Backspace, Delete };

MoneyEntry erase(const MoneyCell &cell, Erase key)
{
    int from = cell.selStart, count = cell.selLength;
    if (count == 0) {
        from = key == Erase::Backspace ? cell.selStart - 1 : cell.selStart;
        count = 1;
    }
    if (from < 0 || from + count > cell.text.size())
        return {cell.text, cell.selStart}; // nothing to take out: no change reaches the rule
    return enterMoney(cell, QString(cell.text).remove(from, count), from);
}

// Backspace or Delete walked through an amount key by key, where each leaves the cursor.
TEST(InvoiceLines, BackspaceAndDeleteKeepThePointAndTheCentsInTheirPlaces)
{
    const Erase B = Erase::Backspace, D = Erase::Delete;
    const struct
    {
        const char *name;
        const char *text;
        int selStart, selLength;
        std::vector<Erase> keys;
        std::vector<const char *> shown; // the text and the cursor after each key: "9.90|3"
    } cases[] = {
        {"Backspace from the end", "9.99", 4, 0, {B, B, B, B}, {"9.90|3", "9.00|2", "9.00|1", ".00|0"}},
        {"Delete before the point", "9.00", 1, 0, {D, D}, {"9.00|2", "9.00|2"}},
        {"Backspace through an amount's cents", "55.50", 4, 0, {B, B, B}, {"55.00|3", "55.00|2", "5.00|1"}},
        {"Backspace just after the point", "12.50", 3, 0, {B, B}, {"12.50|2", "1.50|1"}},
        {"Delete on the first cent", "123.45", 4, 0, {D}, {"123.05|4"}},
        {"Backspace on the first cent", "123.45", 5, 0, {B}, {"123.05|4"}},
        {"Delete on the last cent", "123.45", 5, 0, {D}, {"123.40|5"}},
        // A whole digit taken out leaves the cursor before the point, as a whole digit typed does.
        {"Delete at the start", "123.45", 0, 0, {D, D, D}, {"23.45|2", "23.45|3", "23.05|3"}},
        {"a selection across the point", "123.45", 2, 3, {D}, {"12.05|2"}},
        {"the point alone selected", "9.99", 1, 1, {B}, {"9.99|1"}},
        {"everything selected", "123.45", 0, 6, {B}, {".00|0"}},
        {"a negative amount", "-12.34", 3, 0, {B, D}, {"-1.34|2", "-1.34|3"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MoneyCell cell{QString::fromLatin1(c.text), c.selStart, c.selLength};
        QStringList shown;
        for (Erase key : c.keys) {
            const MoneyEntry entry = erase(cell, key);
            shown << entry.text + u'|' + QString::number(entry.cursor);
            cell = {entry.text, entry.cursor, 0};
        }
        QStringList expected;
        for (const char *s : c.shown)
            expected << QString::fromLatin1(s);
        EXPECT_EQ(shown, expected);
    }
}

// At every cursor and over every selection of a few amounts, one Backspace or Delete never
// takes an amount further from nought, and a cent it leaves stays in its place.
TEST(InvoiceLines, OneBackspaceOrDeleteNeverMakesAnAmountLarger)
{
    for (const char *shown : {"9.99", "123.45", "55.50", ".05", "1000.00", "-12.34", "7.10"}) {
        const QString text = QString::fromLatin1(shown);
        const int point = static_cast<int>(text.indexOf(u'.'));
        for (int start = 0; start <= text.size(); ++start) {
            for (int length = 0; start + length <= text.size(); ++length) {
                for (Erase key : {Erase::Backspace, Erase::Delete}) {
                    const MoneyEntry entry = erase({text, start, length}, key);
                    const QString where = QStringLiteral("%1 at %2+%3 %4")
                                              .arg(text)
                                              .arg(start)
                                              .arg(length)
                                              .arg(key == Erase::Backspace ? "Backspace" : "Delete");
                    SCOPED_TRACE(where.toStdString());
                    EXPECT_LE(std::abs(Val(entry.text)), std::abs(Val(text)));
                    const int taken = length > 0 ? start : key == Erase::Backspace ? start - 1 : start;
                    const int end = length > 0 ? start + length : taken + 1;
                    const int newPoint = static_cast<int>(entry.text.indexOf(u'.'));
                    ASSERT_GE(newPoint, 0);
                    for (int cent = point + 1; cent < text.size(); ++cent) {
                        if (cent >= taken && cent < end)
                            continue;
                        EXPECT_EQ(entry.text[newPoint + cent - point], text[cent]) << "cent " << cent - point;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace qm
