#include "ledger/prc.h"

#include "common/convert.h"
#include "common/format.h"
#include "contacts/src.h"
#include "data/database.h"
#include "data/error.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/msgbox.h"
#include "shell/module1.h"

#include <QGridLayout>

namespace qm {

PRC::PRC()
    : LedgerScreen(QStringLiteral("PRC"), Ledger::Payments)
{
    p = m_rows;
    s = m_parties;
    DBCombo2 = new DBCombo(Picture1);
    DBCombo2->setVisible(false);
    DBCombo2->setBackColor(vbWhite);
    DBCombo2->setRowSource(jac);
    DBCombo2->ListField = QStringLiteral("jac");
    DBCombo2->BoundColumn = QStringLiteral("ID");

    p->onValidate = [this](DataAction &action, bool &save) { p_Validate(action, save); };
    p->onReposition = [this] { p_Reposition(); };
    jobtext->onChange = [this] { jobtext_Change(); };
    jobin->onChange = [this] { jobin_Change(); };
    DBCombo2->onClick = [this](int area) { DBCombo2_Click(area); };
    DBCombo2->onChange = [this] { DBCombo2_Change(); };
}

void PRC::p_Validate(DataAction &action, bool &save)
{
    validateRow(action, save);
}

void PRC::p_Reposition()
{
    rowShown();
}

bool PRC::extraChecks()
{
    // The GST box already passed as a number: read it as the row will store it.
    if (Combo2[2]->Text() == WagesCategory && roundDecimal(strictNumber(Text2[4]->Text()), 4) != 0) {
        MsgBox(QStringLiteral("Wages should have no GST."), vbExclamation, appTitle());
        return false;
    }
    return true;
}

void PRC::afterAdd()
{
    job->setText(QString());
    jobtext->setText(QString());
}

void PRC::openPartyForm(const QString &id)
{
    CurrentRecordId = id;
    CallerTag = QStringLiteral("PRC");
    Forms::get<src>().Show();
}

void PRC::jobtext_Change()
{
    job->setText(jobtext->Text());
}

void PRC::jobin_Change()
{
    DBCombo2->setText(jobin->Text());
}

void PRC::DBCombo2_Click(int)
{
    if (RecordLoading)
        return;
    if (!DBCombo2->Text().isEmpty())
        DBCombo2->setBackColor(vbPink);
    jobidtext->setText(DBCombo2->BoundText());
    jobtext->setText(DBCombo2->Text());
}

void PRC::DBCombo2_Change()
{
    if (RecordLoading)
        return;
    if (!DBCombo2->Text().isEmpty())
        DBCombo2->setBackColor(vbPink);
}

void PRC::mrd_Click()
{
    // No question is asked; any failure (no current row, an empty table) ends it silently.
    m_deleting = true;
    try {
        p->Recordset().Delete();
        p->Refresh();
        if (p->Recordset().RecordCount() == 0)
            startNewRowWhenEmpty(); // not the deleted row left on screen as if it were there
        else
            p->Recordset().MoveFirst();
    } catch (const Error &) {
    }
    m_deleting = false;
    endDataAction();
}

} // namespace qm
