#include "invoicing/inv.h"

#include "common/convert.h"
#include "common/databases.h"
#include "common/format.h"
#include "common/period.h"
#include "common/shortdate.h"
#include "data/database.h"
#include "data/dates.h"
#include "data/error.h"
#include "data/fileaccess.h"
#include "data/jetsql.h"
#include "data/transaction.h"
#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"
#include "platform/reportcontrol.h"
#include "shell/ci.h"
#include "shell/module1.h"
#include "shell/screenskeleton.h"

#include <QScopedValueRollback>

namespace qm {

namespace {
const QString Adding = QStringLiteral("Adding");
const QString Editing = QStringLiteral("Editing");
const QString Money = QStringLiteral("###.00");

// Where cell `cell` of line row `row` (1 to 7) stands among the columns of inv.
int lineOrdinal(int row, int cell)
{
    return 28 + LineCells * (row - 1) + cell;
}

// The columns of the organisation's details in inv, with the variables that hold them for
// the invoice on screen.
struct OrgColumn
{
    const char *column;
    QString *value;
};
const std::array<OrgColumn, 10> &orgColumns()
{
    static const std::array<OrgColumn, 10> columns{{
        {"c", &OrgAddress},
        {"d", &OrgSuburb},
        {"e", &OrgState},
        {"f", &OrgPostcode},
        {"g", &OrgPhone},
        {"h", &OrgFax},
        {"zz", &OrgName},
        {"chequespayableto", &OrgChequesPayableTo},
        {"invphone", &OrgInvoicePhone},
        {"specialmessage", &OrgSpecialMessage},
    }};
    return columns;
}

const char *const BillTo[] = {"i", "j", "k", "l", "m", "n"};
const char *const ShipTo[] = {"o", "p", "q", "r", "s", "t"};
const char *const Shipping[] = {"u", "v", "w", "x", "y", "z"};
const char *const Totals[] = {"xsubtot", "xgst", "othertax", "xtotal"};

// The stored invoice with this key: a number, else Error 13; Error 3021 when there is none
// (no key at all: no invoice is loaded).
std::unique_ptr<Recordset> openInvoice(Database &db, const QString &key, RecordsetType type = RecordsetType::Dynaset)
{
    if (key.trimmed().isEmpty())
        throw Error(ErrorCode::NoCurrentRecord);
    std::unique_ptr<Recordset> rs
        = db.OpenRecordset(QStringLiteral("select * from inv where id = ") + SqlNumber(key), type);
    if (rs->Eof())
        throw Error(ErrorCode::NoCurrentRecord);
    return rs;
}

// The row a save writes into, or why the save is refused.
struct SaveRow
{
    std::unique_ptr<Recordset> rs;
    QString refusal;
};

// A new row holding the number. Receipts name their invoice by its number: two invoices never
// share one.
SaveRow newInvoiceRow(Database &db, const QString &number)
{
    std::unique_ptr<Recordset> same
        = db.OpenQuery(QStringLiteral("select ID from inv where trim(a) = ? collate nocase"), {Value(number)});
    if (!same->Eof())
        return {nullptr, QStringLiteral("Invoice number %1 already exists.").arg(number)};
    same->Close();
    std::unique_ptr<Recordset> rs = db.OpenRecordset(QStringLiteral("select * from inv"));
    rs->AddNew();
    rs->Fields(QStringLiteral("a")).setValue(number);
    return {std::move(rs), {}};
}

// The stored invoice's row, which keeps the number it was saved with.
SaveRow storedInvoiceRow(Database &db, const QString &key, const QString &number)
{
    std::unique_ptr<Recordset> rs = openInvoice(db, key);
    if (rs->field(QStringLiteral("a")).toText().trimmed() != number)
        return {nullptr, QStringLiteral("The number of a saved invoice cannot be changed.")};
    rs->Edit();
    return {std::move(rs), {}};
}

// The last number used is the last one added: an older invoice saved again does not turn the
// numbering back.
void recordLastNumber(Database &db, const QString &number)
{
    std::unique_ptr<Recordset> last = db.OpenRecordset(QStringLiteral("select * from invnumb"));
    if (last->Eof())
        last->AddNew();
    else
        last->Edit();
    last->Fields(QStringLiteral("last")).setValue(number);
    last->Update();
    last->Close();
}
} // namespace

INV::INV()
    : Form(QStringLiteral("INV"))
{
    buildLayout();
    buildMenus();
    wireHandlers();
}

void INV::buildMenus()
{
    MenuBar(*this, appTitle())
        .mainMenu(&mm)
        .menu(QStringLiteral("&File..."), {{QStringLiteral("&Add a Contact"), &fa, {}, false},
                                           {QStringLiteral("&Delete Current Record"), &fd, [this] { fd_Click(); }}})
        .barItem({QStringLiteral("&Organisation Info"), &moi, [this] { moi_Click(); }})
        .print(&mps)
        .help(&ht, &a1)
        .quit(&en);
}

void INV::wireHandlers()
{
    DBCombo1->onClick = [this](int area) { DBCombo1_Click(area); };
    picker->onCloseUp = [this] { picker_CloseUp(); };
    DTPicker1->onCloseUp = [this] { DTPicker1_CloseUp(); };
    for (int row = 1; row <= LineRows; ++row) {
        for (int index = 0; index < LineCells; ++index) {
            l(row)[index]->onChange = [this, row, index] { l_Change(row, index); };
            l(row)[index]->onDblClick = [this, row, index] { l_DblClick(row, index); };
        }
    }
    save->onClick = [this] { save_Click(); };
    viewprint[0]->onClick = [this] { viewprint_Click(0); };
    viewprint[1]->onClick = [this] { viewprint_Click(1); };
    Command2->onClick = [this] { Command2_Click(); };
    gotoMenu->onClick = [this] { gotoMenu_Click(); };
    history->onClick = [this] { history_Click(); };
    back->onMouseMove = [this] { back_MouseMove(); };
    combo1->onClick = [this] { combo1_Click(); };
    basfor->onClick = [this] { basfor_Click(); };
    basyear->onClick = [this] { basyear_Click(); };
    Check1->onClick = [this] { Check1_Click(); };
    flex->onClick = [this] { flex_Click(); };
}

ControlArray<TextBox> &INV::l(int row)
{
    ControlArray<TextBox> *rows[] = {&l1, &l2, &l3, &l4, &l5, &l6, &l7};
    if (row < 1 || row > LineRows)
        throw Error(ErrorCode::NoSuchArrayElement);
    return *rows[row - 1];
}

// ---- Opening ----

void INV::Form_Load()
{
    // The client list first: a books file that cannot be used stops the form before the
    // numbering below writes to the other.
    c->Refresh();
    EditMode = Adding;
    statuspanel->setCaption(Adding);
    const QDate today = qm::today();
    picker->setValue(today);
    DTPicker1->setValue(today);
    a[1]->setText(formatShortDate(today));
    CentreForm(*sspanel100);
    populateorg();
    if (invnumb->Text().isEmpty())
        getnextinv();

    for (const char *status : {"All invoices", "Unpaid invoices", "Unprinted invoices"})
        combo1->AddItem(QString::fromLatin1(status));
    combo1->setText(QStringLiteral("All invoices"));
    basfor->AddItem(QStringLiteral("All dates"));
    for (const QString &period : periodNames())
        basfor->AddItem(period);
    basfor->AddItem(FinancialYearPeriod);
    basfor->setText(QStringLiteral("All dates"));
    for (const QString &year : financialYears())
        basyear->AddItem(year);
    basyear->setText(QStringLiteral("2000"));
}

void INV::populateorg()
{
    try {
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        std::unique_ptr<Recordset> rs = db->OpenRecordset(QStringLiteral("select * from info"));
        if (rs->Eof()) {
            exclaim(QStringLiteral("No Organisational information found. Please use the selection on the Main Menu "
                                   "to enter your business information."));
            rs->Close();
            return;
        }
        const auto text = [&](const char *column) { return rs->field(QString::fromLatin1(column)).toText(); };
        OrgName = text("a");
        OrgAddress = text("b");
        OrgSuburb = text("c");
        OrgState = text("d");
        OrgPostcode = text("e");
        OrgPhone = text("f");
        OrgFax = text("g");
        OrgChequesPayableTo = text("i");
        OrgInvoicePhone = text("j");
        OrgSpecialMessage = text("k");
        b[0]->setText(text("n"));
        b[3]->setText(text("o"));
        b[5]->setText(text("l"));
        rs->Close();
    } catch (const Error &e) {
        // The form opens all the same, with what was read; not over a file it cannot use.
        if (isUnusableFile(e))
            throw;
    }
}

void INV::getnextinv()
{
    try {
        QString last = QStringLiteral("A0");
        {
            std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
            std::unique_ptr<Recordset> rs = db->OpenRecordset(QStringLiteral("select * from invnumb"));
            if (rs->Eof()) {
                rs->AddNew();
                rs->Fields(1).setValue(last);
                rs->Update();
            } else {
                last = rs->field(1).toText();
            }
            rs->Close();
        }
        // Letters followed by a number: the number goes up by one, the letters stay.
        qsizetype digit = 0;
        while (digit < last.size() && !(last[digit] >= u'0' && last[digit] <= u'9'))
            ++digit;
        if (digit == last.size())
            return;
        a[0]->setText(last.first(digit) + plainNumber(Val(last.sliced(digit)) + 1));
    } catch (const Error &e) {
        // No proposal: the user types the number; not into a file that cannot be used.
        if (isUnusableFile(e))
            throw;
    }
}

// ---- The client ----

void INV::DBCombo1_Click(int)
{
    if (statuspanel->Caption() == Editing
        && MsgBox(QStringLiteral("Are you sure you want to change the Client on this existing invoice?"), vbYesNo,
                  appTitle())
               != vbYes)
        return;
    const char *const billFrom[] = {"l", "d", "e", "f", "g", "n"};
    const char *const shipFrom[] = {"r", "s", "t", "u", "w", "v"};
    QStringList bill, ship;
    try {
        std::unique_ptr<Database> db = openProgramDatabase(BookFile);
        std::unique_ptr<Recordset> rs
            = db->OpenQuery(QStringLiteral("select * from c where l = ?"), {Value(DBCombo1->Text())});
        if (rs->Eof()) {
            rs->Close();
            return;
        }
        for (int i = 0; i < 6; ++i) {
            bill << rs->field(QString::fromLatin1(billFrom[i])).toText();
            ship << rs->field(QString::fromLatin1(shipFrom[i])).toText();
        }
        rs->Close();
    } catch (const Error &e) {
        exclaim(QStringLiteral("Error: ") + e.Description());
        return;
    }
    for (int i = 0; i < 6; ++i) {
        x[i]->setText(bill[i]);
        s[i]->setText(ship[i]);
    }
    for (Control *shown :
         std::initializer_list<Control *>{Picture1, history, save, viewprint[0], viewprint[1], Command2, gotoMenu})
        shown->setVisible(true);
    rebuildList();
}

void INV::picker_CloseUp()
{
    a[1]->setText(formatShortDate(picker->Value()));
}

void INV::DTPicker1_CloseUp()
{
    b[2]->setText(formatShortDate(DTPicker1->Value()));
}

// ---- Line rows and totals ----

void INV::l_Change(int row, int index)
{
    // The handling's own writes do not start it again: each change is worked through once.
    if (m_linesQuiet)
        return;
    const QScopedValueRollback quiet(m_linesQuiet, true);
    ControlArray<TextBox> &cells = l(row);
    LineTexts texts;
    for (int i = 0; i < LineCells; ++i)
        texts[i] = cells[i]->Text();
    // A rate or amount being typed: where the cursor goes decides what the next key does.
    const bool money = index == LineRate || index == LineAmount;
    int cursorFromEnd = 0;
    if (money) {
        TextBox *cell = cells[index];
        const MoneyEntry entry = enterMoney({cell->PreviousText(), cell->PreviousSelStart(), cell->PreviousSelLength()},
                                            cell->Text(), cell->SelStart());
        texts[index] = entry.text;
        cursorFromEnd = static_cast<int>(entry.text.size()) - entry.cursor;
    }
    const LineTexts worked = workOutLine(texts, index);
    for (int i = 0; i < LineCells; ++i)
        cells[i]->setText(worked[i]);
    if (money)
        cells[index]->setSelStart(std::max(0, static_cast<int>(cells[index]->Text().size()) - cursorFromEnd));
    showTotals();
}

void INV::l_DblClick(int row, int index)
{
    if (index == LineTax)
        l(row)[LineTax]->setText(QStringLiteral("GST"));
}

InvoiceLines INV::lineTexts()
{
    InvoiceLines lines;
    for (int row = 1; row <= LineRows; ++row)
        for (int i = 0; i < LineCells; ++i)
            lines[row - 1][i] = l(row)[i]->Text();
    return lines;
}

void INV::showTotals()
{
    const InvoiceTotals totals = workOutTotals(lineTexts());
    xsubtot->setText(totals.nett);
    xgst->setText(totals.gst);
    othertax->setText(totals.otherTax);
    xtotal->setText(totals.total);
}

// ---- Loading a stored invoice ----

bool INV::getinv()
{
    return loadInvoice(false);
}

bool INV::getinvnumb()
{
    return loadInvoice(true);
}

bool INV::loadInvoice(bool byNumber)
{
    // The whole row is read before anything is shown: a row that cannot be read shows nothing.
    QString id, number, date;
    QStringList bill, ship, shipping, org;
    InvoiceLines lines;
    std::array<double, 4> totals{};
    try {
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        std::unique_ptr<Recordset> rs;
        if (byNumber)
            rs = db->OpenQuery(QStringLiteral("select * from inv where a = ? order by b"), {Value(invnumb->Text())},
                               RecordsetType::Snapshot);
        else
            rs = openInvoice(*db, invid->Text(), RecordsetType::Snapshot);
        if (byNumber)
            statuspanel->setCaption(Editing);
        if (rs->Eof())
            throw Error(ErrorCode::NoCurrentRecord);
        const auto text = [&](const char *column) { return rs->field(QString::fromLatin1(column)).toText(); };
        id = rs->field(0).toText();
        number = text("a");
        date = shortDate(rs->field(QStringLiteral("b")).toDate());
        for (const OrgColumn &column : orgColumns())
            org << text(column.column);
        for (int i = 0; i < 6; ++i) {
            bill << text(BillTo[i]);
            ship << text(ShipTo[i]);
            shipping << text(Shipping[i]);
        }
        for (int row = 1; row <= LineRows; ++row)
            for (int i = 0; i < LineCells; ++i)
                lines[row - 1][i] = rs->field(lineOrdinal(row, i)).toText();
        for (int i = 0; i < 4; ++i)
            totals[i] = Val(rs->field(QString::fromLatin1(Totals[i])));
        rs->Close();
    } catch (const Error &e) {
        MsgBox(e.Description(), vbOKOnly, appTitle());
        return false;
    }

    a[0]->setText(number);
    a[1]->setText(date);
    for (size_t i = 0; i < orgColumns().size(); ++i)
        *orgColumns()[i].value = org[static_cast<qsizetype>(i)];
    for (int i = 0; i < 6; ++i) {
        x[i]->setText(bill[i]);
        s[i]->setText(ship[i]);
        b[i]->setText(shipping[i]);
    }
    {
        // The stored cells as they were saved: nothing is worked out again.
        const QScopedValueRollback quiet(m_linesQuiet, true);
        for (int row = 1; row <= LineRows; ++row)
            for (int i = 0; i < LineCells; ++i)
                l(row)[i]->setText(lines[row - 1][i]);
    }
    TextBox *boxes[] = {xsubtot, xgst, othertax, xtotal};
    for (int i = 0; i < 4; ++i)
        boxes[i]->setText(Format(totals[i], Money));
    // The key of the invoice on screen, so that Delete removes this one.
    invid->setText(id);
    return true;
}

// ---- Save, Delete, New ----

bool INV::save_Click()
{
    // Numbers are kept trimmed; a blank one would stop the numbering.
    const QString number = a[0]->Text().trimmed();
    if (const QString refusal = saveRefusal(number); !refusal.isEmpty()) {
        exclaim(refusal);
        return false;
    }
    const bool adding = statuspanel->Caption() != Editing;
    Hourglass hourglass(*this);
    QString id;
    try {
        // The invoice and the last number used go in one transaction: a save that stops half
        // way leaves the file as it was.
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        Transaction transaction(*db);
        const SaveRow row = adding ? newInvoiceRow(*db, number) : storedInvoiceRow(*db, invid->Text(), number);
        if (!row.rs) {
            hourglass.done();
            exclaim(row.refusal);
            return false;
        }
        id = writeInvoice(*row.rs);
        if (adding)
            recordLastNumber(*db, number);
        transaction.commit();
    } catch (const Error &e) {
        hourglass.done();
        exclaim(QStringLiteral("Error: ") + e.Description());
        return false;
    }
    a[0]->setText(number);
    invid->setText(id);
    statuspanel->setCaption(Editing);
    return true;
}

QString INV::saveRefusal(const QString &number)
{
    if (number.isEmpty())
        return QStringLiteral("Must enter an invoice number");
    if (a[1]->Text().trimmed().isEmpty())
        return QStringLiteral("Must enter a date");
    if (!isDate(a[1]->Text()))
        return QStringLiteral("The invoice date is not a date.");
    if (!b[2]->Text().trimmed().isEmpty() && !isDate(b[2]->Text()))
        return QStringLiteral("Date Shipped is not a date.");
    // A sum or a line beyond what a number holds shows as "inf" or "nan" and would be stored as
    // 0 or as that text.
    bool beyondRange = hasNumberBeyondRange(lineTexts());
    for (const TextBox *total : {xsubtot, xgst, othertax, xtotal})
        beyondRange = beyondRange || (!total->Text().isEmpty() && !isNumeric(total->Text()));
    if (beyondRange)
        return QStringLiteral("The amounts are too large to add up: check the quantities and rates.");
    return {};
}

QString INV::writeInvoice(Recordset &rs)
{
    writeHeader(rs);
    writeLines(rs);
    // As saved now, it has not been printed.
    rs.Fields(QStringLiteral("printed")).setValue(QString());
    rs.Fields(QStringLiteral("m1")).setValue(QStringLiteral("1"));
    rs.Update();
    rs.setBookmark(rs.LastModified());
    const QString id = rs.field(0).toText();
    rs.Close();
    return id;
}

void INV::writeHeader(Recordset &rs)
{
    const auto set
        = [&](const char *column, const Value &value) { rs.Fields(QString::fromLatin1(column)).setValue(value); };
    set("b", a[1]->Text());
    for (const OrgColumn &column : orgColumns())
        set(column.column, *column.value);
    for (int i = 0; i < 6; ++i) {
        set(BillTo[i], x[i]->Text());
        set(ShipTo[i], s[i]->Text());
    }
    for (int i : {0, 1, 3, 4, 5})
        set(Shipping[i], b[i]->Text());
    // An empty Date Shipped is no date, also over one stored before.
    set("w", b[2]->Text().trimmed().isEmpty() ? Value() : Value(b[2]->Text()));
}

void INV::writeLines(Recordset &rs)
{
    for (int row = 1; row <= LineRows; ++row)
        for (int i = 0; i < LineCells; ++i)
            rs.Fields(lineOrdinal(row, i)).setValue(l(row)[i]->Text());
    const TextBox *boxes[] = {xsubtot, xgst, othertax, xtotal};
    for (int i = 0; i < 4; ++i)
        rs.Fields(QString::fromLatin1(Totals[i])).setValue(Val(boxes[i]->Text()));
}

void INV::fd_Click()
{
    if (statuspanel->Caption() == Adding) {
        exclaim(QStringLiteral("Can't delete while adding"));
        return;
    }
    if (MsgBox(QStringLiteral("Delete Current Record?"), vbYesNo, QStringLiteral("Are you Sure?")) != vbYes)
        return;
    try {
        const Hourglass hourglass(*this);
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        std::unique_ptr<Recordset> rs = openInvoice(*db, invid->Text());
        rs->Delete();
        rs->Close();
    } catch (const Error &e) {
        exclaim(QStringLiteral("Error: ") + e.Description());
        return;
    }
    exclaim(QStringLiteral("Record deleted!"));
    ReloadForm(*this);
}

void INV::Command2_Click()
{
    if (MsgBox(QStringLiteral("Are you sure?"), vbYesNo, appTitle()) == vbYes)
        ReloadForm(*this);
}

// ---- Preview, printing and the ways out ----

void INV::viewprint_Click(int index)
{
    // What is previewed or printed is what was just stored, or nothing.
    if (!save_Click())
        return;
    const bool toPrinter = index == 1;
    const QString number = a[0]->Text();
    Hourglass hourglass(*this);
    Report1->Destination = toPrinter ? crptToPrinter : crptToWindow;
    Report1->ReportFileName = QStringLiteral("invoice.rpt");
    try {
        // The formula quotes its texts as SQL does.
        Report1->SelectionFormula = QStringLiteral("{inv.a} = ") + SqlText(number);
        Report1->setAction(1);
    } catch (const Error &e) {
        hourglass.done();
        // Nothing was printed, and nothing is marked.
        showPrintFailure(e, Printout::Report);
        return;
    }
    if (!toPrinter)
        return;
    // The mark goes on the row just saved, found by its key.
    try {
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        std::unique_ptr<Recordset> rs = openInvoice(*db, invid->Text());
        rs->Edit();
        rs->Fields(QStringLiteral("printed")).setValue(QStringLiteral("YES"));
        rs->Update();
        rs->Close();
    } catch (const Error &e) {
        hourglass.done();
        exclaim(QStringLiteral("Invoice %1 was printed, but it could not be marked as printed (%2).")
                    .arg(number, e.Description()));
    }
}

void INV::back_MouseMove()
{
    if (gobackb->Text() == QLatin1String("RRC")) {
        Forms::get<RRC>().Show();
        gobackb->setText(QString());
        Forms::Unload(*this);
    } else if (gobackb->Text().isEmpty()) {
        MsgBox(QStringLiteral("Nothing to go back to."), vbExclamation, appTitle());
        back->setVisible(false);
    }
}

void INV::gotoMenu_Click()
{
    goToMainMenu(*this);
}

void INV::moi_Click()
{
    Forms::get<CI>().Show();
    Forms::Unload(*this);
}

} // namespace qm
