#pragma once

#include "data/decimal.h" // roundDecimal, as Format rounds

#include <QString>

namespace qm {

// Shows a number in a pattern of '#' and '0' digits, an optional point and '0' decimals
// ("##0.00", "###.00", "##0.0"). The value is first taken to its decimal form with 15
// significant digits, then rounded half away from zero at the last decimal, so 2.675
// gives 2.68 whatever its binary value. Each '0' before the point is a digit always shown
// ("###.00" shows 0.5 as ".50", "##0.00" as "0.50"); there is no thousands separator, a
// negative value gets a leading minus unless it rounds to zero.
QString Format(double value, const QString &pattern);

// A number as plain decimal text: its decimal form with 15 significant digits, without
// trailing zeros, grouping or exponent, a leading minus when negative ("330.3" for the sum of
// 110.1 and 220.2, "0.5", "110", "-3").
QString plainNumber(double value);

// The largest amounts the screens show whole, whatever the font: an amount in a column (of a
// grid, of the invoice lines), and a sum in a total box under one.
inline const QString LargestAmount = QStringLiteral("9999999.99");
inline const QString LargestTotal = QStringLiteral("99999999.99");

} // namespace qm
