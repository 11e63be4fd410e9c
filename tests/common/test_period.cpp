// Financial-year periods: the names the combos offer, the days each one covers, and how
// those days reach a query.
#include "common/period.h"
#include "data/database.h"
#include "tests/support/data/dbhelpers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qm::test {

namespace {
// "first .. last | formula first .. formula last", or the status when there are no bounds.
QString describe(const QString &period, const QString &year)
{
    const PeriodRange range = PeriodBounds(period, year);
    switch (range.status) {
    case PeriodRange::NoBounds: return QStringLiteral("no bounds");
    case PeriodRange::BadYear: return QStringLiteral("bad year");
    case PeriodRange::Found: break;
    }
    return queryDate(range.first) + " .. " + queryDate(range.last) + " | " + formulaDate(range.first) + " .. "
           + formulaDate(range.last);
}

QString lastDay(const QString &period, const QString &year)
{
    return queryDate(PeriodBounds(period, year).last);
}
} // namespace

TEST(PeriodTest, EveryNameOfTheYearStartingIn2000)
{
    const QStringList expected = {
        "1st Quarter: 1/jul/2000 .. 30/sep/2000 | Date(2000,7,1) .. Date(2000,9,30)",
        "2nd Quarter: 1/oct/2000 .. 31/dec/2000 | Date(2000,10,1) .. Date(2000,12,31)",
        "3rd Quarter: 1/jan/2001 .. 31/mar/2001 | Date(2001,1,1) .. Date(2001,3,31)",
        "4th Quarter: 1/apr/2001 .. 30/jun/2001 | Date(2001,4,1) .. Date(2001,6,30)",
        "July: 1/jul/2000 .. 31/jul/2000 | Date(2000,7,1) .. Date(2000,7,31)",
        "August: 1/aug/2000 .. 31/aug/2000 | Date(2000,8,1) .. Date(2000,8,31)",
        "September: 1/sep/2000 .. 30/sep/2000 | Date(2000,9,1) .. Date(2000,9,30)",
        "October: 1/oct/2000 .. 31/oct/2000 | Date(2000,10,1) .. Date(2000,10,31)",
        "November: 1/nov/2000 .. 30/nov/2000 | Date(2000,11,1) .. Date(2000,11,30)",
        "December: 1/dec/2000 .. 31/dec/2000 | Date(2000,12,1) .. Date(2000,12,31)",
        "January: 1/jan/2001 .. 31/jan/2001 | Date(2001,1,1) .. Date(2001,1,31)",
        "February: 1/feb/2001 .. 28/feb/2001 | Date(2001,2,1) .. Date(2001,2,28)",
        "March: 1/mar/2001 .. 31/mar/2001 | Date(2001,3,1) .. Date(2001,3,31)",
        "April: 1/apr/2001 .. 30/apr/2001 | Date(2001,4,1) .. Date(2001,4,30)",
        "May: 1/may/2001 .. 31/may/2001 | Date(2001,5,1) .. Date(2001,5,31)",
        "June: 1/jun/2001 .. 30/jun/2001 | Date(2001,6,1) .. Date(2001,6,30)",
        "Financial Year: 1/jul/2000 .. 30/jun/2001 | Date(2000,7,1) .. Date(2001,6,30)",
    };
    QStringList actual;
    for (const QString &name : periodNames() + QStringList{FinancialYearPeriod})
        actual << name + ": " + describe(name, "2000");
    EXPECT_EQ(actual.join('\n'), expected.join('\n'));
    EXPECT_EQ(periodNames().size(), 16);

    EXPECT_EQ(describe("Financial Year", "2012"), "1/jul/2012 .. 30/jun/2013 | Date(2012,7,1) .. Date(2013,6,30)");
}

TEST(PeriodTest, FebruaryFollowsTheFullLeapYearRule)
{
    EXPECT_EQ(lastDay("February", "2000"), "28/feb/2001");
    EXPECT_EQ(lastDay("February", "2003"), "29/feb/2004");
    EXPECT_EQ(lastDay("February", "2011"), "29/feb/2012");
    EXPECT_EQ(lastDay("February", "1999"), "29/feb/2000"); // divisible by 400
    EXPECT_EQ(lastDay("February", "2099"), "28/feb/2100"); // a century, not divisible by 400
    EXPECT_EQ(lastDay("February", "2399"), "29/feb/2400");
    EXPECT_EQ(formulaDate(PeriodBounds("February", "2099").last), "Date(2100,2,28)");
    // Every February of the old rule's range agrees with it.
    for (int y = 1900; y <= 2098; ++y)
        EXPECT_EQ(lastDay("February", QString::number(y)),
                  QStringLiteral("%1/feb/%2").arg((y + 1) % 4 == 0 ? 29 : 28).arg(y + 1));
}

TEST(PeriodTest, OnlyTheExactNamesGiveBounds)
{
    for (const char *name : {"july", "JULY", " July", "July ", "1st quarter", "", "Select Dates", "All dates"})
        EXPECT_EQ(describe(name, "2000"), "no bounds") << name;
    const PeriodRange none = PeriodBounds("Select Dates", "2000");
    EXPECT_EQ(queryDate(none.first), "");
    EXPECT_EQ(queryDate(none.last), "");
}

// Only a year of four digits gives bounds, for every period: nothing else reaches a query.
TEST(PeriodTest, AYearThatIsNotFourDigitsGivesNoBounds)
{
    for (const QString &name : periodNames() + QStringList{FinancialYearPeriod}) {
        for (const char *year : {"abc", "", "2000.5", "-1", "12", "02000", "1e3", "2000'", "2000# or 1=1 --", "9999"})
            EXPECT_EQ(describe(name, year), "bad year") << name.toStdString() << " " << year;
    }
    // Blanks around a year are read past, in both halves of the year.
    EXPECT_EQ(describe("1st Quarter", " 2005 "), "1/jul/2005 .. 30/sep/2005 | Date(2005,7,1) .. Date(2005,9,30)");
    EXPECT_EQ(describe("March", "\t2005\n"), "1/mar/2006 .. 31/mar/2006 | Date(2006,3,1) .. Date(2006,3,31)");
    EXPECT_EQ(describe("Financial Year", "1999"), "1/jul/1999 .. 30/jun/2000 | Date(1999,7,1) .. Date(2000,6,30)");
}

// The year lists run from 2000 to the calendar year after today's.
TEST(PeriodTest, TheYearListsRunToTheYearAfterThisOne)
{
    struct Case
    {
        QDate today;
        QString last;
        int count;
    };
    const Case cases[] = {
        {QDate(2026, 12, 8), "2027", 28},
        {QDate(2031, 1, 1), "2032", 33},
        {QDate(2013, 6, 30), "2014", 15},
    };
    for (const Case &c : cases) {
        const QStringList years = financialYears(c.today);
        EXPECT_EQ(years.size(), c.count);
        EXPECT_EQ(years.first(), "2000");
        EXPECT_EQ(years.last(), c.last);
        for (int i = 1; i < years.size(); ++i)
            EXPECT_EQ(years[i].toInt(), years[i - 1].toInt() + 1);
    }
    EXPECT_EQ(financialYears().last(), QString::number(QDate::currentDate().year() + 1));
}

// A query over the bounds takes in the first and the last day, and not the days either side.
TEST(PeriodQueryTest, TheBoundsTakeInTheirFirstAndLastDays)
{
    QTemporaryDir folder;
    const auto db = Database::open(createProgramDatabase(folder.path(), "qm.mdb"));
    for (const char *day : {"30/jun/2000", "1/jul/2000", "30/sep/2000", "1/oct/2000", "31/jan/2001", "1/feb/2001",
                            "28/feb/2001", "1/mar/2001", "29/feb/2004", "1/mar/2004", "30/jun/2004", "1/jul/2004"})
        db->Execute(QStringLiteral("insert into p (a, j) values ('%1', #%1#)").arg(QLatin1String(day)));

    const auto days = [&](const QString &period, const QString &year) {
        const PeriodRange range = PeriodBounds(period, year);
        const auto rows = db->OpenRecordset("select * from p where j >= #" + queryDate(range.first) + "# and j <= #"
                                                + queryDate(range.last) + "# order by j",
                                            RecordsetType::ForwardOnly);
        QStringList found;
        for (; !rows->Eof(); rows->MoveNext())
            found << rows->field("a").toText();
        return found.join(' ');
    };
    EXPECT_EQ(days("1st Quarter", "2000"), "1/jul/2000 30/sep/2000");
    EXPECT_EQ(days("February", "2000"), "1/feb/2001 28/feb/2001");
    EXPECT_EQ(days("February", "2003"), "29/feb/2004");
    EXPECT_EQ(days("4th Quarter", "2003"), "30/jun/2004");
    EXPECT_EQ(days("Financial Year", "2000"),
              "1/jul/2000 30/sep/2000 1/oct/2000 31/jan/2001 1/feb/2001 28/feb/2001 1/mar/2001");
}

} // namespace qm::test
