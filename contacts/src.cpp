#include "contacts/src.h"

#include "shell/module1.h"

namespace qm {

src::src()
    : SupplierScreen(QStringLiteral("src"), Use::OneRecord)
{
}

void src::Form_Load()
{
    loadForOneRecord(CurrentRecordId);
}

} // namespace qm
