#include "common/invoicelines.h"

#include "common/convert.h"
#include "common/format.h"

#include <algorithm>
#include <cmath>

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

bool hasNumberBeyondRange(const InvoiceLines &lines)
{
    for (const LineTexts &row : lines)
        for (int cell : {LineQty, LineRate, LineTaxAmount, LineAmount}) {
            // Read as the number was written: "inf" and "nan" read back as what they were, a
            // number too large to be read (which no arithmetic wrote) does not.
            bool written = false;
            const double number = row[cell].trimmed().toDouble(&written);
            if (written && !std::isfinite(number))
                return true;
        }
    return false;
}

MoneyEntry enterMoney(const MoneyCell &cell, const QString &after, int cursor)
{
    const QString &before = cell.text;
    const auto money = [](const QString &text) { return Format(Val(text), Money); };
    const auto pointOf = [](const QString &text) { return static_cast<int>(text.indexOf(u'.')); };
    const auto size = [](const QString &text) { return static_cast<int>(text.size()); };
    // One key typed: the text before it with one character more, just before the cursor.
    const int at = cursor - 1;
    const bool oneKey = after.size() == before.size() + 1 && at >= 0 && at < after.size()
                        && QStringView(after).first(at) == QStringView(before).first(at)
                        && QStringView(after).sliced(at + 1) == QStringView(before).sliced(at);
    const QChar key = oneKey ? after[at] : QChar();
    const int point = pointOf(before);
    // Characters taken out from the cursor on and nothing put in: Backspace, Delete or a
    // selection cleared.
    const int taken = size(before) - size(after);
    const bool takenOut = point >= 0 && taken > 0 && cursor >= 0 && cursor + taken <= size(before)
                          && QStringView(after).first(cursor) == QStringView(before).first(cursor)
                          && QStringView(after).sliced(cursor) == QStringView(before).sliced(cursor + taken);
    if (takenOut) {
        // The point stays and the whole part and cents never run together: 123.45 with the
        // point taken out is not 12345, nor with the 4 taken out 123.50.
        const int end = cursor + taken;
        QString whole = before.first(point);
        QString cents = before.sliced(point + 1);
        if (cursor < point)
            whole.remove(cursor, std::min(end, point) - cursor);
        for (int i = std::max(cursor, point + 1); i < end; ++i)
            cents[i - point - 1] = u'0';
        const QString text = money(whole + u'.' + cents);
        const bool deletedPoint = cursor == point && taken == 1 && cell.selLength == 0 && cell.selStart == point;
        const int shift = cursor > point ? cursor - point : deletedPoint ? 1 : 0;
        return {text, std::min(pointOf(text) + shift, size(text))};
    }
    if (key == u'.') {
        const QString text = money(point >= 0 ? before : after);
        return {text, pointOf(text) + 1};
    }
    if (key >= u'0' && key <= u'9' && point >= 0 && at > point) {
        const QString typed = before.first(at) + key + before.sliced(std::min(at + 1, static_cast<int>(before.size())));
        // Past the second cent there is nothing left to replace: the key is dropped.
        if (typed.size() - point - 1 > 2) {
            const QString text = money(before);
            return {text, static_cast<int>(text.size())};
        }
        const QString text = money(typed);
        return {text, std::min(pointOf(text) + (at + 1 - point), static_cast<int>(text.size()))};
    }
    const QString text = money(after);
    return {text, std::max(0, pointOf(text))};
}

} // namespace qm
