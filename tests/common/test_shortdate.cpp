// The one short date form: dd/mm/yyyy whatever the locale, read back day first.
#include "common/shortdate.h"
#include "data/value.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ShortDate, IsDayFirstWhateverTheLocale)
{
    const QLocale before;
    for (const QLocale &locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(shortDate(QDate(2026, 12, 7)), "07/12/2026") << locale.name().toStdString();
        EXPECT_EQ(shortDate(QDate(2001, 3, 5)), "05/03/2001");
        EXPECT_EQ(readShortDate("07/12/2026"), QDate(2026, 12, 7));
    }
    QLocale::setDefault(before);
    EXPECT_EQ(shortDate(QDate()), "");
}

TEST(ShortDate, ReadsBackTheDayItShows)
{
    struct Case
    {
        const char *text;
        QDate date; // invalid: not a date
    };
    const Case cases[] = {
        {"07/12/2026", QDate(2026, 12, 7)},
        {" 7/12/2026 ", QDate(2026, 12, 7)},
        {"29/02/2024", QDate(2024, 2, 29)},
        {"31/02/2023", QDate()},
        {"12/7/26", QDate()}, // a two-digit year is no short date
        {"7 Dec 2026", QDate()},
        {"2026-12-07", QDate()},
        {"07/12/2026/1", QDate()},
        {"", QDate()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(readShortDate(QString::fromLatin1(c.text)), c.date) << c.text;
    // Every day of a year, shown and read back, and written into a date column as shown.
    for (QDate day(2024, 1, 1); day.year() == 2024; day = day.addDays(1)) {
        ASSERT_EQ(readShortDate(shortDate(day)), day);
        ASSERT_EQ(Value(shortDate(day)).toDate(), day);
    }
}

} // namespace
} // namespace qm
