#include "shell/pictures.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace qm {

QPixmap labelledPicture(const QString &label, const QSize &size, const QColor &colour)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, colour.lighter(140));
    gradient.setColorAt(1, colour.darker(130));
    painter.setBrush(gradient);
    painter.setPen(QPen(colour.darker(170), 2));
    painter.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 10, 10);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(11, size.height() / 6));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(6, 6, size.width() - 12, size.height() - 12), Qt::AlignCenter | Qt::TextWordWrap, label);
    return picture;
}

} // namespace qm
