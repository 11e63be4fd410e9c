#include "shell/menu2.h"
#include "shell/pictures.h"

#include <QBitmap>
#include <QGridLayout>
#include <QPainter>

namespace qm {

namespace {
// The pointer over the picture buttons: a small blowtorch.
QCursor blowtorchCursor()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xe0, 0x60, 0x10));
    painter.setPen(Qt::black);
    painter.drawPolygon(QPolygon({QPoint(1, 1), QPoint(9, 4), QPoint(4, 9)}));
    painter.setBrush(QColor(0x80, 0x80, 0x90));
    painter.drawRoundedRect(QRect(7, 7, 8, 20), 2, 2);
    painter.end();
    return QCursor(picture, 1, 1);
}

PictureBox *pictureButton(QWidget *parent, const QString &label, QSize size, QColor colour)
{
    auto *button = new PictureBox(parent);
    button->setPicture(labelledPicture(label, size, colour));
    button->setFixedSize(size);
    return button;
}
} // namespace

void Menu2::buildLayout()
{
    setCaption(QStringLiteral("Menu"));
    setOpensMaximised(true);
    auto *background = new QWidget(this);
    background->setAutoFillBackground(true);
    QPalette white = background->palette();
    white.setColor(QPalette::Window, Qt::white);
    background->setPalette(white);
    setCentralWidget(background);

    sspanel100 = new PictureBox(background);
    sspanel100->setFrameStyle(QFrame::Panel | QFrame::Raised);
    sspanel100->setWidth(11400);
    sspanel100->setHeight(8400);

    const QSize big(150, 110);
    const QColor blue(0x2a, 0x5d, 0x9a), green(0x2e, 0x7d, 0x4f), red(0xa0, 0x3c, 0x2c);
    Picture1.add(0, pictureButton(sspanel100, QStringLiteral("GST"), QSize(90, 90), QColor(0x70, 0x70, 0x90)));
    Picture1.add(1, pictureButton(sspanel100, QStringLiteral("QUILLMARK"), QSize(460, 90), QColor(0x20, 0x3a, 0x60)));
    Picture1.add(2, pictureButton(sspanel100, QStringLiteral("BAS Statement"), big, red));
    Picture1.add(3, pictureButton(sspanel100, QStringLiteral("Reports"), big, blue));
    Picture1.add(4, pictureButton(sspanel100, QStringLiteral("Invoices"), big, blue));
    Picture1.add(5, pictureButton(sspanel100, QStringLiteral("Payments / Expenses"), big, green));
    Picture1.add(6, pictureButton(sspanel100, QStringLiteral("Receipts / Income"), big, green));
    Picture1.add(7, pictureButton(sspanel100, QStringLiteral("Clients"), big, blue));
    Picture1.add(8, pictureButton(sspanel100, QStringLiteral("Suppliers"), big, green));
    Picture1.add(
        9, pictureButton(sspanel100, QStringLiteral("Transaction Search"), QSize(200, 36), QColor(0x55, 0x55, 0x55)));
    picture100 = pictureButton(sspanel100, QStringLiteral("Invoices"), QSize(90, 36), QColor(0x90, 0x90, 0xa0));

    setMouseIcon(blowtorchCursor());

    auto *grid = new QGridLayout(sspanel100);
    grid->setContentsMargins(24, 20, 24, 20);
    grid->setSpacing(16);
    grid->addWidget(Picture1[0], 0, 0, Qt::AlignCenter);
    grid->addWidget(Picture1[1], 0, 1, 1, 3, Qt::AlignCenter);
    grid->addWidget(Picture1[6], 1, 0, Qt::AlignCenter);
    grid->addWidget(Picture1[4], 1, 1, Qt::AlignCenter);
    grid->addWidget(Picture1[7], 1, 2, Qt::AlignCenter);
    grid->addWidget(Picture1[3], 1, 3, Qt::AlignCenter);
    grid->addWidget(Picture1[5], 2, 0, Qt::AlignCenter);
    grid->addWidget(Picture1[8], 2, 1, Qt::AlignCenter);
    grid->addWidget(Picture1[2], 2, 2, Qt::AlignCenter);
    grid->addWidget(picture100, 2, 3, Qt::AlignCenter);
    grid->addWidget(Picture1[9], 3, 0, 1, 4, Qt::AlignCenter);
}

} // namespace qm
