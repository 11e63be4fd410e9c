#pragma once

#include "contacts/clientscreen.h"

namespace qm {

// One client, new or the one named by CurrentClientId, for the receipts screen.
class crc : public ClientScreen
{
    Q_OBJECT
public:
    crc();

protected:
    void Form_Load() override;
};

} // namespace qm
