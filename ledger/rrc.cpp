#include "ledger/rrc.h"

#include "common/convert.h"
#include "common/databases.h"
#include "common/format.h"
#include "contacts/crc.h"
#include "data/database.h"
#include "data/dates.h"
#include "data/error.h"
#include "data/transaction.h"
#include "invoicing/inv.h"
#include "ledger/invoiceposting.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/msgbox.h"
#include "shell/module1.h"

#include <QGridLayout>
#include <QScopedValueRollback>

namespace qm {

namespace {
// An amount as the row stores it (money keeps 4 decimals); empty text is nothing.
double amountOf(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0;
    if (isNumeric(text))
        return roundDecimal(strictNumber(text), 4);
    return Val(text);
}
} // namespace

RRC::RRC()
    : LedgerScreen(QStringLiteral("RRC"), Ledger::Receipts)
{
    r = m_rows;
    c = m_parties;
    buildInvoiceLink();
    r->onValidate = [this](DataAction &action, bool &save) { r_Validate(action, save); };
    r->onReposition = [this] { r_Reposition(); };
    jobtext->onChange = [this] { jobtext_Change(); };
    getinv->onChange = [this] { getinv_Change(); };
    getinv->onClick = [this] { getinv_Click(); };
    getinv->onDblClick = [this] { getinv_DblClick(); };
    Label2->onMouseMove = [this] { Label2_MouseMove(); };
}

void RRC::buildInvoiceLink()
{
    oldtot = new TextBox(sspanel100);
    oldtot->setVisible(false);
    QWidget *area = Picture1;
    getinv = new ComboBox(area);
    getinv->setBackColor(vbWhite);
    getinv->setToolTip(QStringLiteral("Choose from unpaid invoices"));
    // Thousands of invoices: never measure them all for the width.
    getinv->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    getinv->setMinimumContentsLength(10);
    getinv->setVisible(false);
    Label2 = new Label(area, QStringLiteral("Go to invoice"));
    Label2->setWordWrap(false);
    Label2->setForeColor(0xFF0000);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setVisible(false);
    m_detailGrid->addWidget(Label2, 5, 0);
    m_detailGrid->addWidget(getinv, 5, 1, 1, 2);
}

void RRC::Form_Load()
{
    // Postings left over from the last session (a crash, a locked invoice file) go in first,
    // so that the unpaid list is up to date.
    updateinv(QStringLiteral("The paid amount of invoice %1 could not be updated (%2)."));
    LedgerScreen::Form_Load();
    getinv->setVisible(true);
    fillinvlist();
    if (statuspanel->Caption() == QLatin1String("Editing"))
        oldtot->setText(Text2[3]->Text());
}

void RRC::r_Validate(DataAction &action, bool &save)
{
    validateRow(action, save);
}

void RRC::r_Reposition()
{
    rowShown();
}

void RRC::shownRow()
{
    oldtot->setText(Text2[3]->Text());
    m_postedInvoice = pay1[3]->Text();
    if (r->isOpen() && r->Recordset().EditMode() == EditState::Add) {
        // A new receipt takes the job shown, and stores it with what is typed; by itself
        // that is no edit, so an untouched new receipt is still left unwritten.
        jobtext->setText(job->Text());
        jobtext->setBoundDirty(false);
    }
}

void RRC::jobtext_Change()
{
    // A receipt being shown shows its own job; a new one keeps the job shown (shownRow).
    if (r->isFilling() && r->Recordset().EditMode() == EditState::Add)
        return;
    job->setText(jobtext->Text());
}

QString RRC::postedInvoice() const
{
    return m_postedInvoice;
}

std::vector<Posting> RRC::postingsOfRow() const
{
    // What the receipt now says against what was posted for it. One invoice named twice (in
    // any case) gets the difference.
    const QString number = pay1[3]->Text();
    const double total = amountOf(Text2[3]->Text());
    const double before = amountOf(oldtot->Text());
    if (number.compare(m_postedInvoice, Qt::CaseInsensitive) == 0)
        return {{number, total - before}};
    return {{m_postedInvoice, -before}, {number, total}};
}

void RRC::storeWithRow(Database &rows)
{
    recordPostings(rows, postingsOfRow());
}

void RRC::rowWritten()
{
    // The postings are stored with the row: this is now the posted state, whenever they
    // reach the invoices.
    oldtot->setText(Text2[3]->Text());
    m_postedInvoice = pay1[3]->Text();
    reachPostingStep(PostingStep::ReceiptStored);
    updateinv(QStringLiteral("The receipt was saved, but the paid amount of invoice %1 was not updated (%2)."));
}

void RRC::updateinv(const QString &message)
{
    for (const PostingFailure &failure : applyPendingPostings())
        MsgBox(message.arg(failure.invoice, failure.reason)
                   + QStringLiteral(" It will be updated the next time the receipts screen is opened."),
               vbExclamation, appTitle());
}

void RRC::fillinvlist()
{
    QStringList numbers;
    try {
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        std::unique_ptr<Recordset> rs = db->OpenRecordset(
            QStringLiteral("select a from inv where paid < xtotal order by a"), RecordsetType::Snapshot);
        getinv->Clear();
        if (rs->Bof() && rs->Eof()) {
            setMousePointer(vbDefault);
            rs->Close();
            return;
        }
        while (!rs->Eof()) {
            numbers << rs->field(0).toText();
            rs->MoveNext();
        }
        rs->Close();
    } catch (const Error &) {
        // What was listed so far stays.
    }
    // Thousands of invoices: added in one go, not each looked up among all before it.
    getinv->AddItems(numbers);
}

std::optional<QString> RRC::getinvdate()
{
    try {
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        std::unique_ptr<Recordset> rs = db->OpenQuery(QStringLiteral("select b from inv where a = ?"),
                                                      {Value(getinv->Text())}, RecordsetType::Snapshot);
        if (rs->Eof()) {
            setMousePointer(vbDefault);
            rs->Close();
            return std::nullopt;
        }
        const QString date = formatShortDate(rs->field(0).toDate());
        rs->Close();
        return date;
    } catch (const Error &) {
        return std::nullopt;
    }
}

void RRC::invoiceNumberChanged()
{
    getinv->setText(pay1[3]->Text());
}

void RRC::invoiceChosen(bool clicked)
{
    if (!getinv->Text().isEmpty() && !SuppressHighlight)
        getinv->setBackColor(vbPink);
    pay1[3]->setText(getinv->Text());
    // A receipt being shown shows its own stored date of invoice.
    if (!r->isFilling())
        pay1[2]->setText(getinvdate().value_or(QString()));
    if (clicked)
        Label2->setVisible(true);
}

void RRC::getinv_Change()
{
    invoiceChosen(false);
}

void RRC::getinv_Click()
{
    invoiceChosen(true);
}

void RRC::getinv_DblClick()
{
    if (!getinv->Text().isEmpty())
        openInvoice();
}

void RRC::Label2_MouseMove()
{
    if (!getinv->Text().isEmpty())
        openInvoice();
}

void RRC::openInvoice()
{
    // The pointer goes on moving over the link while the invoice opens, and while a message
    // of the invoice form is up: one pass over it opens the invoice once.
    if (m_openingInvoice)
        return;
    const QScopedValueRollback opening(m_openingInvoice, true);
    INV &invoice = Forms::get<INV>();
    invoice.Show();
    invoice.invnumb->setText(getinv->Text());
    invoice.getinvnumb();
    invoice.gobackb->setText(QStringLiteral("RRC"));
    invoice.back->setVisible(true);
    invoice.Picture1->setVisible(true);
    invoice.Label1[4]->setVisible(false);
    invoice.DBCombo1->setVisible(false);
    invoice.Check1->setVisible(false);
}

void RRC::detailsHidden()
{
    Label2->setVisible(true);
}

void RRC::openPartyForm(const QString &id)
{
    CurrentClientId = id;
    CallerTag = QStringLiteral("RRC");
    Forms::get<crc>().Show();
}

void RRC::mrd_Click()
{
    // Taken off the invoice it was posted to, as it was posted, in the transaction that
    // deletes the row: nothing is taken off when the row stays.
    const double posted = amountOf(oldtot->Text());
    const QString number = m_postedInvoice;
    m_deleting = true;
    try {
        Recordset &rs = r->Recordset();
        {
            Transaction transaction(r->database());
            recordPostings(r->database(), {{number, -posted}});
            rs.Delete();
            transaction.commit();
        }
        reachPostingStep(PostingStep::ReceiptStored);
        updateinv(QStringLiteral("The receipt was deleted, but the paid amount of invoice %1 was not updated (%2)."));
        r->Refresh();
        if (r->Recordset().RecordCount() == 0)
            startNewRowWhenEmpty(); // not the deleted receipt left on screen as if it were there
        else
            r->Recordset().MoveFirst();
    } catch (const Error &) {
    }
    m_deleting = false;
    endDataAction();
}

} // namespace qm
