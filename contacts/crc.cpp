#include "contacts/crc.h"

#include "shell/module1.h"

namespace qm {

crc::crc()
    : ClientScreen(QStringLiteral("crc"), Use::OneRecord)
{
}

void crc::Form_Load()
{
    loadForOneRecord(CurrentClientId);
}

} // namespace qm
