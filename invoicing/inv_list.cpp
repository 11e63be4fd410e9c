// The invoice form's list of stored invoices: its filters, its grid and its two totals.
#include "invoicing/inv.h"

#include "common/convert.h"
#include "common/databases.h"
#include "common/format.h"
#include "common/period.h"
#include "data/database.h"
#include "data/error.h"
#include "platform/dbcombo.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"

#include <cmath>

namespace qm {

namespace {
const QString AllDates = QStringLiteral("All dates");
const QString ShowList = QStringLiteral("History / Search");
const QString HideList = QStringLiteral("Hide History");

// An amount as stored, as plain decimal text; nothing for Null.
QString amountText(const Value &value)
{
    return value.isNumber() ? plainNumber(value.toDouble()) : value.toText();
}

// A day of a period as a date.
QDate periodDate(const PeriodDay &day)
{
    return QDate(day.year.toInt(), day.month, day.day);
}

struct ListedInvoice
{
    QStringList cells;
    long id = 0;
};
} // namespace

// The statement of the filters: the client's invoices or all, of a status, in a period.
INV::ListQuery INV::listQuery() const
{
    ListQuery query;
    QStringList conditions;
    if (Check1->Value() != 1) {
        conditions << QStringLiteral("i = ?");
        query.parameters.emplace_back(DBCombo1->Text());
    }
    const QString status = combo1->Text();
    if (status == QLatin1String("Unpaid invoices"))
        conditions << QStringLiteral("paid < xtotal");
    else if (status == QLatin1String("Unprinted invoices"))
        conditions << QStringLiteral("printed <> 'YES'");
    else if (status != QLatin1String("All invoices"))
        throw Error(ErrorCode::SyntaxError, QStringLiteral("\"%1\" is not a status of the list.").arg(status));
    if (basfor->Text() != AllDates) {
        const PeriodRange period = PeriodBounds(basfor->Text(), basyear->Text());
        if (period.status == PeriodRange::BadYear)
            throw Error(ErrorCode::TypeMismatch, QStringLiteral("\"%1\" is not a year.").arg(basyear->Text()));
        if (period.status != PeriodRange::Found)
            throw Error(ErrorCode::SyntaxError,
                        QStringLiteral("\"%1\" is not a period of the list.").arg(basfor->Text()));
        conditions << QStringLiteral("b >= ? AND b <= ?");
        query.parameters.emplace_back(periodDate(period.first));
        query.parameters.emplace_back(periodDate(period.last));
    }
    conditions << QStringLiteral("e <> 'plimb'");
    query.select = QStringLiteral("select b, a, y, xd1, xtotal, paid, ID, i from inv where ")
                   + conditions.join(u" and ") + QStringLiteral(" order by b");
    return query;
}

void INV::flexfill()
{
    const char *const headings[]
        = {"Date", "Invoice #", "Inv to", "First Item Description", "$Total", "$Paid", "Project"};
    // The date column is wide enough for dd/mm/yy in the grid's font.
    const long widths[] = {1000, 1100, 2000, 4550, 800, 800, 2000};
    flex->setRow(0);
    for (int col = 0; col < 7; ++col) {
        flex->setTextMatrix(0, col, QString::fromLatin1(headings[col]));
        flex->setCol(col);
        flex->setCellFontName(QStringLiteral("Times New Roman"));
        flex->setCellFontSize(10);
        flex->setCellFontBold(true);
    }
    flex->setRow(0);
    for (int col = 0; col < 7; ++col)
        flex->setColWidth(col, widths[col]);
    // The two totals under the $Total and $Paid columns (the grid's frame is a pixel wide).
    // A total is never narrower than its largest sum: its column widens to it.
    double left = 15;
    for (int col = 0; col < 4; ++col)
        left += flex->ColWidth(col);
    for (int i = 0; i < 2; ++i) {
        TextBox *total = i == 0 ? itot : ptot;
        total->setWidth(flex->ColWidth(4 + i));
        if (total->Width() > flex->ColWidth(4 + i))
            flex->setColWidth(4 + i, std::lround(total->Width()));
        const double width = flex->ColWidth(4 + i);
        total->Move(left, 90, width, 390);
        m_totalLabels[i]->Move(left, 510, width, 270);
        left += width;
    }
}

void INV::flexdata()
{
    setMousePointer(vbHourglass);
    // Everything is read before the grid is written: a failure leaves the headings alone.
    std::vector<ListedInvoice> invoices;
    double total = 0, paid = 0;
    try {
        const ListQuery query = listQuery();
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        std::unique_ptr<Recordset> rs = db->OpenQuery(query.select, query.parameters, RecordsetType::Snapshot);
        for (; !rs->Eof(); rs->MoveNext()) {
            const QDate date = rs->field(0).toDate();
            ListedInvoice invoice;
            invoice.cells << (date.isValid() ? date.toString(QStringLiteral("dd/MM/yy")) : QString())
                          << rs->field(1).toText() << rs->field(7).toText() << rs->field(3).toText()
                          << amountText(rs->field(4)) << amountText(rs->field(5)) << rs->field(2).toText();
            invoice.id = static_cast<long>(rs->field(6).toInteger());
            total += Val(rs->field(4));
            paid += Val(rs->field(5));
            invoices.push_back(invoice);
        }
        rs->Close();
    } catch (const Error &e) {
        setMousePointer(vbDefault);
        MsgBox(QStringLiteral("Error = ") + e.Description(), vbOKOnly, appTitle());
        return;
    }
    int row = 1;
    for (const ListedInvoice &invoice : invoices) {
        for (int col = 0; col < 7; ++col)
            flex->setTextMatrix(row, col, invoice.cells[col]);
        flex->setRowData(row, invoice.id);
        ++row;
        // The grid grows a row with every invoice: it never runs out.
        flex->setRows(flex->Rows() + 1);
    }
    if (!invoices.empty()) {
        itot->setText(plainNumber(total));
        ptot->setText(plainNumber(paid));
    }
    setMousePointer(vbDefault);
}

void INV::rebuildList()
{
    // No totals of an earlier run stand beside the new list.
    itot->setText(QString());
    ptot->setText(QString());
    flex->Clear();
    flexfill();
    flexdata();
}

void INV::showList(bool shown)
{
    m_listArea->setVisible(shown);
    flex->setVisible(shown);
    history->setCaption(shown ? HideList : ShowList);
    Picture3->setVisible(shown);
    Check1->setVisible(shown);
    statuspanel->setVisible(!shown);
}

void INV::history_Click()
{
    if (DBCombo1->Text().isEmpty()) {
        MsgBox(QStringLiteral("You must select a Client"), vbExclamation, appTitle());
        return;
    }
    showList(history->Caption() == ShowList);
    rebuildList();
}

void INV::combo1_Click()
{
    rebuildList();
}

void INV::basyear_Click()
{
    rebuildList();
}

void INV::basfor_Click()
{
    rebuildList();
    const bool byYear = basfor->Text() != AllDates;
    basyear->setVisible(byYear);
    Label1[5]->setVisible(byYear);
}

void INV::Check1_Click()
{
    rebuildList();
    const bool oneClient = Check1->Value() != 1;
    DBCombo1->setVisible(oneClient);
    Label1[4]->setVisible(oneClient);
}

void INV::flex_Click()
{
    if (flex->Text().isEmpty()) {
        MsgBox(QStringLiteral("No Item Selected!"), vbExclamation, appTitle());
        return;
    }
    const QString shown = invid->Text();
    invid->setText(QString::number(flex->RowData(flex->Row())));
    if (!getinv()) {
        invid->setText(shown); // the invoice on screen stays the one Save and Delete act on
        return;
    }
    showList(false);
    statuspanel->setCaption(QStringLiteral("Editing"));
}

} // namespace qm
