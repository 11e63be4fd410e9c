#pragma once

#include "platform/controls.h"
#include "platform/datacontrol.h"
#include "platform/form.h"

#include <vector>

class QGridLayout;

namespace qm {

class DBCombo;
class Recordset;

// The indexes of the contact screens' Command1 buttons: the main panel's (0, 3 and 4 are
// hidden and do nothing) and the side panel's, which run as the main panel's.
namespace ContactButton {
enum Index : int {
    Next = 1,
    OK = 2,
    Cancel = 5,
    Previous = 6,
    GoFirst = 7,
    GoLast = 8,
    SideGoLast = 9,
    SideGoFirst = 10,
    SidePrevious = 11,
    SideCancel = 12,
    SideOK = 13,
    SideNext = 14,
};
} // namespace ContactButton

// The one design behind the client and supplier screens: the record boxes bound to the
// contact table, the state and suburb look-up over the place list, Save's checks, the
// unsaved-edit flag, OK, Cancel, Add, Delete and the menus. The client screens add the
// shipping address; the browsing screens and the single-record screens differ in how
// they load.
class ContactScreen : public Form
{
    Q_OBJECT
public:
    SSPanel *sspanel100;
    ControlArray<TextBox> Text1;
    ControlArray<Label> Label1; // 0 "Ref" and the link labels 1, 2, 7, 8
    ComboBox *combotit;
    ControlArray<ComboBox> combo1; // 7: the state (the client screens add 0, the shipping state)
    DBCombo *DBCombo5;
    TextBox *jtitle, *abn;
    Data *Data1, *Data2;
    ControlArray<CommandButton> Command1;
    CommandButton *addb = nullptr, *addt = nullptr; // the browsing screens only
    Label *statuspanel, *statuspanel2;
    PictureBox *Picture1, *Picture2;
    CommandButton *Command3;
    ControlArray<CommandButton> navbuts;
    CheckBox *changed;
    MenuItem *mm, *fa, *fd, *ht, *ha, *en;

    void combo1_Click(int index);
    void DBCombo5_Click(int area);
    virtual void Text1_Change(int index);
    void Data1_Validate(DataAction &action, bool &save);
    void Command1_Click(int index);
    void Command3_Click();
    void exitcode();
    // Deletes the current record; false (after saying why) when the deletion failed.
    bool delrec();
    void sqlerrormsg();
    void addt_Click();
    void addb_Click();
    void fd_Click();
    void fa_Click();
    void navbuts_Click(int index);
    virtual void Label1_MouseMove(int index);

protected:
    enum class Party { Client, Supplier };
    enum class Use { Browse, OneRecord };
    ContactScreen(const QString &name, const QString &caption, Party party, Use use);

    // Form_Load of the browsing screens: every record, the first one shown.
    void loadForBrowsing();
    // Form_Load of the single-record screens: the record whose key is `key`, or a new one
    // when the key is empty, not a whole number or names no record.
    void loadForOneRecord(const QString &key);
    // A new, empty record on screen ("Adding").
    void startNewRecord();

    // The record's data control (c or s), its table and who hands records over.
    Data *record() const;
    virtual QString callerTag() const = 0;
    virtual QString &handedKey() const = 0;
    // OK with the caller's tag: the saved record goes back into the caller.
    virtual void handBack() = 0;
    // Cancel with the caller's tag: the caller is shown, untouched.
    virtual void showCaller() = 0;

    // The record's Validate: no write once the record source is emptied, else the mode.
    void recordValidate(DataAction &action, bool &save);
    // Binds a control to a column of the record; fill order is binding order.
    void bindToRecord(Bindable *control, const QString &field);
    // The unsaved-edit question, when it has to be asked; true when the user goes on.
    bool mayLeave(bool alsoUnwrittenEdits);
    void setMode(const QString &mode, bool bothPanels);
    void markChanged();
    // Release of a data control: no database, then Refresh (a pending row is written first).
    static void release(Data *data);
    // The light pink of the screen and its panels.
    static void paintPanel(QWidget *panel);
    // A blue link label that shows or hides a panel when the mouse moves over it.
    static Label *addLinkLabel(QWidget *parent, ControlArray<Label> &array, int index, const QString &caption);
    // The caption beside an entry box.
    static Label *fieldCaption(QWidget *parent, const QString &text);
    // Looks the chosen place up: its postcode and name go into the record.
    void lookUpPlace();

    Party m_party;
    Use m_use;
    QWidget *m_shippingSlot = nullptr; // where the client screens put the shipping panel
    QGridLayout *m_detailsGrid = nullptr;

private:
    void buildLayout(const QString &caption);
    void buildMenus();
    // Form_Load's opening steps, shared by every screen.
    void loadCommon();
    void wireHandlers();
    void placeFormButtons();
    void ok();
    // OK's write of the record on screen; false, after saying why, when nothing was stored.
    bool writeRecord();
    void cancel();
    void moveRecord(int index);
    QString table() const;

    Data *m_record;
    QWidget *m_background;
    QWidget *m_mainButtons;
};

} // namespace qm
