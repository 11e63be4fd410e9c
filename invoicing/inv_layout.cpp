#include "invoicing/inv.h"

#include "common/databases.h"
#include "common/format.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "platform/layoutparts.h"
#include "platform/reportcontrol.h"
#include "platform/taborder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qm {

using namespace layout;

namespace {
TextBox *totalBox(QWidget *parent)
{
    auto *box = greyBox(parent);
    box->setAlignment(TextBox::RightJustify);
    return box;
}

// A date picker shown as the calendar button at the end of its box.
DTPicker *calendarButton(QWidget *parent)
{
    auto *picker = pickerButton(parent);
    picker->setToolTip(QStringLiteral("Pick a date"));
    return picker;
}

// An address block: the name and the address a line each, town, state and postcode on the
// third line, the country on the fourth.
QGridLayout *addressBlock(QWidget *parent, const QString &title, ControlArray<TextBox> &boxes)
{
    for (int i = 0; i < 6; ++i)
        boxes.add(i, new TextBox(parent));
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    grid->addWidget(caption(parent, title, true), 0, 0, 1, 3);
    grid->addWidget(boxes[0], 1, 0, 1, 3);
    grid->addWidget(boxes[1], 2, 0, 1, 3);
    grid->addWidget(boxes[2], 3, 0);
    boxes[3]->setFixedWidth(50);
    grid->addWidget(boxes[3], 3, 1);
    boxes[4]->setFixedWidth(60);
    grid->addWidget(boxes[4], 3, 2);
    grid->addWidget(boxes[5], 4, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    return grid;
}
} // namespace

void INV::buildLayout()
{
    setCaption(QStringLiteral("Invoice Control"));
    setOpensMaximised(true);
    auto *background = new QWidget(this);
    setCentralWidget(background);
    Report1 = new CrystalReport(this);

    // The hand-over boxes sit on the form, never shown.
    invnumb = hidden(new TextBox(background));
    invid = hidden(new TextBox(background));
    gobackb = hidden(new TextBox(background));

    sspanel100 = new SSPanel(background);
    sspanel100->setWidth(15600);
    sspanel100->setHeight(10500);
    QWidget *panel = sspanel100;

    c = hiddenData(panel, BookFile, PasswordConnect, QStringLiteral("C"));

    // The client and the mode.
    statuspanel = new SSPanel(panel, QStringLiteral("Adding"));
    statuspanel->setFixedSize(110, 30);
    QFont modeFont = statuspanel->font();
    modeFont.setBold(true);
    modeFont.setPointSize(11);
    statuspanel->setFont(modeFont);
    QSizePolicy stays = statuspanel->sizePolicy();
    stays.setRetainSizeWhenHidden(true); // the client row does not move while the list is shown
    statuspanel->setSizePolicy(stays);
    Label1.add(4, caption(panel, QStringLiteral("Client Name")));
    DBCombo1 = new DBCombo(panel);
    DBCombo1->setRowSource(c);
    DBCombo1->ListField = QStringLiteral("l");
    DBCombo1->setMinimumWidth(300);
    Check1 = hidden(new CheckBox(panel, QStringLiteral("Show all Clients")));
    back = hidden(caption(panel, QStringLiteral("Go Back")));
    back->setForeColor(vbBlue);
    QFont linkFont = back->font();
    linkFont.setUnderline(true);
    back->setFont(linkFont);
    back->setCursor(Qt::PointingHandCursor);
    auto *header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(statuspanel);
    header->addSpacing(10);
    header->addWidget(Label1[4]);
    header->addWidget(DBCombo1);
    header->addWidget(Check1);
    header->addStretch(1);
    header->addWidget(back);

    // The invoice body.
    Picture1 = hidden(new PictureBox(panel));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Hidden until a client is chosen, the body keeps its place: the client row stays on top.
    QSizePolicy keepsPlace = Picture1->sizePolicy();
    keepsPlace.setRetainSizeWhenHidden(true);
    Picture1->setSizePolicy(keepsPlace);
    QWidget *body = Picture1;

    a.add(0, new TextBox(body));
    a[0]->setToolTip(QStringLiteral("A combination of letters followed by a number. QUILLMARK will automatically "
                                    "increment the number portion of the invoice number."));
    a.add(1, new TextBox(body));
    picker = calendarButton(body);
    auto *numberGrid = new QGridLayout;
    numberGrid->setHorizontalSpacing(4);
    numberGrid->setVerticalSpacing(3);
    numberGrid->addWidget(caption(body, QStringLiteral("Invoice Number"), true), 0, 0, 1, 2);
    numberGrid->addWidget(a[0], 1, 0, 1, 2);
    numberGrid->addWidget(caption(body, QStringLiteral("Date"), true), 2, 0, 1, 2);
    numberGrid->addWidget(a[1], 3, 0);
    numberGrid->addWidget(picker, 3, 1);
    numberGrid->setRowStretch(4, 1);
    a[0]->setFixedWidth(150);
    a[1]->setFixedWidth(126);

    auto *addresses = new QHBoxLayout;
    addresses->setSpacing(24);
    addresses->addLayout(addressBlock(body, QStringLiteral("Invoice to"), x), 1);
    addresses->addLayout(addressBlock(body, QStringLiteral("Ship To"), s), 1);
    addresses->addLayout(numberGrid);

    const char *const shippingHeads[] = {"ABN", "P.O Number", "Date Shipped", "Shipped via", "Project", "Terms"};
    auto *shipping = new QGridLayout;
    shipping->setHorizontalSpacing(6);
    shipping->setVerticalSpacing(2);
    for (int i = 0; i < 6; ++i) {
        b.add(i, new TextBox(body));
        shipping->addWidget(caption(body, QString::fromLatin1(shippingHeads[i])), 0, i);
        shipping->setColumnStretch(i, 1);
    }
    DTPicker1 = calendarButton(body);
    for (int i = 0; i < 6; ++i) {
        if (i == 2) {
            auto *dateShipped = new QHBoxLayout;
            dateShipped->setSpacing(4);
            dateShipped->addWidget(b[2], 1);
            dateShipped->addWidget(DTPicker1);
            shipping->addLayout(dateShipped, 1, i);
        } else {
            shipping->addWidget(b[i], 1, i);
        }
    }

    // The line rows under their headings, the totals under the $AMOUNT column.
    const char *const lineHeads[] = {"QTY", "DESCRIPTION", "$RATE", "TAX", "$TAX AMT", "$AMOUNT"};
    const int cellWidths[] = {70, 0, 95, 60, 95, 105};
    auto *lines = new QGridLayout;
    lines->setHorizontalSpacing(3);
    lines->setVerticalSpacing(2);
    for (int i = 0; i < LineCells; ++i)
        lines->addWidget(caption(body, QString::fromLatin1(lineHeads[i]), true), 0, i,
                         i == LineDescription ? Qt::AlignLeft : Qt::AlignCenter);
    for (int row = 1; row <= LineRows; ++row) {
        for (int i = 0; i < LineCells; ++i) {
            auto *cell = new TextBox(body);
            l(row).add(i, cell);
            if (cellWidths[i] > 0)
                cell->setFixedWidth(cellWidths[i]);
            if (i == LineRate || i == LineTaxAmount || i == LineAmount)
                cell->setAlignment(TextBox::RightJustify);
            lines->addWidget(cell, row, i);
        }
    }
    l1[LineTax]->setToolTip(QStringLiteral("Double Click for GST"));
    lines->setColumnStretch(LineDescription, 1);
    xsubtot = totalBox(body);
    xgst = totalBox(body);
    othertax = totalBox(body);
    xtotal = totalBox(body);
    const char *const totalHeads[] = {"NETT", "TAX @ 10%", "OTHER TAX", "TOTAL DUE"};
    TextBox *totals[] = {xsubtot, xgst, othertax, xtotal};
    for (int i = 0; i < 4; ++i) {
        totals[i]->setFixedWidth(cellWidths[LineAmount]);
        lines->addWidget(caption(body, QString::fromLatin1(totalHeads[i]), true), LineRows + 1 + i, 2, 1, 3,
                         Qt::AlignRight);
        lines->addWidget(totals[i], LineRows + 1 + i, LineAmount);
    }
    // No amount is cut: the cells of money fit the largest amount; the $AMOUNT cells, like the
    // totals under them, the largest sum.
    for (int row = 1; row <= LineRows; ++row) {
        l(row)[LineRate]->fitText(LargestAmount);
        l(row)[LineTaxAmount]->fitText(LargestAmount);
        l(row)[LineAmount]->fitText(LargestTotal);
    }
    for (TextBox *total : totals)
        total->fitText(LargestTotal);
    lines->setRowMinimumHeight(LineRows + 1, 30);
    lines->setAlignment(totals[0], Qt::AlignBottom);

    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(14, 10, 14, 10);
    bodyLayout->setSpacing(12);
    bodyLayout->addLayout(addresses);
    bodyLayout->addLayout(shipping);
    bodyLayout->addLayout(lines);
    bodyLayout->addStretch(1);

    // The invoice list lies over the body while it is shown.
    m_listArea = hidden(new QWidget(panel));
    m_listArea->setAutoFillBackground(true);
    flex = hidden(new MSFlexGrid(m_listArea, 300, 7));
    flex->setFixedRows(1);
    flex->setToolTip(QStringLiteral("Click to View and Edit"));
    Picture3 = hidden(new PictureBox(m_listArea));
    Picture3->setFixedHeight(58);
    combo1 = new ComboBox(Picture3);
    basfor = new ComboBox(Picture3);
    Label1.add(5, hidden(caption(Picture3, QStringLiteral("FY starting"))));
    basyear = hidden(new ComboBox(Picture3));
    itot = totalBox(Picture3);
    ptot = totalBox(Picture3);
    itot->setBackColor(vbWhite);
    ptot->setBackColor(vbWhite);
    // No amount is cut: the sums under the $Total and $Paid columns fit the largest, and
    // their columns are as wide as they are (flexfill).
    itot->fitText(LargestTotal);
    ptot->fitText(LargestTotal);
    // Twips: the status, period and year from the left; the totals go under their columns.
    combo1->Move(0, 90, 2250, 390);
    basfor->Move(2400, 90, 1800, 390);
    Label1[5]->Move(4380, 150, 1050, 300);
    basyear->Move(5430, 90, 1080, 390);
    // Each total stands under its column of the grid (placed with the columns, flexfill).
    for (Label *&total : m_totalLabels) {
        total = caption(Picture3, QStringLiteral("Total"));
        total->setAlignment(Qt::AlignCenter);
    }
    auto *listLayout = new QVBoxLayout(m_listArea);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(4);
    listLayout->addWidget(flex, 1);
    listLayout->addWidget(Picture3);

    auto *middle = new QGridLayout;
    middle->addWidget(Picture1, 0, 0);
    middle->addWidget(m_listArea, 0, 0);
    m_listArea->raise();

    // The buttons appear once a client is chosen.
    save = hidden(new CommandButton(panel, QStringLiteral("Save")));
    viewprint.add(0, hidden(new CommandButton(panel, QStringLiteral("View"))));
    viewprint.add(1, hidden(new CommandButton(panel, QStringLiteral("Print"))));
    Command2 = hidden(new CommandButton(panel, QStringLiteral("New")));
    gotoMenu = hidden(new CommandButton(panel, QStringLiteral("Menu")));
    history = hidden(new CommandButton(panel, QStringLiteral("History / Search")));
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (CommandButton *button : {save, viewprint[0], viewprint[1], Command2, gotoMenu}) {
        button->setMinimumWidth(90);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    history->setMinimumWidth(140);
    buttons->addWidget(history);

    // A single line stays one line high.
    std::vector<TextBox *> singleLines{xsubtot, xgst, othertax, xtotal, itot, ptot};
    for (const ControlArray<TextBox> *boxes : {&a, &x, &s, &b, &l1, &l2, &l3, &l4, &l5, &l6, &l7})
        for (const auto &[index, box] : *boxes)
            singleLines.push_back(box);
    for (TextBox *box : singleLines)
        box->keepOneLineHigh();

    auto *main = new QVBoxLayout(panel);
    main->setContentsMargins(16, 12, 16, 12);
    main->setSpacing(10);
    main->addLayout(header);
    main->addLayout(middle, 1);
    main->addLayout(buttons);

    std::vector<QWidget *> order{DBCombo1, a[0], a[1]};
    for (ControlArray<TextBox> *block : {&x, &s, &b})
        for (int i = 0; i < 6; ++i)
            order.push_back((*block)[i]);
    for (int row = 1; row <= LineRows; ++row)
        for (int i = 0; i < LineCells; ++i)
            order.push_back(l(row)[i]);
    for (CommandButton *button : {save, viewprint[0], viewprint[1], Command2, gotoMenu, history})
        order.push_back(button);
    orderTabStops(order);
}

} // namespace qm
