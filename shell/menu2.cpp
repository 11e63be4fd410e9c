#include "shell/menu2.h"

#include "bas/bas.h"
#include "common/screenskeleton.h"
#include "contacts/crcm.h"
#include "contacts/srcm.h"
#include "invoicing/inv.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/msgbox.h"
#include "reports/reports2.h"
#include "shell/ci.h"
#include "shell/frmabout.h"
#include "shell/module1.h"

namespace qm {

Menu2::Menu2()
    : Form(QStringLiteral("Menu2"))
{
    buildLayout();
    for (const auto &[index, picture] : Picture1) {
        const int i = index;
        picture->onClick = [this, i] { Picture1_Click(i); };
        picture->onMouseMove = [this, i] { Picture1_MouseMove(i); };
    }
    sspanel100->onClick = [this] { sspanel100_Click(); };
    sspanel100->onMouseMove = [this] { sspanel100_MouseMove(); };
    mm->onClick = [this] { mm_Click(); };
    mps->onClick = [this] { mps_Click(); };
    miq->onClick = [this] { miq_Click(); };
    mim->onClick = [this] { mim_Click(); };
    moi->onClick = [this] { moi_Click(); };
    ht->onClick = [this] { ht_Click(); };
    a1->onClick = [this] { a1_Click(); };
    en->onClick = [this] { en_Click(); };
}

void Menu2::Form_Load()
{
    CallerTag.clear();
    CentreForm(*sspanel100);
}

void Menu2::Picture1_Click(int index)
{
    setMousePointer(vbHourglass);
    switch (index) {
    case 2: Forms::get<bas>().Show(); break;
    case 3:
    case 9: Forms::get<reports2>().Show(); break;
    case 4: Forms::get<INV>().Show(); break;
    case 5: Forms::get<PRC>().Show(); break;
    case 6: Forms::get<RRC>().Show(); break;
    case 7:
        CallerTag.clear();
        Forms::get<crcm>().Show();
        Forms::get<crcm>().c->setVisible(true);
        break;
    case 8:
        CallerTag.clear();
        Forms::get<srcm>().Show();
        Forms::get<srcm>().s->setVisible(true);
        break;
    default: return; // the banner and the decorative picture do nothing
    }
    Forms::Unload(*this);
}

void Menu2::Picture1_MouseMove(int)
{
    setMousePointer(vbCustom);
}

void Menu2::sspanel100_Click()
{
    setMousePointer(vbArrow);
}

void Menu2::sspanel100_MouseMove()
{
    setMousePointer(vbArrow);
}

void Menu2::mm_Click()
{
    MsgBox(QStringLiteral("You are on the main Menu!"), vbExclamation, appTitle());
}

void Menu2::mps_Click()
{
    printScreen(*this);
}

void Menu2::miq_Click()
{
    MsgBox(QStringLiteral("Importing not available in this version of QUILLMARK!"), vbExclamation, appTitle());
}

void Menu2::mim_Click()
{
    miq_Click();
}

void Menu2::moi_Click()
{
    Forms::get<CI>().Show();
    Forms::Unload(*this);
}

void Menu2::ht_Click()
{
    showHelpTopics();
}

void Menu2::a1_Click()
{
    Forms::get<frmAbout>().Show();
}

void Menu2::en_Click()
{
    QuitApp();
}

} // namespace qm
