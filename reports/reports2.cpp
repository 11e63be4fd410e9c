#include "reports/reports2.h"

#include "ledger/ledgerscreen.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/msgbox.h"

#include <QBoxLayout>

namespace qm {

reports2::reports2()
    : StandInScreen(QStringLiteral("reports2"), QStringLiteral("Reports"))
{
    typeoftrans = new ComboBox(sspanel100, ComboBox::DropdownList);
    typeoftrans->AddItem(QStringLiteral("Expenses"));
    typeoftrans->AddItem(QStringLiteral("Income"));
    static_cast<QBoxLayout *>(sspanel100->layout())->insertWidget(1, typeoftrans, 0, Qt::AlignCenter);
}

void reports2::Command8_Click()
{
    if (typeoftrans->Text().isEmpty()) {
        MsgBox(QStringLiteral("You must enter the type of type of transaction to report on. (The 'Report on' field)"),
               vbExclamation, appTitle());
        return;
    }
    ++searchesRun;
}

void reports2::openFoundRow(const QString &id)
{
    LedgerScreen &ledger = typeoftrans->Text() != QLatin1String("Income")
                               ? static_cast<LedgerScreen &>(Forms::get<PRC>())
                               : static_cast<LedgerScreen &>(Forms::get<RRC>());
    ledger.Show();
    ledger.searchtext->setText(id);
    ledger.search_Click();
    ledger.gobackb->setText(QStringLiteral("Reports"));
    ledger.back->setVisible(true);
}

} // namespace qm
