#include "ledger/ctc.h"
#include "platform/layoutparts.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qm {

using namespace layout;

namespace {
Label *heading(QWidget *parent, const QString &text)
{
    Label *label = caption(parent, text);
    QFont arial(QStringLiteral("Arial"));
    arial.setBold(true);
    arial.setPointSize(12);
    label->setFont(arial);
    return label;
}

// An add or edit panel: a heading, the code and explanation boxes, the hidden third box
// under its "Commission" label, and Save / Cancel.
SSPanel *entryPanel(QWidget *parent, Label *&title, const QString &titleText, ControlArray<TextBox> &boxes,
                    CommandButton *&save, CommandButton *&cancel)
{
    auto *panel = new SSPanel(parent);
    panel->setBackColor(LightGrey);
    title = heading(panel, titleText);
    for (int i = 0; i <= 2; ++i) {
        boxes.add(i, new TextBox(panel));
        boxes[i]->setBackColor(vbWhite); // the panel's colour would reach the boxes
    }
    boxes[0]->setMaxLength(10);
    boxes[1]->setMaxLength(100);
    boxes[1]->setMinimumWidth(420);
    save = new CommandButton(panel, QStringLiteral("Save"));
    cancel = new CommandButton(panel, QStringLiteral("Cancel"));

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->addWidget(caption(panel, QStringLiteral("Job / Account")), 0, 0);
    fields->addWidget(boxes[0], 0, 1, Qt::AlignLeft);
    boxes[0]->setMinimumWidth(140);
    fields->addWidget(caption(panel, QStringLiteral("Explanation")), 1, 0);
    fields->addWidget(boxes[1], 1, 1);
    fields->addWidget(hidden(caption(panel, QStringLiteral("Commission"))), 2, 0);
    fields->addWidget(hidden(boxes[2]), 2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    panel->setVisible(false);
    return panel;
}
} // namespace

void CTC::buildLayout()
{
    setCaption(QStringLiteral("Client Type Control"));
    setOpensMaximised(true);
    auto *background = new QWidget(this);
    setCentralWidget(background);

    SSPanel100 = new SSPanel(background);
    SSPanel100->setBackColor(vbPink);
    SSPanel100->setWidth(10950);
    SSPanel100->setHeight(7200);
    QWidget *panel = SSPanel100;

    statuspanel = heading(panel, QStringLiteral("Adding"));

    flex = new MSFlexGrid(panel, 2, 3);
    flex->setToolTip(QStringLiteral("Double Click to Edit"));
    // White cells and plain headings, not the panel's pink.
    QPalette plain = flex->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
        plain.setColor(role, QApplication::palette().color(role));
    plain.setColor(QPalette::Base, Qt::white);
    flex->setPalette(plain);

    SSPanel3 = entryPanel(panel, Label1, QStringLiteral("Adding"), Text3, Command4, Command5);
    SSPanel1 = entryPanel(panel, Label3, QStringLiteral("Editing"), Text4, Command7, Command6);

    addb = new CommandButton(panel, QStringLiteral("Add Job / Account"));
    Command3 = new CommandButton(panel, QStringLiteral("Delete Job / Account"));
    Command2 = hidden(new CommandButton(panel, QStringLiteral("Next")));
    navbuts.add(0, hidden(new CommandButton(panel, QStringLiteral("Client Masterfile"))));
    navbuts.add(1, hidden(new CommandButton(panel, QStringLiteral("Client Accounts"))));
    navbuts.add(2, hidden(new CommandButton(panel, QStringLiteral("Cancel"))));
    returnb = hidden(new CommandButton(panel, QStringLiteral("Back")));
    returnb->setMinimumWidth(110);

    // The add and edit panels lie over the grid, in the same cell.
    auto *body = new QGridLayout;
    body->addWidget(flex, 0, 0);
    body->addWidget(SSPanel3, 0, 0, Qt::AlignCenter);
    body->addWidget(SSPanel1, 0, 0, Qt::AlignCenter);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addWidget(addb);
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);
    for (const auto &[index, button] : navbuts)
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(returnb);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(12);
    layout->addWidget(statuspanel);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

} // namespace qm
