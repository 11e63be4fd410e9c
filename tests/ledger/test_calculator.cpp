// The GST calculator of the payments and receipts screens (the split itself is tested in
// tests/common/test_ledgerrules.cpp) and the colouring of what is typed.
#include "tests/ledger/ledgerfixture.h"

namespace qm::test {

using CalculatorTest = LedgerTest;

// Results are shown to the cent; a rate typed is read at the next change, a picked one at once.
TEST_F(CalculatorTest, WorksOutNettAndGstFromTotalAndRate)
{
    PRC &form = Forms::get<PRC>();
    form.Combo3->pick(0);
    form.Text2[3]->typeText("1.375");
    EXPECT_EQ(form.Text2[2]->Text() + "|" + form.Text2[4]->Text(), "1.25|0.13");
    retype(form.Text2[3], "");
    EXPECT_EQ(form.Text2[2]->Text() + "|" + form.Text2[4]->Text(), "0.00|0.00");

    form.Text2[3]->typeText("110");
    form.Combo3->setText("");
    form.Combo3->typeText("5");
    EXPECT_EQ(form.Text2[4]->Text(), "10.00");
    form.Text2[3]->typeText("5"); // 1105 at 5 %
    EXPECT_EQ(form.Text2[2]->Text() + "|" + form.Text2[4]->Text(), "1052.38|52.62");
    form.Combo3->pick(1);
    EXPECT_EQ(form.Text2[2]->Text() + "|" + form.Text2[4]->Text(), "1105.00|0.00");
    EXPECT_EQ(form.Text2[6]->Text(), "0");
}

// At most two bases, never GST % alone; the boxes open for typing follow the ticks.
TEST_F(CalculatorTest, TheBasisBoxesKeepAWorkingPair)
{
    PRC &form = Forms::get<PRC>();
    EXPECT_TRUE(form.Text2[3]->Enabled());
    EXPECT_FALSE(form.Text2[2]->Enabled());
    EXPECT_FALSE(form.Check2[0]->Enabled());

    form.Check2[1]->setValue(0); // unticking Total leaves GST % alone, which goes too
    EXPECT_EQ(form.Check2[3]->Value(), 0);
    EXPECT_FALSE(form.Text2[3]->Enabled());
    form.Check2[3]->setValue(1); // GST % alone is undone at once
    EXPECT_EQ(form.Check2[3]->Value(), 0);

    form.Check2[1]->setValue(1);
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
// screen suppresses the colour until the mouse first moves over its panel, the payments
// screen colours a picked supplier all the same.
TEST_F(CalculatorTest, HighlightingFollowsTypingMovesAndSuppression)
{
    addRow("r", "2000-07-01", 1, 110, "10", "A1");
    addRow("r", "2000-07-02", 1, 220, "10", "A2");
    RRC &form = Forms::get<RRC>();
    EXPECT_TRUE(SuppressHighlight);
    form.pay1[1]->typeText("x");
    form.combo1->pickRow(1);
    form.Combo2[2]->pick(1); // a pick from the category list colours regardless
    EXPECT_EQ(form.pay1[1]->BackColor(), vbWhite);
    EXPECT_EQ(form.combo1->BackColor(), vbWhite);
    EXPECT_EQ(form.Combo2[2]->BackColor(), vbPink);

    form.sspanel100->onMouseMove();
    EXPECT_FALSE(SuppressHighlight);
    form.pay1[1]->typeText("y");
    form.Text2[3]->typeText("0");
    form.Text1->typeText("note");
    form.getinv->typeText("2");
    for (Control *box : std::initializer_list<Control *>{form.pay1[1], form.Text2[3], form.Text2[2], form.Text2[4],
                                                         form.Text1, form.getinv})
        EXPECT_EQ(box->BackColor(), vbPink);
    EXPECT_EQ(form.pay1[5]->BackColor(), 0xE0E0E0); // Ref # is never coloured

    form.Command1_Click(LedgerButton::Next);
    for (Control *box : std::initializer_list<Control *>{form.pay1[1], form.Text2[2], form.Text2[3], form.Text2[4],
                                                         form.Text1, form.Combo2[2]})
        EXPECT_EQ(box->BackColor(), vbWhite);
    EXPECT_EQ(form.getinv->BackColor(), vbPink); // stays until the form loads again
    Forms::discardAll();

    SuppressHighlight = true;
    PRC &payments = Forms::get<PRC>();
    EXPECT_TRUE(SuppressHighlight); // the payments screen leaves the flag as it finds it
    payments.combo1->pickRow(0);
    EXPECT_EQ(payments.combo1->BackColor(), vbPink);
}

} // namespace qm::test
