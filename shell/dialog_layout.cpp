#include "shell/dialog.h"
#include "shell/pictures.h"

#include <QGridLayout>

namespace qm {

void Dialog::buildLayout()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setCaption(QStringLiteral("Disclaimer"));
    auto *body = new QWidget(this);
    setCentralWidget(body);

    Picture1 = new PictureBox(body);
    Picture1->setPicture(labelledPicture(QStringLiteral("!"), QSize(64, 64), QColor(0xb0, 0x30, 0x30)));
    Picture1->setFixedSize(64, 64);
    Label1 = new Label(
        body,
        QStringLiteral(
            "The supplier of this software does not guarantee that it will work on every hardware platform or "
            "configuration, that it is free of errors, or that it will run without interruption. You use it entirely "
            "at your own risk: you must check its results and make sure that the information you give the tax office "
            "(the ATO) is correct. Neither the supplier nor its distributors are liable for any direct or indirect "
            "loss, damage, corruption of data, cost or expense arising from the software or its supply; the "
            "supplier's liability is limited to the price paid. You indemnify the supplier and its distributors "
            "against any such loss or claim."));
    Label2 = new Label(body);
    Label3 = new Label(
        body,
        QStringLiteral(
            "This version of QUILLMARK does not specifically handle special accounting rules, for example, involving "
            "car depreciation limits, insurance settlements etc. On the other hand, it should be fairly "
            "straightforward "
            "to enter entries into QUILLMARK to yield the correct results in these circumstances."));
    OKButton = new CommandButton(body, QStringLiteral("OK"));

    auto *grid = new QGridLayout(body);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setVerticalSpacing(14);
    grid->addWidget(Picture1, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(OKButton, 3, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    resize(560, 420);
    setOpensCentred(true);
}

} // namespace qm
