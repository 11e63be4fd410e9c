#include "shell/menu2.h"

#include "bas/bas.h"
#include "contacts/crcm.h"
#include "contacts/srcm.h"
#include "invoicing/inv.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/msgbox.h"
#include "reports/reports2.h"
#include "shell/ci.h"
#include "shell/module1.h"
#include "shell/screenskeleton.h"

namespace qm {

Menu2::Menu2()
    : Form(QStringLiteral("Menu2"))
{
    buildLayout();
    buildMenus();
    for (const auto &[index, picture] : Picture1) {
        const int i = index;
        picture->onClick = [this, i] { Picture1_Click(i); };
        picture->onMouseMove = [this, i] { Picture1_MouseMove(i); };
    }
    sspanel100->onClick = [this] { sspanel100_Click(); };
    sspanel100->onMouseMove = [this] { sspanel100_MouseMove(); };
}

void Menu2::buildMenus()
{
    // Print > Screen's failure has the old title.
    MenuBar(*this, QStringLiteral("Corvane"))
        .menu(QStringLiteral("&Menu..."), {{QStringLiteral("&Main Menu"), &mm, [this] { mm_Click(); }}})
        .print(&mps)
        .menu(QStringLiteral("&Import..."), {{QStringLiteral("&QuickBooks"), &miq, [this] { miq_Click(); }},
                                             {QStringLiteral("&MYOB"), &mim, [this] { mim_Click(); }}})
        .barItem({QStringLiteral("&Organisation Info"), &moi, [this] { moi_Click(); }})
        .help(&ht, &a1)
        .quit(&en);
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

} // namespace qm
