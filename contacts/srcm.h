#pragma once

#include "contacts/supplierscreen.h"

namespace qm {

// The suppliers, browsed from the main menu: add, edit, save and delete.
class srcm : public SupplierScreen
{
    Q_OBJECT
public:
    srcm();

protected:
    void Form_Load() override;
};

} // namespace qm
