#pragma once

#include <QDate>
#include <QString>

// Dates as the screens show and type them.
namespace qm {

// The program's short date: "07/12/2026", day first, built from the numbers whatever the
// locale; "" for an invalid date. Here, below the domain library, so that the report pages
// print their dates in the same form as the screens.
QString shortDate(const QDate &date);

// "01/Jul/00": two-digit day, English month abbreviation, two-digit year; "" for an invalid date.
QString formatShortDate(const QDate &date);

// Accepts "dd/mmm/yy" (English month names or abbreviations, any case), "d/m/yy", "d/m/yyyy"
// and "yyyy-mm-dd", blanks around allowed. Two-digit years 00-29 are 20xx, 30-99 are 19xx.
// Returns an invalid date when the text names no real date ("30/feb/00").
QDate parseUserDate(const QString &text);

} // namespace qm
