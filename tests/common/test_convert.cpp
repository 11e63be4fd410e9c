#include "common/convert.h"
#include "data/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qm {
namespace {

struct ReadCase
{
    const char *text;
    double expected;
};

TEST(Val, ReadsTheLeadingNumberOfAText)
{
    const ReadCase cases[] = {
        {"1 000", 1000},
        {"1,500", 1},
        {"12 kg", 12},
        {".25", 0.25},
        {"12.", 12},
        {"-3.5", -3.5},
        {"+2", 2},
        {" - 7", -7},
        {"\t4\n5\r", 45},
        // A carriage return is not passed over.
        {"4\r5", 4},
        {"\r5", 0},
        {"1.2.3", 1.2},
        {"abc", 0},
        {"", 0},
        {"$5", 0},
        {"--2", 0},
        {".", 0},
        {"-", 0},
        // Exponents count only with a digit after them.
        {"1e3", 1000},
        {"1E-2", 0.01},
        {"2d2", 200},
        {"1e", 1},
        {"1e+", 1},
        {"12days", 12},
        // No other notations: &H and &O are no numbers.
        {"&H1F", 0},
        {"&o17", 0},
        {"&H", 0},
        {"1&H10", 1},
        // Beyond a double's range reads as no number; below it as 0.
        {"1e999", 0},
        {"-1e999", 0},
        {"1e-400", 0},
        {"1d400", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Val(QString::fromUtf8(c.text)), c.expected) << c.text;
    EXPECT_FALSE(std::signbit(Val(QStringLiteral("-0"))));
}

TEST(Val, ReadsAFieldAsItsText)
{
    EXPECT_EQ(Val(Value()), 0);
    EXPECT_EQ(Val(Value(QStringLiteral("12.5 kg"))), 12.5);
    EXPECT_EQ(Val(Value(QString())), 0);
    EXPECT_EQ(Val(Value(-3.25)), -3.25);
    EXPECT_EQ(Val(Value(0.1)), 0.1);
    EXPECT_EQ(Val(Value(qint64(1234567))), 1234567);
    // A stored number counts in full, not as the fifteen digits it shows.
    EXPECT_EQ(Val(Value(200.0 / 11)), 200.0 / 11);
    EXPECT_EQ(Val(Value(std::numeric_limits<double>::infinity())), 0);
}

TEST(StrictNumber, TakesTheWholeTextOrFails)
{
    const ReadCase numbers[] = {
        {" 12.5 ", 12.5}, {"-3", -3}, {"+.5", 0.5}, {"1e3", 1000}, {"1D2", 100}, {"\t7\n", 7}, {"1e-400", 0},
    };
    for (const auto &c : numbers) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(strictNumber(text), c.expected) << c.text;
        EXPECT_TRUE(isNumeric(text)) << c.text;
    }

    const char *const mismatches[]
        = {"12abc", "", "   ", "1,500", "1 000", "1e", "abc", "-", ".", "&H", "&H10", "&O7", "\r12", "12\r"};
    for (const char *text : mismatches) {
        EXPECT_FALSE(isNumeric(QString::fromUtf8(text))) << text;
        try {
            strictNumber(QString::fromUtf8(text));
            ADD_FAILURE() << "no error for " << text;
        } catch (const Error &e) {
            EXPECT_EQ(e.Number(), ErrorCode::TypeMismatch) << text;
        }
    }

    EXPECT_FALSE(isNumeric(QStringLiteral("1e999")));
    try {
        strictNumber(QStringLiteral("1e999"));
        ADD_FAILURE() << "no error for 1e999";
    } catch (const Error &e) {
        EXPECT_EQ(e.Number(), ErrorCode::Overflow);
    }
}

// What a box's check takes for a number is what the database layer stores, and the reading
// of an amount never gives more than a double holds.
TEST(Numbers, TheChecksAndTheDatabaseAgree)
{
    const QString hugeHex = QStringLiteral("&H") + QString(256, u'F');
    const QString hugeDecimal = QStringLiteral("9") + QString(400, u'9');
    const QStringList texts = {"12.5",  " 7 ",  "1d2",  "1E-2", "&H10", "&O17", hugeHex, hugeDecimal,
                               "1e999", "\r12", "12\r", "1,5",  "",     "-0",   "+.5"};
    for (const QString &text : texts) {
        const bool checked = isNumeric(text);
        double stored = 0;
        bool storable = true;
        try {
            stored = Value(text).toDouble();
        } catch (const Error &) {
            storable = false;
        }
        EXPECT_EQ(checked, storable) << text.toStdString();
        if (checked && storable) {
            EXPECT_EQ(strictNumber(text), stored) << text.toStdString();
        }
        EXPECT_TRUE(std::isfinite(Val(text))) << text.toStdString();
    }
    EXPECT_EQ(Val(hugeHex), 0);
    EXPECT_EQ(Val(hugeDecimal), 0);
}

} // namespace
} // namespace qm
