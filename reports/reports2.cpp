#include "reports/reports2.h"

#include "common/convert.h"
#include "common/databases.h"
#include "common/format.h"
#include "common/period.h"
#include "common/shortdate.h"
#include "data/database.h"
#include "data/dates.h"
#include "data/error.h"
#include "data/fileaccess.h"
#include "ledger/ledgerscreen.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"
#include "platform/reportcontrol.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "shell/screenskeleton.h"

#include <QHash>
#include <array>

namespace qm {

namespace {

const QString SelectDates = QStringLiteral("Select Dates");
const QString AllPurchases = QStringLiteral("All purchases");
const QString SearchType = QStringLiteral("Search");
const QString TotalsFormat = QStringLiteral("###.00");
const QString CheckTheData
    = QStringLiteral("Please check transaction data has been entered over the period specified!");
const QString NameTheReport
    = QStringLiteral("You must enter the type of type of transaction to report on. (The 'Report on' field)");

bool isProfitAndLossPick(const QString &text)
{
    return namesProfitAndLossReport(text) && text != QLatin1String("Total Income & Expenses");
}

struct GridColumn
{
    const char *heading;
    long width; // twips
};

// The dates' columns are wide enough for the ten characters of the short date.
constexpr std::array<GridColumn, 14> GridColumns{{
    {"ID", 800},
    {"Date", 1300},
    {"For", 1500},
    {"Supplier/ClientID", 0},
    {"Supplier", 1600},
    {" $ Nett", 1000},
    {" $ GST", 1000},
    {" $ Total", 1000},
    {"Category", 1300},
    {"Subcategory", 1300},
    {"Inv #", 1500},
    {"Inv date", 1300},
    {"Type", 1000},
    {"Job/Account", 1200},
}};

// The columns the grid reads.
const QString GridSelect = QStringLiteral("ID, j, a, b, t, c, d, e, h, i, l, m, f, v");

// A day as the grid shows it; many rows share a day, so each day's text is made once.
class DayTexts
{
public:
    QString operator()(const Value &value)
    {
        if (value.isNull())
            return QString();
        const QDate day = value.toDate();
        auto found = m_days.find(day.toJulianDay());
        if (found == m_days.end())
            found = m_days.insert(day.toJulianDay(), shortDate(day));
        return *found;
    }

private:
    QHash<qint64, QString> m_days;
};

// A number as the sums read it (the same as reading its text).
double amountOf(const Value &value)
{
    return value.isNumber() ? value.toDouble() : Val(value);
}

// Of two texts of numbers, the one with more characters: what fits it fits the other.
const QString &longer(const QString &a, const QString &b)
{
    return b.size() > a.size() ? b : a;
}

// The grid's columns of money: $ Nett, $ GST and $ Total.
constexpr std::array<int, 3> MoneyColumns{5, 6, 7};

struct GridSums
{
    double nett = 0, tax = 0, total = 0;
    std::array<QString, MoneyColumns.size()> longest; // each money column's longest text
};

// Fills the grid from its first row with the rows read, one free row always following the
// last one filled, and leaves the last row's last cell current.
GridSums fillRows(MSFlexGrid &flex, Recordset &rs, bool invoiceDates)
{
    enum Field { ID, J, A, B, T, C, D, E, H, I, L, M, F, V }; // in the order GridSelect names them
    const int date = invoiceDates ? M : J;
    DayTexts dayText;
    GridSums sums;
    int row = 1;
    while (!rs.Eof()) {
        const Value key = rs.field(ID), c = rs.field(C), d = rs.field(D), e = rs.field(E);
        // clang-format off
        const std::array<QString, 14> cells{
            key.toText(),
            dayText(rs.field(date)),
            rs.field(A).toText(),
            rs.field(B).toText(),
            rs.field(T).toText(),
            c.toText(),
            d.toText(),
            e.isNull() ? QString() : Format(amountOf(e), TotalsFormat),
            rs.field(H).toText(),
            rs.field(I).toText(),
            rs.field(L).toText(),
            dayText(rs.field(M)),
            rs.field(F).toText(),
            rs.field(V).toText(),
        };
        // clang-format on
        for (int col = 0; col < int(cells.size()); ++col)
            flex.setTextMatrix(row, col, cells[size_t(col)]);
        for (size_t i = 0; i < MoneyColumns.size(); ++i)
            sums.longest[i] = longer(sums.longest[i], cells[size_t(MoneyColumns[i])]);
        sums.nett += amountOf(c);
        sums.tax += amountOf(d);
        sums.total += amountOf(e);
        flex.setRowData(row, long(key.toInteger()));
        rs.MoveNext();
        flex.setRows(flex.Rows() + 1);
        ++row;
    }
    flex.setRow(row - 1);
    flex.setCol(int(GridColumns.size()) - 1);
    return sums;
}

} // namespace

reports2::reports2()
    : Form(QStringLiteral("reports2"))
{
    buildLayout();
    buildMenus();
    wireHandlers();
}

void reports2::buildMenus()
{
    MenuBar(*this, appTitle())
        .mainMenu(&mm, Leaving::ask(QStringLiteral("Cancel and go to Menu?")).then([this] { leave(); }))
        .menu(QStringLiteral("&Supplier..."), {{QStringLiteral("&Add"), &msa}, {QStringLiteral("&Edit"), &mse}}, false)
        .menu(QStringLiteral("&Record..."), {{QStringLiteral("&Delete"), &mrd}}, false)
        .print(&mps)
        .help(&ht, &a1)
        .quit(&en, Leaving::ask(QStringLiteral("Cancel and exit?"), vbYesNoCancel));
}

void reports2::wireHandlers()
{
    typeoftrans->onClick = [this] { typeoftrans_Click(); };
    typeoftrans->onChange = [this] { typeoftrans_Change(); };
    basfor->onClick = [this] { basfor_Click(); };
    basyear->onClick = [this] { basyear_Click(); };
    Combo4->onClick = [this] { Combo4_Click(); };
    orderby1->onClick = [this] { orderby1_Click(); };
    for (const auto &[index, box] : Combo2) {
        const int i = index;
        box->onChange = [this, i] { Combo2_Change(i); };
        box->onClick = [this, i] { Combo2_Click(i); };
    }
    for (const auto &[index, box] : pay1) {
        const int i = index;
        box->onChange = [this, i] { pay1_Change(i); };
    }
    combo1->onChange = [this] { combo1_Change(); };
    combo1->onClick = [this](int area) { combo1_Click(area); };
    DBCombo2->onClick = [this](int area) { DBCombo2_Click(area); };
    job->onChange = [this] { job_Change(); };
    job->onClick = [this](int area) { job_Click(area); };
    picker->onCloseUp = [this] { picker_CloseUp(); };
    DTPicker1->onCloseUp = [this] { DTPicker1_CloseUp(); };
    DTPicker2->onCloseUp = [this] { DTPicker2_CloseUp(); };
    sspanel100->onMouseMove = [this] { sspanel100_MouseMove(); };
    Command8->onClick = [this] { Command8_Click(); };
    Command9->onClick = [this] { Command9_Click(); };
    Command10->onClick = [this] { Command10_Click(); };
    Command11->onClick = [this] { Command11_Click(); };
    Command6->onClick = [this] { Command6_Click(); };
    Command7->onClick = [this] { Command7_Click(); };
    for (const auto &[index, button] : Command1) {
        const int i = index;
        button->onClick = [this, i] { Command1_Click(i); };
    }
    flex->onDblClick = [this] { flex_DblClick(); };
}

// ---- Loading ----

void reports2::Form_Load()
{
    RecordLoading = false;
    searchbox->setVisible(false);
    for (DTPicker *date : {picker, DTPicker1, DTPicker2})
        date->setValue(today());
    sspanel100->setVisible(true);
    pay0[0]->setText(UserName);
    pay0[2]->setText(shortDate(today()));
    CentreForm(*sspanel100);

    for (const char *item :
         {"Expense", "Capital", "All purchases", "Income", "Expenses by Category", "Expenses by Supplier",
          "Expenses by Job / Account", "Income by Category", "Income by Client", "Income by Job / Account"})
        typeoftrans->AddItem(QLatin1String(item));
    typeoftrans->setText(AllPurchases);
    typeoftrans->setBackColor(vbWhite);

    // The years run to the one after this, so that the running financial year can be chosen.
    for (const QString &year : financialYears())
        basyear->AddItem(year);
    basyear->AddItem(QString());
    for (const char *item :
         {"Date", "Client/Supplier", "Type", "Category", "Invoice Date", "Invoice Number", "Paid by method"})
        orderby1->AddItem(QLatin1String(item));
    orderby1->setText(QStringLiteral("Date"));

    for (const char *item : {"Phone",
                             "Electricity",
                             "Gas",
                             "Car",
                             "Equipment",
                             "Financial Charges",
                             "Postage",
                             "Petty Cash",
                             "WAGES",
                             "Other",
                             "GST Tax",
                             "Maintenance",
                             "Advertising",
                             "RENTAL PROPERTY RATES & REPAIRS",
                             "Services",
                             "Goods",
                             "Interest",
                             "EXPORT",
                             "RESIDENTIAL PROPERTY RENT",
                             "FINANCIAL SUPPLIES",
                             "PRECIOUS METALS",
                             "SCHOOL TUCKSHOP FOOD"})
        Combo2[2]->AddItem(QLatin1String(item));
    for (const char *item :
         {"Travel", "Meals", "Rent", "Entertainment", "Subscriptions", "Books & Publications\"", "Accounting",
          "Legal fees", "Repairs", "Printing", "Delivery", "Loan Interest", "Insurance", "Mobile Phone"})
        Combo2[3]->AddItem(QLatin1String(item));
    for (const char *item : {"Cheque", "Credit Card", "Cash", "Direct"})
        Combo2[1]->AddItem(QLatin1String(item));
    basfor->AddItem(SelectDates);
    for (const QString &name : periodNames())
        basfor->AddItem(name);
    basfor->AddItem(FinancialYearPeriod);
    for (const char *item : {"Search", "View report", "Print report"})
        reptype->AddItem(QLatin1String(item));
    reptype->setText(SearchType);

    for (int share = 0; share <= 100; share += 5)
        Combo2[4]->AddItem(QString::number(share));
    Combo2[4]->setText(QString());

    // Chosen without the pick's colouring: the hidden basis starts white.
    Combo4->AddItem(ReceiptDateBasis);
    Combo4->AddItem(InvoiceDateBasis);
    Combo4->setText(ReceiptDateBasis);
    resetcolor();
}

// ---- Choices and what they show ----

void reports2::typeoftrans_Click()
{
    const QString text = typeoftrans->Text();
    if (!text.isEmpty() && !SuppressHighlight)
        highlight(typeoftrans);
    bool preconfigured = false;
    if (text == QLatin1String("Expense") || text == QLatin1String("Capital") || text == AllPurchases) {
        Label1[4]->setVisible(false);
        combo1->setVisible(false);
        Label1[19]->setVisible(true);
        DBCombo2->setVisible(true);
        Combo4->setVisible(false);
    } else if (text == QLatin1String("Income")) {
        Label1[4]->setVisible(true);
        combo1->setVisible(true);
        Label1[19]->setVisible(false);
        DBCombo2->setVisible(false);
        Combo4->setVisible(true);
    } else if (isProfitAndLossPick(text)) {
        preconfigured = true;
        Combo4->setVisible(text.startsWith(QLatin1String("Income")));
    }
    if (preconfigured) {
        Picture4->setVisible(true);
        Picture3->setVisible(false);
    } else {
        Picture4->setVisible(false);
        Picture3->setVisible(true);
    }
}

void reports2::typeoftrans_Change()
{
    RecordLoading = false;
    if (!typeoftrans->Text().isEmpty() && !SuppressHighlight)
        highlight(typeoftrans);
}

void reports2::basfor_Click()
{
    RecordLoading = false;
    if (!basfor->Text().isEmpty() && !SuppressHighlight)
        highlight(basfor);
    if (basfor->Text() == SelectDates) {
        selectdates->setVisible(true);
        basyear->setVisible(false);
        Label5->setVisible(false);
        basyear->setText(QString());
    } else {
        selectdates->setVisible(false);
        basyear->setVisible(true);
        Label5->setVisible(true);
        pay1[0]->setText(QString());
        pay1[7]->setText(QString());
    }
}

void reports2::basyear_Click()
{
    if (!basyear->Text().isEmpty() && !SuppressHighlight)
        highlight(basyear);
}

void reports2::Combo4_Click()
{
    if (!RecordLoading && !Combo4->Text().isEmpty() && !SuppressHighlight)
        highlight(Combo4);
}

void reports2::orderby1_Click()
{
    if (!RecordLoading && !orderby1->Text().isEmpty() && !SuppressHighlight)
        highlight(orderby1);
}

void reports2::Combo2_Change(int index)
{
    if (!RecordLoading && !Combo2[index]->Text().isEmpty() && !SuppressHighlight)
        highlight(Combo2[index]);
}

void reports2::Combo2_Click(int index)
{
    if (!RecordLoading && !Combo2[index]->Text().isEmpty())
        highlight(Combo2[index]);
    // Only "Other" has sub-categories.
    if (index == 2) {
        const bool other = Combo2[2]->Text() == QLatin1String("Other");
        Combo2[3]->setVisible(other);
        Label1[9]->setVisible(other);
    }
}

void reports2::combo1_Change()
{
    if (!RecordLoading)
        highlight(combo1);
}

void reports2::combo1_Click(int area)
{
    if (area == dbcAreaList && !RecordLoading)
        highlight(combo1);
}

void reports2::DBCombo2_Click(int area)
{
    if (area == dbcAreaList && !RecordLoading && !SuppressHighlight)
        highlight(DBCombo2);
}

void reports2::job_Change()
{
    if (!RecordLoading && !job->Text().isEmpty() && !SuppressHighlight)
        highlight(job);
}

void reports2::job_Click(int area)
{
    if (area == dbcAreaList)
        job_Change();
}

void reports2::pay1_Change(int index)
{
    if (!RecordLoading && !SuppressHighlight)
        highlight(pay1[index]);
}

void reports2::picker_CloseUp()
{
    pay1[0]->setText(formatShortDate(picker->Value()));
}

void reports2::DTPicker1_CloseUp()
{
    pay1[2]->setText(formatShortDate(DTPicker1->Value()));
}

void reports2::DTPicker2_CloseUp()
{
    pay1[7]->setText(formatShortDate(DTPicker2->Value()));
}

void reports2::sspanel100_MouseMove()
{
    SuppressHighlight = false;
}

void reports2::highlight(Control *field)
{
    field->setBackColor(vbPink);
}

void reports2::resetcolor()
{
    const std::array<Control *, 12> fields{pay1[0],   pay1[1],   pay1[2],   pay1[3],   pay1[4], combo1,
                                           Combo2[1], Combo2[2], Combo2[3], Combo2[4], job,     pay1[7]};
    for (Control *field : fields)
        field->setBackColor(vbWhite);
}

void reports2::Command9_Click()
{
    for (int i : {0, 1, 2, 3, 4, 7})
        pay1[i]->setText(QString());
    combo1->setText(QString());
    DBCombo2->setText(QString());
    for (int i = 1; i <= 4; ++i)
        Combo2[i]->setText(QString());
    job->setText(QString());
    resetcolor();
}

void reports2::Command6_Click()
{
    searchbox->setVisible(false);
}

void reports2::Command7_Click()
{
    Command6_Click();
}

void reports2::Command11_Click()
{
    typeoftrans->setText(AllPurchases);
    Picture4->setVisible(false);
    Label1[4]->setVisible(false);
    combo1->setVisible(false);
    Label1[19]->setVisible(true);
    DBCombo2->setVisible(true);
    Combo4->setVisible(false);
}

// ---- Leaving ----

void reports2::Command1_Click(int index)
{
    if (index == 1 || index == 2)
        leave();
}

void reports2::leave()
{
    Forms::get<Menu2>().Show();
    s->DatabaseName.clear();
    s->Refresh();
    Forms::Unload(*this);
}

// ---- Go: the search and the transaction reports ----

ReportCriteria reports2::criteria() const
{
    ReportCriteria c;
    c.reportOn = typeoftrans->Text();
    c.period = basfor->Text();
    c.year = basyear->Text();
    c.from = pay1[0]->Text();
    c.to = pay1[7]->Text();
    c.client = combo1->Text();
    c.supplier = DBCombo2->Text();
    c.forText = pay1[1]->Text();
    c.invoiceDate = pay1[2]->Text();
    c.invoiceNumber = pay1[3]->Text();
    c.cheque = pay1[4]->Text();
    c.paidBy = Combo2[1]->Text();
    c.category = Combo2[2]->Text();
    c.subCategory = Combo2[3]->Text();
    c.personalUse = Combo2[4]->Text();
    c.job = job->Text();
    c.dateBasis = Combo4->Text();
    c.orderBy = orderby1->Text();
    return c;
}

bool reports2::periodChecked()
{
    if ((!pay1[0]->Text().isEmpty() || !pay1[7]->Text().isEmpty()) && basfor->Text() != SelectDates) {
        exclaim(QStringLiteral("Select period of report or dates."));
        return false;
    }
    if (basyear->Text().isEmpty() && basfor->Text() != SelectDates) {
        exclaim(QStringLiteral("Please select Financial Year."));
        return false;
    }
    return true;
}

void reports2::Command8_Click()
{
    if (typeoftrans->Text().isEmpty()) {
        exclaim(NameTheReport);
        return;
    }
    // A hidden list still counts: a client picked before "Capital" is still there.
    if (!combo1->Text().isEmpty() && !DBCombo2->Text().isEmpty()) {
        exclaim(QStringLiteral("You cannot search for Client and Supplier at the same time."));
        return;
    }
    if (!periodChecked())
        return;
    // A share, a year or a date that is not one never reaches the query or the formula.
    const std::optional<SearchTexts> texts = buildSearch(criteria());
    if (!texts) {
        exclaim(CheckTheData);
        return;
    }
    if (reptype->Text() == SearchType)
        searchbox->setVisible(true);
    flex->Clear();
    tot->setText(QString());
    net->setText(QString());
    gst->setText(QString());
    flexfill();
    search(*texts);
}

void reports2::flexfill()
{
    const bool income = isIncome(typeoftrans->Text());
    for (int col = 0; col < int(GridColumns.size()); ++col)
        flex->setTextMatrix(0, col,
                            col == 4 && income ? QStringLiteral("Client") : QLatin1String(GridColumns[col].heading));
    flex->setRow(0);
    flex->setRowSel(0);
    for (int col = 0; col < int(GridColumns.size()); ++col) {
        flex->setCol(col);
        flex->setColSel(col);
        flex->setCellFontSize(10);
        flex->setCellFontName(QStringLiteral("Times New Roman"));
        flex->setCellFontBold(true);
    }
    for (int col = 0; col < int(GridColumns.size()); ++col)
        flex->setColWidth(col, GridColumns[col].width);
}

void reports2::search(const SearchTexts &texts)
{
    if (!texts.hasCriterion
        && MsgBox(
               QStringLiteral(
                   "This search has no dates associated. It will select all records meeting your criteria. Proceed?"),
               vbYesNo, QStringLiteral("Corvane"))
               != vbYes)
        return;
    if (texts.sortField)
        Report1->setSortFields(0, *texts.sortField);
    if (reptype->Text() != SearchType)
        runTransactionReport(texts);
    else
        fillGrid(texts);
}

void reports2::fillGrid(const SearchTexts &texts)
{
    const Hourglass hourglass(*this);
    try {
        const auto db = openProgramDatabase(BookFile);
        // Only the columns the grid shows are read.
        const auto rs = db->OpenRecordset(texts.selecting(GridSelect), RecordsetType::ForwardOnly);
        if (rs->Eof() && rs->Bof()) {
            setMousePointer(vbDefault);
            exclaim(QStringLiteral("No Transactions found"));
            rs->Close();
            return;
        }
        flex->Clear();
        flexfill();
        // The rows are this table's, whatever "Report on" says by the time one is opened.
        m_gridIncome = texts.income;
        const GridSums sums = fillRows(*flex, *rs, texts.invoiceDates);
        rs->Close();
        tot->setText(Format(sums.total, TotalsFormat));
        net->setText(Format(sums.nett, TotalsFormat));
        gst->setText(Format(sums.tax, TotalsFormat));
        // No amount is cut: the columns of money fit the largest usual amount and the sums the
        // largest usual sum, or what they show when it is longer, in the font they are drawn in.
        for (size_t i = 0; i < MoneyColumns.size(); ++i)
            flex->fitColumnTo(MoneyColumns[i], longer(LargestAmount, sums.longest[i]));
        for (TextBox *sum : {tot, net, gst})
            sum->fitText(longer(LargestTotal, sum->Text()));
    } catch (const Error &e) {
        setMousePointer(vbDefault);
        // A file that cannot be used is no fault of the data: say which and what is wrong.
        exclaim(isUnusableFile(e) ? e.Description() : CheckTheData);
    }
}

void reports2::runTransactionReport(const SearchTexts &texts)
{
    const Hourglass hourglass(*this);
    Report1->Connect = ReportConnect;
    Report1->Destination = reptype->Text() == QLatin1String("Print report") ? crptToPrinter : crptToWindow;
    Report1->ReportFileName = texts.reportFile;
    Report1->SelectionFormula = texts.formula;
    runReport();
}

void reports2::runReport()
{
    try {
        Report1->setAction(1);
    } catch (const Error &e) {
        setMousePointer(vbDefault);
        showPrintFailure(e, Printout::Report);
    }
}

// ---- The grid's double-click ----

void reports2::flex_DblClick()
{
    if (flex->Text().isEmpty()) {
        exclaim(QStringLiteral("No Item Selected!"));
        return;
    }
    const long id = flex->RowData(flex->Row());
    LedgerScreen &ledger = m_gridIncome ? static_cast<LedgerScreen &>(Forms::get<RRC>())
                                        : static_cast<LedgerScreen &>(Forms::get<PRC>());
    ledger.Show();
    ledger.searchtext->setText(QString::number(id));
    ledger.search_Click();
    ledger.gobackb->setText(QStringLiteral("Reports"));
    ledger.back->setVisible(true);
}

// ---- Generate Report: the profit-and-loss reports ----

void reports2::Command10_Click()
{
    // A typed text that names no report runs none (not the file of the last run).
    if (!namesProfitAndLossReport(typeoftrans->Text())) {
        exclaim(NameTheReport);
        return;
    }
    if (!periodChecked())
        return;
    const std::optional<ProfitAndLossRun> run = buildProfitAndLoss(criteria());
    if (!run) {
        exclaim(CheckTheData);
        return;
    }
    searchpl(*run);
}

void reports2::searchpl(const ProfitAndLossRun &run)
{
    const Hourglass hourglass(*this);
    Report1->ReportFileName = run.file;
    // These reports always go by date, and the screen says so.
    orderby1->setText(QStringLiteral("Date"));
    if (run.sortField)
        Report1->setSortFields(0, *run.sortField);
    Report1->Connect = ReportConnect;
    Report1->Destination = crptToWindow;
    Report1->SelectionFormula = run.formula;
    runReport();
}

} // namespace qm
