#include "contacts/contactscreen.h"

#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/taborder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qm {

namespace {
TextBox *box(QWidget *parent, ControlArray<TextBox> &array, int index, bool multiLine = false)
{
    auto *text = new TextBox(parent, multiLine);
    array.add(index, text);
    return text;
}

CommandButton *button(QWidget *parent, ControlArray<CommandButton> &array, int index, const QString &caption,
                      bool shown)
{
    auto *command = new CommandButton(parent, caption);
    array.add(index, command);
    command->setVisible(shown);
    return command;
}

} // namespace

Label *ContactScreen::addLinkLabel(QWidget *parent, ControlArray<Label> &array, int index, const QString &caption)
{
    auto *label = new Label(parent, caption);
    label->setWordWrap(false);
    QPalette blue = label->palette();
    blue.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xff)); // &HFF0000
    label->setPalette(blue);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    array.add(index, label);
    return label;
}

Label *ContactScreen::fieldCaption(QWidget *parent, const QString &text)
{
    auto *label = new Label(parent, text);
    label->setWordWrap(false);
    return label;
}

void ContactScreen::paintPanel(QWidget *panel)
{
    // Light pink (&HFFC0FF) behind the boxes; the boxes themselves stay white.
    QPalette pink = panel->palette();
    pink.setColor(QPalette::Window, QColor(0xff, 0xc0, 0xff));
    panel->setPalette(pink);
    panel->setAutoFillBackground(true);
}

void ContactScreen::buildLayout(const QString &formCaption)
{
    const bool clients = m_party == Party::Client;
    const bool browsing = m_use == Use::Browse;
    setCaption(formCaption);
    setOpensMaximised(true);
    m_background = new QWidget(this);
    paintPanel(m_background);
    setCentralWidget(m_background);

    sspanel100 = new SSPanel(m_background);
    paintPanel(sspanel100);
    sspanel100->setWidth(12300);
    sspanel100->setHeight(clients ? 8700 : 6600);

    // Hidden: the look-up data controls, the hidden boxes and the unused move buttons.
    Data1 = new Data(sspanel100);
    Data2 = new Data(sspanel100);
    Data1->setVisible(false);
    Data2->setVisible(false);
    m_record = new Data(sspanel100, QStringLiteral("Data3"));
    m_record->setVisible(browsing);
    for (int index : {1, 2, 6, 7, 8})
        box(m_background, Text1, index)->setVisible(false);
    Text1[7]->setText(QStringLiteral("VIC"));
    changed = new CheckBox(m_background, QStringLiteral("changed"));
    changed->setVisible(false);
    for (int unused : {0, 3, 4})
        button(m_background, Command1, unused, QString(), false);

    // The main panel: organisation, key, mode and the link to the details.
    Label1.add(0, fieldCaption(sspanel100, QStringLiteral("Ref")));
    box(sspanel100, Text1, 3);
    box(sspanel100, Text1, 0);
    Text1[0]->setBackColor(LightGrey);
    Text1[0]->setLocked(true);
    Text1[0]->setMaximumWidth(90);
    abn = new TextBox(sspanel100);
    abn->setMaxLength(15);
    statuspanel
        = new Label(sspanel100, clients ? QStringLiteral("Editing Client") : QStringLiteral("Editing Supplier"));
    QFont status(QStringLiteral("Arial"));
    status.setPointSize(16);
    status.setBold(true);
    statuspanel->setFont(status);
    statuspanel->setWordWrap(false);
    addLinkLabel(sspanel100, Label1, 7, QStringLiteral("Show Details:"));
    addLinkLabel(sspanel100, Label1, 8, QStringLiteral("Hide Details"))->setVisible(false);

    auto *top = new QGridLayout;
    top->setHorizontalSpacing(8);
    top->addWidget(fieldCaption(sspanel100, QStringLiteral("Organisation")), 0, 0);
    top->addWidget(Text1[3], 0, 1);
    top->addWidget(Label1[0], 0, 2);
    top->addWidget(Text1[0], 0, 3);
    if (!clients) {
        top->addWidget(fieldCaption(sspanel100, QStringLiteral("ABN #")), 0, 4);
        top->addWidget(abn, 0, 5);
        abn->setMinimumWidth(130);
    }
    top->setColumnStretch(1, 1);
    // "Hide Details" stands away from "Show Details:": a pointer resting on one never lands on
    // the other as they swap.
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(Label1[7]);
    statusRow->addStretch(1);
    statusRow->addWidget(Label1[8]);
    statusRow->addSpacing(24);
    statusRow->addWidget(statuspanel);

    // The details panel.
    Picture1 = new PictureBox(sspanel100);
    paintPanel(Picture1);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Picture1->setVisible(false);
    combotit = new ComboBox(Picture1);
    combotit->setMinimumWidth(70);
    combotit->setMaximumWidth(90);
    box(Picture1, Text1, 4);
    box(Picture1, Text1, 14);
    box(Picture1, Text1, 5);
    DBCombo5 = new DBCombo(Picture1);
    combo1.add(7, new ComboBox(Picture1));
    combo1[7]->setMinimumWidth(80);
    combo1[7]->setMaximumWidth(90);
    box(Picture1, Text1, 9);
    Text1[9]->setText(QStringLiteral("AUSTRALIA"));
    box(Picture1, Text1, 10);
    box(Picture1, Text1, 11);
    box(Picture1, Text1, 16);
    box(Picture1, Text1, 17);
    box(Picture1, Text1, 12);
    statuspanel2 = new Label(Picture1, statuspanel->Caption());
    QFont status2(QStringLiteral("Arial"));
    status2.setPointSize(12);
    status2.setBold(true);
    statuspanel2->setFont(status2);
    statuspanel2->setWordWrap(false);

    m_detailsGrid = new QGridLayout(Picture1);
    QGridLayout *grid = m_detailsGrid;
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    auto *names = new QHBoxLayout;
    names->addWidget(combotit);
    names->addWidget(Text1[4], 1);
    names->addWidget(Text1[14], 1);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("Contact Name")), 0, 0);
    grid->addLayout(names, 0, 1, 1, 3);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("Address")), 1, 0);
    grid->addWidget(Text1[5], 1, 1, 1, 3);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("Suburb/Town")), 2, 0);
    grid->addWidget(DBCombo5, 2, 1);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("State")), 2, 2);
    grid->addWidget(combo1[7], 2, 3);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("Country")), 3, 0);
    grid->addWidget(Text1[9], 3, 1);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("Telephone")), 4, 0);
    grid->addWidget(Text1[10], 4, 1);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("Fax")), 4, 2);
    grid->addWidget(Text1[11], 4, 3);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("Mobile")), 5, 0);
    grid->addWidget(Text1[16], 5, 1);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("Home")), 5, 2);
    grid->addWidget(Text1[17], 5, 3);
    grid->addWidget(fieldCaption(Picture1, QStringLiteral("E-mail")), 6, 0);
    grid->addWidget(Text1[12], 6, 1);
    if (clients) {
        grid->addWidget(fieldCaption(Picture1, QStringLiteral("ABN #")), 6, 2);
        grid->addWidget(abn, 6, 3);
        abn->setParent(Picture1);
    }
    auto *statusRow2 = new QHBoxLayout;
    m_shippingSlot = new QWidget(Picture1); // the client screens' "Shipping:" link goes here
    auto *slotLayout = new QHBoxLayout(m_shippingSlot);
    slotLayout->setContentsMargins(0, 0, 0, 0);
    statusRow2->addWidget(m_shippingSlot);
    statusRow2->addStretch(1);
    statusRow2->addWidget(statuspanel2);
    grid->addLayout(statusRow2, 7, 0, 1, 4);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);
    grid->setRowStretch(9, 1);

    // The side panel, over the main panel's OK, Cancel and Add.
    Picture2 = new PictureBox(sspanel100);
    paintPanel(Picture2);
    Picture2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Picture2->setVisible(false);
    jtitle = new TextBox(Picture2);
    jtitle->setMaxLength(20);
    box(Picture2, Text1, 15);
    box(Picture2, Text1, 18, true);
    Text1[18]->setMaxLength(255);
    button(Picture2, Command1, ContactButton::SideOK, QStringLiteral("OK"), true);
    button(Picture2, Command1, ContactButton::SideCancel, QStringLiteral("Cancel"), true);
    button(Picture2, Command1, ContactButton::SideGoLast, QStringLiteral("Go Last >>"), false);
    button(Picture2, Command1, ContactButton::SideGoFirst, QStringLiteral("<< Go First"), false);
    button(Picture2, Command1, ContactButton::SidePrevious, QStringLiteral("< Previous"), false);
    button(Picture2, Command1, ContactButton::SideNext, QStringLiteral("Next >"), false);
    if (browsing)
        addt = new CommandButton(Picture2, QStringLiteral("Add"));
    auto *side = new QGridLayout(Picture2);
    side->setContentsMargins(10, 8, 10, 8);
    side->setVerticalSpacing(5);
    side->addWidget(fieldCaption(Picture2, QStringLiteral("Job Title")), 0, 0);
    side->addWidget(jtitle, 1, 0);
    side->addWidget(fieldCaption(Picture2, QStringLiteral("Postcode")), 2, 0);
    side->addWidget(Text1[15], 3, 0);
    side->addWidget(fieldCaption(Picture2, QStringLiteral("Notes")), 4, 0);
    side->addWidget(Text1[18], 5, 0);
    side->setRowStretch(5, 1);
    auto *sideButtons = new QVBoxLayout;
    sideButtons->addWidget(Command1[ContactButton::SideOK]);
    sideButtons->addWidget(Command1[ContactButton::SideCancel]);
    if (addt)
        sideButtons->addWidget(addt);
    side->addLayout(sideButtons, 6, 0);

    // The main panel's buttons: OK, Cancel, Add and the hidden moves.
    m_mainButtons = new QWidget(sspanel100);
    auto *mainButtons = new QVBoxLayout(m_mainButtons);
    mainButtons->setContentsMargins(0, 0, 0, 0);
    mainButtons->addWidget(button(m_mainButtons, Command1, ContactButton::OK, QStringLiteral("OK"), true));
    mainButtons->addWidget(button(m_mainButtons, Command1, ContactButton::Cancel, QStringLiteral("Cancel"), true));
    if (browsing) {
        addb = new CommandButton(m_mainButtons, QStringLiteral("Add"));
        mainButtons->addWidget(addb);
    }
    mainButtons->addWidget(button(m_mainButtons, Command1, ContactButton::Next, QStringLiteral("Next >"), false));
    mainButtons->addWidget(
        button(m_mainButtons, Command1, ContactButton::Previous, QStringLiteral("< Previous"), false));
    mainButtons->addWidget(
        button(m_mainButtons, Command1, ContactButton::GoFirst, QStringLiteral("<< Go First"), false));
    mainButtons->addWidget(button(m_mainButtons, Command1, ContactButton::GoLast, QStringLiteral("Go Last >>"), false));
    mainButtons->addStretch(1);

    auto *panel = new QGridLayout(sspanel100);
    panel->setContentsMargins(14, 12, 14, 12);
    panel->setVerticalSpacing(8);
    panel->addLayout(top, 0, 0, 1, 2);
    panel->addLayout(statusRow, 1, 0, 1, 2);
    panel->addWidget(Picture1, 2, 0);
    panel->addWidget(m_mainButtons, 2, 1, Qt::AlignTop | Qt::AlignRight);
    panel->addWidget(Picture2, 2, 1); // the same place: shown, it covers the buttons
    panel->addWidget(m_record, 3, 0, 1, 2);
    m_record->setMinimumHeight(26);
    panel->setColumnStretch(0, 1);
    panel->setColumnMinimumWidth(1, 190);
    panel->setRowStretch(2, 1);
    Picture2->raise();

    // On the form itself, under the panel.
    Command3 = new CommandButton(m_background, QStringLiteral("Save"));
    navbuts.add(2, new CommandButton(m_background, QStringLiteral("Cancel")));
    for (QWidget *bottom : {static_cast<QWidget *>(Command3), static_cast<QWidget *>(navbuts[2])})
        bottom->resize(100, 30);

    // Tab order of the entry boxes.
    const std::vector<QWidget *> order
        = {Text1[3],  combotit, Text1[4],  Text1[14], Text1[0],  jtitle,    Text1[5],  Text1[9],
           combo1[7], DBCombo5, Text1[10], Text1[11], Text1[16], Text1[17], Text1[12], abn};
    orderTabStops(order);
}

void ContactScreen::placeFormButtons()
{
    const QRect panel = sspanel100->geometry();
    navbuts[2]->move(panel.right() - navbuts[2]->width(), panel.bottom() + 10);
    Command3->move(navbuts[2]->x() - Command3->width() - 10, panel.bottom() + 10);
}

} // namespace qm
