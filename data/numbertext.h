#pragma once

#include <QStringView>

// How the program reads a number written as text: the one reading that the boxes' checks,
// the amounts worked out from boxes and the database's conversions all share, so that what
// passes a check is what is stored.
namespace qm {

// The number a text starts with: an optional sign, digits with at most one point (the only
// decimal separator), and an exponent introduced by E or D when a digit follows it.
struct LeadingNumber
{
    qsizetype length = 0;  // characters that make up the number; 0 when the text starts with none
    double value = 0;      // 0 when there is no number, or it is beyond the range of a double
    bool overflow = false; // the number is beyond the range of a double
};

LeadingNumber readLeadingNumber(QStringView text);

// Blanks, tabs and line feeds: what number reading passes over (a carriage return is not).
bool isNumberBlank(QChar c);
// The text without the number blanks around it.
QStringView trimNumberBlanks(QStringView text);

enum class WholeNumber { Number, NotANumber, OutOfRange };

// The whole text as one number, blanks, tabs and line feeds around it allowed: " 12.5 " is
// a number, "12abc", "1,500", "1 000" and "" are not, "1e999" is out of range. `value` is
// set only for a number.
WholeNumber readWholeNumber(QStringView text, double &value);

} // namespace qm
