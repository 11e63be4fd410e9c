// The classification codes the ledger sets from a row's category, and the GST calculator's
// split of a total.
#include "common/classification.h"
#include "common/format.h"
#include "common/gst.h"

#include <gtest/gtest.h>

namespace qm::test {

TEST(ClassificationTest, EachCategoryGivesItsCodeOnEachLedger)
{
    const struct
    {
        const char *category;
        const char *payments;
        const char *receipts;
    } cases[] = {
        {"RENTAL PROPERTY RATES & REPAIRS", "ITS", "STD"},
        {"RESIDENTIAL PROPERTY RENT", "STD", "ITS"},
        {"FINANCIAL SUPPLIES", "ITS", "ITS"},
        {"PRECIOUS METALS", "ITS", "ITS"},
        {"SCHOOL TUCKSHOP FOOD", "ITS", "ITS"},
        {"EXPORT", "EXP", "EXP"},
        {"NEW CAR", "NEW", "STD"},
        {"WAGES", "NOT", "STD"},
        // Exact text only: case, blanks and near misses are standard.
        {"wages", "STD", "STD"},
        {"Export", "STD", "STD"},
        {" EXPORT", "STD", "STD"},
        {"NEW CAR ", "STD", "STD"},
        {"Phone", "STD", "STD"},
        {"", "STD", "STD"},
    };
    for (const auto &c : cases) {
        const QString category = QLatin1String(c.category);
        EXPECT_EQ(ClassificationCode::ofCategory(Ledger::Payments, category).text(), c.payments) << c.category;
        EXPECT_EQ(ClassificationCode::ofCategory(Ledger::Receipts, category).text(), c.receipts) << c.category;
    }
    EXPECT_EQ(ClassificationCode().text(), "STD");
    EXPECT_EQ(ClassificationCode(ClassificationCode::NotReported).sqlLiteral(), "'NOT'");
}

// The lists offer the coded categories in capitals, and only those.
TEST(ClassificationTest, TheListsOfferTheCodedCategoriesInCapitals)
{
    for (Ledger ledger : {Ledger::Payments, Ledger::Receipts}) {
        for (const QString &category : ledgerCategories(ledger)) {
            const bool coded = ClassificationCode::ofCategory(ledger, category) != ClassificationCode();
            EXPECT_EQ(coded, category == category.toUpper()) << category.toStdString();
        }
    }
    EXPECT_TRUE(ledgerCategories(Ledger::Payments).contains(WagesCategory));
}

TEST(GstSplitTest, ATotalSplitsIntoNettAndGst)
{
    const struct
    {
        double total, rate;
        const char *split; // nett and GST as the calculator shows them
    } cases[] = {
        {110, 10, "100.00 10.00"},    {100, 10, "90.91 9.09"},    {55, 0, "55.00 0.00"},      {0, 10, "0.00 0.00"},
        {-110, 10, "-100.00 -10.00"}, {12.5, 12.5, "11.11 1.39"}, {110, -100, "1.00 109.00"}, // no divisor: the nett
                                                                                              // keeps what it held, the
                                                                                              // GST is the rest
    };
    for (const auto &c : cases) {
        const GstSplit split = splitTotal(c.total, c.rate, {1, 2});
        EXPECT_EQ(Format(split.nett, "##0.00") + " " + Format(split.gst, "##0.00"), c.split)
            << c.total << " at " << c.rate;
    }
}

} // namespace qm::test
