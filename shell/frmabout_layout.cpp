#include "shell/frmabout.h"
#include "shell/pictures.h"

#include <QGridLayout>

namespace qm {

void frmAbout::buildLayout()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *body = new QWidget(this);
    setCentralWidget(body);

    picIcon = new PictureBox(body);
    picIcon->setPicture(labelledPicture(QStringLiteral("QM"), QSize(48, 48), QColor(0x1f, 0x5f, 0x9f)));
    picIcon->setFixedSize(48, 48);
    lblTitle = new Label(body);
    QFont title = lblTitle->font();
    title.setPointSize(16);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = new Label(body);
    Label1 = new Label(body, QStringLiteral("QUILLMARK GST Compliance System"));
    lblDescription = new Label(
        body, QStringLiteral(
                  "Records clients, suppliers, payments and receipts with their GST, keeps tax invoices and works out "
                  "the Business Activity Statement."));
    Label2
        = new Label(body, QStringLiteral("For enquiries, please see the documentation that came with this program."));
    lblDisclaimer = new Label(
        body,
        QStringLiteral(
            "Warning: this program is provided as is. The user accepts full responsibility for checking its results "
            "before they are given to the tax office."));
    cmdOK = new CommandButton(body, QStringLiteral("OK"));
    cmdSysInfo = new CommandButton(body, QStringLiteral("&System Info..."));

    auto *grid = new QGridLayout(body);
    grid->setContentsMargins(18, 18, 18, 18);
    grid->setVerticalSpacing(10);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(Label1, 2, 1);
    grid->addWidget(lblDescription, 3, 1);
    grid->addWidget(Label2, 4, 1);
    grid->addWidget(lblDisclaimer, 5, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 5, 1);
    grid->setColumnStretch(1, 1);
    resize(520, 300);
    setOpensCentred(true);
}

} // namespace qm
