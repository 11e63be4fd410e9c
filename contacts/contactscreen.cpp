#include "contacts/contactscreen.h"

#include "common/databases.h"
#include "data/database.h"
#include "data/dates.h"
#include "data/jetsql.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/msgbox.h"
#include "platform/services.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "shell/screenskeleton.h"

#include <QApplication>
#include <QDate>
#include <map>

namespace qm {

namespace {
const QString Editing = QStringLiteral("Editing");
const QString Adding = QStringLiteral("Adding");
const QString Corvane = QStringLiteral("Corvane");
const QStringList states = {"VIC", "NSW", "QLD", "ACT", "SA", "WA", "TAS", "NT"};
const QStringList titles = {"Mr", "Ms", "Dr", "Mrs", "Miss", "Sir", "Ing"};
} // namespace

ContactScreen::ContactScreen(const QString &name, const QString &caption, Party party, Use use)
    : Form(name)
    , m_party(party)
    , m_use(use)
{
    buildLayout(caption);
    buildMenus();

    m_record->DatabaseName = BookFile;
    m_record->Connect = PasswordConnect;
    for (Data *places : {Data1, Data2}) {
        places->Connect = AccessConnect;
        places->ReadOnly = true;
    }
    DBCombo5->setRowSource(Data1);
    DBCombo5->ListField = QStringLiteral("location");
    DBCombo5->BoundColumn = QStringLiteral("ID");
    Text1[8]->setDataSource(Data2, QStringLiteral("postcode"));

    bindToRecord(Text1[0], QStringLiteral("ID"));
    bindToRecord(Text1[3], QStringLiteral("l"));
    bindToRecord(combotit, QStringLiteral("c"));
    bindToRecord(Text1[4], QStringLiteral("a"));
    bindToRecord(Text1[14], QStringLiteral("b"));
    bindToRecord(Text1[5], QStringLiteral("d"));
    bindToRecord(DBCombo5, QStringLiteral("e"));
    bindToRecord(combo1[7], QStringLiteral("f"));
    bindToRecord(Text1[15], QStringLiteral("g"));
    bindToRecord(Text1[10], QStringLiteral("h"));
    bindToRecord(Text1[11], QStringLiteral("i"));
    bindToRecord(Text1[16], QStringLiteral("j")); // Mobile and Home are one column
    bindToRecord(Text1[17], QStringLiteral("j"));
    bindToRecord(Text1[12], QStringLiteral("k"));
    bindToRecord(jtitle, QStringLiteral("m"));
    bindToRecord(Text1[9], QStringLiteral("n"));
    bindToRecord(abn, QStringLiteral("o"));
    bindToRecord(Text1[18], QStringLiteral("q"));

    wireHandlers();
}

void ContactScreen::wireHandlers()
{
    for (const auto &[index, text] : Text1) {
        const int i = index;
        text->onChange = [this, i] { Text1_Change(i); };
    }
    combo1[7]->onClick = [this] { combo1_Click(7); };
    DBCombo5->onClick = [this](int area) { DBCombo5_Click(area); };
    Data1->onValidate = [this](DataAction &action, bool &save) { Data1_Validate(action, save); };
    for (const auto &[index, command] : Command1) {
        const int i = index;
        command->onClick = [this, i] { Command1_Click(i); };
    }
    Command3->onClick = [this] { Command3_Click(); };
    navbuts[2]->onClick = [this] { navbuts_Click(2); };
    if (addt)
        addt->onClick = [this] { addt_Click(); };
    if (addb)
        addb->onClick = [this] { addb_Click(); };
    for (int index : {7, 8}) {
        Label1[index]->onMouseMove = [this, index] { Label1_MouseMove(index); };
    }
}

void ContactScreen::buildMenus()
{
    MenuBar(*this, Corvane)
        .mainMenu(&mm, Leaving::check([this] { return mayLeave(false); }).then([this] {
            release(Data1);
            release(Data2);
            goToMainMenu(*this);
        }))
        .menu(QStringLiteral("&File..."), {{QStringLiteral("&Add"), &fa, [this] { fa_Click(); }},
                                           {QStringLiteral("&Delete Current Record"), &fd, [this] { fd_Click(); }}})
        .help(&ht, &ha)
        // Ending writes nothing: also an edit that Save checked but nothing wrote is lost.
        .quit(&en, Leaving::check([this] { return mayLeave(true); }), QStringLiteral("&Quit..."));
}

Data *ContactScreen::record() const
{
    return m_record;
}

QString ContactScreen::table() const
{
    return m_party == Party::Client ? QStringLiteral("c") : QStringLiteral("s");
}

void ContactScreen::bindToRecord(Bindable *control, const QString &field)
{
    control->setDataSource(m_record, field);
}

// ---- Loading ----

void ContactScreen::loadForBrowsing()
{
    loadCommon();
    m_record->RecordSource = QStringLiteral("select * from ") + table();
    m_record->Refresh();
    // An empty table opens on a new record, so that the first one typed has a row to go into.
    if (!m_record->hasCurrentRow()) {
        startNewRecord();
        return;
    }
    EditMode = Editing;
    setMode(Editing, m_party == Party::Supplier);
}

void ContactScreen::loadForOneRecord(const QString &key)
{
    loadCommon();
    const QString id = key.trimmed();
    bool wholeNumber = false;
    id.toLongLong(&wholeNumber);
    if (wholeNumber) {
        m_record->RecordSource = QStringLiteral("select * from %1 where id = %2").arg(table(), SqlNumber(id));
        m_record->Refresh();
        Recordset &rs = m_record->Recordset();
        if (!rs.Eof()) {
            rs.Edit();
            Text1[0]->setText(rs.field(0).toText());
            Text1[0]->setVisible(true);
            Label1[0]->setVisible(true);
            EditMode = Editing;
            setMode(Editing, m_party == Party::Supplier);
            changed->setValue(0);
            return;
        }
    }
    // No key, or one that names no record (deleted meanwhile, or not a key at all): a new one.
    Text1[0]->setVisible(false);
    Label1[0]->setVisible(false);
    m_record->RecordSource = QStringLiteral("select * from ") + table();
    m_record->Refresh();
    startNewRecord();
}

void ContactScreen::startNewRecord()
{
    m_record->Recordset().AddNew();
    EditMode = Adding;
    setMode(Adding, m_party == Party::Supplier);
}

void ContactScreen::loadCommon()
{
    EditMode = Editing;
    setMode(Editing, m_party == Party::Supplier);
    // The place list: every place until a state is chosen.
    Data1->DatabaseName = services().programFolder() + QLatin1Char('\\') + PlacesFile;
    Data2->DatabaseName = Data1->DatabaseName;
    Data1->RecordSource = QStringLiteral("select * from postcode order by location");
    Data1->Refresh();
    Text1[2]->setText(formatShortDate(today()));
    Text1[9]->setText(QStringLiteral("AUSTRALIA"));
    Text1[1]->setText(UserName);
    for (const QString &title : titles)
        combotit->AddItem(title);
    for (const auto &[index, stateList] : combo1) {
        for (const QString &state : states)
            stateList->AddItem(state);
    }
    CentreForm(*sspanel100);
    placeFormButtons();
}

// ---- The record's data control ----

void ContactScreen::recordValidate(DataAction &action, bool &save)
{
    if (m_record->RecordSource.isEmpty()) {
        save = false; // Cancel emptied it: the edit is dropped
        return;
    }
    const QString mode = action == vbDataActionAddNew ? Adding : Editing;
    setMode(mode, true);
}

void ContactScreen::setMode(const QString &mode, bool bothPanels)
{
    statuspanel->setCaption(mode);
    if (bothPanels)
        statuspanel2->setCaption(mode);
}

void ContactScreen::markChanged()
{
    changed->setValue(1);
}

void ContactScreen::release(Data *data)
{
    data->DatabaseName.clear();
    data->Refresh();
}

// ---- Address look-up ----

void ContactScreen::combo1_Click(int index)
{
    if (index == 7) {
        DBCombo5->setText(QString());
        Data1->RecordSource = QStringLiteral("select * from postcode where state = %1 order by location")
                                  .arg(SqlText(combo1[7]->Text()));
        Data1->Refresh();
        Text1[7]->setText(combo1[7]->Text());
    }
    // A shipping state is stored with the row through its binding; the main address is left alone.
    markChanged();
}

void ContactScreen::DBCombo5_Click(int)
{
    lookUpPlace();
}

void ContactScreen::lookUpPlace()
{
    const QString bound = DBCombo5->BoundText();
    if (bound.trimmed().toUpper() == QLatin1String("DBCOMBO4"))
        return;
    if (bound.isEmpty())
        return;
    // A text of its own (typed, or a loaded name) is not a place of the list.
    if (DBCombo5->Text() == bound)
        return;
    Data2->RecordSource = QStringLiteral("select * from postcode where id = ") + SqlNumber(bound);
    Data2->Refresh();
    // The place's postcode goes into the record even when the hidden box already held it
    // (the place looked up before had the same one), which raises no change of its own.
    Text1[15]->setText(Text1[8]->Text());
    Text1[6]->setText(DBCombo5->Text());
    markChanged();
}

void ContactScreen::Text1_Change(int index)
{
    markChanged();
    if (index == 8)
        Text1[15]->setText(Text1[8]->Text()); // the place's postcode becomes the record's
}

void ContactScreen::Data1_Validate(DataAction &action, bool &)
{
    if (Text1[6]->Text().isEmpty())
        action = vbDataActionCancel;
}

// ---- Buttons ----

void ContactScreen::Command1_Click(int index)
{
    using namespace ContactButton;
    // The side panel's buttons run as the main panel's.
    static const std::map<int, int> sideToMain
        = {{SideGoLast, GoLast}, {SideGoFirst, GoFirst}, {SidePrevious, Previous},
           {SideCancel, Cancel}, {SideOK, OK},           {SideNext, Next}};
    if (const auto it = sideToMain.find(index); it != sideToMain.end())
        index = it->second;
    try {
        switch (index) {
        case Next:
        case Previous:
        case GoFirst:
        case GoLast: moveRecord(index); break;
        case OK: ok(); break;
        case Cancel: cancel(); break;
        default: break;
        }
    } catch (const Error &) {
        // A database error ends the button's action where it failed; the screen stays as it is.
    }
}

void ContactScreen::moveRecord(int index)
{
    Recordset &rs = m_record->Recordset();
    switch (index) {
    case ContactButton::Next:
        if (rs.Eof()) {
            QApplication::beep();
            rs.MoveLast();
            return;
        }
        rs.MoveNext();
        if (rs.Eof())
            rs.MoveLast();
        break;
    case ContactButton::Previous:
        if (rs.Bof()) {
            QApplication::beep();
            rs.MoveFirst();
            return;
        }
        rs.MovePrevious();
        if (rs.Bof())
            rs.MoveFirst();
        break;
    case ContactButton::GoFirst: rs.MoveFirst(); break;
    case ContactButton::GoLast: rs.MoveLast(); break;
    default: break;
    }
}

bool ContactScreen::writeRecord()
{
    const QString mode = statuspanel->Caption(), detailsMode = statuspanel2->Caption();
    try {
        Recordset &rs = m_record->Recordset();
        if (statuspanel->Caption() == Editing)
            rs.Edit();
        // The record's Update: the data control validates and writes the bound boxes with it.
        m_record->UpdateRecord();
        if (rs.EditMode() != EditState::None)
            rs.Update(); // nothing was typed: the row is written as it stands
    } catch (const Error &e) {
        // Not written: a new record is still a new one (the validation called it edited).
        statuspanel->setCaption(mode);
        statuspanel2->setCaption(detailsMode);
        MsgBox(QStringLiteral("The record was not saved: ") + e.Description(), vbExclamation, Corvane);
        return false;
    }
    return true;
}

void ContactScreen::ok()
{
    // Nothing stored: the screen stays as it is, with what was typed.
    if (!writeRecord())
        return;
    Recordset &rs = m_record->Recordset();
    if (CallerTag == callerTag()) {
        rs.setBookmark(rs.LastModified());
        handedKey() = rs.field(0).toText();
        handBack();
    } else {
        Forms::get<Menu2>().Show();
    }
    for (Data *data : {m_record, Data1, Data2})
        data->DatabaseName.clear();
    Data1->Refresh();
    Data2->Refresh();
    if (m_party == Party::Client)
        m_record->Refresh();
    Forms::Unload(*this);
}

void ContactScreen::cancel()
{
    m_record->RecordSource.clear(); // Validate now refuses every write
    if (CallerTag == callerTag())
        showCaller();
    else
        Forms::get<Menu2>().Show();
    for (Data *data : {m_record, Data1, Data2})
        data->DatabaseName.clear();
    Data1->Refresh();
    Data2->Refresh();
    if (m_use == Use::OneRecord)
        m_record->Refresh();
    Forms::Unload(*this);
}

void ContactScreen::Command3_Click()
{
    if (Text1[4]->Text().isEmpty()) {
        MsgBox(QStringLiteral("You must enter the Client's name"), vbExclamation, Corvane);
        return;
    }
    if (DBCombo5->Text().isEmpty()) {
        MsgBox(QStringLiteral("You must enter the Suburb/Town"), vbExclamation, Corvane);
        return;
    }
    if (combo1[7]->Text().isEmpty()) {
        MsgBox(QStringLiteral("You must enter the Client's State"), vbExclamation, Corvane);
        return;
    }
    exitcode();
    changed->setValue(0);
}

void ContactScreen::exitcode()
{
    try {
        if (DBCombo5->Text().isEmpty()) {
            MsgBox(QStringLiteral("Client Town must be entered!"), vbExclamation, Corvane);
            return;
        }
        if (Text1[4]->Text().isEmpty()) {
            MsgBox(QStringLiteral("Client Name must be entered!"), vbExclamation, Corvane);
            return;
        }
        Text1[6]->setText(DBCombo5->Text());
        Text1[7]->setText(combo1[7]->Text());
    } catch (const Error &) {
        sqlerrormsg();
    }
}

void ContactScreen::sqlerrormsg()
{
    setMousePointer(vbDefault);
}

void ContactScreen::addt_Click()
{
    m_record->Recordset().AddNew();
    statuspanel->setCaption(Adding);
    addt->setEnabled(false);
}

void ContactScreen::addb_Click()
{
    addt_Click();
}

// ---- Menus ----

void ContactScreen::fd_Click()
{
    // The screen's own mode decides: the shared EditMode may be another screen's.
    if (statuspanel->Caption() == Adding) {
        MsgBox(QStringLiteral("Can't delete while adding!"), vbExclamation, QStringLiteral("Be Careful!"));
        return;
    }
    if (MsgBox(QStringLiteral("Delete Current Record?"), vbYesNo, QStringLiteral("Are you Sure?")) != vbYes)
        return;
    if (!delrec())
        return;
    m_record->RecordSource = QStringLiteral("select * from ") + table();
    m_record->Refresh();
    Recordset &rs = m_record->Recordset();
    // With the last record gone the screen opens empty (the single-record screens on a new one).
    handedKey() = rs.Eof() ? QString() : rs.field(QStringLiteral("id")).toText();
    release(Data1);
    release(Data2);
    ReloadForm(*this);
}

bool ContactScreen::delrec()
{
    setMousePointer(vbHourglass);
    try {
        m_record->Recordset().Delete();
    } catch (const Error &e) {
        sqlerrormsg();
        MsgBox(e.Description(), vbExclamation);
        return false;
    }
    return true;
}

bool ContactScreen::mayLeave(bool alsoUnwrittenEdits)
{
    bool ask = changed->Value() == 1;
    if (alsoUnwrittenEdits)
        ask = ask || m_record->hasEdits();
    if (!ask)
        return true;
    return MsgBox(QStringLiteral("You haven't saved the current edit. Do you still wish to continue?"), vbYesNo,
                  Corvane)
           == vbYes;
}

void ContactScreen::fa_Click()
{
    if (!mayLeave(false))
        return;
    release(Data1);
    release(Data2);
    handedKey().clear();
    ReloadForm(*this);
}

void ContactScreen::navbuts_Click(int)
{
    if (MsgBox(QStringLiteral("Are you sure you want to Cancel this operation?"), vbYesNo,
               QStringLiteral("Corvane Check"))
        != vbYes)
        return;
    const FormRef self = Me();
    if (PreviousForm.isNothing() || PreviousForm == self) {
        // Nowhere recorded to go back to: leave as Cancel does.
        PreviousForm = self;
        Command1_Click(ContactButton::Cancel);
        return;
    }
    m_record->RecordSource.clear(); // a confirmed cancel drops the edit
    const FormRef back = PreviousForm;
    PreviousForm = self;
    back.get().Show();
    release(Data1);
    release(Data2);
    Forms::Unload(*this);
}

void ContactScreen::Label1_MouseMove(int index)
{
    if (index == 7) {
        Picture1->setVisible(true);
        Picture2->setVisible(true);
        statuspanel2->setCaption(statuspanel->Caption());
        Label1[7]->setVisible(false);
        Label1[8]->setVisible(true);
    } else if (index == 8) {
        Picture1->setVisible(false);
        Picture2->setVisible(false);
        if (m_party == Party::Client)
            statuspanel2->setCaption(statuspanel->Caption());
        Label1[7]->setVisible(true);
        Label1[8]->setVisible(false);
    }
}

} // namespace qm
