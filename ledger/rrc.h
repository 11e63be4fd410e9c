#pragma once

#include "ledger/invoiceposting.h"
#include "ledger/ledgerscreen.h"

#include <optional>

namespace qm {

// Receipts and income: table r, with clients as the parties. A receipt names the invoice
// it pays and posts its amount to that invoice's paid amount.
class RRC : public LedgerScreen
{
    Q_OBJECT
public:
    RRC();

    Data *r;          // the receipts
    Data *c;          // the client list
    TextBox *oldtot;  // the total as posted: as loaded, or as last written
    ComboBox *getinv; // the unpaid invoices
    Label *Label2;    // "Go to invoice"

    void r_Validate(DataAction &action, bool &save);
    void r_Reposition();
    void jobtext_Change();
    void fillinvlist();
    // The date of the invoice named in the list, "dd/Mmm/yyyy"; nothing when there is no
    // such invoice or it cannot be read.
    std::optional<QString> getinvdate();
    // Adds the recorded postings to their invoices' paid amounts; each one that cannot be
    // added now is reported with `message` (%1 the invoice, %2 why) and stays recorded.
    void updateinv(const QString &message);
    void getinv_Change();
    void getinv_Click();
    void getinv_DblClick();
    void Label2_MouseMove();
    void mrd_Click() override;

    // The invoice the current receipt's amount was last posted to (or loaded with).
    QString postedInvoice() const;

protected:
    void Form_Load() override;
    void storeWithRow(Database &rows) override;
    void rowWritten() override;
    void shownRow() override;
    void openPartyForm(const QString &id) override;
    void invoiceNumberChanged() override;
    void detailsHidden() override;

private:
    // What the receipt on screen posts when it is written.
    std::vector<Posting> postingsOfRow() const;
    void buildInvoiceLink();
    void invoiceChosen(bool clicked);
    void openInvoice();

    QString m_postedInvoice;
    bool m_openingInvoice = false;
};

} // namespace qm
