#include "shell/dialog.h"

namespace qm {

Dialog::Dialog()
    : Form(QStringLiteral("Dialog"))
{
    buildLayout();
    OKButton->onClick = [this] { OKButton_Click(); };
}

void Dialog::Form_Load()
{
    Label2->setCaption(QStringLiteral(
        "This program is designed to help a typical small business prepare its accounts and BAS statements."));
}

void Dialog::OKButton_Click()
{
    Forms::Unload(*this);
}

} // namespace qm
