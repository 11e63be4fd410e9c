#include "bas/bas.h"
#include "platform/layoutparts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qm {

using namespace layout;

namespace {
// A figure the user reads but cannot type into, right-aligned like a column of money.
TextBox *figureBox(QWidget *parent)
{
    auto *box = new TextBox(parent);
    box->setLocked(true);
    box->setFixedWidth(110);
    box->setAlignment(TextBox::RightJustify);
    return box;
}

} // namespace

void bas::buildLayout()
{
    setCaption(QStringLiteral("BAS Form"));
    setOpensMaximised(true);
    auto *background = new QWidget(this);
    setCentralWidget(background);

    sspanel100 = new SSPanel(background);
    sspanel100->setWidth(13500);
    sspanel100->setHeight(7650);

    // The choice row.
    basfor = new ComboBox(sspanel100, ComboBox::DropdownList);
    basfor->setMinimumWidth(120);
    paymentson = new ComboBox(sspanel100, ComboBox::DropdownList);
    basyear = new ComboBox(sspanel100, ComboBox::DropdownList);
    Command1.add(4, new CommandButton(sspanel100, QStringLiteral("Go")));
    Command5 = new CommandButton(sspanel100, QStringLiteral("Adjustments"));
    auto *choice = new QHBoxLayout;
    choice->setSpacing(8);
    choice->addWidget(caption(sspanel100, QStringLiteral("BAS For")));
    choice->addWidget(basfor);
    choice->addSpacing(10);
    choice->addWidget(caption(sspanel100, QStringLiteral("Payments on")));
    choice->addWidget(paymentson);
    choice->addSpacing(10);
    choice->addWidget(caption(sspanel100, QStringLiteral("Financial Year starting")));
    choice->addWidget(basyear);
    choice->addSpacing(10);
    choice->addWidget(Command1[4]);
    choice->addWidget(Command5);
    choice->addStretch();

    // The switch between details and summary, in blue.
    Label1.add(7, caption(sspanel100, QStringLiteral("Show Details:")));
    Label1.add(8, caption(sspanel100, QStringLiteral("Go to Summary")));
    for (const auto &[index, label] : Label1)
        label->setForeColor(vbBlue);
    Label1[7]->setVisible(false);
    auto *switches = new QHBoxLayout;
    switches->addWidget(Label1[7]);
    switches->addStretch();
    switches->addWidget(Label1[8]);

    // The summary, which the details panel covers until it is hidden.
    auto *summary = new QWidget(sspanel100);
    for (int i = 0; i <= 2; ++i)
        a.add(i, figureBox(summary));
    II = new TextBox(summary);
    II->setFixedWidth(110);
    Command4 = new CommandButton(summary, QStringLiteral("Calc"));
    Command6 = new CommandButton(summary, QStringLiteral("Calc"));
    gstpay = caption(summary, QString());
    gsttype = caption(summary, QString());
    auto *sums = new QGridLayout;
    sums->setHorizontalSpacing(12);
    sums->setVerticalSpacing(12);
    sums->addWidget(caption(summary, QStringLiteral("1A $")), 0, 0);
    sums->addWidget(a[0], 0, 1);
    sums->addWidget(caption(summary, QStringLiteral("1B $")), 1, 0);
    sums->addWidget(a[1], 1, 1);
    sums->addWidget(caption(summary, QStringLiteral("Installment rate:")), 2, 0);
    sums->addWidget(II, 2, 1);
    sums->addWidget(Command4, 2, 2);
    sums->addWidget(caption(summary, QStringLiteral("5A $")), 3, 0);
    sums->addWidget(a[2], 3, 1);
    auto *payment = new QHBoxLayout;
    payment->setSpacing(12);
    payment->addWidget(Command6);
    payment->addWidget(caption(summary, QStringLiteral("Expect your GST payment to be:")));
    payment->addWidget(gstpay);
    payment->addWidget(gsttype);
    payment->addStretch();
    sums->addLayout(payment, 4, 0, 1, 4);
    sums->addWidget(caption(summary, QStringLiteral("Refer BAS form for additional fields, withholding PAYG etc.")), 5,
                    0, 1, 4);
    sums->setColumnMinimumWidth(3, 260);
    auto *centred = new QHBoxLayout(summary);
    centred->setContentsMargins(24, 24, 24, 16);
    centred->addStretch(1);
    centred->addLayout(sums);
    centred->addStretch(1);
    sums->setRowStretch(6, 1);

    // The details: sales G1 to G9 with W1 and T1 on the left, acquisitions G10 to G20 on
    // the right, the two totals underneath.
    Picture1 = new PictureBox(sspanel100);
    Picture1->setAutoFillBackground(true);
    for (int i = 1; i <= 24; ++i)
        g.add(i, figureBox(Picture1));
    auto *details = new QGridLayout(Picture1);
    details->setContentsMargins(24, 12, 24, 12);
    details->setHorizontalSpacing(12);
    details->setVerticalSpacing(6);
    // Columns: margin, caption, box, gap, caption, box, margin; the margins share the slack.
    const auto place = [&](int box, const QString &text, int row, int column) {
        details->addWidget(caption(Picture1, text), row, column, Qt::AlignRight);
        details->addWidget(g[box], row, column + 1);
    };
    for (int i = 1; i <= 9; ++i)
        place(i, QStringLiteral("G%1").arg(i), i - 1, 1);
    place(21, QStringLiteral("W1"), 9, 1);
    place(22, QStringLiteral("T1"), 10, 1);
    for (int i = 10; i <= 20; ++i)
        place(i, QStringLiteral("G%1").arg(i), i - 10, 4);
    details->setColumnMinimumWidth(3, 120);
    details->setRowMinimumHeight(11, 10);
    details->addWidget(caption(Picture1, QStringLiteral("Total Sales / Income considered by BAS over period")), 12, 1,
                       1, 4, Qt::AlignRight);
    details->addWidget(g[23], 12, 5);
    details->addWidget(caption(Picture1, QStringLiteral("Total Acquisitions over period")), 13, 1, 1, 4,
                       Qt::AlignRight);
    details->addWidget(g[24], 13, 5);
    details->setColumnStretch(0, 1);
    details->setColumnStretch(6, 1);
    details->setRowStretch(14, 1);

    auto *body = new QGridLayout;
    body->addWidget(summary, 0, 0);
    body->addWidget(Picture1, 0, 0);
    Picture1->raise();

    auto *panel = new QVBoxLayout(sspanel100);
    panel->setContentsMargins(20, 20, 20, 16);
    panel->setSpacing(10);
    panel->addLayout(choice);
    panel->addLayout(switches);
    panel->addLayout(body, 1);
}

} // namespace qm
