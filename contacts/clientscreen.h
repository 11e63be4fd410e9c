#pragma once

#include "contacts/contactscreen.h"

namespace qm {

// The client screens: the contact design over table c, with a shipping address whose
// suburb list shares the place list, and the hand-back to the receipts screen.
class ClientScreen : public ContactScreen
{
    Q_OBJECT
public:
    Data *c;
    PictureBox *Picture3;
    DBCombo *DBCombo1;
    ControlArray<TextBox> Text2;
    CommandButton *Command4;

    void c_Validate(DataAction &action, bool &save);
    void DBCombo5_Change();
    void DBCombo1_Click(int area);
    void DBCombo1_Change();
    void DBCombo1_MouseUp();
    void Text1_Change(int index) override;
    void Text2_Change(int index);
    void Command4_Click();
    void Label1_MouseMove(int index) override;

protected:
    ClientScreen(const QString &name, Use use);

    QString callerTag() const override;
    QString &handedKey() const override;
    void handBack() override;
    void showCaller() override;

private:
    void buildShipping();
};

} // namespace qm
