#include "contacts/crcm.h"

namespace qm {

crcm::crcm()
    : ClientScreen(QStringLiteral("crcm"), Use::Browse)
{
}

void crcm::Form_Load()
{
    loadForBrowsing();
    changed->setValue(0);
}

} // namespace qm
