// The BAS arithmetic: the labels from the sums, the new-car stages, the Capital/Expense
// check, and the sums read from a book, all without an application object.
#include "common/bascompute.h"
#include "common/format.h"
#include "data/database.h"
#include "tests/support/data/dbhelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qm::test {

namespace {
// The labels as the form shows them.
QString labels(const BasFigures &f)
{
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines << QStringLiteral("G%1 ").arg(i) + Format(f.G[size_t(i)], "##0.00");
    lines << "W1 " + Format(f.W1, "##0.00") << "T1 " + Format(f.T1, "##0.00") << "1A " + Format(f.A1, "##0.00")
          << "1B " + Format(f.B1, "##0.00");
    return lines.join(' ');
}
} // namespace

TEST(BasLabelsTest, TheLabelsFollowFromTheSums)
{
    const struct
    {
        const char *name;
        BasSums sums;
        double g7, g18;
        bool addUp;
        const char *labels;
    } cases[] = {
        // A quarter worked by hand: G5 = G2 + G3 + G4, G9 = G8 / 11, G16 = G13 + G14 + G15, ...
        {"a quarter",
         {2500, 5483.33, 3000, 250, 800, 18700, 2559.99, 21259.99, 600, 650, 3327.50},
         0,
         0,
         true,
         "G1 5483.33 G2 3000.00 G3 250.00 G4 800.00 G5 4050.00 G6 1433.33 G7 0.00 G8 1433.33 G9 130.30 "
         "G10 18700.00 G11 2559.99 G12 21259.99 G13 600.00 G14 650.00 G15 3327.50 G16 4577.50 G17 16682.49 "
         "G18 0.00 G19 16682.49 G20 1516.59 W1 2500.00 T1 5353.03 1A 130.30 1B 1516.59"},
        // The adjustments go into G8 and G19.
        {"adjustments",
         {0, 1100, 0, 0, 0, 0, 550, 550, 0, 0, 0},
         110,
         -55,
         true,
         "G1 1100.00 G2 0.00 G3 0.00 G4 0.00 G5 0.00 G6 1100.00 G7 110.00 G8 1210.00 G9 110.00 "
         "G10 0.00 G11 550.00 G12 550.00 G13 0.00 G14 0.00 G15 0.00 G16 0.00 G17 550.00 "
         "G18 -55.00 G19 495.00 G20 45.00 W1 0.00 T1 990.00 1A 110.00 1B 45.00"},
        // Capital and Expense short of the total: the rest is taken as Expense.
        {"a mismatch",
         {0, 0, 0, 0, 0, 330, 11000, 330, 0, 0, 0},
         0,
         0,
         false,
         "G1 0.00 G2 0.00 G3 0.00 G4 0.00 G5 0.00 G6 0.00 G7 0.00 G8 0.00 G9 0.00 "
         "G10 330.00 G11 0.00 G12 330.00 G13 0.00 G14 0.00 G15 0.00 G16 0.00 G17 330.00 "
         "G18 0.00 G19 330.00 G20 30.00 W1 0.00 T1 0.00 1A 0.00 1B 30.00"},
        // 511.93 + 913.04 and 797.18 make 2222.15 to the cent, however the doubles fall.
        {"cents that agree",
         {0, 0, 0, 0, 0, 511.93 + 913.04, 797.18, 511.93 + 797.18 + 913.04, 0, 0, 0},
         0,
         0,
         true,
         "G1 0.00 G2 0.00 G3 0.00 G4 0.00 G5 0.00 G6 0.00 G7 0.00 G8 0.00 G9 0.00 "
         "G10 1424.97 G11 797.18 G12 2222.15 G13 0.00 G14 0.00 G15 0.00 G16 0.00 G17 2222.15 "
         "G18 0.00 G19 2222.15 G20 202.01 W1 0.00 T1 0.00 1A 0.00 1B 202.01"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(acquisitionsAddUp(c.sums), c.addUp) << c.name;
        EXPECT_EQ(labels(basLabels(c.sums, c.g7, c.g18)), c.labels) << c.name;
    }
}

TEST(BasLabelsTest, ANewCarCountsNothingThenHalfThenAll)
{
    const struct
    {
        const char *year;
        double share;
    } cases[] = {{"2000", 0}, {"2001", 5500}, {"2002", 11000}, {"2010", 11000}, {" 2000", 11000}, {"", 11000}};
    for (const auto &c : cases)
        EXPECT_EQ(newCarShare(c.year, 11000), c.share) << c.year;
}

class ComputeBasTest : public ::testing::Test
{
protected:
    void SetUp() override { m_db = Database::open(createProgramDatabase(m_dir.path(), "qm.mdb")); }

    // A payment made and invoiced on 15 August 2000.
    void pay(const char *type, const char *code, double total, double gst, double personal = 0)
    {
        m_db->Execute(QStringLiteral("insert into p (f, h, u, e, d, s, j, m) values ('%1', 'OFFICE', '%2', %3, %4, "
                                     "%5, #15/aug/2000#, #15/aug/2000#)")
                          .arg(QLatin1String(type), QLatin1String(code))
                          .arg(total)
                          .arg(gst)
                          .arg(personal));
    }
    BasResult compute(const QString &period = "1st Quarter", const QString &year = "2001")
    {
        BasRequest request;
        request.dateColumn = "j";
        request.period = PeriodBounds(period, "2000");
        request.year = year;
        return computeBas(*m_db, request);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

TEST_F(ComputeBasTest, TheSumsOfABookMakeTheLabels)
{
    m_db->Execute("insert into r (u, e, d, j) values ('STD', 1100, 100, #1/jul/2000#), ('EXP', 300, 0, #2/jul/2000#)");
    pay("Capital", "NEW", 11000, 1000, 50); // half of it in the year starting 2001
    pay("Expense", "STD", 110, 10);
    pay("Expense", "NOT", 2000, 0);
    const BasResult result = compute();
    EXPECT_FALSE(result.failure);
    EXPECT_FALSE(result.acquisitionsMismatch);
    EXPECT_EQ(labels(result.figures),
              "G1 1400.00 G2 300.00 G3 0.00 G4 0.00 G5 300.00 G6 1100.00 G7 0.00 G8 1100.00 G9 100.00 "
              "G10 5500.00 G11 110.00 G12 5610.00 G13 0.00 G14 0.00 G15 2750.00 G16 2750.00 G17 2860.00 "
              "G18 0.00 G19 2860.00 G20 260.00 W1 0.00 T1 1300.00 1A 100.00 1B 260.00");
}

// Private use is taken off only what carried GST: a GST-free purchase counts once, in G14,
// whatever share of it was private, and leaves G15 and G17 as they were.
TEST_F(ComputeBasTest, PrivateUseOfAGstFreePurchaseAddsNothingToG15)
{
    pay("Expense", "STD", 110, 10, 50); // taxed, half private: 55 in G15
    const BasFigures taxedOnly = compute().figures;
    EXPECT_EQ(Format(taxedOnly.G[15], "##0.00"), "55.00");
    EXPECT_EQ(Format(taxedOnly.G[17], "##0.00"), "55.00");

    pay("Expense", "STD", 200, 0, 50); // GST-free, half private
    const BasFigures both = compute().figures;
    EXPECT_EQ(Format(both.G[12], "##0.00"), "310.00");
    EXPECT_EQ(Format(both.G[14], "##0.00"), "200.00");
    EXPECT_EQ(Format(both.G[15], "##0.00"), "55.00");
    EXPECT_EQ(Format(both.G[17], "##0.00"), "55.00");
    EXPECT_EQ(Format(both.B1, "##0.00"), Format(taxedOnly.B1, "##0.00"));
}

TEST_F(ComputeBasTest, AMismatchIsReportedAlsoWhenALaterSumFails)
{
    pay("Expense", "NEW", 11000, 1000); // whole in G11, nothing in G12 in the year starting 2000
    BasResult result = compute("1st Quarter", "2000");
    EXPECT_TRUE(result.acquisitionsMismatch);
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(Format(result.figures.G[11], "##0.00"), "0.00");

    m_db->Execute("alter table p rename column d to gst"); // first asked for by G14
    result = compute("1st Quarter", "2000");
    EXPECT_TRUE(result.acquisitionsMismatch);
    ASSERT_TRUE(result.failure);

    // No period: the first sum fails, before anything could be compared.
    result = compute("Select Dates");
    EXPECT_FALSE(result.acquisitionsMismatch);
    EXPECT_TRUE(result.failure);
}

} // namespace qm::test
