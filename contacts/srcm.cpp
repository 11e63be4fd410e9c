#include "contacts/srcm.h"

#include "platform/datacontrol.h"

namespace qm {

srcm::srcm()
    : StandInScreen(QStringLiteral("srcm"), QStringLiteral("Suppliers"))
{
    s = new Data(sspanel100, QStringLiteral("Suppliers"));
    s->setVisible(false);
}

} // namespace qm
