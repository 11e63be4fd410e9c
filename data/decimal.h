#pragma once

#include <QString>

// Decimal rounding of doubles, as money needs it: on the value's decimal form with 15
// significant digits, half away from zero, never printf's binary rounding.
namespace qm {

// |value| * 10^decimals rounded half away from zero, as decimal digits without leading
// zeros ("0" for zero).
QString scaledDigits(double value, int decimals);

// The value rounded half away from zero to the given decimals; never a negative zero.
double roundDecimal(double value, int decimals);

} // namespace qm
