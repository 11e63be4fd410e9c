#include "shell/standin.h"

#include "shell/menu2.h"
#include "shell/module1.h"

#include <QVBoxLayout>

namespace qm {

StandInScreen::StandInScreen(const QString &name, const QString &caption)
    : Form(name)
{
    setCaption(caption);
    setOpensMaximised(true);
    auto *background = new QWidget(this);
    setCentralWidget(background);
    sspanel100 = new SSPanel(background);
    sspanel100->setWidth(6000);
    sspanel100->setHeight(3000);
    Label1 = new Label(sspanel100, caption + QStringLiteral("\n\nThis screen is not available in this version."));
    Label1->setAlignment(Qt::AlignCenter);
    cmdMenu = new CommandButton(sspanel100, QStringLiteral("Main Menu"));
    auto *layout = new QVBoxLayout(sspanel100);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(Label1, 1);
    layout->addWidget(cmdMenu, 0, Qt::AlignCenter);
    cmdMenu->onClick = [this] { cmdMenu_Click(); };
}

void StandInScreen::Form_Load()
{
    CentreForm(*sspanel100);
}

void StandInScreen::cmdMenu_Click()
{
    Forms::get<Menu2>().Show();
    Forms::Unload(*this);
}

} // namespace qm
