#pragma once

#include "contacts/supplierscreen.h"

namespace qm {

// One supplier, new or the one named by CurrentRecordId, for the payments screen.
class src : public SupplierScreen
{
    Q_OBJECT
public:
    src();

protected:
    void Form_Load() override;
};

} // namespace qm
