#include "common/format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qm {
namespace {

struct FormatCase
{
    double value;
    const char *pattern;
    const char *expected;
};

void expectFormats(std::initializer_list<FormatCase> cases)
{
    for (const auto &c : cases)
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
            << c.value << " as " << c.pattern;
}

TEST(Format, MoneyPatterns)
{
    expectFormats({
        {0, "###.00", ".00"},
        {5, "###.00", "5.00"},
        {1234.5, "###.00", "1234.50"},
        {-3, "###.00", "-3.00"},
        {0.5, "###.00", ".50"},
        {-0.25, "###.00", "-.25"},
        {0, "##0.00", "0.00"},
        {5, "##0.00", "5.00"},
        {0.5, "##0.00", "0.50"},
        {-0.25, "##0.00", "-0.25"},
        {1234567.895, "##0.00", "1234567.90"},
        {1e20, "##0.00", "100000000000000000000.00"},
        // Rates.
        {10, "##0.0", "10.0"},
        {12.5, "##0.0", "12.5"},
        {0, "##0.0", "0.0"},
        {0.05, "##0.0", "0.1"},
        // No point: whole numbers.
        {2.5, "##0", "3"},
        {-2.5, "##0", "-3"},
        {0.4, "###", ""},
    });
}

TEST(Format, RoundsTheFifteenDigitDecimalHalfAwayFromZero)
{
    // The GST on 1.375 at 10% is 0.12499999999999989 in binary, 0.125 as a decimal.
    const double gst = 1.375 - 1.375 / 1.1;
    expectFormats({
        {gst, "##0.00", "0.13"},
        {gst, "###.00", ".13"},
        {-gst, "##0.00", "-0.13"},
        {25.005, "##0.00", "25.01"},
        {2.675, "##0.00", "2.68"},
        {-2.675, "###.00", "-2.68"},
        {1.005, "##0.00", "1.01"},
        {0.125, "###.00", ".13"},
        {0.124, "###.00", ".12"},
        {123456789012.345, "##0.00", "123456789012.35"},
        // Carries through nines into a new digit.
        {9.995, "##0.00", "10.00"},
        {999.999, "##0.00", "1000.00"},
        {0.995, "###.00", "1.00"},
        {-0.005, "###.00", "-.01"},
    });
}

TEST(Format, ZeroHasNoSign)
{
    expectFormats({
        {-0.001, "##0.00", "0.00"},
        {-0.001, "###.00", ".00"},
        {-0.0, "##0.00", "0.00"},
        {-0.0049, "###.00", ".00"},
        {1e-300, "##0.00", "0.00"},
        {-0.04, "##0.0", "0.0"},
    });
}

TEST(Format, PlainNumbersShowFifteenSignificantDigits)
{
    const struct
    {
        double value;
        const char *expected;
    } cases[] = {
        {110.1 + 220.2, "330.3"}, // 330.29999999999995 in binary
        {0.1 + 0.2, "0.3"},
        {110 + 55.5, "165.5"},
        {110, "110"},
        {0.5, "0.5"},
        {-3, "-3"},
        {-0.25, "-0.25"},
        {0, "0"},
        {-0.0, "0"},
        {2.5, "2.5"},
        {101, "101"},
        {1e20, "100000000000000000000"},
        {123456789012345678.0, "123456789012346000"},
        {1.5e-7, "0.00000015"},
        {1.0 / 3, "0.333333333333333"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(plainNumber(c.value), QString::fromUtf8(c.expected)) << c.value;
}

TEST(RoundDecimal, RoundsTheDecimalValue)
{
    struct Case
    {
        double value;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {1.375 - 1.375 / 1.1, 2, 0.13},
        {2.675, 2, 2.68},
        {-2.675, 2, -2.68},
        {25.005, 2, 25.01},
        {1.23455, 4, 1.2346},
        {12345.67891, 4, 12345.6789},
        {-12345.67895, 4, -12345.679},
        {99.995, 2, 100},
        {0.5, 0, 1},
        {-0.5, 0, -1},
        {1234567.895, 2, 1234567.9},
        {0, 2, 0},
        {1e-300, 4, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(roundDecimal(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;

    EXPECT_FALSE(std::signbit(roundDecimal(-0.004, 2)));
    EXPECT_FALSE(std::signbit(roundDecimal(-0.0, 4)));
    // A rounded cent compares equal to the cent typed.
    EXPECT_EQ(roundDecimal(0.1 + 0.2, 2), 0.3);
}

} // namespace
} // namespace qm
