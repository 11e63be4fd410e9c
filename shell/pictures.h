#pragma once

class QColor;
class QPixmap;
class QSize;
class QString;

namespace qm {

// A picture with its label drawn in it, for the picture buttons and logos.
QPixmap labelledPicture(const QString &label, const QSize &size, const QColor &colour);

} // namespace qm
