#pragma once

#include "common/classification.h"
#include "platform/controls.h"
#include "platform/datacontrol.h"
#include "platform/form.h"

class QGridLayout;

namespace qm {

class Database;
class DBCombo;
class DTPicker;

// The indexes of the ledger screens' Command1 buttons; only OK, Cancel and Add are shown.
namespace LedgerButton {
enum Index : int { Next = 0, OK = 1, Cancel = 2, Previous = 3, GoFirst = 4, GoLast = 5, Add = 6 };
} // namespace LedgerButton

// The screen the payments and receipts forms share: one transaction row of table p or r
// in bound boxes, the GST calculator, the highlighting of filled-in fields, and the record
// cycle that checks, classifies and writes a row whenever it is left.
class LedgerScreen : public Form
{
    Q_OBJECT
public:
    SSPanel *sspanel100;
    PictureBox *Picture1; // the details panel
    PictureBox *Picture2; // the GST block
    Image *Picture3;

    Data *Data1; // behind the hidden ABN box
    Data *jac;   // the job/account list

    ControlArray<TextBox> pay0;  // 0 user, 2 today
    ControlArray<TextBox> pay1;  // 0 date, 1 for, 2 invoice date, 3 invoice number, 4 cheque, 5 ref, 6 hidden
    ControlArray<TextBox> Text2; // 0 party key, 1 party name, 2 nett, 3 total, 4 GST, 6 rate carrier
    TextBox *Text1;              // notes
    TextBox *jobtext, *jobin, *jobidtext, *classification, *abn, *searchtext, *gobackb;
    DBCombo *combo1; // the party list
    DBCombo *job;    // the job/account list
    ComboBox *Combo11;
    ComboBox *Combo3;              // GST %
    ControlArray<ComboBox> Combo2; // 0 type, 1 paid by, 2 category, 3 sub category, 4 personal use %
    ControlArray<CheckBox> Check2; // the calculator's basis: 0 nett, 1 total, 2 GST, 3 rate
    ControlArray<Label> Label1;    // 7 "Show Details:", 12 "Invoice Number", 17 "Hide Details"
    Label *statuspanel;
    ControlArray<CommandButton> Command1;
    CommandButton *Add1, *Adds, *Command5, *search, *back;
    DTPicker *picker, *DTPicker1;
    MenuItem *mm, *msa, *mse, *mrd, *mps, *ht, *a1, *en;

    // The record cycle.
    void Command1_Click(int index);
    QString checkstuff();
    void search_Click();
    void back_Click();

    // The GST calculator and the highlighting.
    void Text2_Change(int index);
    void Check2_Click(int index);
    void Combo3_Click();
    void pay1_Change(int index);
    void pay1_Click(int index);
    void Text1_Change();
    void sspanel100_MouseMove();
    void resetcolor();

    // Party, job/account, lists, dates, details.
    void combo1_Click(int area);
    void combo1_Change();
    void job_Click(int area);
    void job_Change();
    void Combo2_Change(int index);
    void Combo2_Click(int index);
    void picker_Change();
    void DTPicker1_Change();
    void picker_CloseUp();
    void DTPicker1_CloseUp();
    void Add1_Click();
    void Adds_Click();
    void Command5_Click();
    void Label1_MouseMove(int index);

    // Record > Delete.
    virtual void mrd_Click() = 0;

protected:
    LedgerScreen(const QString &name, Ledger ledger);

    void Form_Load() override;
    void Form_QueryUnload(int &cancel, int unloadMode) override;

    // The data control's events, wired by each form under its own names.
    void validateRow(DataAction &action, bool &save);
    void rowShown();

    // What tells the two forms apart.
    // Checks after the shared ones; false when one failed (its message shown).
    virtual bool extraChecks();
    // Written in the same transaction as the row (receipts: the postings to invoices).
    virtual void storeWithRow(Database &rows);
    // The row reached the database: receipts finish posting to the invoices.
    virtual void rowWritten();
    // A row became current.
    virtual void shownRow();
    virtual void afterAdd();
    // The invoice-number box changed (before any highlighting).
    virtual void invoiceNumberChanged();
    // "Hide Details" was hovered.
    virtual void detailsHidden();
    // Opens the party form for `id` (empty: a new party).
    virtual void openPartyForm(const QString &id) = 0;

    // Shows the message of the first failed check; `fromValidate` always names an empty party.
    bool passesChecks(bool fromValidate);
    // With no row to show (an empty table, the last row deleted, a searched row gone), a new
    // row is started, so that what is typed next has a row to go into.
    void startNewRowWhenEmpty();
    // Empties the database names and refreshes: the pending row is left as on a close.
    void releaseData();
    // Ends whatever the transaction data control was doing, so that no move leaves
    // RecordLoading set behind it.
    void endDataAction();

    bool isReceipts() const;
    QString formTag() const;

    Data *m_rows = nullptr;              // p or r
    Data *m_parties = nullptr;           // s or c
    QGridLayout *m_detailGrid = nullptr; // the details panel's grid; its row 5 is free
    bool m_deleting = false;

private:
    void buildLayout();
    void buildMenus();
    void wireHandlers();
    void fillLists();
    QWidget *basisInput(int index) const;

    Ledger m_ledger;
};

} // namespace qm
