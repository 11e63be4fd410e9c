#include "contacts/crcm.h"

#include "platform/datacontrol.h"

namespace qm {

crcm::crcm()
    : StandInScreen(QStringLiteral("crcm"), QStringLiteral("Clients"))
{
    c = new Data(sspanel100, QStringLiteral("Clients"));
    c->setVisible(false);
}

} // namespace qm
