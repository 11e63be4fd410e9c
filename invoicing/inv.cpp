#include "invoicing/inv.h"

#include "platform/datacontrol.h"

namespace qm {

INV::INV()
    : StandInScreen(QStringLiteral("INV"), QStringLiteral("Invoices"))
{

}

} // namespace qm
