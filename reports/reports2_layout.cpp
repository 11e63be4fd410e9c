#include "common/databases.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "platform/layoutparts.h"
#include "platform/reportcontrol.h"
#include "platform/taborder.h"
#include "reports/reports2.h"
#include "shell/pictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qm {

using namespace layout;

namespace {
constexpr long PanelBlue = 0xFFC0C0; // &HBBGGRR
constexpr long PaleYellow = 0xC0FFFF;

// A control that keeps its place in the layout while hidden, so nothing moves under the
// pointer as the choices show and hide one another.
void keepPlace(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

Data *listSource(QWidget *parent, QLatin1String file, const char *source, QLatin1String connect)
{
    Data *data = hiddenData(parent, file, connect, QLatin1String(source));
    data->ReadOnly = true; // the screen only offers what the tables hold
    return data;
}

CommandButton *pictureButton(QWidget *parent, const QString &text, QSize size, const QColor &colour)
{
    auto *button = new CommandButton(parent, text);
    button->setIcon(labelledPicture(text, size, colour));
    button->setIconSize(size);
    button->setText(QString());
    button->setFixedSize(size + QSize(8, 8));
    button->setToolTip(text);
    return button;
}
} // namespace

void reports2::buildLayout()
{
    setCaption(QStringLiteral("Reports - Main Page"));
    setOpensMaximised(true);
    auto *background = new QWidget(this);
    setCentralWidget(background);
    Report1 = new CrystalReport(this);

    sspanel100 = new SSPanel(background);
    sspanel100->setBackColor(PanelBlue);
    sspanel100->setWidth(15600);
    sspanel100->setHeight(8100);
    QWidget *panel = sspanel100;

    c = listSource(panel, BookFile, "c", PasswordConnect);
    s = listSource(panel, BookFile, "S", PasswordConnect);
    jac = listSource(panel, BusinessFile, "jac", PasswordConnect);
    Data1 = listSource(panel, BookFile, "s", AccessConnect);

    // Everything but the results box, which covers it.
    auto *criteriaFace = new QWidget(panel);

    // ---- Report on, the period, From and To ----
    typeoftrans = entry(new ComboBox(criteriaFace), 210);
    Combo4 = hidden(entry(new ComboBox(criteriaFace, ComboBox::DropdownList), 200));
    keepPlace(Combo4);
    basfor = entry(new ComboBox(criteriaFace, ComboBox::DropdownList), 140);
    basyear = entry(new ComboBox(criteriaFace), 90);
    Label5 = caption(criteriaFace, QStringLiteral("Financial Year starting"));
    hidden(basyear);
    hidden(Label5);
    keepPlace(basyear);
    keepPlace(Label5);
    pay0.add(0, new TextBox(criteriaFace));
    pay0.add(2, new TextBox(criteriaFace));
    for (const auto &[index, box] : pay0) {
        box->setBackColor(LightGrey);
        box->setLocked(true);
        box->setFixedWidth(110);
    }

    selectdates = hidden(new PictureBox(criteriaFace));
    keepPlace(selectdates);
    pay1.add(0, entry(new TextBox(selectdates), 100));
    picker = pickerButton(selectdates);
    pay1.add(7, entry(new TextBox(selectdates), 100));
    DTPicker2 = pickerButton(selectdates);
    auto *dates = new QHBoxLayout(selectdates);
    dates->setContentsMargins(0, 0, 0, 0);
    dates->setSpacing(6);
    dates->addWidget(caption(selectdates, QStringLiteral("From")));
    dates->addWidget(pay1[0]);
    dates->addWidget(picker);
    dates->addSpacing(14);
    dates->addWidget(caption(selectdates, QStringLiteral("to")));
    dates->addWidget(pay1[7]);
    dates->addWidget(DTPicker2);
    dates->addStretch(1);

    auto *head = new QGridLayout;
    head->setHorizontalSpacing(10);
    head->setVerticalSpacing(8);
    head->addWidget(caption(criteriaFace, QStringLiteral("Report on")), 0, 0);
    head->addWidget(typeoftrans, 0, 1);
    head->addWidget(Combo4, 0, 2, 1, 2);
    head->addWidget(caption(criteriaFace, QStringLiteral("User")), 0, 5, Qt::AlignRight);
    head->addWidget(pay0[0], 0, 6);
    head->addWidget(caption(criteriaFace, QStringLiteral("Period of Transactions")), 1, 0);
    head->addWidget(basfor, 1, 1);
    head->addWidget(Label5, 1, 2);
    head->addWidget(basyear, 1, 3);
    head->addWidget(caption(criteriaFace, QStringLiteral("Date")), 1, 5, Qt::AlignRight);
    head->addWidget(pay0[2], 1, 6);
    head->addWidget(selectdates, 2, 1, 1, 4);
    head->setColumnStretch(4, 1);

    // ---- The criteria below the period ----
    auto *lowerFace = new QWidget(criteriaFace);
    QWidget *lower = lowerFace;
    DBCombo2 = entry(new DBCombo(lower), 260);
    DBCombo2->setRowSource(s);
    DBCombo2->ListField = QStringLiteral("l");
    DBCombo2->BoundColumn = QStringLiteral("ID");
    combo1 = hidden(entry(new DBCombo(lower), 260));
    combo1->setRowSource(c);
    combo1->ListField = QStringLiteral("l");
    combo1->BoundColumn = QStringLiteral("ID");
    Label1.add(19, caption(lower, QStringLiteral("Supplier")));
    Label1.add(4, hidden(caption(lower, QStringLiteral("Client"))));
    pay1.add(1, entry(new TextBox(lower), 260));
    Combo2.add(4, entry(new ComboBox(lower), 70));

    Picture2 = new PictureBox(lower);
    orderby1 = entry(new ComboBox(Picture2), 150);
    auto *order = new QHBoxLayout(Picture2);
    order->setContentsMargins(0, 0, 0, 0);
    order->addWidget(caption(Picture2, QStringLiteral("Order By")));
    order->addWidget(orderby1);

    // The lower block: what to match, the report type and Go.
    Picture1 = new PictureBox(lower);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QWidget *block = Picture1;
    Combo2.add(2, entry(new ComboBox(block), 200));
    job = entry(new DBCombo(block), 150);
    job->setRowSource(jac);
    job->ListField = QStringLiteral("jac");
    Combo2.add(1, entry(new ComboBox(block), 150));
    pay1.add(4, entry(new TextBox(block), 150));
    Combo2.add(3, hidden(entry(new ComboBox(block), 190)));
    Label1.add(9, hidden(caption(block, QStringLiteral("Sub Category"))));
    keepPlace(Combo2[3]);
    keepPlace(Label1[9]);
    pay1.add(2, entry(new TextBox(block), 100));
    DTPicker1 = pickerButton(block);
    reptype = entry(new ComboBox(block), 150);
    reptype->setBackColor(PaleYellow);
    pay1.add(3, entry(new TextBox(block), 150));
    Command8 = new CommandButton(block, QStringLiteral("Go"));
    Command8->setIcon(labelledPicture(QString(QChar(0x25B6)), QSize(30, 30), QColor(0x2e, 0x7d, 0x4f)));
    Command8->setIconSize(QSize(30, 30));
    Command8->setMinimumSize(86, 44);
    Command9 = new CommandButton(block, QStringLiteral("Clear form"));

    auto *invoiceDate = new QHBoxLayout;
    invoiceDate->setSpacing(4);
    invoiceDate->addWidget(pay1[2]);
    invoiceDate->addWidget(DTPicker1);
    invoiceDate->addStretch(1);
    auto *matches = new QGridLayout(block);
    matches->setContentsMargins(14, 12, 14, 12);
    matches->setHorizontalSpacing(10);
    matches->setVerticalSpacing(9);
    matches->addWidget(caption(block, QStringLiteral("Category")), 0, 0);
    matches->addWidget(Combo2[2], 0, 1);
    matches->addWidget(caption(block, QStringLiteral("Job / Account")), 0, 3);
    matches->addWidget(job, 0, 4, 1, 2);
    matches->addWidget(caption(block, QStringLiteral("Paid by")), 1, 0);
    matches->addWidget(Combo2[1], 1, 1);
    matches->addWidget(caption(block, QStringLiteral("Cheque Number")), 1, 3);
    matches->addWidget(pay1[4], 1, 4, 1, 2);
    matches->addWidget(Label1[9], 2, 3);
    matches->addWidget(Combo2[3], 2, 4, 1, 2);
    matches->addWidget(caption(block, QStringLiteral("Date of Invoice")), 3, 0);
    matches->addLayout(invoiceDate, 3, 1);
    matches->addWidget(caption(block, QStringLiteral("Report Type")), 3, 3);
    matches->addWidget(reptype, 3, 4);
    matches->addWidget(Command8, 3, 5, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
    matches->addWidget(caption(block, QStringLiteral("Invoice Number")), 4, 0);
    matches->addWidget(pay1[3], 4, 1);
    matches->addWidget(Command9, 4, 4, Qt::AlignLeft);
    matches->setColumnMinimumWidth(2, 24);
    matches->setColumnStretch(6, 1);

    Picture3 = new Image(lower);
    Picture3->setPicture(labelledPicture(QStringLiteral("Reports"), QSize(130, 150), QColor(0x2a, 0x5d, 0x9a)));
    Command1.add(1, new CommandButton(lower, QStringLiteral("OK")));
    Command1.add(2, new CommandButton(lower, QStringLiteral("Cancel")));
    for (const auto &[index, button] : Command1)
        button->setMinimumWidth(90);

    auto *party = new QGridLayout;
    party->setHorizontalSpacing(10);
    party->setVerticalSpacing(8);
    party->addWidget(Label1[19], 0, 0);
    party->addWidget(Label1[4], 0, 0);
    party->addWidget(DBCombo2, 0, 1);
    party->addWidget(combo1, 0, 1);
    party->addWidget(Picture2, 0, 3, 2, 1, Qt::AlignTop);
    party->addWidget(caption(lower, QStringLiteral("For")), 1, 0);
    party->addWidget(pay1[1], 1, 1);
    party->addWidget(caption(lower, QStringLiteral("Personal use of purchase   > %")), 2, 0);
    party->addWidget(Combo2[4], 2, 1, Qt::AlignLeft);
    party->setColumnMinimumWidth(2, 30);
    party->setColumnStretch(4, 1);

    auto *left = new QVBoxLayout;
    left->setSpacing(14);
    left->addLayout(party);
    left->addWidget(Picture1);
    left->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1[1]);
    buttons->addWidget(Command1[2]);
    auto *right = new QVBoxLayout;
    right->addWidget(Picture3, 0, Qt::AlignHCenter);
    right->addStretch(1);
    right->addLayout(buttons);
    auto *lowerLayout = new QHBoxLayout(lowerFace);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(20);
    lowerLayout->addLayout(left, 1);
    lowerLayout->addLayout(right);

    // The profit-and-loss panel covers everything below the period, OK and Cancel included.
    Picture4 = hidden(new PictureBox(criteriaFace));
    Picture4->setBackColor(PanelBlue);
    Picture4->setAutoFillBackground(true);
    Command10 = pictureButton(Picture4, QStringLiteral("Generate Report"), QSize(190, 120), QColor(0x2a, 0x5d, 0x9a));
    Command11 = pictureButton(Picture4, QStringLiteral("Back"), QSize(190, 120), QColor(0x70, 0x70, 0x90));
    auto *plButtons = new QHBoxLayout(Picture4);
    plButtons->addStretch(1);
    plButtons->addWidget(Command10);
    plButtons->addSpacing(40);
    plButtons->addWidget(Command11);
    plButtons->addStretch(1);

    auto *lowerCell = new QGridLayout;
    lowerCell->addWidget(lowerFace, 0, 0);
    lowerCell->addWidget(Picture4, 0, 0);
    auto *criteriaLayout = new QVBoxLayout(criteriaFace);
    criteriaLayout->setContentsMargins(0, 0, 0, 0);
    criteriaLayout->setSpacing(16);
    criteriaLayout->addLayout(head);
    criteriaLayout->addLayout(lowerCell, 1);

    // ---- The results box ----
    searchbox = hidden(new PictureBox(panel));
    searchbox->setBackColor(PanelBlue);
    searchbox->setAutoFillBackground(true);
    flex = new MSFlexGrid(searchbox, 3000, 14);
    flex->setFixedRows(1);
    flex->setFixedCols(0);
    flex->setFont(QFont(QStringLiteral("MS Sans Serif")));
    flex->setToolTip(QStringLiteral("Double Click to View / Edit"));
    Command6 = new CommandButton(searchbox, QStringLiteral("Search Again"));
    Command7 = new CommandButton(searchbox, QStringLiteral("Close"));
    net = new TextBox(searchbox);
    gst = new TextBox(searchbox);
    tot = new TextBox(searchbox);
    auto *sums = new QGridLayout;
    sums->setHorizontalSpacing(8);
    sums->setVerticalSpacing(2);
    const std::pair<TextBox *, const char *> totals[] = {{net, "Nett $"}, {gst, "GST $"}, {tot, "Total $"}};
    for (int i = 0; i < 3; ++i) {
        totals[i].first->setLocked(true);
        totals[i].first->setFixedWidth(110);
        sums->addWidget(totals[i].first, 0, i);
        sums->addWidget(caption(searchbox, QLatin1String(totals[i].second)), 1, i, Qt::AlignHCenter);
    }
    auto *foot = new QHBoxLayout;
    foot->setSpacing(16);
    foot->addWidget(caption(searchbox, QStringLiteral("Double Click to go to transaction")));
    foot->addWidget(Command6);
    foot->addStretch(1);
    foot->addLayout(sums);
    foot->addStretch(1);
    foot->addWidget(Command7);
    auto *results = new QVBoxLayout(searchbox);
    results->setContentsMargins(8, 8, 8, 8);
    results->addWidget(flex, 1);
    results->addLayout(foot);

    // Every box here holds one line.
    for (const ControlArray<TextBox> *boxes : {&pay0, &pay1})
        for (const auto &[index, box] : *boxes)
            box->keepOneLineHigh();
    for (TextBox *box : {net, gst, tot})
        box->keepOneLineHigh();

    // The results box and the profit-and-loss panel lie over what they cover in the same
    // layout cell: showing and hiding them is all it takes.
    auto *faces = new QGridLayout(panel);
    faces->setContentsMargins(18, 16, 18, 16);
    faces->addWidget(criteriaFace, 0, 0);
    faces->addWidget(searchbox, 0, 0);

    orderTabStops({typeoftrans, Combo4,    basfor,   basyear,   pay1[0],  pay1[7],     DBCombo2,   combo1,
                   pay1[1],     Combo2[4], orderby1, Combo2[2], job,      Combo2[1],   pay1[4],    Combo2[3],
                   pay1[2],     reptype,   Command8, pay1[3],   Command9, Command1[1], Command1[2]});
}

} // namespace qm
