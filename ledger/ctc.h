#pragma once

#include "shell/standin.h"

namespace qm {

// Stand-in for the job/account list: the ledger screens' "Add / Edit" opens it.
class CTC : public StandInScreen
{
    Q_OBJECT
public:
    CTC();
};

} // namespace qm
