#include "ledger/prc.h"

#include "platform/datacontrol.h"

namespace qm {

PRC::PRC()
    : StandInScreen(QStringLiteral("PRC"), QStringLiteral("Payments, Expenses, Purchases"))
{

}

} // namespace qm
