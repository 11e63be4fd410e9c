#pragma once

#include "data/dates.h"

#include <QDate>
#include <QString>

// The program's short date: one fixed day-first form, dd/mm/yyyy, whatever the machine's
// locale. Where a screen shows a date "in the system's short date form" (today's date on the
// ledger screens, the search grid's dates, a loaded invoice's date) it shows this form, and a
// text in it reads back as the same day.
namespace qm {

// shortDate ("07/12/2026") lives in the data library, which the report pages use too.

// A text in the short date form, day first: one or two digits of day and month and four of
// the year, blanks around allowed ("7/12/2026" is 7 December 2026). An invalid date for any
// other text, or for a day that does not exist ("31/02/2023").
QDate readShortDate(const QString &text);

} // namespace qm
