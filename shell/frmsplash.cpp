#include "shell/frmsplash.h"

#include "platform/msgbox.h"
#include "platform/services.h"
#include "shell/dialog.h"
#include "shell/menu2.h"
#include "shell/module1.h"

#include <QDir>

namespace qm {

namespace {
// The old user-name call failed quietly for names that did not fit its buffer.
constexpr int UserNameBufferSize = 199;
} // namespace

frmSplash::frmSplash()
    : Form(QStringLiteral("frmSplash"))
{
    buildLayout();
    KeyPreview = true;
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    Command3->onClick = [this] { Command3_Click(); };
}

void frmSplash::Form_Load()
{
    lblVersion->setCaption(versionText());
    lblProductName->setCaption(appTitle());
    try {
        QString name = services().logonName();
        if (name.size() >= UserNameBufferSize)
            name.clear();
        UserName = name;
        lblLicenseTo->setCaption(QStringLiteral("Welcome ") + UserName + QStringLiteral(" !"));
    } catch (const Error &e) {
        MsgBox(QStringLiteral("Stats.Form1.UserName") + QString::number(e.Number()) + e.Description(), vbOKOnly);
    }
}

void frmSplash::Command1_Click()
{
    Forms::get<Dialog>().Show();
}

void frmSplash::Command2_Click()
{
    SuppressHighlight = true;
    Forms::Unload(*this);
}

void frmSplash::Command3_Click()
{
    QuitApp();
}

void frmSplash::Form_KeyPress(int &)
{
    Forms::Unload(*this);
}

void frmSplash::Form_Unload(int &)
{
    QDir::setCurrent(services().programFolder());
    Forms::get<Menu2>().Show();
}

} // namespace qm
