#include "tests/support/drawntext.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <climits>
#include <cmath>

namespace qm::test {

namespace {

constexpr int Dpi = 600;
constexpr double PixelsPerPoint = Dpi / 72.0;
constexpr double Tolerance = 0.05; // points

// Keeps the texts it is given and draws nothing else.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawRects(const QRectF *, int) override {}
    void drawLines(const QLineF *, int) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF &origin, const QTextItem &item) override
    {
        QString shown = item.text();
        double left = origin.x();
        double right = origin.x() + item.width();
        if (painter()->hasClipping() && !visible(origin, item, shown, left, right))
            return;
        const double ascent = item.ascent() / PixelsPerPoint;
        const QRectF box(left / PixelsPerPoint, origin.y() / PixelsPerPoint - ascent, (right - left) / PixelsPerPoint,
                         ascent + item.descent() / PixelsPerPoint);
        // Pieces of one run (a change of script or of font inside a line) join up again.
        if (!texts.empty()) {
            DrawnText &last = texts.back();
            if (std::abs(last.box.bottom() - box.bottom()) < Tolerance
                && std::abs(last.box.right() - box.left()) < Tolerance) {
                last.text += shown;
                last.box.setRight(box.right());
                return;
            }
        }
        texts.push_back({shown, box, item.font().pointSizeF()});
    }

    std::vector<DrawnText> texts;

private:
    // What of the item the painter's clip lets through, as a printer shows it: the characters
    // whose glyphs lie inside the clip, and where they start and end. False when none does.
    // The pages are drawn untransformed, so the clip and the item share their coordinates.
    bool visible(const QPointF &origin, const QTextItem &item, QString &shown, double &left, double &right) const
    {
        const QPainterPath clip = painter()->clipPath();
        const double ascent = item.ascent();
        const QRectF whole(origin.x(), origin.y() - ascent, item.width(), ascent + item.descent());
        if (clip.contains(whole.adjusted(Slack, Slack, -Slack, -Slack)))
            return true;
        const QFontMetricsF metrics(item.font(), paintDevice());
        const QString text = item.text();
        shown.clear();
        left = right = origin.x();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const double start = origin.x() + metrics.horizontalAdvance(text.left(i));
            const double end = origin.x() + metrics.horizontalAdvance(text.left(i + 1));
            const QRectF ink = metrics.boundingRect(text[i]).translated(start, origin.y());
            // A blank has no ink: it shows where its middle does.
            const bool inside = ink.isEmpty() ? clip.contains(QPointF((start + end) / 2, origin.y() - ascent / 2))
                                              : clip.contains(ink.adjusted(Slack, Slack, -Slack, -Slack));
            if (!inside)
                continue;
            if (shown.isEmpty())
                left = start;
            shown += text[i];
            right = end;
        }
        return !shown.isEmpty();
    }

    static constexpr double Slack = Tolerance * PixelsPerPoint;
};

// An A4 sheet at 600 dots an inch, as a printer's.
class RecordingDevice : public QPaintDevice
{
public:
    QPaintEngine *paintEngine() const override { return &m_engine; }
    std::vector<DrawnText> &texts() { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return int(210 / 25.4 * Dpi);
        case PdmHeight: return int(297 / 25.4 * Dpi);
        case PdmWidthMM: return 210;
        case PdmHeightMM: return 297;
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return Dpi;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable RecordingEngine m_engine;
};

bool inside(const QRectF &box, const QRectF &place)
{
    return box.left() >= place.left() - Tolerance && box.right() <= place.right() + Tolerance
           && box.top() >= place.top() - Tolerance && box.bottom() <= place.bottom() + Tolerance;
}

QString where(int page, const QRectF &r)
{
    return QStringLiteral("page %1 at (%2, %3)").arg(page + 1).arg(r.left(), 0, 'f', 1).arg(r.top(), 0, 'f', 1);
}

} // namespace

std::vector<DrawnText> drawnTexts(const ReportDocument &document, int page)
{
    RecordingDevice device;
    QPainter painter(&device);
    document.paintPage(painter, page, PixelsPerPoint);
    painter.end();
    return std::move(device.texts());
}

QStringList drawingFaults(const ReportDocument &document)
{
    QStringList faults;
    for (int page = 0; page < int(document.pages.size()); ++page) {
        const std::vector<DrawnText> drawn = drawnTexts(document, page);
        for (const ReportShape &shape : document.pages[size_t(page)].shapes) {
            if (shape.kind != ReportShape::Kind::Text || shape.fit != ReportFit::Shrink)
                continue;
            const QRectF &place = shape.rect;
            auto found = std::find_if(drawn.begin(), drawn.end(), [&](const DrawnText &text) {
                const double middle = text.box.center().y();
                return text.text == shape.text && middle > place.top() && middle < place.bottom()
                       && text.box.right() > place.left() && text.box.left() < place.right();
            });
            if (found == drawn.end())
                faults << QStringLiteral("\"%1\" is not drawn whole (%2)").arg(shape.text, where(page, place));
            else if (!inside(found->box, place))
                faults << QStringLiteral("\"%1\" goes past its place (%2)").arg(shape.text, where(page, place));
            else if (found->points < ReportSmallestType - 0.001)
                faults << QStringLiteral("\"%1\" is drawn in %2 point type").arg(shape.text).arg(found->points);
        }
        for (size_t i = 0; i < drawn.size(); ++i) {
            if (drawn[i].text.contains(QChar(0x2026)))
                faults << QStringLiteral("\"%1\" is cut (%2)").arg(drawn[i].text, where(page, drawn[i].box));
            for (size_t j = i + 1; j < drawn.size(); ++j) {
                const QRectF overlap = drawn[i].box.intersected(drawn[j].box);
                if (overlap.width() > Tolerance && overlap.height() > Tolerance)
                    faults << QStringLiteral("\"%1\" and \"%2\" are drawn over each other (%3)")
                                  .arg(drawn[i].text, drawn[j].text, where(page, drawn[i].box));
            }
        }
    }
    return faults;
}

} // namespace qm::test
