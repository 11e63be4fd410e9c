#include "ledger/ctc.h"

#include "common/databases.h"
#include "data/database.h"
#include "data/fileaccess.h"
#include "data/jetsql.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/msgbox.h"
#include "shell/module1.h"
#include "shell/screenskeleton.h"

namespace qm {

namespace {
const QString Corvane = QStringLiteral("Corvane");
const QString Adding = QStringLiteral("Adding");
const QString Editing = QStringLiteral("Editing");
const QString EmptyCode = QStringLiteral("Job / Account must not be empty");

std::unique_ptr<Database> openJobs()
{
    return openProgramDatabase(BusinessFile);
}

// Blanks off both ends, as the old Trim took them (tabs stay).
QString trimBlanks(const QString &text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

bool isBlank(const QString &text)
{
    return trimBlanks(text).isEmpty();
}
} // namespace

CTC::CTC()
    : Form(QStringLiteral("CTC"))
{
    buildLayout();
    buildMenus();
    addb->onClick = [this] { addb_Click(); };
    Command3->onClick = [this] { Command3_Click(); };
    Command4->onClick = [this] { Command4_Click(); };
    Command5->onClick = [this] { Command5_Click(); };
    Command6->onClick = [this] { Command6_Click(); };
    Command7->onClick = [this] { Command7_Click(); };
    returnb->onClick = [this] { returnb_Click(); };
    flex->onDblClick = [this] { flex_DblClick(); };
    for (const auto &[index, box] : Text3) {
        const int i = index;
        box->onChange = [this, i] { Text3_Change(i); };
    }
}

void CTC::buildMenus()
{
    MenuBar(*this, Corvane)
        .mainMenu(&mm, Leaving::ask(QStringLiteral("Cancel edit and go to Menu?")))
        .menu(QStringLiteral("&File..."),
              {{QStringLiteral("&Add a Job / Account"), &fa, [this] { addb_Click(); }},
               {QStringLiteral("&Delete Current Record"), &fd, [this] { Command3_Click(); }}})
        .help(&ht, &a1)
        .quit(&en);
}

void CTC::Form_Load()
{
    EditMode = Adding;
    statuspanel->setCaption(Adding);
    flexfill();
    CentreForm(*SSPanel100);
    flexdata();
    if (CallerTag == QLatin1String("PRC") || CallerTag == QLatin1String("RRC")) {
        navbuts[0]->setEnabled(false);
        navbuts[1]->setEnabled(false);
        returnb->setVisible(true);
        returnb->setCaption(QStringLiteral("Back"));
    }
}

// The headings. The font loop leaves the hidden third column current, on row 0.
void CTC::flexfill()
{
    flex->setTextMatrix(0, 0, QStringLiteral("Account / Job"));
    flex->setTextMatrix(0, 1, QStringLiteral("Explanation"));
    flex->setRow(0);
    for (int col = 0; col <= 2; ++col) {
        flex->setCol(col);
        flex->setCellFontName(QStringLiteral("Times New Roman"));
        flex->setCellFontSize(10);
        flex->setCellFontBold(true);
    }
    flex->setRow(0);
    flex->setColWidth(0, 2100);
    flex->setColWidth(1, 7700);
    flex->setColWidth(2, 0);
}

// The rows, in code order from row 1. The grid is not cleared: each record adds two rows
// to the count, so a refill grows it again. The current row ends on the last record.
void CTC::flexdata()
{
    try {
        auto db = openJobs();
        auto rs = db->OpenRecordset(QStringLiteral("select * from jac order by jac"));
        int row = 1;
        // The body runs once before the end is tested: an empty table fails on its read.
        do {
            flex->setRow(row);
            flex->setTextMatrix(row, 0, rs->field(QStringLiteral("jac")).toText());
            flex->setTextMatrix(row, 1, rs->field(QStringLiteral("exp")).toText());
            flex->setRowData(row, static_cast<long>(rs->field(QStringLiteral("id")).toInteger()));
            rs->MoveNext();
            flex->setRows(flex->Rows() + 2);
            ++row;
        } while (!rs->Eof());
        rs->Close();
        setMousePointer(vbDefault);
    } catch (const Error &e) {
        // A failed read leaves the grid as far as it got; nothing is reported unless the file
        // itself cannot be used.
        if (isUnusableFile(e))
            throw;
    }
}

void CTC::addb_Click()
{
    SSPanel3->setVisible(true);
    Command2->setEnabled(false);
    statuspanel->setCaption(Adding);
    EditMode = Adding;
    Label1->setCaption(EditMode);
}

void CTC::Text3_Change(int index)
{
    if (index != 0)
        return;
    TextBox *code = Text3[0];
    code->setText(code->Text().toUpper());
    code->setSelStart(static_cast<int>(code->Text().size()));
}

void CTC::Command4_Click()
{
    setMousePointer(vbHourglass);
    try {
        if (isBlank(Text3[0]->Text()))
            throw Error(ErrorCode::CheckFailed, EmptyCode);
        JobListDatabase = openJobs();
        auto rs = JobListDatabase->OpenRecordset(QStringLiteral("select * from jac"));
        rs->AddNew();
        rs->Fields(QStringLiteral("jac")).setValue(Text3[0]->Text());
        rs->Fields(QStringLiteral("exp")).setValue(Text3[1]->Text());
        rs->Update();
        rs->Close();
    } catch (const Error &e) {
        // The panel stays open with what was typed.
        setMousePointer(vbDefault);
        MsgBox(QStringLiteral("Couldn't add record."), vbExclamation, appTitle());
        MsgBox(e.Description(), vbOKOnly, appTitle());
        return;
    }
    setMousePointer(vbDefault);
    SSPanel3->setVisible(false);
    Command2->setEnabled(true);
    statuspanel->setCaption(Editing);
    EditMode = Editing;
    for (int i = 0; i <= 2; ++i)
        Text3[i]->setText(QString());
    flexdata();
}

void CTC::Command5_Click()
{
    SSPanel3->setVisible(false);
    Command2->setEnabled(true);
    statuspanel->setCaption(Editing);
    for (int i = 0; i <= 2; ++i)
        Text3[i]->setText(QString());
}

void CTC::flex_DblClick()
{
    if (flex->Text().isEmpty()) {
        MsgBox(QStringLiteral("Nothing to edit!"), vbExclamation, Corvane);
        return;
    }
    SelectedJobId = QString::number(flex->RowData(flex->Row()));
    if (SSPanel3->Visible())
        return;
    SSPanel1->setVisible(true);
    Command2->setEnabled(false);
    try {
        JobListDatabase = openJobs();
        auto rs = JobListDatabase->OpenRecordset(
            QStringLiteral("select * from jac where id = %1 order by jac").arg(SqlNumber(SelectedJobId)));
        Text4[0]->setText(trimBlanks(rs->field(QStringLiteral("jac")).toText()));
        Text4[1]->setText(trimBlanks(rs->field(QStringLiteral("exp")).toText()));
        statuspanel->setCaption(Editing);
        setMousePointer(vbDefault);
        rs->Close();
    } catch (const Error &) {
        // The panel stays open with the boxes as they were.
    }
}

void CTC::Command7_Click()
{
    const QString code = Text4[0]->Text();
    if (code.size() > 50) {
        MsgBox(QStringLiteral("Job / Account must be 50 characters or less"), vbOKOnly, appTitle());
        return;
    }
    if (isBlank(code)) {
        MsgBox(EmptyCode, vbOKOnly, appTitle());
        return;
    }
    try {
        auto db = openJobs();
        auto rs = db->OpenRecordset(QStringLiteral("select * from jac where id = %1").arg(SqlNumber(SelectedJobId)));
        rs->Edit();
        rs->Fields(QStringLiteral("jac")).setValue(code);
        rs->Fields(QStringLiteral("exp")).setValue(Text4[1]->Text());
        rs->Update();
        rs->Close();
    } catch (const Error &) {
        return; // the panel stays open; nothing is reported
    }
    for (int i = 0; i <= 2; ++i)
        Text4[i]->setText(QString());
    flexdata();
    SSPanel1->setVisible(false);
}

void CTC::Command6_Click()
{
    SSPanel1->setVisible(false);
    Command2->setEnabled(true);
    statuspanel->setCaption(Editing);
    for (int i = 0; i <= 2; ++i)
        Text4[i]->setText(QString());
}

void CTC::Command3_Click()
{
    if (MsgBox(QStringLiteral("Delete Current Record?"), vbYesNo, QStringLiteral("Are you Sure?")) != vbYes)
        return;
    if (flex->Text().isEmpty()) {
        MsgBox(QStringLiteral("Nothing to edit!"), vbExclamation, appTitle());
        return;
    }
    try {
        const long key = flex->RowData(flex->Row());
        setMousePointer(vbHourglass);
        JobListDatabase = openJobs();
        auto rs = JobListDatabase->OpenRecordset(QStringLiteral("select * from jac where ID = %1").arg(key));
        if (rs->Eof()) {
            setMousePointer(vbDefault);
            MsgBox(QStringLiteral("Can't retrieve Job / Account!"), vbExclamation, appTitle());
            rs->Close();
            return;
        }
        rs->Delete();
        rs->Close();
    } catch (const Error &) {
        setMousePointer(vbDefault);
        return;
    }
    // The list comes back fresh (with its Back button while a caller waits); this instance
    // is gone afterwards, and the new one starts with the default pointer.
    ReloadForm(*this);
}

void CTC::returnb_Click()
{
    LedgerScreen *caller = nullptr;
    bool callerWaits = false; // the screen that opened the list is still loaded
    if (CallerTag == QLatin1String("PRC")) {
        callerWaits = Forms::isLoaded<PRC>();
        caller = &Forms::get<PRC>();
    } else if (CallerTag == QLatin1String("RRC")) {
        callerWaits = Forms::isLoaded<RRC>();
        caller = &Forms::get<RRC>();
    }
    // A caller closed meanwhile comes back fresh, on a transaction of its own: that one gets
    // nobody's job.
    if (caller)
        caller->Show();
    if (caller && callerWaits) {
        // The code goes over only when a data row's cell is current; the list is refreshed
        // and job_Click runs either way.
        if (!flex->Text().isEmpty() && flex->Row() != 0) {
            caller->job->setText(trimBlanks(flex->TextMatrix(flex->Row(), 0)));
            EditMode = caller->statuspanel->Caption();
        }
        caller->jac->Refresh();
        caller->job->ReFill();
        caller->job->update();
        caller->job_Click(0);
    }
    PreviousForm = Me();
    CallerTag.clear();
    returnb->setVisible(false);
    Forms::Unload(*this);
}

} // namespace qm
