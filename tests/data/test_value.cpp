#include "data/dates.h"
#include "data/error.h"
#include "data/value.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

#include "tests/support/data/dbhelpers.h"

using qm::test::errorNumber;

using namespace qm;

TEST(Value, KindsAndText)
{
    EXPECT_TRUE(Value().isNull());
    EXPECT_EQ(Value().toText(), QString());
    EXPECT_EQ(Value(100).kind(), Value::Kind::Integer);
    EXPECT_EQ(Value(100.0).toText(), QStringLiteral("100"));
    EXPECT_EQ(Value(12.5).toText(), QStringLiteral("12.5"));
    EXPECT_EQ(Value(1234567.25).toText(), QStringLiteral("1234567.25"));
    EXPECT_EQ(Value(QDate(2000, 7, 1)).toText(), QStringLiteral("01/Jul/2000"));
    EXPECT_TRUE(Value(QDate()).isNull()) << "an invalid date carries no value";
    EXPECT_TRUE(Value(3).isNumber());
    EXPECT_FALSE(Value("3").isNumber());
}

// A stored number becomes text as it has always been shown: fifteen significant digits.
TEST(Value, NumbersShowFifteenSignificantDigits)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        {200.0 / 11, "18.1818181818182"},
        {20.0 / 11, "1.81818181818182"},
        {0.1 + 0.2, "0.3"},
        {-2.0 / 3, "-0.666666666666667"},
        {123456789012.345678, "123456789012.346"},
        {9999999.99, "9999999.99"},
        {0.00001234, "0.00001234"},
        {1e-6 / 3, "3.33333333333333e-07"},
        {999999999999999.9, "1e+15"}, // fifteen digits round it up to where exponents start
        {1.7976931348623157e308, "1.79769313486232e+308"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Value(c.value).toText(), QString::fromLatin1(c.text)) << c.text;
}

TEST(Value, NumbersFromTextAreStrict)
{
    EXPECT_DOUBLE_EQ(Value(" 12.5 ").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Value("-3").toDouble(), -3);
    EXPECT_DOUBLE_EQ(Value().toDouble(), 0);
    for (const char *bad : {"", "  ", "12abc", "1,000", "inf", "nan", "0x10", "1e"})
        EXPECT_EQ(errorNumber([&] { Value(bad).toDouble(); }), ErrorCode::TypeMismatch) << bad;
    EXPECT_EQ(errorNumber([] { Value(QDate(2000, 1, 1)).toDouble(); }), ErrorCode::TypeMismatch);

    EXPECT_EQ(Value(2.5).toInteger(), 3);
    EXPECT_EQ(Value(-2.5).toInteger(), -3);
    EXPECT_EQ(Value(" 7 ").toInteger(), 7);
    EXPECT_EQ(Value(qint64(9007199254740993)).toInteger(), 9007199254740993) << "integers keep every digit";
}

TEST(Value, DatesFromText)
{
    const QDate july1(2000, 7, 1);
    EXPECT_EQ(Value("01/jul/00").toDate(), july1);
    EXPECT_EQ(Value("1/7/2000").toDate(), july1);
    EXPECT_EQ(Value("2000-07-01").toDate(), july1);
    EXPECT_FALSE(Value().toDate().isValid());
    EXPECT_EQ(errorNumber([] { Value("someday").toDate(); }), ErrorCode::TypeMismatch);
    EXPECT_EQ(errorNumber([] { Value(5).toDate(); }), ErrorCode::TypeMismatch);
}

TEST(Value, Equality)
{
    EXPECT_EQ(Value(), Value());
    EXPECT_EQ(Value(1), Value(1.0));
    EXPECT_FALSE(Value() == Value(""));
    EXPECT_FALSE(Value("a") == Value("A"));
    EXPECT_FALSE(Value("1") == Value(1));
    EXPECT_EQ(Value::blob("ab"), Value::blob("ab"));
}

TEST(Dates, ShortFormat)
{
    EXPECT_EQ(formatShortDate(QDate(2000, 7, 1)), QStringLiteral("01/Jul/2000"));
    EXPECT_EQ(formatShortDate(QDate(1999, 12, 31)), QStringLiteral("31/Dec/1999"));
    EXPECT_EQ(formatShortDate(QDate()), QString());
}

// What the program writes into a box, a date value's text among it, reads back as the same
// day in any century and whatever year the clock shows.
TEST(Dates, WrittenDatesReadBackAsTheSameDay)
{
    const QDate days[] = {QDate(1925, 1, 1), QDate(1999, 12, 31), QDate(2029, 12, 31),
                          QDate(2030, 1, 1), QDate(2035, 12, 7),  QDate(2099, 6, 30)};
    for (const int year : {1990, 2026, 2030, 2060, 2099}) {
        const qm::test::ClockAt clock(QDate(year, 3, 1));
        for (const QDate &day : days) {
            SCOPED_TRACE(QStringLiteral("%1 in %2").arg(day.toString(Qt::ISODate)).arg(year).toStdString());
            EXPECT_EQ(parseUserDate(formatShortDate(day)), day);
            EXPECT_EQ(parseUserDate(shortDate(day)), day);
            EXPECT_EQ(Value(Value(day).toText()).toDate(), day);
        }
    }
}

// A short year the user types is the one with those last digits from 80 years before the
// clock's year to 19 after it.
TEST(Dates, TypedShortYearsFollowTheClock)
{
    struct Case
    {
        int clockYear;
        const char *typed;
        int year;
    };
    const Case cases[] = {
        {2026, "46", 1946}, {2026, "45", 2045}, {2026, "00", 2000}, {2026, "99", 1999}, {2026, "29", 2029},
        {2026, "30", 2030}, {2026, "35", 2035}, {2026, "25", 2025}, {2030, "49", 2049}, {2030, "50", 1950},
        {2030, "30", 2030}, {2030, "0", 2000},  {2099, "18", 2118}, {2099, "19", 2019}, {2099, "00", 2100},
        {2099, "99", 2099}, {1999, "18", 2018}, {1999, "19", 1919}, {1999, "25", 1925}, {2040, "59", 2059},
        {2040, "60", 1960},
    };
    for (const Case &c : cases) {
        const qm::test::ClockAt clock(QDate(c.clockYear, 12, 31));
        const QString text = QStringLiteral("7/dec/") + QLatin1String(c.typed);
        EXPECT_EQ(parseUserDate(text), QDate(c.year, 12, 7)) << c.clockYear << " " << text.toStdString();
        EXPECT_EQ(Value(QStringLiteral("7/12/") + QLatin1String(c.typed)).toDate(), QDate(c.year, 12, 7))
            << c.clockYear << " " << c.typed;
    }
    // Four digits are the year as typed, whatever the clock says.
    const qm::test::ClockAt clock(QDate(2026, 1, 1));
    EXPECT_EQ(parseUserDate(QStringLiteral("1/1/1925")), QDate(1925, 1, 1));
    EXPECT_EQ(parseUserDate(QStringLiteral("1/1/2199")), QDate(2199, 1, 1));
}

TEST(Dates, ParseUserDate)
{
    EXPECT_EQ(parseUserDate(QStringLiteral("01/JUL/00")), QDate(2000, 7, 1));
    EXPECT_EQ(parseUserDate(QStringLiteral(" 1/july/2000 ")), QDate(2000, 7, 1));
    EXPECT_EQ(parseUserDate(QStringLiteral("29/feb/00")), QDate(2000, 2, 29));
    EXPECT_EQ(parseUserDate(QStringLiteral("1999-12-31")), QDate(1999, 12, 31));
    for (const char *bad : {"30/feb/00", "29/feb/01", "13/13/00", "1/jux/00", "1/7", "1/7/200", "", "2000-13-01"})
        EXPECT_FALSE(parseUserDate(QString::fromLatin1(bad)).isValid()) << bad;
}
