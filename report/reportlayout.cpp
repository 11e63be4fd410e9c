#include "report/reportlayout.h"

#include "data/dates.h"
#include "data/error.h"

#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace qm {

namespace {

ReportNumberFormat &numberFormat()
{
    static ReportNumberFormat format = nullptr;
    return format;
}

constexpr double CellPadding = 3;

// The days of one range as the page says them.
QString rangeText(const FormulaDateRange &range)
{
    if (!range.first.isValid())
        return QStringLiteral("Up to ") + shortDate(range.last);
    if (!range.last.isValid())
        return QStringLiteral("From ") + shortDate(range.first);
    return shortDate(range.first) + QStringLiteral(" to ") + shortDate(range.last);
}

// What the formula selects on dates, for the tables the report reads: one text when every
// table is selected alike (the income and the expenses over one period), else each range
// after its field and each table bounded by no range after its name.
QString datesText(const FormulaDates &dates, const QStringList &tables, const QString &allDates)
{
    QStringList labels, texts;
    for (const QString &table : tables) {
        bool bounded = false;
        for (const FormulaDateRange &range : dates.ranges) {
            if (range.table.compare(table, Qt::CaseInsensitive) != 0)
                continue;
            bounded = true;
            labels << range.table + u'.' + range.column;
            texts << rangeText(range);
        }
        if (!bounded) {
            labels << table;
            texts << (dates.comparedTables.contains(table, Qt::CaseInsensitive) ? QString() : allDates);
        }
    }
    if (texts.isEmpty() || texts.count(texts.first()) == texts.size())
        return texts.value(0);
    QStringList parts;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (!texts[i].isEmpty())
            parts << labels[i] + QStringLiteral(": ") + texts[i];
    }
    return parts.join(QStringLiteral("; "));
}

bool isNumberPattern(const QString &format)
{
    return !format.isEmpty() && format != u"date";
}

int indexIgnoringCase(const QStringList &list, const QString &text)
{
    for (int i = 0; i < int(list.size()); ++i) {
        if (list[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

ReportFont bold(ReportFont font)
{
    font.bold = true;
    return font;
}

// Builds the pages of one report.
class Layout
{
public:
    Layout(const ReportDefinition &def, const ReportData &data, const QDate &printDate)
        : m_def(def)
        , m_data(data)
        , m_printDate(printDate)
        , m_left(def.margin)
        , m_width(def.pageWidth() - 2 * def.margin)
        , m_bodyTop(def.margin + def.pageHeader.height)
        , m_bodyBottom(def.pageHeight() - def.margin - def.pageFooter.height)
    {
        m_doc.title = def.title;
        m_doc.landscape = def.landscape;
        m_doc.width = def.pageWidth();
        m_doc.height = def.pageHeight();
    }

    ReportDocument run()
    {
        switch (m_def.layout) {
        case ReportDefinition::Layout::List: list(); break;
        case ReportDefinition::Layout::Form: forms(); break;
        case ReportDefinition::Layout::Summary: summary(); break;
        }
        if (m_doc.pages.empty())
            newPage();
        // The bands go on last, when the number of pages is known.
        for (int i = 0; i < int(m_doc.pages.size()); ++i) {
            m_page = &m_doc.pages[size_t(i)];
            band(m_def.pageHeader, m_def.margin, i);
            band(m_def.pageFooter, m_bodyBottom, i);
        }
        return std::move(m_doc);
    }

private:
    // -- shapes -------------------------------------------------------------------------------

    void text(const QRectF &rect, const QString &text, const ReportFont &font, ReportAlign align,
              ReportFit fit = ReportFit::Cut, WrapStart start = WrapStart::Centred)
    {
        if (text.isEmpty())
            return;
        ReportShape shape;
        shape.kind = ReportShape::Kind::Text;
        shape.rect = rect;
        shape.text = text;
        shape.font = font;
        shape.align = align;
        shape.fit = fit;
        shape.wrapStart = start;
        m_page->shapes.push_back(std::move(shape));
    }

    void line(double x1, double y1, double x2, double y2, double width)
    {
        ReportShape shape;
        shape.kind = ReportShape::Kind::Line;
        shape.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
        shape.lineWidth = width;
        m_page->shapes.push_back(std::move(shape));
    }

    void box(const QRectF &rect, const QString &fill, double lineWidth)
    {
        ReportShape shape;
        shape.kind = ReportShape::Kind::Box;
        shape.rect = rect;
        shape.fill = fill;
        shape.lineWidth = lineWidth;
        m_page->shapes.push_back(std::move(shape));
    }

    // A text inside a cell of a line, padded from the cell's sides.
    void cell(double x, double width, double y, double height, const QString &value, const ReportFont &font,
              ReportAlign align, ReportFit fit = ReportFit::Cut)
    {
        text(QRectF(x + CellPadding, y, width - 2 * CellPadding, height), value, font, align, fit);
    }

    // -- values -------------------------------------------------------------------------------

    QString fieldText(const std::vector<Value> &row, const QString &field, const QString &format) const
    {
        const int index = m_data.fieldIndex(field);
        return index < 0 ? QString() : reportValueText(row[size_t(index)], format);
    }

    QString itemText(const ReportItem &item, int page, const std::vector<Value> *row) const
    {
        switch (item.kind) {
        case ReportItem::Kind::Text: return item.text;
        case ReportItem::Kind::Title: return m_def.title;
        case ReportItem::Kind::PageNumber: return QStringLiteral("Page %1 of %2").arg(page + 1).arg(m_doc.pages.size());
        case ReportItem::Kind::PrintDate: return item.prefix + shortDate(m_printDate);
        case ReportItem::Kind::DateRange: return datesText(m_data.dates, m_def.tables, item.text);
        case ReportItem::Kind::Field: {
            if (!row)
                return {};
            QStringList parts;
            for (const QString &field : item.fields) {
                const QString part = fieldText(*row, field, item.format).trimmed();
                if (!part.isEmpty())
                    parts << part;
            }
            const QString joined = parts.join(item.separator);
            return joined.isEmpty() ? joined : item.prefix + joined;
        }
        case ReportItem::Kind::Line:
        case ReportItem::Kind::Box:
        case ReportItem::Kind::Table: break;
        }
        return {};
    }

    // -- pages --------------------------------------------------------------------------------

    void newPage()
    {
        m_doc.pages.emplace_back();
        m_page = &m_doc.pages.back();
        m_y = m_bodyTop;
    }

    void items(const std::vector<ReportItem> &list, double top, int page, const std::vector<Value> *row)
    {
        for (const ReportItem &item : list) {
            const double x = m_left + item.x;
            const double y = top + item.y;
            switch (item.kind) {
            case ReportItem::Kind::Line: line(x, y, x + item.w, y + item.h, item.lineWidth); break;
            case ReportItem::Kind::Box: box(QRectF(x, y, item.w, item.h), item.fill, item.lineWidth); break;
            case ReportItem::Kind::Table: table(item, x, y, row); break;
            default:
                text(QRectF(x, y, item.w, item.h), itemText(item, page, row), item.font, item.align, item.fit,
                     WrapStart::Top);
                break;
            }
        }
    }

    void band(const ReportBand &band, double top, int page) { items(band.items, top, page, nullptr); }

    // A form's grid of fields under their headings, ruled.
    void table(const ReportItem &item, double x, double y, const std::vector<Value> *row)
    {
        const double width = item.w;
        box(QRectF(x, y, width, item.headingHeight), item.fill, item.lineWidth);
        double cx = x;
        for (const ReportColumn &column : item.columns) {
            cell(cx, column.width, y, item.headingHeight, column.heading, bold(item.font), column.align);
            cx += column.width;
        }
        double ry = y + item.headingHeight;
        for (const QStringList &fields : item.rows) {
            cx = x;
            for (size_t c = 0; c < item.columns.size(); ++c) {
                const ReportColumn &column = item.columns[c];
                if (row && !fields[qsizetype(c)].isEmpty())
                    cell(cx, column.width, ry, item.rowHeight, fieldText(*row, fields[qsizetype(c)], column.format),
                         item.font, column.align, column.fit);
                cx += column.width;
            }
            ry += item.rowHeight;
            line(x, ry, x + width, ry, item.lineWidth / 2);
        }
        box(QRectF(x, y, width, ry - y), QString(), item.lineWidth);
        cx = x;
        for (size_t c = 0; c + 1 < item.columns.size(); ++c) {
            cx += item.columns[c].width;
            line(cx, y, cx, ry, item.lineWidth / 2);
        }
    }

    // -- list ---------------------------------------------------------------------------------

    double columnX(size_t index) const
    {
        // Bounded by the columns too: the optimiser cannot see that every index is one of them.
        double x = m_left;
        for (size_t i = 0; i < index && i < m_def.columns.size(); ++i)
            x += m_def.columns[i].width;
        return x;
    }

    int columnOf(const QString &field) const
    {
        for (size_t i = 0; i < m_def.columns.size(); ++i) {
            if (m_def.columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
                return int(i);
        }
        return -1;
    }

    void listPage()
    {
        newPage();
        const double h = m_def.rowHeight;
        for (size_t i = 0; i < m_def.columns.size(); ++i) {
            const ReportColumn &column = m_def.columns[i];
            cell(columnX(i), column.width, m_y, h, column.heading, bold(m_def.font), column.align);
        }
        m_y += h + 1;
        line(m_left, m_y, m_left + m_width, m_y, 0.75);
        m_y += 2;
    }

    // Room for `lines` more lines on this page, or a new page.
    void room(int lines)
    {
        if (m_doc.pages.empty() || m_y + lines * m_def.rowHeight > m_bodyBottom + 0.01)
            listPage();
    }

    void detailLine(const std::vector<Value> &row)
    {
        room(1);
        for (size_t i = 0; i < m_def.columns.size(); ++i) {
            const ReportColumn &column = m_def.columns[i];
            cell(columnX(i), column.width, m_y, m_def.rowHeight, fieldText(row, column.field, column.format),
                 m_def.font, column.align, column.fit);
        }
        m_y += m_def.rowHeight;
    }

    // A line of sums under their columns, its label from the left up to the first sum.
    void sumsLine(const QString &label, const QStringList &fields, const std::vector<Value> &sums, bool rule)
    {
        room(rule ? 2 : 1);
        double firstSum = m_left + m_width;
        for (const QString &field : fields)
            firstSum = std::min(firstSum, columnX(size_t(columnOf(field))));
        if (rule) {
            m_y += 2;
            for (const QString &field : fields) {
                const size_t c = size_t(columnOf(field));
                line(columnX(c) + CellPadding, m_y, columnX(c) + m_def.columns[c].width - CellPadding, m_y, 0.5);
            }
            m_y += 2;
        }
        if (firstSum > m_left)
            cell(m_left, firstSum - m_left, m_y, m_def.rowHeight, label, bold(m_def.font), ReportAlign::Left);
        for (int i = 0; i < int(fields.size()) && i < int(sums.size()); ++i) {
            const size_t c = size_t(columnOf(fields[i]));
            const ReportColumn &column = m_def.columns[c];
            cell(columnX(c), column.width, m_y, m_def.rowHeight, reportValueText(sums[size_t(i)], column.format),
                 bold(m_def.font), column.align, ReportFit::Shrink);
        }
        m_y += m_def.rowHeight;
    }

    QString groupName(const Value &key) const
    {
        const QString name = reportValueText(key, QString()).trimmed();
        return name.isEmpty() ? m_def.group->blank : name;
    }

    void list()
    {
        listPage();
        if (!m_def.group) {
            for (const std::vector<Value> &row : m_data.rows)
                detailLine(row);
        } else if (!m_def.group->details) {
            for (const ReportData::Group &group : m_data.groups)
                groupLine(group);
        } else {
            size_t next = 0;
            for (const ReportData::Group &group : m_data.groups)
                detailedGroup(group, next);
        }
        if (m_def.totals)
            totalsLine();
    }

    // A group as one line: its name in the group field's column, its sums in theirs.
    void groupLine(const ReportData::Group &group)
    {
        room(1);
        const int keyColumn = columnOf(m_def.group->field);
        for (size_t i = 0; i < m_def.columns.size(); ++i) {
            const ReportColumn &column = m_def.columns[i];
            QString value;
            ReportFit fit = column.fit;
            if (int(i) == keyColumn) {
                value = groupName(group.key);
            } else if (const int sum = indexIgnoringCase(m_def.group->sums, column.field);
                       sum >= 0 && size_t(sum) < group.sums.size()) {
                value = reportValueText(group.sums[size_t(sum)], column.format);
                fit = ReportFit::Shrink;
            }
            cell(columnX(i), column.width, m_y, m_def.rowHeight, value, m_def.font, column.align, fit);
        }
        m_y += m_def.rowHeight;
    }

    // A heading line, the group's rows (the next ones of the list, from `next` on) and its
    // subtotals.
    void detailedGroup(const ReportData::Group &group, size_t &next)
    {
        room(2);
        const QString name = groupName(group.key);
        const QString heading = m_def.group->heading.isEmpty() ? name : m_def.group->heading + u' ' + name;
        cell(m_left, m_width, m_y, m_def.rowHeight, heading, bold(m_def.font), ReportAlign::Left);
        m_y += m_def.rowHeight;
        for (int r = 0; r < group.rows && next < m_data.rows.size(); ++r)
            detailLine(m_data.rows[next++]);
        sumsLine(m_def.group->subtotalLabel + u' ' + name, m_def.group->sums, group.sums, true);
        m_y += m_def.rowHeight / 2;
    }

    void totalsLine()
    {
        room(2);
        m_y += 2;
        line(m_left, m_y, m_left + m_width, m_y, 0.75);
        m_y += 2;
        sumsLine(m_def.totals->label, m_def.totals->fields, m_data.totals, false);
    }

    // -- form ---------------------------------------------------------------------------------

    void forms()
    {
        for (const std::vector<Value> &row : m_data.rows) {
            newPage();
            items(m_def.items, m_bodyTop, int(m_doc.pages.size()) - 1, &row);
        }
    }

    // -- summary ------------------------------------------------------------------------------

    void summary()
    {
        newPage();
        const double h = m_def.rowHeight;
        const double w = m_def.columnWidth;
        const double valuesLeft = m_left + m_def.headingWidth;
        for (size_t c = 0; c < m_def.summaryColumns.size(); ++c)
            cell(valuesLeft + double(c) * w, w, m_y, h, m_def.summaryColumns[c].heading, bold(m_def.font),
                 ReportAlign::Right);
        m_y += h + 1;
        const double right = valuesLeft + double(m_def.summaryColumns.size()) * w;
        line(m_left, m_y, right, m_y, 0.75);
        m_y += 2;
        for (size_t r = 0; r < m_def.summaryRows.size(); ++r) {
            const SummaryRow &row = m_def.summaryRows[r];
            const ReportFont font = row.bold ? bold(m_def.font) : m_def.font;
            if (row.bold) {
                m_y += 2;
                line(valuesLeft, m_y, right, m_y, 0.5);
                m_y += 2;
            }
            cell(m_left, m_def.headingWidth, m_y, h, row.heading, font, ReportAlign::Left);
            for (size_t c = 0; c < m_def.summaryColumns.size(); ++c)
                cell(valuesLeft + double(c) * w, w, m_y, h,
                     reportValueText(Value(m_data.cells[r][c]), m_def.summaryFormat), font, ReportAlign::Right,
                     ReportFit::Shrink);
            m_y += h;
        }
    }

    const ReportDefinition &m_def;
    const ReportData &m_data;
    QDate m_printDate;
    double m_left, m_width, m_bodyTop, m_bodyBottom;
    ReportDocument m_doc;
    ReportPage *m_page = nullptr;
    double m_y = 0;
};

Qt::Alignment alignment(ReportAlign align)
{
    switch (align) {
    case ReportAlign::Left: return Qt::AlignLeft;
    case ReportAlign::Center: return Qt::AlignHCenter;
    case ReportAlign::Right: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

QFont withSize(QFont font, double points)
{
    font.setPointSizeF(points);
    return font;
}

// Widths step with the device's hinting, so a size worked out in proportion may still be a
// little wide: the next try is at least this much smaller.
constexpr double TypeStep = 0.25;

// One line, never cut: at the largest size down to the smallest type at which it fits its
// place, and past the place (on the side away from its alignment) at that.
void drawShrunk(QPainter &painter, const QRectF &rect, Qt::Alignment align, const QString &text, const QFont &font)
{
    double size = font.pointSizeF();
    QFont drawn = font;
    double width = QFontMetricsF(drawn, painter.device()).horizontalAdvance(text);
    while (width > rect.width() && size > ReportSmallestType) {
        size = std::max(ReportSmallestType, std::min(size - TypeStep, size * rect.width() / width));
        drawn = withSize(font, size);
        width = QFontMetricsF(drawn, painter.device()).horizontalAdvance(text);
    }
    painter.setFont(drawn);
    painter.drawText(rect, int(align | Qt::AlignVCenter | Qt::TextDontClip), text);
}

// A text broken into lines of a width: where each line starts and how many characters it
// takes (its trailing blank included).
std::vector<std::pair<int, int>> breakLines(const QString &text, const QFont &font, QPaintDevice *device, double width)
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    std::vector<std::pair<int, int>> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.emplace_back(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

// As many lines as the place holds, at the largest size down to the smallest type at which
// the whole text fits; at that size, what does not fit is cut from the last line that does.
void drawWrapped(QPainter &painter, const QRectF &rect, Qt::Alignment align, WrapStart start, QString text,
                 const QFont &font)
{
    // A line break in the text is kept, as a break of its own.
    text.remove(u'\r').replace(u'\n', QChar::LineSeparator);
    QPaintDevice *device = painter.device();
    QFont drawn = font;
    std::vector<std::pair<int, int>> lines;
    int shown = 0;
    for (double size = font.pointSizeF();; size = std::max(ReportSmallestType, size - TypeStep)) {
        drawn = withSize(font, size);
        const QFontMetricsF metrics(drawn, device);
        lines = breakLines(text, drawn, device, rect.width());
        const int room = std::max(1, 1 + int(std::floor((rect.height() - metrics.height()) / metrics.lineSpacing())));
        shown = std::min(int(lines.size()), room);
        if (shown == int(lines.size()) || size <= ReportSmallestType)
            break;
    }
    const QFontMetricsF metrics(drawn, device);
    const double block = metrics.height() + (shown - 1) * metrics.lineSpacing();
    double y = start == WrapStart::Top ? rect.top() : rect.top() + (rect.height() - block) / 2;
    painter.setFont(drawn);
    for (int i = 0; i < shown; ++i) {
        QString line = text.mid(lines[size_t(i)].first, lines[size_t(i)].second).trimmed();
        if (i == shown - 1 && shown < int(lines.size())) {
            const QString rest = text.mid(lines[size_t(i)].first).replace(QChar::LineSeparator, u' ').simplified();
            line = metrics.elidedText(rest, Qt::ElideRight, rect.width());
        }
        painter.drawText(QRectF(rect.left(), y, rect.width(), metrics.height()), int(align | Qt::AlignVCenter), line);
        y += metrics.lineSpacing();
    }
}

// One line, cut at a whole character and marked by an ellipsis where it is longer than its
// place.
void drawCut(QPainter &painter, const QRectF &rect, Qt::Alignment align, QString text, const QFont &font)
{
    const QFontMetricsF metrics(font, painter.device());
    if (metrics.horizontalAdvance(text) > rect.width())
        text = metrics.elidedText(text, Qt::ElideRight, rect.width());
    painter.setFont(font);
    painter.drawText(rect, int(align | Qt::AlignVCenter), text);
}

} // namespace

void setReportNumberFormat(ReportNumberFormat format)
{
    numberFormat() = format;
}

QString reportValueText(const Value &value, const QString &format)
{
    if (value.isNull())
        return {};
    if (value.kind() == Value::Kind::Date)
        return shortDate(value.toDate());
    if (isNumberPattern(format)) {
        double number = 0;
        try {
            number = value.toDouble();
        } catch (const Error &) {
            return value.toText(); // text that is no number is shown as it is
        }
        if (!numberFormat())
            throw Error(ErrorCode::BadReportFile, QStringLiteral("No number format is installed for reports."));
        return numberFormat()(number, format);
    }
    return value.toText();
}

QStringList ReportDocument::pageLines(int page) const
{
    std::vector<const ReportShape *> texts;
    for (const ReportShape &shape : pages.at(size_t(page)).shapes) {
        if (shape.kind == ReportShape::Kind::Text)
            texts.push_back(&shape);
    }
    auto top = [](const ReportShape *s) { return std::lround(s->rect.top() * 2); };
    std::stable_sort(texts.begin(), texts.end(), [&](const ReportShape *a, const ReportShape *b) {
        return std::make_tuple(top(a), a->rect.left()) < std::make_tuple(top(b), b->rect.left());
    });
    QStringList lines;
    for (size_t i = 0; i < texts.size();) {
        QStringList parts;
        const long lineTop = top(texts[i]);
        for (; i < texts.size() && top(texts[i]) == lineTop; ++i)
            parts << texts[i]->text;
        lines << parts.join(QStringLiteral(" | "));
    }
    return lines;
}

QString ReportDocument::text() const
{
    QStringList all;
    for (int i = 0; i < int(pages.size()); ++i) {
        if (i > 0)
            all << QStringLiteral("\f");
        all << pageLines(i);
    }
    return all.join(u'\n');
}

void ReportDocument::paintPage(QPainter &painter, int page, double scale) const
{
    // Fonts are made once per look; their point sizes follow the device's resolution.
    std::map<std::tuple<QString, double, bool, bool>, QFont> fonts;
    auto fontFor = [&](const ReportFont &f) -> const QFont & {
        auto [it, added] = fonts.try_emplace(std::make_tuple(f.family, f.size, f.bold, f.italic));
        if (added) {
            it->second = QFont(f.family);
            it->second.setPointSizeF(f.size);
            it->second.setBold(f.bold);
            it->second.setItalic(f.italic);
        }
        return it->second;
    };
    auto scaled = [scale](const QRectF &r) {
        return QRectF(r.left() * scale, r.top() * scale, r.width() * scale, r.height() * scale);
    };
    for (const ReportShape &shape : pages.at(size_t(page)).shapes) {
        switch (shape.kind) {
        case ReportShape::Kind::Box:
            painter.setPen(shape.lineWidth > 0 ? QPen(Qt::black, shape.lineWidth * scale) : QPen(Qt::NoPen));
            painter.setBrush(shape.fill.isEmpty() ? QBrush(Qt::NoBrush) : QBrush(QColor(shape.fill)));
            painter.drawRect(scaled(shape.rect));
            break;
        case ReportShape::Kind::Line:
            painter.setPen(QPen(Qt::black, shape.lineWidth * scale));
            painter.drawLine(QPointF(shape.rect.left() * scale, shape.rect.top() * scale),
                             QPointF(shape.rect.right() * scale, shape.rect.bottom() * scale));
            break;
        case ReportShape::Kind::Text: {
            const QFont &font = fontFor(shape.font);
            const QRectF rect = scaled(shape.rect);
            const Qt::Alignment align = alignment(shape.align);
            painter.setPen(Qt::black);
            switch (shape.fit) {
            case ReportFit::Cut: drawCut(painter, rect, align, shape.text, font); break;
            case ReportFit::Shrink: drawShrunk(painter, rect, align, shape.text, font); break;
            case ReportFit::Wrap: drawWrapped(painter, rect, align, shape.wrapStart, shape.text, font); break;
            }
            break;
        }
        }
    }
}

bool ReportDocument::render(QPagedPaintDevice &device) const
{
    const QPageLayout::Orientation orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (!device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0)))) {
        device.setPageSize(QPageSize(QPageSize::A4));
        device.setPageOrientation(orientation);
    }
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = device.logicalDpiX() / 72.0;
    for (int i = 0; i < int(pages.size()); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paintPage(painter, i, scale);
    }
    return painter.end();
}

void ReportDocument::writePdf(const QString &path) const
{
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setResolution(600);
    if (!render(writer))
        throw Error(ErrorCode::PrinterError, QStringLiteral("Cannot write the PDF file \"%1\".").arg(path));
}

ReportDocument layoutReport(const ReportDefinition &definition, const ReportData &data, const QDate &printDate)
{
    return Layout(definition, data, printDate).run();
}

ReportDocument layoutReportFile(const QString &path, const QString &formula, const QStringList &sortFields)
{
    try {
        const ReportDefinition definition = loadReportDefinition(path);
        const ReportData data = selectReportData(definition, formula, sortFields);
        return layoutReport(definition, data);
    } catch (const Error &e) {
        if (e.Number() != ErrorCode::BadReportFile)
            throw;
        // Whoever mends it needs to know which of the program's report files it is.
        throw Error(ErrorCode::BadReportFile, QStringLiteral("The report file \"%1\" cannot be used. %2")
                                                  .arg(QFileInfo(path).fileName(), e.Description()));
    }
}

} // namespace qm
