#pragma once

#include "contacts/contactscreen.h"

namespace qm {

// The supplier screens: the contact design over table s, whose suburb column keeps the
// chosen place's key, with the hand-back to the payments screen.
class SupplierScreen : public ContactScreen
{
    Q_OBJECT
public:
    Data *s;

    void s_Validate(DataAction &action, bool &save);

protected:
    SupplierScreen(const QString &name, Use use);

    QString callerTag() const override;
    QString &handedKey() const override;
    void handBack() override;
    void showCaller() override;
};

} // namespace qm
