#include "ledger/ledgerscreen.h"

#include "common/classification.h"
#include "common/convert.h"
#include "common/format.h"
#include "common/gst.h"
#include "common/shortdate.h"
#include "data/database.h"
#include "data/dates.h"
#include "data/error.h"
#include "data/jetsql.h"
#include "ledger/ctc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/dtpicker.h"
#include "platform/msgbox.h"
#include "platform/services.h"
#include "reports/reports2.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "shell/screenskeleton.h"

namespace qm {

namespace {
const QString Good = QStringLiteral("good");
const QString Bad = QStringLiteral("bad");
const QString Adding = QStringLiteral("Adding");
const QString Editing = QStringLiteral("Editing");
} // namespace

LedgerScreen::LedgerScreen(const QString &name, Ledger ledger)
    : Form(name)
    , m_ledger(ledger)
{
    buildLayout();
    buildMenus();
    // Bound so that each handler finds what it reads already filled: the party before its
    // copies, the GST rate before the amounts, the invoice date before the number whose
    // look-up may replace it.
    const auto bind
        = [this](Bindable *control, const char *field) { control->setDataSource(m_rows, QLatin1String(field)); };
    bind(pay1[5], "ID");
    bind(pay1[0], "j");
    bind(pay1[1], "a");
    bind(combo1, "p");
    bind(Combo11, "p");
    bind(Text2[0], "b");
    bind(Text2[1], "t");
    bind(Combo2[0], "f");
    bind(Combo2[2], "h");
    bind(Combo2[4], "s");
    bind(Combo3, "q");
    bind(Text2[3], "e");
    bind(Text2[2], "c");
    bind(Text2[4], "d");
    bind(Combo2[3], "i");
    bind(Combo2[1], "g");
    bind(Text1, "n");
    bind(pay1[2], "m");
    bind(pay1[3], "l");
    bind(pay1[4], "o");
    bind(jobtext, "v");
    bind(jobin, "v");
    bind(jobidtext, "w");
    bind(classification, "u");
    abn->setDataSource(Data1, QStringLiteral("o"));
    // The ABN box only shows the party's number: nothing of it goes back to table s.
    Data1->onValidate = [](DataAction &, bool &save) { save = false; };
    wireHandlers();
}

void LedgerScreen::wireHandlers()
{
    m_rows->onValidate = [this](DataAction &action, bool &save) { validateRow(action, save); };
    m_rows->onReposition = [this] { rowShown(); };
    for (const auto &[index, button] : Command1) {
        const int i = index;
        button->onClick = [this, i] { Command1_Click(i); };
    }
    for (const auto &[index, box] : Text2) {
        const int i = index;
        box->onChange = [this, i] { Text2_Change(i); };
    }
    for (const auto &[index, box] : Check2) {
        const int i = index;
        box->onClick = [this, i] { Check2_Click(i); };
    }
    for (const auto &[index, box] : pay1) {
        const int i = index;
        box->onChange = [this, i] { pay1_Change(i); };
        box->onClick = [this, i] { pay1_Click(i); };
    }
    for (const auto &[index, box] : Combo2) {
        const int i = index;
        box->onChange = [this, i] { Combo2_Change(i); };
        box->onClick = [this, i] { Combo2_Click(i); };
    }
    for (const auto &[index, label] : Label1) {
        const int i = index;
        label->onMouseMove = [this, i] { Label1_MouseMove(i); };
    }
    Combo3->onClick = [this] { Combo3_Click(); };
    Text1->onChange = [this] { Text1_Change(); };
    sspanel100->onMouseMove = [this] { sspanel100_MouseMove(); };
    combo1->onClick = [this](int area) { combo1_Click(area); };
    combo1->onChange = [this] { combo1_Change(); };
    combo1->onDblClick = [this] { Adds_Click(); };
    job->onClick = [this](int area) { job_Click(area); };
    job->onChange = [this] { job_Change(); };
    picker->onChange = [this] { picker_Change(); };
    DTPicker1->onChange = [this] { DTPicker1_Change(); };
    picker->onCloseUp = [this] { picker_CloseUp(); };
    DTPicker1->onCloseUp = [this] { DTPicker1_CloseUp(); };
    Add1->onClick = [this] { Add1_Click(); };
    Adds->onClick = [this] { Adds_Click(); };
    Command5->onClick = [this] { Command5_Click(); };
    search->onClick = [this] { search_Click(); };
    back->onClick = [this] { back_Click(); };
}

void LedgerScreen::buildMenus()
{
    MenuBar(*this, appTitle())
        .mainMenu(&mm, Leaving::ask(QStringLiteral("Cancel edit and go to Menu?")).then([this] {
            Command1_Click(LedgerButton::Cancel);
        }))
        .menu(QStringLiteral("&Supplier..."), {{QStringLiteral("&Add"), &msa, [this] { Add1_Click(); }},
                                               {QStringLiteral("&Edit"), &mse, [this] { Adds_Click(); }}})
        .menu(QStringLiteral("&Record..."), {{QStringLiteral("&Delete"), &mrd, [this] { mrd_Click(); }}})
        .print(&mps)
        .help(&ht, &a1)
        .quit(&en, Leaving::ask(QStringLiteral("Cancel current edit and exit?"), vbYesNoCancel));
}

void LedgerScreen::fillLists()
{
    Combo2[0]->AddItem(QStringLiteral("Expense"));
    Combo2[0]->AddItem(QStringLiteral("Capital"));
    if (!isReceipts())
        Combo2[0]->setText(QStringLiteral("Expense"));
    Combo3->AddItem(QStringLiteral("10"));
    Combo3->AddItem(QStringLiteral("0"));
    for (const QString &item : ledgerCategories(m_ledger))
        Combo2[2]->AddItem(item);
    for (const QString &item : ledgerSubCategories(m_ledger))
        Combo2[3]->AddItem(item);
    for (const char *item : {"Cheque", "Credit Card", "Cash", "Direct"})
        Combo2[1]->AddItem(QString::fromLatin1(item));
    for (int i = 0; i <= 100; ++i)
        Combo2[4]->AddItem(QString::number(i));
}

// ---- Loading ----

void LedgerScreen::Form_Load()
{
    if (isReceipts())
        SuppressHighlight = true;
    picker->setValue(today());
    DTPicker1->setValue(today());
    sspanel100->setVisible(true);
    pay0[0]->setText(UserName);
    pay0[2]->setText(shortDate(today()));
    CentreForm(*sspanel100);
    fillLists();
    Check2[1]->setValue(1);
    Check2[3]->setValue(1);
    resetcolor();
    // The lists first, so that the first row's party and job show by name.
    m_parties->Refresh();
    jac->Refresh();
    m_rows->Refresh();
    startNewRowWhenEmpty();
    job->setText(jobin->Text());
}

// ---- Checks ----

bool LedgerScreen::passesChecks(bool fromValidate)
{
    // What is checked is what the row will store: a date, a number, a party from the list.
    // A filled date box that holds no date is named, not taken for an empty one.
    if (pay1[0]->Text().isEmpty()) {
        exclaim(QStringLiteral("Must enter a date"));
        return false;
    }
    if (!isDate(pay1[0]->Text())) {
        exclaim((isReceipts() ? QStringLiteral("Date of Receipt") : QStringLiteral("Date of Payment"))
                + QStringLiteral(" is not a date."));
        return false;
    }
    if (!pay1[2]->Text().isEmpty() && !isDate(pay1[2]->Text())) {
        Label1_MouseMove(7); // the box is on the details panel: show it
        exclaim(QStringLiteral("Date of Invoice is not a date."));
        return false;
    }
    if (combo1->Text().isEmpty() || !isNumeric(combo1->BoundText())) {
        if (!fromValidate && RecordLoading && combo1->Text().isEmpty())
            return false;
        exclaim(QStringLiteral("Must select a supplier"));
        return false;
    }
    const QString total = Text2[3]->Text();
    if (total.isEmpty() || !isNumeric(total) || roundDecimal(strictNumber(total), 4) == 0) {
        exclaim(QStringLiteral("Must enter a total"));
        return false;
    }
    if (Combo3->Text().isEmpty()) {
        exclaim(QStringLiteral("Must enter a % GST amount"));
        return false;
    }
    if (!isNumeric(Combo3->Text())) {
        exclaim(QStringLiteral("GST % must be a number"));
        return false;
    }
    if (Text2[4]->Text().isEmpty() || !isNumeric(Text2[4]->Text())) {
        exclaim(QStringLiteral("No GST amount - enter GST"));
        return false;
    }
    if (!Combo2[4]->Text().isEmpty() && !isNumeric(Combo2[4]->Text())) {
        exclaim(QStringLiteral("Personal use of purchase % must be a number"));
        return false;
    }
    return extraChecks();
}

QString LedgerScreen::checkstuff()
{
    return passesChecks(false) ? Good : Bad;
}

bool LedgerScreen::extraChecks()
{
    return true;
}

// ---- The record cycle ----

void LedgerScreen::validateRow(DataAction &action, bool &save)
{
    // Cancel emptied the record source: nothing is checked, written or posted.
    if (m_rows->RecordSource.isEmpty()) {
        action = vbDataActionCancel;
        save = false;
        return;
    }
    if (RecordLoading)
        return;
    // A row that is being deleted is neither checked nor written.
    if (m_deleting || action == vbDataActionDelete) {
        save = false;
        return;
    }
    const bool edited = save;
    const bool unchecked = action == vbDataActionMoveFirst && PreviousPressed;
    if (!unchecked) {
        const bool moveOrClose
            = (action >= vbDataActionMoveFirst && action <= vbDataActionMoveLast) || action == vbDataActionClose;
        const bool leavingEdits = edited && (action == vbDataActionAddNew || action == vbDataActionUnload);
        if ((moveOrClose || leavingEdits) && !passesChecks(true)) {
            action = vbDataActionCancel;
            save = false;
            return;
        }
        classification->setText(ClassificationCode().text());
        classification->setText(ClassificationCode::ofCategory(m_ledger, Combo2[2]->Text()).text());
    }
    if (edited) {
        // Written here rather than by the data control, so that the amount is posted only
        // once the row is safely stored.
        try {
            // What the row shows is what it stores, box for box: a box the program filled in
            // counts as much as one the user typed into.
            m_rows->writeRow(RowWrite::AsShown, [this](Database &rows) { storeWithRow(rows); });
        } catch (const Error &e) {
            exclaim(e.Description());
            action = vbDataActionCancel;
            save = false;
            return;
        }
        save = false;
    }
    if (!unchecked) {
        if (action == vbDataActionAddNew)
            statuspanel->setCaption(Adding);
        if (statuspanel->Caption() == Adding && action != vbDataActionAddNew)
            statuspanel->setCaption(Editing);
    }
    if (edited)
        rowWritten();
    // Nothing is filled after an unload.
    if (action != vbDataActionUnload)
        RecordLoading = true;
}

void LedgerScreen::rowShown()
{
    RecordLoading = false;
    resetcolor();
    shownRow();
}

void LedgerScreen::storeWithRow(Database &) {}

void LedgerScreen::rowWritten() {}

void LedgerScreen::shownRow() {}

void LedgerScreen::afterAdd() {}

void LedgerScreen::invoiceNumberChanged() {}

void LedgerScreen::detailsHidden() {}

void LedgerScreen::endDataAction()
{
    // Every successful move ends in Reposition, which clears the flag; a failed one does not.
    RecordLoading = false;
}

void LedgerScreen::startNewRowWhenEmpty()
{
    Recordset &rows = m_rows->Recordset();
    if (rows.RecordCount() == 0 && rows.Updatable() && rows.EditMode() != EditState::Add) {
        rows.AddNew();
        statuspanel->setCaption(Adding);
    }
}

void LedgerScreen::releaseData()
{
    m_rows->DatabaseName.clear();
    m_parties->DatabaseName.clear();
    m_rows->Refresh();
    m_parties->Refresh();
    jac->DatabaseName.clear();
    jac->Refresh();
}

void LedgerScreen::Command1_Click(int index)
{
    try {
        switch (index) {
        case LedgerButton::Next: {
            Recordset &rs = m_rows->Recordset();
            if (rs.EditMode() == EditState::Add) {
                rs.MoveLast(); // the new row is written and shown as stored
                break;
            }
            rs.MoveNext();
            if (rs.Eof())
                rs.AddNew();
            break;
        }
        case LedgerButton::OK: {
            if (checkstuff() == Bad)
                return;
            if (m_rows->hasCurrentRow() && m_rows->hasEdits()) {
                DataAction action = vbDataActionClose;
                bool save = true;
                validateRow(action, save);
                endDataAction();
                if (action == vbDataActionCancel)
                    return; // the write failed: the form stays on the row
            }
            Forms::get<Menu2>().Show();
            releaseData();
            Forms::Unload(*this);
            break;
        }
        case LedgerButton::Cancel:
            m_rows->RecordSource.clear();
            Forms::get<Menu2>().Show();
            releaseData();
            Forms::Unload(*this);
            break;
        case LedgerButton::Previous: {
            PreviousPressed = true;
            Recordset &rs = m_rows->Recordset();
            rs.MovePrevious();
            if (rs.Bof())
                rs.MoveNext();
            break;
        }
        case LedgerButton::GoFirst: m_rows->Recordset().MoveFirst(); break;
        case LedgerButton::GoLast: m_rows->Recordset().MoveLast(); break;
        case LedgerButton::Add:
            m_rows->Recordset().AddNew();
            statuspanel->setCaption(Adding);
            afterAdd();
            break;
        default: break;
        }
    } catch (const Error &) {
        // The button's action ends here, without a message; the form stays on its row.
    }
    endDataAction();
}

void LedgerScreen::Form_QueryUnload(int &cancel, int)
{
    // The close box (or an unload by code) leaves the row as a move would: checked, written
    // and posted, or the form stays open.
    if (!m_rows->isOpen() || m_rows->RecordSource.isEmpty() || !m_rows->hasCurrentRow() || !m_rows->hasEdits())
        return;
    DataAction action = vbDataActionUnload;
    bool save = true;
    validateRow(action, save);
    endDataAction();
    if (action == vbDataActionCancel)
        cancel = 1;
}

void LedgerScreen::search_Click()
{
    m_rows->RecordSource
        = QStringLiteral("select * from %1 where id = %2")
              .arg(isReceipts() ? QStringLiteral("r") : QStringLiteral("p"), SqlNumber(searchtext->Text().trimmed()));
    try {
        m_rows->Refresh();
        // The row is gone (deleted since the search): no other one is shown in its place.
        if (m_rows->Recordset().RecordCount() == 0) {
            MsgBox(QStringLiteral("No current record."), vbExclamation, appTitle());
            startNewRowWhenEmpty();
        }
    } catch (...) {
        endDataAction();
        throw;
    }
    endDataAction();
    update();
}

void LedgerScreen::back_Click()
{
    if (gobackb->Text().isEmpty()) {
        MsgBox(QStringLiteral("Nothing to go back to."), vbExclamation, appTitle());
        back->setVisible(false);
        return;
    }
    if (gobackb->Text() != QLatin1String("Reports"))
        return;
    Command1_Click(LedgerButton::OK);
    // OK's checks failed: the form stays on the row, nothing goes back.
    if (!isUnloaded())
        return;
    reports2 &reports = Forms::get<reports2>();
    reports.Show();
    RecordLoading = false;
    reports.Command8_Click();
}

// ---- The GST calculator and the highlighting ----

QWidget *LedgerScreen::basisInput(int index) const
{
    switch (index) {
    case 0: return Text2[2];
    case 1: return Text2[3];
    case 2: return Text2[4];
    default: return Text2[6];
    }
}

void LedgerScreen::Check2_Click(int index)
{
    CheckBox *box = Check2[index];
    if (box->Value() != 0) {
        int ticked = 0;
        for (const auto &[i, check] : Check2)
            ticked += check->Value() != 0 ? 1 : 0;
        if (ticked > 2 || (Check2[2]->Value() != 0 && Check2[3]->Value() != 0)) {
            box->setValue(0);
            return;
        }
        basisInput(index)->setEnabled(true);
    }
    if (box->Value() == 0)
        basisInput(index)->setEnabled(false);
    auto onlyTicked = [this](int which) {
        for (const auto &[i, check] : Check2)
            if ((check->Value() != 0) != (i == which))
                return false;
        return true;
    };
    if (onlyTicked(2))
        Check2[2]->setValue(0);
    else if (onlyTicked(3))
        Check2[3]->setValue(0);
}

void LedgerScreen::Text2_Change(int index)
{
    if (index == 6)
        Combo3->setText(Text2[6]->Text());
    if (index != 2 && index != 3 && index != 4 && index != 6)
        return;
    // A row being shown shows its stored amounts: nothing is worked out again from its total.
    if (Check2[1]->Value() != 0 && Check2[3]->Value() != 0 && !m_rows->isFilling()) {
        const GstSplit split
            = splitTotal(Val(Text2[3]->Text()), Val(Combo3->Text()), {Val(Text2[2]->Text()), Val(Text2[4]->Text())});
        Text2[2]->setText(Format(split.nett, QStringLiteral("##0.00")));
        Text2[4]->setText(Format(split.gst, QStringLiteral("##0.00")));
    }
    if (RecordLoading)
        return;
    if (!Text2[index]->Text().isEmpty() && !SuppressHighlight)
        Text2[index]->setBackColor(vbPink);
}

void LedgerScreen::Combo3_Click()
{
    if (!Combo3->Text().isEmpty() && !SuppressHighlight)
        Combo3->setBackColor(vbPink);
    Text2[6]->setText(Combo3->Text());
    Text2_Change(6);
}

void LedgerScreen::pay1_Change(int index)
{
    if (index == 3)
        invoiceNumberChanged();
    if (RecordLoading || index == 5)
        return;
    if (!pay1[index]->Text().isEmpty() && !SuppressHighlight)
        pay1[index]->setBackColor(vbPink);
}

void LedgerScreen::pay1_Click(int) {}

void LedgerScreen::Text1_Change()
{
    if (!Text1->Text().isEmpty() && !SuppressHighlight)
        Text1->setBackColor(vbPink);
}

void LedgerScreen::sspanel100_MouseMove()
{
    SuppressHighlight = false;
}

void LedgerScreen::resetcolor()
{
    for (int i = 0; i <= 4; ++i)
        pay1[i]->setBackColor(vbWhite);
    Text1->setBackColor(vbWhite);
    combo1->setBackColor(vbWhite);
    for (int i = 0; i <= 4; ++i)
        Combo2[i]->setBackColor(vbWhite);
    Combo3->setBackColor(vbWhite);
    for (int i = 2; i <= 4; ++i)
        Text2[i]->setBackColor(vbWhite);
}

// ---- Party, job/account, lists, dates, details ----

void LedgerScreen::combo1_Click(int)
{
    if (RecordLoading)
        return;
    // Payments colour a picked supplier even while highlighting is suppressed.
    if (!combo1->Text().isEmpty() && (!isReceipts() || !SuppressHighlight))
        combo1->setBackColor(vbPink);
    Text2[0]->setText(combo1->BoundText());
    Text2[1]->setText(combo1->Text());
}

void LedgerScreen::combo1_Change()
{
    if (RecordLoading)
        return;
    if (!combo1->Text().isEmpty() && !SuppressHighlight)
        combo1->setBackColor(vbPink);
    combo1_Click(0);
}

void LedgerScreen::job_Click(int)
{
    if (RecordLoading)
        return;
    if (!job->Text().isEmpty())
        job->setBackColor(vbPink);
    jobtext->setText(job->Text());
}

void LedgerScreen::job_Change()
{
    if (RecordLoading)
        return;
    if (!job->Text().isEmpty())
        job->setBackColor(vbPink);
}

void LedgerScreen::Combo2_Change(int index)
{
    if (RecordLoading)
        return;
    if (!Combo2[index]->Text().isEmpty() && !SuppressHighlight)
        Combo2[index]->setBackColor(vbPink);
}

void LedgerScreen::Combo2_Click(int index)
{
    if (RecordLoading)
        return;
    if (!Combo2[index]->Text().isEmpty())
        Combo2[index]->setBackColor(vbPink);
}

void LedgerScreen::picker_Change()
{
    pay1[0]->setText(formatShortDate(picker->Value()));
}

void LedgerScreen::DTPicker1_Change()
{
    pay1[2]->setText(formatShortDate(DTPicker1->Value()));
}

// A day picked from the calendar is written even when the picker already showed it (a new
// entry's picker shows today): Change comes only with another day.
void LedgerScreen::picker_CloseUp()
{
    pay1[0]->setText(formatShortDate(picker->Value()));
}

void LedgerScreen::DTPicker1_CloseUp()
{
    pay1[2]->setText(formatShortDate(DTPicker1->Value()));
}

void LedgerScreen::Add1_Click()
{
    openPartyForm(QString());
}

void LedgerScreen::Adds_Click()
{
    openPartyForm(combo1->Text().isEmpty() ? QString() : combo1->BoundText());
}

void LedgerScreen::Command5_Click()
{
    CallerTag = formTag();
    Forms::get<CTC>().Show();
}

void LedgerScreen::Label1_MouseMove(int index)
{
    if (index == 7) {
        Picture1->setVisible(true);
        Label1[17]->setVisible(true);
        Label1[7]->setVisible(false);
    } else if (index == 17) {
        Picture1->setVisible(false);
        Label1[17]->setVisible(false);
        Label1[7]->setVisible(true);
        detailsHidden();
    }
}

bool LedgerScreen::isReceipts() const
{
    return m_ledger == Ledger::Receipts;
}

QString LedgerScreen::formTag() const
{
    return isReceipts() ? QStringLiteral("RRC") : QStringLiteral("PRC");
}

} // namespace qm
