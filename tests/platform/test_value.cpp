#include "platform/dates.h"
#include "platform/error.h"
#include "platform/value.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

#include "tests/support/dbhelpers.h"

using qm::test::errorNumber;

using namespace qm;

namespace {

} // namespace

TEST(Value, KindsAndText)
{
    EXPECT_TRUE(Value().isNull());
    EXPECT_EQ(Value().toText(), QString());
    EXPECT_EQ(Value(100).kind(), Value::Kind::Integer);
    EXPECT_EQ(Value(100.0).toText(), QStringLiteral("100"));
    EXPECT_EQ(Value(12.5).toText(), QStringLiteral("12.5"));
    EXPECT_EQ(Value(1234567.25).toText(), QStringLiteral("1234567.25"));
    EXPECT_EQ(Value(QDate(2000, 7, 1)).toText(), QStringLiteral("01/Jul/00"));
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
    EXPECT_EQ(formatShortDate(QDate(2000, 7, 1)), QStringLiteral("01/Jul/00"));
    EXPECT_EQ(formatShortDate(QDate(1999, 12, 31)), QStringLiteral("31/Dec/99"));
    EXPECT_EQ(formatShortDate(QDate()), QString());
}

TEST(Dates, ParseUserDate)
{
    EXPECT_EQ(parseUserDate(QStringLiteral("01/JUL/00")), QDate(2000, 7, 1));
    EXPECT_EQ(parseUserDate(QStringLiteral(" 1/july/2000 ")), QDate(2000, 7, 1));
    EXPECT_EQ(parseUserDate(QStringLiteral("5/3/29")), QDate(2029, 3, 5));
    EXPECT_EQ(parseUserDate(QStringLiteral("5/3/30")), QDate(1930, 3, 5));
    EXPECT_EQ(parseUserDate(QStringLiteral("29/feb/00")), QDate(2000, 2, 29));
    EXPECT_EQ(parseUserDate(QStringLiteral("1999-12-31")), QDate(1999, 12, 31));
    for (const char *bad : {"30/feb/00", "29/feb/01", "13/13/00", "1/jux/00", "1/7", "1/7/200", "", "2000-13-01"})
        EXPECT_FALSE(parseUserDate(QString::fromLatin1(bad)).isValid()) << bad;
}
