#include "contacts/clientscreen.h"

#include "platform/dbcombo.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace qm {

void ClientScreen::buildShipping()
{
    Label *shipping = addLinkLabel(m_shippingSlot, Label1, 1, QStringLiteral("Shipping:"));
    m_shippingSlot->layout()->addWidget(shipping);

    Picture3 = new PictureBox(Picture1);
    paintPanel(Picture3);
    Picture3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture3->setVisible(false);
    Command4 = new CommandButton(Picture3, QStringLiteral("As above"));
    for (int index : {22, 19, 21, 23})
        Text1.add(index, new TextBox(Picture3));
    Text1[21]->setText(QStringLiteral("AUSTRALIA"));
    DBCombo1 = new DBCombo(Picture3);
    combo1.add(0, new ComboBox(Picture3));
    combo1[0]->setMinimumWidth(80);
    combo1[0]->setMaximumWidth(90);
    Label *hide = addLinkLabel(Picture3, Label1, 2, QStringLiteral("Hide Shipping"));
    hide->setVisible(false);
    // Hidden: the shipping suburb's name and a third box on the suburb column.
    Text2.add(6, new TextBox(Picture3));
    Text2[6]->setVisible(false);
    Text1.add(20, new TextBox(Picture3));
    Text1[20]->setVisible(false);

    auto *grid = new QGridLayout(Picture3);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    grid->addWidget(Command4, 0, 0);
    grid->addWidget(hide, 0, 3, Qt::AlignRight);
    grid->addWidget(fieldCaption(Picture3, QStringLiteral("Ship to")), 1, 0);
    grid->addWidget(Text1[22], 1, 1, 1, 3);
    grid->addWidget(fieldCaption(Picture3, QStringLiteral("Address")), 2, 0);
    grid->addWidget(Text1[19], 2, 1, 1, 3);
    grid->addWidget(fieldCaption(Picture3, QStringLiteral("Suburb/Town")), 3, 0);
    grid->addWidget(DBCombo1, 3, 1);
    grid->addWidget(fieldCaption(Picture3, QStringLiteral("State")), 3, 2);
    grid->addWidget(combo1[0], 3, 3);
    grid->addWidget(fieldCaption(Picture3, QStringLiteral("Country")), 4, 0);
    grid->addWidget(Text1[21], 4, 1);
    grid->addWidget(fieldCaption(Picture3, QStringLiteral("Postcode")), 4, 2);
    grid->addWidget(Text1[23], 4, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);
    m_detailsGrid->addWidget(Picture3, 8, 0, 1, 4);
}

} // namespace qm
