#pragma once

#include "data/value.h"

#include <QString>

namespace qm {

// Reads the number a text starts with, as amounts, quantities and rates are read from
// boxes and text columns: blanks, tabs and line feeds are dropped first (a carriage return
// is not), the period is the only decimal separator, an exponent is introduced by E or D
// ("1e3", "1D3"), and reading stops at the first character that cannot continue the number
// ("1,500" reads 1, "12 kg" 12, "&H10" 0). No leading number, or one beyond the range of a
// double, reads 0. Never throws.
double Val(const QString &text);
// A field read the same way after appending an empty text to it: Null reads 0; a stored
// number counts in full, not as the fifteen digits its text shows (infinity reads 0).
double Val(const Value &value);

// The whole text as a number, as the database layer converts it: blanks, tabs and line feeds
// around it allowed, " 12.5 " is 12.5; "12abc", "", "&H10" and "1,500" throw Error 13 (Type
// mismatch), a number beyond a double's range Error 6.
double strictNumber(const QString &text);
// True when strictNumber would succeed.
bool isNumeric(const QString &text);

} // namespace qm
