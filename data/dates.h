#pragma once

#include <QDate>
#include <QString>

// Dates as the screens show and type them.
namespace qm {

// The program's short date: "07/12/2026", day first, built from the numbers whatever the
// locale; "" for an invalid date. Here, below the domain library, so that the report pages
// print their dates in the same form as the screens.
QString shortDate(const QDate &date);

// "01/Jul/2000": two-digit day, English month abbreviation, four-digit year; "" for an invalid
// date. What the program writes into a box is read back as the same day, in any century.
QString formatShortDate(const QDate &date);

// Accepts "dd/mmm/yy" (English month names or abbreviations, any case), "d/m/yy", "d/m/yyyy"
// and "yyyy-mm-dd", blanks around allowed. A year of one or two digits is the one with those
// last digits from 80 years before today's year to 19 after it. Returns an invalid date when
// the text names no real date ("30/feb/00").
QDate parseUserDate(const QString &text);

// Where today's date comes from: the machine's clock unless a replacement (tests) is installed.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

// Today's date by the clock in use.
QDate today();
// Installs a clock, not owned (nullptr: the machine's); returns the previous one.
const Clock *setClock(const Clock *clock);

} // namespace qm
