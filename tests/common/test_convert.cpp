#include "common/convert.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <cmath>

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
        {"&H1F", 31},
        {"&o17", 15},
        {"&H", 0},
        {"&HG", 0},
        {"-&H10", 0},
        // Beyond a double's range reads as no number; below it as 0.
        {"1e999", 0},
        {"-1e999", 0},
        {"1e-400", 0},
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
}

TEST(StrictNumber, TakesTheWholeTextOrFails)
{
    const ReadCase numbers[] = {
        {" 12.5 ", 12.5}, {"-3", -3}, {"+.5", 0.5}, {"1e3", 1000}, {"\t7\n", 7}, {"&H10", 16}, {"1e-400", 0},
    };
    for (const auto &c : numbers) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(strictNumber(text), c.expected) << c.text;
        EXPECT_TRUE(isNumeric(text)) << c.text;
    }

    const char *const mismatches[] = {"12abc", "", "   ", "1,500", "1 000", "1e", "abc", "-", ".", "&H"};
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

} // namespace
} // namespace qm
