#pragma once

#include "shell/standin.h"

namespace qm {

// Stand-in for the reports and transaction-search form: it opens one found transaction on
// the payments or receipts screen, and runs its search again when that screen goes back.
class reports2 : public StandInScreen
{
    Q_OBJECT
public:
    reports2();

    ComboBox *typeoftrans; // "Report on": "Expenses" or "Income"
    int searchesRun = 0;   // the stand-in has no grid to show what a search found

    // "Search / Generate Report".
    void Command8_Click();
    // A double-click on a found row: the transaction `id` opens on the ledger screen.
    void openFoundRow(const QString &id);
};

} // namespace qm
