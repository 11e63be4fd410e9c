#pragma once

#include "data/dates.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The stretch of a financial year (1 July of Y to 30 June of Y+1) that the period and year
// combos name, and the two ways its days are written: as a query date literal and as a
// report formula date.
namespace qm {

// One end of a period. The year is text: bounds in the first half of the financial year
// carry the year combo's text as it stands.
struct PeriodDay
{
    int day = 0;   // 0: no bound
    int month = 0; // 1 to 12
    QString year;  // four digits
};

struct PeriodRange
{
    enum Status {
        Found,    // both days are set
        NoBounds, // the period text is none of the names (e.g. "Select Dates", "All dates", "")
        BadYear,  // the year text is not a year of four digits (blanks around allowed)
    };
    Status status = NoBounds;
    PeriodDay first, last;
};

// "Financial Year": offered by the reports form and the invoice list, not by the BAS form.
extern const QString FinancialYearPeriod;

// The sixteen period names the combos offer, in order: the four quarters, then July to June.
const QStringList &periodNames();

// The years the year combos offer, in order: "2000" to the calendar year after today's, so
// that the financial year now running and the next one can always be chosen.
QStringList financialYears(const QDate &today = qm::today());

// The first and last day of `period` in the financial year starting `year`. The name must
// match exactly (case and blanks count). February follows the full leap-year rule. The year
// is checked for every period, so that nothing but four digits ever reaches a query.
PeriodRange PeriodBounds(const QString &period, const QString &year);

// "1/jul/2000" (a query writes it between # signs); empty for an unset bound.
QString queryDate(const PeriodDay &day);
// "Date(2000,7,1)"; empty for an unset bound.
QString formulaDate(const PeriodDay &day);

} // namespace qm
