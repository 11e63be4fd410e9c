#include "contacts/supplierscreen.h"

#include "ledger/prc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "shell/module1.h"

namespace qm {

SupplierScreen::SupplierScreen(const QString &name, Use use)
    : ContactScreen(name, QStringLiteral("Suppliers"), Party::Supplier, use)
{
    s = record();
    s->onValidate = [this](DataAction &action, bool &save) { s_Validate(action, save); };
}

QString SupplierScreen::callerTag() const
{
    return QStringLiteral("PRC");
}

QString &SupplierScreen::handedKey() const
{
    return CurrentRecordId;
}

void SupplierScreen::s_Validate(DataAction &action, bool &save)
{
    recordValidate(action, save);
}

void SupplierScreen::handBack()
{
    if (!Forms::isLoaded<PRC>()) {
        // Opened from the reports, or the payment it was opened for is gone: a fresh
        // payments screen gets nobody's supplier.
        Forms::get<PRC>().Show();
        return;
    }
    PRC &payments = Forms::get<PRC>();
    payments.Show();
    payments.s->Refresh();
    // By key: two suppliers may share a name.
    payments.combo1->setBoundText(CurrentRecordId);
    payments.combo1_Click(dbcAreaList);
    payments.abn->setText(abn->Text());
    payments.abn->setBoundDirty(false); // shown only: never written over a supplier's ABN
}

void SupplierScreen::showCaller()
{
    Forms::get<PRC>().Show();
}

} // namespace qm
