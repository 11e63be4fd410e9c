#include "shell/frmsplash.h"
#include "shell/pictures.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace qm {

void frmSplash::buildLayout()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setCaption(QString());
    auto *body = new QFrame(this);
    body->setFrameStyle(QFrame::Box | QFrame::Raised);
    setCentralWidget(body);

    imgLogo = new Image(body);
    imgLogo->setPicture(labelledPicture(QStringLiteral("QM"), QSize(120, 120), QColor(0x1f, 0x5f, 0x9f)));
    lblProductName = new Label(body);
    QFont title = lblProductName->font();
    title.setPointSize(26);
    title.setBold(true);
    lblProductName->setFont(title);
    lblCompanyProduct = new Label(body, QStringLiteral("GST Compliance System"));
    QFont subtitle = lblCompanyProduct->font();
    subtitle.setPointSize(14);
    lblCompanyProduct->setFont(subtitle);
    lblPlatform = new Label(body, QStringLiteral("Windows 95/98/NT"));
    lblVersion = new Label(body);
    lblWarning
        = new Label(body, QStringLiteral("Warning: The user accepts full responsibility for the use of this product"));
    lblLicenseTo = new Label(body);
    lblCopyright = new Label(body, QStringLiteral("Bookkeeping and GST for the small business"));
    lblCompany = new Label(body, QStringLiteral("Please read the disclaimer before you go on."));
    Command1 = new CommandButton(body, QStringLiteral("Read disclaimer"));
    Command2 = new CommandButton(body, QStringLiteral("Agree to terms "));
    Command3 = new CommandButton(body, QStringLiteral("Don't Agree"));

    auto *grid = new QGridLayout(body);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setHorizontalSpacing(24);
    grid->addWidget(imgLogo, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(lblLicenseTo, 0, 1);
    grid->addWidget(lblProductName, 1, 1);
    grid->addWidget(lblCompanyProduct, 2, 1);
    grid->addWidget(lblPlatform, 3, 1);
    grid->addWidget(lblVersion, 4, 1);
    grid->addWidget(lblCopyright, 5, 0, 1, 2);
    grid->addWidget(lblCompany, 6, 0, 1, 2);
    grid->addWidget(lblWarning, 7, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(12); // "Agree to terms " and "Don't Agree" must not touch
    buttons->addWidget(Command1);
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    grid->addLayout(buttons, 8, 0, 1, 2);
    resize(560, 380);
    setOpensCentred(true);
}

} // namespace qm
