#include "tests/ledger/ledgerfixture.h"

namespace qm::test {

using CalculatorTest = LedgerTest;

namespace {
struct Worked
{
    QString total, rate, nett, gst;
};
} // namespace

// The calculator works from Total and GST %, and shows its results as text to the cent (the
// split itself is tested in tests/common/test_ledgerrules.cpp).
TEST_F(CalculatorTest, WorksOutNettAndGstFromTotalAndRate)
{
    PRC &form = Forms::get<PRC>();
    const std::vector<Worked> cases = {
        {"110", "0", "110.00", "0.00"},
        {"1.375", "10", "1.25", "0.13"},
        {"", "10", "0.00", "0.00"},
    };
    for (const Worked &c : cases) {
        form.Combo3->pick(c.rate == "10" ? 0 : 1);
        retype(form.Text2[3], c.total);
        EXPECT_EQ(form.Text2[2]->Text(), c.nett) << c.total.toStdString() << " at " << c.rate.toStdString();
        EXPECT_EQ(form.Text2[4]->Text(), c.gst) << c.total.toStdString() << " at " << c.rate.toStdString();
    }
}

TEST_F(CalculatorTest, ARateTypedIsReadAtTheNextChangeAndAPickedOneAtOnce)
{
    PRC &form = Forms::get<PRC>();
    form.Combo3->pick(0);
    form.Text2[3]->typeText("110");
    form.Combo3->setText("");
    form.Combo3->typeText("5");
    EXPECT_EQ(form.Text2[4]->Text(), "10.00");
    form.Text2[3]->typeText("5"); // 1105 at 5 %
    EXPECT_EQ(form.Text2[2]->Text(), "1052.38");
    EXPECT_EQ(form.Text2[4]->Text(), "52.62");
    form.Combo3->pick(1);
    EXPECT_EQ(form.Text2[2]->Text(), "1105.00");
    EXPECT_EQ(form.Text2[6]->Text(), "0");
}

// At most two bases, never GST % alone; the boxes open for typing follow the ticks.
TEST_F(CalculatorTest, TheBasisBoxesKeepAWorkingPair)
{
    PRC &form = Forms::get<PRC>();
    EXPECT_EQ(form.Check2[1]->Value(), 1);
    EXPECT_EQ(form.Check2[3]->Value(), 1);
    EXPECT_TRUE(form.Text2[3]->Enabled());
    EXPECT_FALSE(form.Text2[2]->Enabled());
    EXPECT_FALSE(form.Check2[0]->Enabled());

    form.Check2[1]->setValue(0); // unticking Total leaves GST % alone, which goes too
    EXPECT_EQ(form.Check2[3]->Value(), 0);
    EXPECT_FALSE(form.Text2[3]->Enabled());
    form.Check2[3]->setValue(1); // GST % alone is undone at once
    EXPECT_EQ(form.Check2[3]->Value(), 0);

    form.Check2[1]->setValue(1);
    EXPECT_TRUE(form.Text2[3]->Enabled());
    form.Combo3->pick(0);
    form.Text2[3]->typeText("110");
    EXPECT_EQ(form.Text2[2]->Text(), ""); // Total alone works nothing out
    form.Check2[3]->setValue(1);
    form.Text2[3]->typeText("0");
    EXPECT_EQ(form.Text2[2]->Text(), "1000.00");

    form.Check2[2]->setValue(1); // a third basis is refused
    EXPECT_EQ(form.Check2[2]->Value(), 0);
}

// Typing paints a field pink; showing another row paints it white again; the receipts
// screen suppresses the colour until the mouse first moves over its panel.
TEST_F(CalculatorTest, HighlightingFollowsTypingMovesAndSuppression)
{
    addRow("r", "2000-07-01", 1, 110, "10", "A1");
    addRow("r", "2000-07-02", 1, 220, "10", "A2");
    RRC &form = Forms::get<RRC>();
    EXPECT_TRUE(SuppressHighlight);
    form.pay1[1]->typeText("x");
    form.Text2[3]->typeText("0");
    EXPECT_EQ(form.pay1[1]->BackColor(), vbWhite);
    EXPECT_EQ(form.Text2[2]->BackColor(), vbWhite);
    form.combo1->pickRow(1); // the receipts screen honours the suppression for a pick
    EXPECT_EQ(form.combo1->BackColor(), vbWhite);
    form.Combo2[2]->pick(1); // a pick from the category list colours regardless
    EXPECT_EQ(form.Combo2[2]->BackColor(), vbPink);

    form.sspanel100->onMouseMove();
    EXPECT_FALSE(SuppressHighlight);
    form.pay1[1]->typeText("y");
    form.Text2[3]->typeText("0");
    form.Text1->typeText("note");
    EXPECT_EQ(form.pay1[1]->BackColor(), vbPink);
    EXPECT_EQ(form.Text2[3]->BackColor(), vbPink);
    EXPECT_EQ(form.Text2[2]->BackColor(), vbPink); // worked out, so filled in too
    EXPECT_EQ(form.Text2[4]->BackColor(), vbPink);
    EXPECT_EQ(form.Text1->BackColor(), vbPink);
    EXPECT_EQ(form.pay1[5]->BackColor(), 0xE0E0E0); // Ref # is never coloured
    form.getinv->typeText("2");
    EXPECT_EQ(form.getinv->BackColor(), vbPink);

    form.Command1_Click(LedgerButton::Next);
    EXPECT_EQ(form.pay1[5]->Text(), "2");
    for (TextBox *box : {form.pay1[1], form.Text2[2], form.Text2[3], form.Text2[4], form.Text1})
        EXPECT_EQ(box->BackColor(), vbWhite);
    EXPECT_EQ(form.Combo2[2]->BackColor(), vbWhite);
    EXPECT_EQ(form.getinv->BackColor(), vbPink); // stays until the form loads again
}

TEST_F(CalculatorTest, PaymentsColourAPickedSupplierEvenWhileSuppressed)
{
    SuppressHighlight = true;
    PRC &form = Forms::get<PRC>();
    EXPECT_TRUE(SuppressHighlight); // the payments screen leaves the flag as it finds it
    form.combo1->pickRow(0);
    EXPECT_EQ(form.combo1->BackColor(), vbPink);
    form.pay1[1]->typeText("x");
    EXPECT_EQ(form.pay1[1]->BackColor(), vbWhite);
}

} // namespace qm::test
