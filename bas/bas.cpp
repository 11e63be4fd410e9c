#include "bas/bas.h"

#include "bas/adj.h"
#include "common/bascompute.h"
#include "common/convert.h"
#include "common/databases.h"
#include "common/format.h"
#include "common/period.h"
#include "data/database.h"
#include "data/error.h"
#include "data/fileaccess.h"
#include "platform/msgbox.h"
#include "shell/module1.h"
#include "shell/screenskeleton.h"

#include <cmath>

namespace qm {

namespace {
const QString Money = QStringLiteral("##0.00");
} // namespace

bas::bas()
    : Form(QStringLiteral("bas"))
{
    buildLayout();
    buildMenus();
    Command1[4]->onClick = [this] { Command1_Click(4); };
    Command4->onClick = [this] { Command4_Click(); };
    Command5->onClick = [this] { Command5_Click(); };
    Command6->onClick = [this] { Command6_Click(); };
    for (const auto &[index, label] : Label1) {
        const int i = index;
        label->onMouseMove = [this, i] { Label1_MouseMove(i); };
    }
}

void bas::buildMenus()
{
    MenuBar(*this, appTitle())
        .mainMenu(&mm)
        .menu(QStringLiteral("&File..."),
              {{QStringLiteral("&Add"), &fa}, {QStringLiteral("&Delete Current Record"), &fd}}, false, &f1)
        .print(&mps)
        .help(&ht, &ha)
        .quit(&en, {}, QStringLiteral("&Quit..."));
}

void bas::Form_Load()
{
    for (const QString &name : periodNames())
        basfor->AddItem(name);
    paymentson->AddItem(QStringLiteral("Receipt Date"));
    paymentson->AddItem(QStringLiteral("Invoice Date"));
    paymentson->setText(QStringLiteral("Receipt Date"));
    for (const QString &year : financialYears())
        basyear->AddItem(year);
    basyear->setText(QStringLiteral("2000"));
    CentreForm(*sspanel100);
}

// Go: works out the labels of the chosen period. Every box is written at the end, so a
// failure on the way leaves them all as they were.
void bas::Command1_Click(int)
{
    BasRequest request;
    request.dateColumn
        = paymentson->Text() == QLatin1String("Invoice Date") ? QStringLiteral("m") : QStringLiteral("j");
    request.period = PeriodBounds(basfor->Text(), basyear->Text());
    if (request.period.status == PeriodRange::BadYear) {
        MsgBox(QStringLiteral("Please check dates are correct!"), vbExclamation, appTitle());
        return;
    }
    request.year = basyear->Text();
    request.g7 = Val(g[7]->Text());
    request.g18 = Val(g[18]->Text());

    BasResult result;
    try {
        const auto db = openProgramDatabase(BookFile);
        result = computeBas(*db, request);
    } catch (const Error &e) {
        result.failure = e;
    }
    if (result.acquisitionsMismatch)
        MsgBox(AcquisitionsMismatchMessage, vbExclamation, appTitle());
    if (result.failure) {
        // A file that cannot be used is no fault of the data: say which and what is wrong.
        MsgBox(isUnusableFile(*result.failure)
                   ? result.failure->Description()
                   : QStringLiteral("Please check transaction data has been entered over the period specified!"),
               vbExclamation, appTitle());
        return;
    }

    const BasFigures &f = result.figures;
    for (int i = 1; i <= 20; ++i)
        g[i]->setText(Format(f.G[size_t(i)], Money));
    g[21]->setText(Format(f.W1, Money));
    g[22]->setText(Format(f.T1, Money));
    a[0]->setText(Format(f.A1, Money));
    a[1]->setText(Format(f.B1, Money));
    g[23]->setText(Format(f.G[1], Money));
    g[24]->setText(Format(f.G[12], Money));
}

// The PAYG instalment 5A: the rate in per cent of T1.
void bas::Command4_Click()
{
    if (II->Text().isEmpty())
        return;
    if (!g[22]->Text().isEmpty()) {
        if (!isNumeric(II->Text())) {
            MsgBox(QStringLiteral("Please enter the instalment rate as a number."), vbExclamation, appTitle());
            return;
        }
        a[2]->setText(Format(strictNumber(II->Text()) * Val(g[22]->Text()) / 100, QStringLiteral("###.00")));
    }
    gstpay->setCaption(QString());
}

void bas::Command5_Click()
{
    adj &box = Forms::get<adj>();
    box.Show();
    box.adj1->setText(g[7]->Text());
    box.adj2->setText(g[18]->Text());
}

// The GST to pay or to get back: 1A - 1B + 5A. The direction is read from the amount as
// shown, so a net that shows as 0.00 is never "payable".
void bas::Command6_Click()
{
    if (a[2]->Text().isEmpty())
        return;
    const double net = Val(a[0]->Text()) - Val(a[1]->Text()) + Val(a[2]->Text());
    gstpay->setCaption(QStringLiteral("$ ") + Format(std::fabs(net), Money));
    gsttype->setCaption(Val(Format(net, Money)) > 0 ? QStringLiteral("payable to the ATO")
                                                    : QStringLiteral("refunded by ATO"));
}

// The summary lies under the details; passing the mouse over a switch label swaps them.
void bas::Label1_MouseMove(int index)
{
    if (index == 7) {
        Picture1->setVisible(true);
        Label1[7]->setVisible(false);
        Label1[8]->setVisible(true);
    } else if (index == 8) {
        Picture1->setVisible(false);
        Label1[7]->setVisible(true);
        Label1[8]->setVisible(false);
    }
}

} // namespace qm
