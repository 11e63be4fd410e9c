#include "bas/adj.h"

#include <QVBoxLayout>

namespace qm {

void adj::buildLayout()
{
    setCaption(QStringLiteral("Adjustments"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *body = new QWidget(this);
    setCentralWidget(body);

    adj1 = new TextBox(body);
    adj2 = new TextBox(body);
    Command1 = new CommandButton(body, QStringLiteral("OK"));

    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(6);
    layout->addWidget(new Label(body, QStringLiteral("Adjustment to Supplies made / Receipts")));
    layout->addWidget(adj1);
    layout->addSpacing(10);
    layout->addWidget(new Label(body, QStringLiteral("Adjustment to Acquisitions made / Payments")));
    layout->addWidget(adj2);
    layout->addSpacing(14);
    layout->addWidget(Command1, 0, Qt::AlignCenter);
    resize(340, 200);
    setOpensCentred(true);
}

} // namespace qm
