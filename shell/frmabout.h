#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace qm {

// The About box, shown over whichever screen asked for it.
class frmAbout : public Form
{
    Q_OBJECT
public:
    frmAbout();

    PictureBox *picIcon;
    Label *lblTitle, *lblVersion, *Label1, *lblDescription, *Label2, *lblDisclaimer;
    CommandButton *cmdOK, *cmdSysInfo;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();
    bool GetKeyValue(const QString &keyRoot, const QString &keyName, const QString &subKeyRef, QString &keyVal);

protected:
    void Form_Load() override;

private:
    void buildLayout();
};

} // namespace qm
