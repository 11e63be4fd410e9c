#pragma once

#include "common/invoicelines.h"
#include "data/value.h"
#include "platform/controls.h"
#include "platform/form.h"

#include <vector>

namespace qm {

class CrystalReport;
class Data;
class DBCombo;
class DTPicker;
class MSFlexGrid;
class Recordset;

// The invoice form: one tax invoice at a time, with seven line rows and their totals, kept in
// table inv of qm1.mdb as a frozen copy of everything it shows; the list of stored invoices
// with its filters; preview and printing through the invoice report.
class INV : public Form
{
    Q_OBJECT
public:
    INV();

    SSPanel *sspanel100;
    SSPanel *statuspanel;       // the mode: "Adding" (not stored yet) or "Editing"
    ControlArray<Label> Label1; // 4 "Client Name", 5 "FY starting"
    DBCombo *DBCombo1;          // the client
    Data *c;                    // the client list
    CheckBox *Check1;           // "Show all Clients"

    PictureBox *Picture1;                             // the invoice body
    ControlArray<TextBox> a;                          // 0 number, 1 date
    DTPicker *picker;                                 // the invoice date's calendar
    ControlArray<TextBox> x;                          // invoice to: name, address, town, state, postcode, country
    ControlArray<TextBox> s;                          // ship to, the same
    ControlArray<TextBox> b;                          // ABN, P.O Number, Date Shipped, Shipped via, Project, Terms
    DTPicker *DTPicker1;                              // Date Shipped's calendar
    ControlArray<TextBox> l1, l2, l3, l4, l5, l6, l7; // the line rows: QTY to $AMOUNT
    TextBox *xsubtot, *xgst, *othertax, *xtotal;

    CommandButton *save, *Command2, *gotoMenu, *history;
    ControlArray<CommandButton> viewprint; // 0 View, 1 Print
    Label *back;                           // "Go Back"

    // The invoice list and its filters.
    MSFlexGrid *flex;
    PictureBox *Picture3;
    ComboBox *combo1, *basfor, *basyear;
    TextBox *itot, *ptot;

    // Hand-over boxes.
    TextBox *invnumb; // a number another form wants shown (getinvnumb)
    TextBox *invid;   // the key of the stored invoice on screen
    TextBox *gobackb; // the form Go Back returns to ("RRC"), or empty

    CrystalReport *Report1;
    MenuItem *mm, *fa, *fd, *moi, *mps, *ht, *a1, *en;

    // Line row 1 to 7.
    ControlArray<TextBox> &l(int row);

    // Opening: the organisation's details, the next number.
    void populateorg();
    void getnextinv();
    // Loading a stored invoice by the key in invid / the number in invnumb; false when it
    // could not be loaded (the reason shown), the form then as it was.
    bool getinv();
    bool getinvnumb();

    void DBCombo1_Click(int area);
    void picker_CloseUp();
    void DTPicker1_CloseUp();
    void l_Change(int row, int index);
    void l_DblClick(int row, int index);

    // Save, Delete, New. Save is false when nothing was stored (the reason shown).
    bool save_Click();
    void fd_Click();
    void Command2_Click();

    // View (0) and Print (1), and the ways out.
    void viewprint_Click(int index);
    void back_MouseMove();
    void gotoMenu_Click();
    void moi_Click();

    // The list.
    void history_Click();
    void combo1_Click();
    void basyear_Click();
    void basfor_Click();
    void Check1_Click();
    void flex_Click();
    void flexfill();
    void flexdata();

protected:
    void Form_Load() override;

private:
    void buildLayout();
    void buildMenus();
    void wireHandlers();

    InvoiceLines lineTexts();
    void showTotals();
    // Clears the grid and the totals, and fills them again.
    void rebuildList();
    void showList(bool shown);
    // A select with its bound values.
    struct ListQuery
    {
        QString select;
        std::vector<Value> parameters;
    };
    ListQuery listQuery() const;
    bool loadInvoice(bool byNumber);
    // Why the invoice on screen cannot be saved under `number`; empty when it can.
    QString saveRefusal(const QString &number);
    // Writes the form's invoice into the row being edited or added (all but its number) and
    // stores it; returns its key.
    QString writeInvoice(Recordset &rs);
    void writeHeader(Recordset &rs);
    void writeLines(Recordset &rs);

    QWidget *m_listArea = nullptr; // holds the grid and its filters over the invoice body
    Label *m_totalLabels[2] = {};  // "Total" under itot and ptot
    // Set while the form itself writes line cells: the row handling does not run again.
    bool m_linesQuiet = false;
};

} // namespace qm
