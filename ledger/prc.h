#pragma once

#include "ledger/ledgerscreen.h"

namespace qm {

// Payments, expenses and purchases: table p, with suppliers as the parties.
class PRC : public LedgerScreen
{
    Q_OBJECT
public:
    PRC();

    Data *p;           // the payments
    Data *s;           // the supplier list
    DBCombo *DBCombo2; // a second job/account list, hidden, carrying the job's key

    void p_Validate(DataAction &action, bool &save);
    void p_Reposition();
    void jobtext_Change();
    void jobin_Change();
    void DBCombo2_Click(int area);
    void DBCombo2_Change();
    void mrd_Click() override;

protected:
    bool extraChecks() override;
    void afterAdd() override;
    void openPartyForm(const QString &id) override;
};

} // namespace qm
