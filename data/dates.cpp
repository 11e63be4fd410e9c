#include "data/dates.h"

#include <QStringList>

namespace qm {

namespace {

const char *const MonthNames[12] = {"january", "february", "march",     "april",   "may",      "june",
                                    "july",    "august",   "september", "october", "november", "december"};
const char *const MonthAbbreviations[12]
    = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool allDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// 1..12 for a month number, an English name or its three-letter abbreviation; 0 otherwise.
int monthOf(const QString &text)
{
    if (allDigits(text))
        return text.size() <= 2 ? text.toInt() : 0;
    const QString lower = text.toLower();
    for (int m = 0; m < 12; ++m) {
        const QString name = QString::fromLatin1(MonthNames[m]);
        if (lower == name || lower == name.left(3))
            return m + 1;
    }
    return 0;
}

// A short year is read in a hundred-year window that moves with the clock, so that what was
// typed as the last two digits of a recent or coming year stays right as the years go by.
int yearOf(const QString &text)
{
    if (!allDigits(text))
        return -1;
    if (text.size() <= 2) {
        const int earliest = today().year() - 80;
        return earliest + ((text.toInt() - earliest) % 100 + 100) % 100;
    }
    return text.size() == 4 ? text.toInt() : -1;
}

const Clock *&installedClock()
{
    static const Clock *clock = nullptr;
    return clock;
}

} // namespace

QString shortDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString formatShortDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(MonthAbbreviations[date.month() - 1]))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate parseUserDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};

    // ISO: yyyy-mm-dd
    const QStringList iso = trimmed.split(QLatin1Char('-'));
    if (iso.size() == 3 && iso[0].size() == 4 && allDigits(iso[0]) && allDigits(iso[1]) && allDigits(iso[2])
        && iso[1].size() <= 2 && iso[2].size() <= 2)
        return QDate(iso[0].toInt(), iso[1].toInt(), iso[2].toInt());

    // Day first: d/m/y with the month as a number or a name.
    const QChar separator = trimmed.contains(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('-');
    const QStringList parts = trimmed.split(separator);
    if (parts.size() != 3 || !allDigits(parts[0]) || parts[0].size() > 2)
        return {};
    const int month = monthOf(parts[1]);
    const int year = yearOf(parts[2]);
    if (month == 0 || year <= 0)
        return {};
    return QDate(year, month, parts[0].toInt());
}

QDate today()
{
    const Clock *clock = installedClock();
    return clock ? clock->today() : QDate::currentDate();
}

const Clock *setClock(const Clock *clock)
{
    const Clock *previous = installedClock();
    installedClock() = clock;
    return previous;
}

} // namespace qm
