#include "ledger/rrc.h"

#include "platform/datacontrol.h"

namespace qm {

RRC::RRC()
    : StandInScreen(QStringLiteral("RRC"), QStringLiteral("Receipts, Income"))
{

}

} // namespace qm
