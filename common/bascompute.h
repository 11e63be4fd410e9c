#pragma once

#include "common/period.h"
#include "data/error.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace qm {

class Database;

// The eleven sums Go reads from the payments and receipts of the period.
struct BasSums
{
    double W1 = 0;
    double G1 = 0, G2 = 0, G3 = 0, G4 = 0;
    double G10 = 0, G11 = 0, G12 = 0, G13 = 0, G14 = 0, G15 = 0;
};

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

// What Go worked out.
struct BasResult
{
    BasFigures figures; // complete only when nothing failed
    // Capital and Expense acquisitions (G10 + G11) did not add up to the total (G12) to the
    // cent: the rest was taken as Expense. Found before any failure that followed.
    bool acquisitionsMismatch = false;
    // The database error that ended the sums, if one did.
    std::optional<Error> failure;
};

// The text of the mismatch message the BAS form shows.
extern const QString AcquisitionsMismatchMessage;

// The eleven selects Go runs, in order: W1, G1 to G4, G10 to G15.
QStringList basQueries(const BasRequest &request);

// A new car's cost counts in stages under the rules that came with the GST: nothing in the
// financial year starting 2000 (the year combo's text), half in the next, all of it afterwards.
double newCarShare(const QString &year, double amount);

// True when G10 + G11 and G12 agree to the cent (sums of cents carry binary noise).
bool acquisitionsAddUp(const BasSums &sums);

// The labels from the sums and the two adjustments. Acquisitions that do not add up are
// taken as Expense: G11 becomes G12 - G10.
BasFigures basLabels(const BasSums &sums, double g7, double g18);

// Sums the payments `p` and receipts `r` of the period row by row, in date order, and works
// out the labels. A database error ends the sums and is reported in the result.
BasResult computeBas(Database &db, const BasRequest &request);

} // namespace qm
