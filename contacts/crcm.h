#pragma once

#include "contacts/clientscreen.h"

namespace qm {

// The clients, browsed from the main menu: add, edit, save and delete.
class crcm : public ClientScreen
{
    Q_OBJECT
public:
    crcm();

protected:
    void Form_Load() override;
};

} // namespace qm
