#pragma once

#include "platform/controls.h"
#include "platform/flexgrid.h"
#include "platform/form.h"

namespace qm {

// The job/account list: the user's own codes in table jac of qm1.mdb, added, edited and
// deleted here. Opened from the payments or receipts screen, its Back hands the chosen code
// into that screen's job/account combo.
class CTC : public Form
{
    Q_OBJECT
public:
    CTC();

    SSPanel *SSPanel100;
    Label *statuspanel;
    MSFlexGrid *flex;
    CommandButton *addb, *Command3, *returnb;
    CommandButton *Command2;             // hidden "Next"
    ControlArray<CommandButton> navbuts; // hidden: 0 "Client Masterfile", 1 "Client Accounts", 2 "Cancel"

    // The add panel.
    SSPanel *SSPanel3;
    Label *Label1;
    ControlArray<TextBox> Text3; // 0 code, 1 explanation, 2 hidden
    CommandButton *Command4, *Command5;

    // The edit panel.
    SSPanel *SSPanel1;
    Label *Label3;
    ControlArray<TextBox> Text4; // 0 code, 1 explanation, 2 hidden
    CommandButton *Command7, *Command6;

    MenuItem *mm, *fa, *fd, *ht, *a1, *en;

    void addb_Click();
    void Command3_Click(); // delete
    void Command4_Click(); // save a new code
    void Command5_Click(); // cancel adding
    void Command6_Click(); // cancel editing
    void Command7_Click(); // save an edited code
    void flex_DblClick();
    void Text3_Change(int index);
    void returnb_Click();

protected:
    void Form_Load() override;

private:
    void buildLayout();
    void buildMenus();
    void flexfill();
    void flexdata();
};

} // namespace qm
