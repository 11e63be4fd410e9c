#include "bas/adj.h"

#include "bas/bas.h"

namespace qm {

adj::adj()
    : Form(QStringLiteral("adj"))
{
    buildLayout();
    adj1->setText(QStringLiteral("0"));
    adj2->setText(QStringLiteral("0"));
    Command1->onClick = [this] { Command1_Click(); };
}

// OK hands the two adjustments back as typed; Go on the BAS form reads them. A BAS form
// that was closed meanwhile is not brought back for them.
void adj::Command1_Click()
{
    if (Forms::isLoaded<bas>()) {
        bas &form = Forms::get<bas>();
        form.g[7]->setText(adj1->Text());
        form.g[18]->setText(adj2->Text());
    }
    Forms::Unload(*this);
}

} // namespace qm
