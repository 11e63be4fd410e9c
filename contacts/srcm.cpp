#include "contacts/srcm.h"

namespace qm {

srcm::srcm()
    : SupplierScreen(QStringLiteral("srcm"), Use::Browse)
{
}

void srcm::Form_Load()
{
    // Loading leaves the unsaved-edit flag set: srcm asks until Save is pressed.
    loadForBrowsing();
}

} // namespace qm
