#include "common/period.h"

#include "data/numbertext.h"

#include <algorithm>
#include <array>
#include <optional>

namespace qm {

const QString FinancialYearPeriod = QStringLiteral("Financial Year");

namespace {

enum class Half { First, Second }; // which calendar year a bound falls in: Y or Y+1

struct PeriodRow
{
    const char *name;
    int firstDay, firstMonth;
    Half firstHalf;
    int lastDay, lastMonth; // lastDay 0: the end of February
    Half lastHalf;
};

constexpr Half H1 = Half::First;
constexpr Half H2 = Half::Second;

constexpr std::array<PeriodRow, 17> Periods{{
    {"1st Quarter", 1, 7, H1, 30, 9, H1},
    {"2nd Quarter", 1, 10, H1, 31, 12, H1},
    {"3rd Quarter", 1, 1, H2, 31, 3, H2},
    {"4th Quarter", 1, 4, H2, 30, 6, H2},
    {"July", 1, 7, H1, 31, 7, H1},
    {"August", 1, 8, H1, 31, 8, H1},
    {"September", 1, 9, H1, 30, 9, H1},
    {"October", 1, 10, H1, 31, 10, H1},
    {"November", 1, 11, H1, 30, 11, H1},
    {"December", 1, 12, H1, 31, 12, H1},
    {"January", 1, 1, H2, 31, 1, H2},
    {"February", 1, 2, H2, 0, 2, H2},
    {"March", 1, 3, H2, 31, 3, H2},
    {"April", 1, 4, H2, 30, 4, H2},
    {"May", 1, 5, H2, 31, 5, H2},
    {"June", 1, 6, H2, 30, 6, H2},
    {"Financial Year", 1, 7, H1, 30, 6, H2},
}};

const char *const MonthNames[12] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};

// The year a text names: four digits, blanks around allowed; nothing otherwise. The year
// after it must still be a year a date can hold.
std::optional<int> yearOf(const QString &text)
{
    const QStringView digits = trimNumberBlanks(text);
    if (digits.size() != 4 || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    const int year = digits.toInt();
    if (year < 1000 || year > 9998)
        return std::nullopt;
    return year;
}

bool isLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

} // namespace

const QStringList &periodNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const PeriodRow &row : Periods)
            if (QLatin1String(row.name) != FinancialYearPeriod)
                list << QLatin1String(row.name);
        return list;
    }();
    return names;
}

QStringList financialYears(const QDate &today)
{
    QStringList years;
    for (int year = 2000; year <= today.year() + 1; ++year)
        years << QString::number(year);
    return years;
}

PeriodRange PeriodBounds(const QString &period, const QString &year)
{
    PeriodRange range;
    const auto row = std::find_if(Periods.begin(), Periods.end(),
                                  [&](const PeriodRow &r) { return period == QLatin1String(r.name); });
    if (row == Periods.end())
        return range;

    const std::optional<int> start = yearOf(year);
    if (!start) {
        range.status = PeriodRange::BadYear;
        return range;
    }
    const auto yearText = [&](Half half) { return QString::number(half == Half::First ? *start : *start + 1); };

    range.status = PeriodRange::Found;
    range.first = {row->firstDay, row->firstMonth, yearText(row->firstHalf)};
    const int lastDay = row->lastDay != 0 ? row->lastDay : isLeapYear(*start + 1) ? 29 : 28;
    range.last = {lastDay, row->lastMonth, yearText(row->lastHalf)};
    return range;
}

QString queryDate(const PeriodDay &day)
{
    if (day.day == 0)
        return {};
    return QString::number(day.day) + u'/' + QLatin1String(MonthNames[day.month - 1]) + u'/' + day.year;
}

QString formulaDate(const PeriodDay &day)
{
    if (day.day == 0)
        return {};
    return QStringLiteral("Date(") + day.year + u',' + QString::number(day.month) + u',' + QString::number(day.day)
           + u')';
}

} // namespace qm
