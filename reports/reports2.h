#pragma once

#include "platform/controls.h"
#include "platform/form.h"
#include "reports/reportcriteria.h"

namespace qm {

class CrystalReport;
class Data;
class DBCombo;
class DTPicker;
class MSFlexGrid;

// The reports form: criteria over the payments or the receipts, searched into the results
// grid with their sums, or handed to the transaction reports; the profit-and-loss reports
// over a period; a found transaction opened for editing and searched again on its return.
class reports2 : public Form
{
    Q_OBJECT
public:
    reports2();

    SSPanel *sspanel100;
    ComboBox *typeoftrans; // "Report on"
    ComboBox *Combo4;      // the date basis of receipts
    ComboBox *basfor, *basyear;
    PictureBox *selectdates;              // From and To
    ControlArray<TextBox> pay1;           // 0 From, 1 For, 2 invoice date, 3 invoice number, 4 cheque, 7 To
    ControlArray<TextBox> pay0;           // 0 user, 2 today
    ControlArray<ComboBox> Combo2;        // 1 paid by, 2 category, 3 sub-category, 4 personal use
    ControlArray<Label> Label1;           // 4 "Client", 9 "Sub Category", 19 "Supplier"
    ControlArray<CommandButton> Command1; // 1 OK, 2 Cancel
    Label *Label5;                        // "Financial Year starting"
    DTPicker *picker, *DTPicker1, *DTPicker2;
    DBCombo *DBCombo2, *combo1, *job; // supplier, client, job/account
    ComboBox *orderby1, *reptype;
    PictureBox *Picture1, *Picture2, *Picture4;
    Image *Picture3;
    CommandButton *Command8, *Command9, *Command10, *Command11;
    Data *c, *s, *jac, *Data1;
    CrystalReport *Report1;

    // The results box.
    PictureBox *searchbox;
    MSFlexGrid *flex;
    TextBox *tot, *net, *gst;
    CommandButton *Command6, *Command7;

    MenuItem *mm, *msa, *mse, *mrd, *mps, *ht, *a1, *en;

    // Go: checks the criteria, then searches into the grid or runs a transaction report.
    void Command8_Click();
    // Generate Report: a profit-and-loss report.
    void Command10_Click();
    void Command9_Click();  // Clear form
    void Command11_Click(); // Back from the profit-and-loss panel
    void Command6_Click();  // Search Again
    void Command7_Click();  // Close
    void Command1_Click(int index);
    void flex_DblClick();

    void typeoftrans_Click();
    void typeoftrans_Change();
    void basfor_Click();
    void basyear_Click();
    void Combo4_Click();
    void orderby1_Click();
    void Combo2_Change(int index);
    void Combo2_Click(int index);
    void combo1_Change();
    void combo1_Click(int area);
    void DBCombo2_Click(int area);
    void job_Change();
    void job_Click(int area);
    void pay1_Change(int index);
    void picker_CloseUp();
    void DTPicker1_CloseUp();
    void DTPicker2_CloseUp();
    void sspanel100_MouseMove();
    void resetcolor();

protected:
    void Form_Load() override;

private:
    void buildLayout();
    void buildMenus();
    void wireHandlers();
    void flexfill();
    void search(const SearchTexts &texts);
    void fillGrid(const SearchTexts &texts);
    void runTransactionReport(const SearchTexts &texts);
    void searchpl(const ProfitAndLossRun &run);
    void runReport();
    void leave();
    ReportCriteria criteria() const;
    // Dates typed with a named period, or a named period with no year: said, and false.
    bool periodChecked();
    // Paints a filled-in field.
    static void highlight(Control *field);

    // The table whose rows the grid holds: a double-click opens their form.
    bool m_gridIncome = false;
};

} // namespace qm
