#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace qm {

// The adjustments box: where the user changes G7 and G18 for the BAS form.
class adj : public Form
{
    Q_OBJECT
public:
    adj();

    TextBox *adj1; // G7: adjustment to supplies made / receipts
    TextBox *adj2; // G18: adjustment to acquisitions made / payments
    CommandButton *Command1;

    void Command1_Click();

private:
    void buildLayout();
};

} // namespace qm
