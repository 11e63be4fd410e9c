#include "contacts/clientscreen.h"

#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/msgbox.h"
#include "shell/module1.h"

namespace qm {

ClientScreen::ClientScreen(const QString &name, Use use)
    : ContactScreen(name, QStringLiteral("Clients"), Party::Client, use)
{
    buildShipping();
    c = record();
    DBCombo1->setRowSource(Data1);
    DBCombo1->ListField = QStringLiteral("location");
    DBCombo1->BoundColumn = QStringLiteral("ID");
    // The suburb columns keep the place's name (the invoice reads them so): the lists write
    // their shown text, and the hidden boxes on the same columns only show it.
    DBCombo5->BoundToText = true;
    DBCombo1->BoundToText = true;

    bindToRecord(Text1[22], QStringLiteral("r"));
    bindToRecord(Text1[19], QStringLiteral("s"));
    bindToRecord(DBCombo1, QStringLiteral("t"));
    bindToRecord(combo1[0], QStringLiteral("u"));
    bindToRecord(Text1[21], QStringLiteral("v"));
    bindToRecord(Text1[23], QStringLiteral("w"));
    // After the lists, so that their handlers find the row's suburb already shown.
    bindToRecord(Text1[6], QStringLiteral("e"));
    bindToRecord(Text1[20], QStringLiteral("e"));
    bindToRecord(Text2[6], QStringLiteral("t"));

    c->onValidate = [this](DataAction &action, bool &save) { c_Validate(action, save); };
    DBCombo5->onChange = [this] { DBCombo5_Change(); };
    DBCombo1->onClick = [this](int area) { DBCombo1_Click(area); };
    DBCombo1->onChange = [this] { DBCombo1_Change(); };
    DBCombo1->onMouseUp = [this] { DBCombo1_MouseUp(); };
    combo1[0]->onClick = [this] { combo1_Click(0); };
    for (int index : {19, 20, 21, 22, 23})
        Text1[index]->onChange = [this, index] { Text1_Change(index); };
    Text2[6]->onChange = [this] { Text2_Change(6); };
    Command4->onClick = [this] { Command4_Click(); };
    for (int index : {1, 2})
        Label1[index]->onMouseMove = [this, index] { Label1_MouseMove(index); };
}

QString ClientScreen::callerTag() const
{
    return QStringLiteral("RRC");
}

QString &ClientScreen::handedKey() const
{
    return CurrentClientId;
}

void ClientScreen::c_Validate(DataAction &action, bool &save)
{
    recordValidate(action, save);
}

void ClientScreen::handBack()
{
    if (!Forms::isLoaded<RRC>()) {
        // The receipt it was opened for is gone: a fresh receipts screen gets nobody's client.
        Forms::get<RRC>().Show();
        return;
    }
    RRC &receipts = Forms::get<RRC>();
    receipts.Show();
    receipts.c->Refresh();
    // By key: two clients may share a name.
    receipts.combo1->setBoundText(CurrentClientId);
    receipts.combo1_Click(dbcAreaList);
    receipts.abn->setText(abn->Text());
    receipts.abn->setBoundDirty(false); // shown only: never written back to a party row
}

void ClientScreen::showCaller()
{
    Forms::get<RRC>().Show();
}

void ClientScreen::DBCombo5_Change()
{
    lookUpPlace();
}

void ClientScreen::DBCombo1_Click(int)
{
    Text2[6]->setText(DBCombo1->Text());
}

void ClientScreen::DBCombo1_Change()
{
    Text2[6]->setText(DBCombo1->Text());
}

void ClientScreen::DBCombo1_MouseUp()
{
    MsgBox(QStringLiteral("Please check the postcode"), vbExclamation, QStringLiteral("QUILLMARK"));
}

void ClientScreen::Text1_Change(int index)
{
    ContactScreen::Text1_Change(index);
    // The hidden suburb boxes follow the list and never write the column themselves.
    if (index == 6) {
        Text1[6]->setText(DBCombo5->Text());
        Text1[6]->setBoundDirty(false);
    } else if (index == 20) {
        Text1[20]->setBoundDirty(false);
    }
}

void ClientScreen::Text2_Change(int index)
{
    markChanged();
    Text2[index]->setText(DBCombo1->Text());
    Text2[index]->setBoundDirty(false);
}

void ClientScreen::Command4_Click()
{
    Text1[22]->setText(Text1[3]->Text());
    Text1[19]->setText(Text1[5]->Text());
    Text1[21]->setText(Text1[9]->Text());
    DBCombo1->setText(DBCombo5->Text());
    combo1[0]->setText(combo1[7]->Text());
    Text1[23]->setText(Text1[15]->Text());
}

void ClientScreen::Label1_MouseMove(int index)
{
    if (index == 1) {
        Picture3->setVisible(true);
        Label1[1]->setVisible(false);
        Label1[2]->setVisible(true);
    } else if (index == 2) {
        Picture3->setVisible(false);
        Label1[1]->setVisible(true);
        Label1[2]->setVisible(false);
    } else {
        ContactScreen::Label1_MouseMove(index);
    }
}

} // namespace qm
