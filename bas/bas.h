#pragma once

#include "platform/controls.h"
#include "platform/form.h"

class QMenu;

namespace qm {

// The BAS form: picks a period of a financial year and a basis, works out the statement's
// labels from the payments and receipts, the PAYG instalment and the GST to pay or get back.
class bas : public Form
{
    Q_OBJECT
public:
    bas();

    SSPanel *sspanel100;
    ComboBox *basfor, *paymentson, *basyear;
    ControlArray<CommandButton> Command1; // only Go (4) is shown
    CommandButton *Command4, *Command5, *Command6;
    PictureBox *Picture1;    // the details: G1 to G20, W1, T1 and the two totals
    ControlArray<TextBox> g; // 1 to 24
    ControlArray<TextBox> a; // 0 1A, 1 1B, 2 5A
    TextBox *II;             // the instalment rate in per cent
    Label *gstpay, *gsttype;
    ControlArray<Label> Label1; // 7 "Show Details:", 8 "Go to Summary"
    QMenu *f1;
    MenuItem *mm, *fa, *fd, *mps, *ht, *ha, *en;

    void Command1_Click(int index);
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Label1_MouseMove(int index);

protected:
    void Form_Load() override;

private:
    void buildLayout();
    void buildMenus();
};

} // namespace qm
