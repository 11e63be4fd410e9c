#include "platform/datacontrol.h"
#include "platform/filelistbox.h"
#include "shell/ci.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace qm {

void CI::buildLayout()
{
    setCaption(QStringLiteral("Organisation Information"));
    setOpensMaximised(true);
    auto *background = new QWidget(this);
    setCentralWidget(background);

    sspanel100 = new PictureBox(background);
    sspanel100->setFrameStyle(QFrame::Panel | QFrame::Raised);
    sspanel100->setLineWidth(2);
    sspanel100->setWidth(11400);
    sspanel100->setHeight(7200);

    info = new Data(sspanel100);
    pic = new Data(sspanel100);
    info->setVisible(false);
    pic->setVisible(false);

    // Text1(3) is a second, hidden box on the address column.
    const std::vector<std::pair<int, QString>> boxes = {{0, QStringLiteral("Name of Organisation")},
                                                        {1, QStringLiteral("Address")},
                                                        {2, QStringLiteral("Town/Suburb")},
                                                        {-1, QStringLiteral("State")},
                                                        {4, QStringLiteral("Postcode")},
                                                        {5, QStringLiteral("Phone")},
                                                        {6, QStringLiteral("Fax")},
                                                        {7, QStringLiteral("ABN #")},
                                                        {8, QStringLiteral("Cheques payable to (name)")},
                                                        {9, QStringLiteral("Invoice questions phone")},
                                                        {10, QStringLiteral("Standard terms")},
                                                        {11, QStringLiteral("Standard shipping company")},
                                                        {12, QStringLiteral("Special message on invoices")}};
    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    int row = 0;
    for (const auto &[index, caption] : boxes) {
        auto *label = new Label(sspanel100, caption);
        label->setWordWrap(false);
        fields->addWidget(label, row, 0);
        if (index < 0) {
            Combo1 = new ComboBox(sspanel100);
            Combo1->setMinimumWidth(90);
            Combo1->setMaximumWidth(110);
            fields->addWidget(Combo1, row, 1, Qt::AlignLeft);
        } else {
            Text1.add(index, new TextBox(sspanel100));
            fields->addWidget(Text1[index], row, 1);
        }
        ++row;
    }
    Text1.add(3, new TextBox(sspanel100));
    Text1[3]->setVisible(false);
    fields->setColumnStretch(1, 1);

    auto *logo = new QVBoxLayout;
    auto *logoLabel = new Label(sspanel100, QStringLiteral("Logo Bitmap"));
    logoLabel->setWordWrap(false);
    File1 = new FileListBox(sspanel100);
    File1->setMinimumWidth(180);
    Picture1 = new LogoBox(sspanel100);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setFixedSize(200, 150);
    Command1 = new CommandButton(sspanel100, QStringLiteral("Menu"));
    logo->addWidget(logoLabel);
    logo->addWidget(File1, 1);
    logo->addWidget(Picture1, 0, Qt::AlignHCenter);
    logo->addSpacing(12);
    logo->addWidget(Command1);

    auto *panel = new QGridLayout(sspanel100);
    panel->setContentsMargins(20, 16, 20, 16);
    panel->setHorizontalSpacing(24);
    panel->addLayout(fields, 0, 0);
    panel->addLayout(logo, 0, 1);
    panel->setColumnStretch(0, 1);
}

} // namespace qm
