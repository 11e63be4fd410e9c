#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace qm {

// The splash: greets the user and asks them to agree to the terms of use.
class frmSplash : public Form
{
    Q_OBJECT
public:
    frmSplash();

    Label *lblProductName, *lblCompanyProduct, *lblPlatform, *lblVersion, *lblWarning, *lblLicenseTo;
    Label *lblCopyright, *lblCompany;
    Image *imgLogo;
    CommandButton *Command1, *Command2, *Command3;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void Form_Load() override;
    void Form_KeyPress(int &keyAscii) override;
    void Form_Unload(int &cancel) override;

private:
    void buildLayout();
};

} // namespace qm
