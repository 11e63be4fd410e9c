#include "ledger/ctc.h"

namespace qm {

CTC::CTC()
    : StandInScreen(QStringLiteral("CTC"), QStringLiteral("Job / Account"))
{
}

} // namespace qm
