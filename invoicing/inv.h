#pragma once

#include "shell/standin.h"

namespace qm {

class DBCombo;

// Stand-in for the invoice form: it loads one invoice by number for the receipts screen and
// goes back to it.
class INV : public StandInScreen
{
    Q_OBJECT
public:
    INV();

    TextBox *invnumb; // hidden: the number getinvnumb loads
    TextBox *gobackb; // hidden: the form Go Back returns to ("RRC"), or empty
    Label *back;      // "Go Back"
    Label *statuspanel;
    PictureBox *Picture1; // the invoice itself
    Label *invoiceSummary;
    ControlArray<Label> Label1; // 4 "Client Name"
    DBCombo *DBCombo1;
    CheckBox *Check1;

    void getinvnumb();
    void back_MouseMove();
};

} // namespace qm
