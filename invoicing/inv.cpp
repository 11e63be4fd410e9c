#include "invoicing/inv.h"

#include "common/convert.h"
#include "common/databases.h"
#include "common/format.h"
#include "common/shortdate.h"
#include "ledger/rrc.h"
#include "platform/database.h"
#include "platform/dbcombo.h"
#include "platform/error.h"
#include "platform/jetsql.h"
#include "platform/msgbox.h"

#include <QBoxLayout>

namespace qm {

INV::INV()
    : StandInScreen(QStringLiteral("INV"), QStringLiteral("Invoices"))
{
    sspanel100->setHeight(4200);
    auto *layout = static_cast<QBoxLayout *>(sspanel100->layout());
    invnumb = new TextBox(sspanel100);
    invnumb->setVisible(false);
    gobackb = new TextBox(sspanel100);
    gobackb->setVisible(false);
    statuspanel = new Label(sspanel100, QStringLiteral("Adding"));
    Label1.add(4, new Label(sspanel100, QStringLiteral("Client Name")));
    DBCombo1 = new DBCombo(sspanel100);
    Check1 = new CheckBox(sspanel100, QStringLiteral("Show all Clients"));
    Check1->setVisible(false);
    Picture1 = new PictureBox(sspanel100);
    Picture1->setVisible(false);
    invoiceSummary = new Label(Picture1);
    auto *invoiceLayout = new QVBoxLayout(Picture1);
    invoiceLayout->addWidget(invoiceSummary);
    back = new Label(sspanel100, QStringLiteral("Go Back"));
    back->setForeColor(0xFF0000);
    back->setVisible(false);
    int at = 1;
    for (QWidget *widget : std::initializer_list<QWidget *>{statuspanel, Label1[4], DBCombo1, Check1, Picture1, back})
        layout->insertWidget(at++, widget);
    back->onMouseMove = [this] { back_MouseMove(); };
}

void INV::getinvnumb()
{
    try {
        std::unique_ptr<Database> db = openProgramDatabase(BusinessFile);
        std::unique_ptr<Recordset> rs = db->OpenRecordset(
            QStringLiteral("select * from inv where a = %1 order by b").arg(SqlText(invnumb->Text())));
        statuspanel->setCaption(QStringLiteral("Editing"));
        rs->Edit(); // no invoice of that number: "No current record."
        invoiceSummary->setCaption(QStringLiteral("Invoice %1 of %2\nTOTAL DUE %3")
                                       .arg(rs->field("a").toText(), shortDate(rs->field("b").toDate()),
                                            Format(Val(rs->field("xtotal").toText()), QStringLiteral("###.00"))));
        rs->CancelUpdate();
        rs->Close();
    } catch (const Error &e) {
        MsgBox(e.Description());
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

} // namespace qm
