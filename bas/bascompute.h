#pragma once

#include "common/period.h"

#include <QString>
#include <QStringList>
#include <array>

namespace qm {

class Database;

// The labels of one Business Activity Statement.
struct BasFigures
{
    std::array<double, 21> G{}; // G[1] to G[20]; G[0] is unused
    double W1 = 0;
    double T1 = 0;
    double A1 = 0; // label 1A: GST on sales
    double B1 = 0; // label 1B: GST on purchases
};

struct BasRequest
{
    QString dateColumn; // "j" (date paid or received) or "m" (invoice date)
    PeriodRange period;
    QString year;  // the year combo's text, on which the new-car rule is keyed
    double g7 = 0; // the adjustments, as read from their boxes
    double g18 = 0;
};

// The eleven selects Go runs, in order: W1, G1 to G4, G10 to G15.
QStringList basQueries(const BasRequest &request);

// Sums the payments `p` and receipts `r` of the period row by row, in date order, and works
// out the labels. When Capital and Expense acquisitions do not add up to the total to the
// cent it says so and takes the rest as Expense. Database errors are qm::Error.
BasFigures computeBas(Database &db, const BasRequest &request);

} // namespace qm
