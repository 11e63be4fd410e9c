#include "report/reportdefinition.h"

#include "data/error.h"
#include "report/reportformula.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace qm {

namespace {

constexpr double A4Width = 595.276; // 210 mm in points
constexpr double A4Height = 841.89; // 297 mm

[[noreturn]] void bad(const QString &where, const QString &what)
{
    throw Error(ErrorCode::BadReportFile, QStringLiteral("The report definition is not valid: %1%2")
                                              .arg(where.isEmpty() ? QString() : where + QStringLiteral(": "), what));
}

// One JSON object read strictly: a key of the wrong kind or one it does not know is an error,
// so a mistyped key never passes unnoticed.
class ObjectReader
{
public:
    ObjectReader(const QJsonValue &value, QString where)
        : m_where(std::move(where))
    {
        if (!value.isObject())
            bad(m_where, QStringLiteral("an object is expected."));
        m_object = value.toObject();
    }
    ObjectReader(const ObjectReader &) = delete;
    ObjectReader &operator=(const ObjectReader &) = delete;

    // Called once every key was read: any other key is an error.
    void finish() const
    {
        for (const QString &key : m_object.keys()) {
            if (!m_read.contains(key))
                bad(m_where, QStringLiteral("unknown key \"%1\".").arg(key));
        }
    }

    const QString &where() const { return m_where; }
    bool has(const QString &key)
    {
        m_read.insert(key);
        return m_object.contains(key);
    }
    QJsonValue value(const QString &key)
    {
        m_read.insert(key);
        return m_object.value(key);
    }

    QString string(const QString &key, const QString &fallback = {}, bool required = false)
    {
        const QJsonValue v = value(key);
        if (v.isUndefined()) {
            if (required)
                bad(m_where, QStringLiteral("\"%1\" is missing.").arg(key));
            return fallback;
        }
        if (!v.isString())
            bad(m_where, QStringLiteral("\"%1\" must be a text.").arg(key));
        return v.toString();
    }
    QString requiredString(const QString &key)
    {
        const QString text = string(key, {}, true);
        if (text.trimmed().isEmpty())
            bad(m_where, QStringLiteral("\"%1\" is empty.").arg(key));
        return text;
    }
    double number(const QString &key, double fallback, bool required = false)
    {
        const QJsonValue v = value(key);
        if (v.isUndefined()) {
            if (required)
                bad(m_where, QStringLiteral("\"%1\" is missing.").arg(key));
            return fallback;
        }
        if (!v.isDouble() || !std::isfinite(v.toDouble()) || v.toDouble() < 0)
            bad(m_where, QStringLiteral("\"%1\" must be a number of points, 0 or more.").arg(key));
        return v.toDouble();
    }
    bool boolean(const QString &key, bool fallback)
    {
        const QJsonValue v = value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isBool())
            bad(m_where, QStringLiteral("\"%1\" must be true or false.").arg(key));
        return v.toBool();
    }
    QJsonArray array(const QString &key, bool required = false)
    {
        const QJsonValue v = value(key);
        if (v.isUndefined()) {
            if (required)
                bad(m_where, QStringLiteral("\"%1\" is missing.").arg(key));
            return {};
        }
        if (!v.isArray())
            bad(m_where, QStringLiteral("\"%1\" must be a list.").arg(key));
        return v.toArray();
    }
    QStringList strings(const QString &key, bool required = false)
    {
        QStringList result;
        const QJsonArray items = array(key, required);
        for (const QJsonValue &item : items) {
            if (!item.isString() || item.toString().trimmed().isEmpty())
                bad(m_where, QStringLiteral("\"%1\" must list texts.").arg(key));
            result << item.toString();
        }
        return result;
    }

private:
    QJsonObject m_object;
    QString m_where;
    QSet<QString> m_read;
};

ReportAlign readAlign(ObjectReader &reader, ReportAlign fallback)
{
    const QString align = reader.string(QStringLiteral("align"));
    if (align.isEmpty())
        return fallback;
    if (align == u"left")
        return ReportAlign::Left;
    if (align == u"center")
        return ReportAlign::Center;
    if (align == u"right")
        return ReportAlign::Right;
    bad(reader.where(), QStringLiteral("\"align\" must be left, center or right."));
}

ReportFont readFont(ObjectReader &parent, const ReportFont &fallback)
{
    if (!parent.has(QStringLiteral("font")))
        return fallback;
    ObjectReader reader(parent.value(QStringLiteral("font")), parent.where() + QStringLiteral(".font"));
    ReportFont font = fallback;
    font.family = reader.string(QStringLiteral("family"), font.family);
    font.size = reader.number(QStringLiteral("size"), font.size);
    font.bold = reader.boolean(QStringLiteral("bold"), font.bold);
    font.italic = reader.boolean(QStringLiteral("italic"), font.italic);
    if (font.size < 4 || font.size > 72)
        bad(reader.where(), QStringLiteral("\"size\" must be from 4 to 72 points."));
    reader.finish();
    return font;
}

bool isNumberPattern(const QString &format)
{
    return !format.isEmpty() && format != u"date";
}

void checkFormat(const QString &format, const QString &where)
{
    if (format.isEmpty() || format == u"date")
        return;
    static const QSet<QChar> patternChars = {u'#', u'0', u'.'};
    for (const QChar c : format) {
        if (!patternChars.contains(c))
            bad(where, QStringLiteral("\"format\" must be \"date\" or a number pattern such as ##0.00."));
    }
    if (format.count(u'.') > 1)
        bad(where, QStringLiteral("\"format\" has more than one point."));
}

ReportFit readFit(ObjectReader &reader, ReportFit fallback)
{
    const QString fit = reader.string(QStringLiteral("fit"));
    if (fit.isEmpty())
        return fallback;
    if (fit == u"cut")
        return ReportFit::Cut;
    if (fit == u"shrink")
        return ReportFit::Shrink;
    if (fit == u"wrap")
        return ReportFit::Wrap;
    bad(reader.where(), QStringLiteral("\"fit\" must be cut, shrink or wrap."));
}

ReportColumn readColumn(const QJsonValue &value, const QString &where, bool fieldRequired)
{
    ObjectReader reader(value, where);
    ReportColumn column;
    column.field
        = fieldRequired ? reader.requiredString(QStringLiteral("field")) : reader.string(QStringLiteral("field"));
    column.heading = reader.string(QStringLiteral("heading"));
    column.width = reader.number(QStringLiteral("width"), 0, true);
    column.format = reader.string(QStringLiteral("format"));
    checkFormat(column.format, where);
    column.align = readAlign(reader, isNumberPattern(column.format) ? ReportAlign::Right : ReportAlign::Left);
    column.fit = readFit(reader, column.format.isEmpty() ? ReportFit::Cut : ReportFit::Shrink);
    if (column.width <= 0)
        bad(where, QStringLiteral("\"width\" must be more than 0."));
    reader.finish();
    return column;
}

std::vector<ReportColumn> readColumns(ObjectReader &parent, const QString &key, bool fieldsRequired)
{
    std::vector<ReportColumn> columns;
    const QJsonArray list = parent.array(key, true);
    for (int i = 0; i < list.size(); ++i)
        columns.push_back(
            readColumn(list[i], QStringLiteral("%1.%2[%3]").arg(parent.where(), key).arg(i), fieldsRequired));
    if (columns.empty())
        bad(parent.where(), QStringLiteral("\"%1\" lists no column.").arg(key));
    return columns;
}

ReportItem::Kind readKind(ObjectReader &reader)
{
    static const std::pair<const char *, ReportItem::Kind> kinds[] = {
        {"text", ReportItem::Kind::Text},           {"field", ReportItem::Kind::Field},
        {"title", ReportItem::Kind::Title},         {"pageNumber", ReportItem::Kind::PageNumber},
        {"printDate", ReportItem::Kind::PrintDate}, {"dateRange", ReportItem::Kind::DateRange},
        {"line", ReportItem::Kind::Line},           {"box", ReportItem::Kind::Box},
        {"table", ReportItem::Kind::Table},
    };
    const QString type = reader.requiredString(QStringLiteral("type"));
    for (const auto &[name, kind] : kinds) {
        if (type == QLatin1String(name))
            return kind;
    }
    bad(reader.where(), QStringLiteral("unknown item type \"%1\".").arg(type));
}

// The fields a field item joins, and how the joined value prints.
void readFieldItem(ObjectReader &reader, ReportItem &item)
{
    if (reader.has(QStringLiteral("field")))
        item.fields << reader.requiredString(QStringLiteral("field"));
    item.fields << reader.strings(QStringLiteral("fields"));
    if (item.fields.isEmpty())
        bad(reader.where(), QStringLiteral("a field item needs \"field\" or \"fields\"."));
    item.separator = reader.string(QStringLiteral("separator"), item.separator);
    item.format = reader.string(QStringLiteral("format"));
    checkFormat(item.format, reader.where());
    item.prefix = reader.string(QStringLiteral("prefix"));
    item.align = readAlign(reader, isNumberPattern(item.format) ? ReportAlign::Right : ReportAlign::Left);
    item.fit = readFit(reader, item.format.isEmpty() ? ReportFit::Cut : ReportFit::Shrink);
}

// A table's rows, each naming the field of every cell ("" for a cell left empty).
std::vector<QStringList> readTableRows(ObjectReader &reader, qsizetype columns)
{
    std::vector<QStringList> result;
    const QJsonArray rows = reader.array(QStringLiteral("rows"), true);
    for (int i = 0; i < rows.size(); ++i) {
        QStringList row;
        const QJsonArray cells = rows[i].toArray();
        for (const QJsonValue &cell : cells) {
            if (!cell.isString())
                bad(reader.where(), QStringLiteral("each row lists the fields of its cells."));
            row << cell.toString();
        }
        if (!rows[i].isArray() || row.size() != columns)
            bad(reader.where(), QStringLiteral("row %1 must name one field per column.").arg(i));
        result.push_back(row);
    }
    return result;
}

// A table is as wide as its columns and as tall as its heading and rows.
void readTableItem(ObjectReader &reader, ReportItem &item)
{
    item.columns = readColumns(reader, QStringLiteral("columns"), false);
    item.rowHeight = reader.number(QStringLiteral("rowHeight"), item.rowHeight);
    item.headingHeight = reader.number(QStringLiteral("headingHeight"), item.headingHeight);
    item.fill = reader.string(QStringLiteral("fill"));
    item.lineWidth = reader.number(QStringLiteral("lineWidth"), item.lineWidth);
    item.rows = readTableRows(reader, qsizetype(item.columns.size()));
    for (const ReportColumn &column : item.columns)
        item.w += column.width;
    item.h = item.headingHeight + item.rowHeight * double(item.rows.size());
}

ReportItem readItem(const QJsonValue &value, const QString &where, const ReportFont &font)
{
    ObjectReader reader(value, where);
    ReportItem item;
    item.kind = readKind(reader);
    item.x = reader.number(QStringLiteral("x"), 0, true);
    item.y = reader.number(QStringLiteral("y"), 0, true);
    // A line may lie flat; a table is as wide and tall as its columns and rows make it.
    if (item.kind != ReportItem::Kind::Table) {
        const bool sized = item.kind != ReportItem::Kind::Line;
        item.w = reader.number(QStringLiteral("w"), 0, sized);
        item.h = reader.number(QStringLiteral("h"), 0, sized);
    }
    item.font = readFont(reader, font);

    switch (item.kind) {
    case ReportItem::Kind::Text:
    case ReportItem::Kind::DateRange:
        item.text = reader.string(QStringLiteral("text"), {}, true);
        item.align = readAlign(reader, ReportAlign::Left);
        item.fit = readFit(reader, ReportFit::Cut);
        break;
    case ReportItem::Kind::Field: readFieldItem(reader, item); break;
    case ReportItem::Kind::Title:
        item.align = readAlign(reader, ReportAlign::Left);
        item.fit = readFit(reader, ReportFit::Shrink);
        break;
    case ReportItem::Kind::PageNumber: item.align = readAlign(reader, ReportAlign::Left); break;
    case ReportItem::Kind::PrintDate:
        item.prefix = reader.string(QStringLiteral("prefix"));
        item.align = readAlign(reader, ReportAlign::Left);
        break;
    case ReportItem::Kind::Line: item.lineWidth = reader.number(QStringLiteral("lineWidth"), item.lineWidth); break;
    case ReportItem::Kind::Box:
        item.fill = reader.string(QStringLiteral("fill"));
        item.lineWidth = reader.number(QStringLiteral("lineWidth"), item.lineWidth);
        break;
    case ReportItem::Kind::Table: readTableItem(reader, item); break;
    }
    static const QRegularExpression colour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!item.fill.isEmpty() && !colour.match(item.fill).hasMatch())
        bad(where, QStringLiteral("\"fill\" must be a colour written #rrggbb."));
    reader.finish();
    return item;
}

std::vector<ReportItem> readItems(ObjectReader &parent, const QString &key, const ReportFont &font)
{
    std::vector<ReportItem> items;
    const QJsonArray list = parent.array(key, true);
    for (int i = 0; i < list.size(); ++i)
        items.push_back(readItem(list[i], QStringLiteral("%1.%2[%3]").arg(parent.where(), key).arg(i), font));
    return items;
}

ReportBand readBand(ObjectReader &parent, const QString &key, const ReportFont &font)
{
    ReportBand band;
    if (!parent.has(key))
        return band;
    ObjectReader reader(parent.value(key), key);
    band.height = reader.number(QStringLiteral("height"), 0, true);
    band.items = readItems(reader, QStringLiteral("items"), font);
    reader.finish();
    return band;
}

void readList(ObjectReader &root, ReportDefinition &def)
{
    def.table = root.requiredString(QStringLiteral("table"));
    def.tables = QStringList{def.table};
    def.columns = readColumns(root, QStringLiteral("columns"), true);
    if (root.has(QStringLiteral("group"))) {
        ObjectReader reader(root.value(QStringLiteral("group")), QStringLiteral("group"));
        ReportGroup group;
        group.field = reader.requiredString(QStringLiteral("field"));
        group.heading = reader.string(QStringLiteral("heading"));
        group.blank = reader.string(QStringLiteral("blank"));
        group.details = reader.boolean(QStringLiteral("details"), false);
        group.sums = reader.strings(QStringLiteral("sums"));
        group.subtotalLabel = reader.string(QStringLiteral("subtotalLabel"), group.subtotalLabel);
        reader.finish();
        def.group = group;
    }
    if (root.has(QStringLiteral("totals"))) {
        ObjectReader reader(root.value(QStringLiteral("totals")), QStringLiteral("totals"));
        ReportTotals totals;
        totals.label = reader.string(QStringLiteral("label"));
        totals.fields = reader.strings(QStringLiteral("fields"), true);
        reader.finish();
        def.totals = totals;
    }
    auto hasColumn = [&](const QString &field) {
        return std::any_of(def.columns.begin(), def.columns.end(),
                           [&](const ReportColumn &c) { return c.field.compare(field, Qt::CaseInsensitive) == 0; });
    };
    // A sum has to stand under a column of its own; a group line shows its field in one.
    QStringList placed = def.totals ? def.totals->fields : QStringList();
    if (def.group)
        placed << def.group->sums;
    for (const QString &field : placed) {
        if (!hasColumn(field))
            bad(QStringLiteral("columns"), QStringLiteral("no column shows the sum of \"%1\".").arg(field));
    }
    if (def.group && !def.group->details && !hasColumn(def.group->field))
        bad(QStringLiteral("group"), QStringLiteral("no column shows the group field \"%1\".").arg(def.group->field));
}

void readSummary(ObjectReader &root, ReportDefinition &def)
{
    ObjectReader reader(root.value(QStringLiteral("summary")), QStringLiteral("summary"));
    def.summaryFormat = reader.string(QStringLiteral("format"));
    checkFormat(def.summaryFormat, reader.where());
    def.headingWidth = reader.number(QStringLiteral("headingWidth"), def.headingWidth);
    def.columnWidth = reader.number(QStringLiteral("columnWidth"), def.columnWidth);
    const QJsonArray columns = reader.array(QStringLiteral("columns"), true);
    for (int i = 0; i < columns.size(); ++i) {
        const QString where = QStringLiteral("summary.columns[%1]").arg(i);
        ObjectReader c(columns[i], where);
        SummaryColumn column;
        column.heading = c.requiredString(QStringLiteral("heading"));
        if (c.has(QStringLiteral("table"))) {
            column.table = c.requiredString(QStringLiteral("table"));
            if (!def.tables.contains(column.table, Qt::CaseInsensitive))
                def.tables << column.table;
        } else {
            const QStringList pair = c.strings(QStringLiteral("difference"), true);
            auto indexOf = [&](const QString &heading) {
                for (int k = 0; k < int(def.summaryColumns.size()); ++k) {
                    if (def.summaryColumns[size_t(k)].heading == heading)
                        return k;
                }
                bad(where, QStringLiteral("no earlier column is headed \"%1\".").arg(heading));
            };
            if (pair.size() != 2)
                bad(where, QStringLiteral("\"difference\" names two earlier columns."));
            column.minuend = indexOf(pair[0]);
            column.subtrahend = indexOf(pair[1]);
        }
        c.finish();
        def.summaryColumns.push_back(column);
    }
    const QJsonArray rows = reader.array(QStringLiteral("rows"), true);
    for (int i = 0; i < rows.size(); ++i) {
        ObjectReader r(rows[i], QStringLiteral("summary.rows[%1]").arg(i));
        SummaryRow row;
        row.heading = r.requiredString(QStringLiteral("heading"));
        row.field = r.requiredString(QStringLiteral("field"));
        row.bold = r.boolean(QStringLiteral("bold"), false);
        r.finish();
        def.summaryRows.push_back(row);
    }
    if (def.tables.isEmpty() || def.summaryRows.empty())
        bad(reader.where(), QStringLiteral("a summary needs a table column and a row."));
    reader.finish();
}

void checkFits(const ReportDefinition &def)
{
    const double width = def.pageWidth() - 2 * def.margin;
    const double height = def.pageHeight() - 2 * def.margin;
    if (width < 72 || height < 72)
        bad(QString(), QStringLiteral("the margin leaves no room on the page."));
    auto checkItems = [&](const std::vector<ReportItem> &items, double bandHeight, const QString &where) {
        for (const ReportItem &item : items) {
            if (item.x + item.w > width + 0.5 || item.y + item.h > bandHeight + 0.5)
                bad(where, QStringLiteral("an item at (%1, %2) does not fit.").arg(item.x).arg(item.y));
        }
    };
    checkItems(def.pageHeader.items, def.pageHeader.height, QStringLiteral("pageHeader"));
    checkItems(def.pageFooter.items, def.pageFooter.height, QStringLiteral("pageFooter"));
    const double body = height - def.pageHeader.height - def.pageFooter.height;
    checkItems(def.items, body, QStringLiteral("items"));
    double columns = 0;
    for (const ReportColumn &column : def.columns)
        columns += column.width;
    if (def.layout == ReportDefinition::Layout::Summary)
        columns = def.headingWidth + def.columnWidth * double(def.summaryColumns.size());
    if (columns > width + 0.5)
        bad(QStringLiteral("columns"), QStringLiteral("the columns are wider than the page (%1 of %2 points).")
                                           .arg(columns)
                                           .arg(width, 0, 'f', 1));
    if (def.layout != ReportDefinition::Layout::Form && body < 4 * def.rowHeight)
        bad(QString(), QStringLiteral("the page header and footer leave no room for lines."));
}

} // namespace

double ReportDefinition::pageWidth() const
{
    return landscape ? A4Height : A4Width;
}

double ReportDefinition::pageHeight() const
{
    return landscape ? A4Width : A4Height;
}

ReportDefinition parseReportDefinition(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull())
        bad(QString(), QStringLiteral("%1 at character %2.").arg(error.errorString()).arg(error.offset));
    ReportDefinition def;
    ObjectReader root(document.isObject() ? QJsonValue(document.object()) : QJsonValue(), QString());
    const QString layout = root.requiredString(QStringLiteral("layout"));
    if (layout == u"list")
        def.layout = ReportDefinition::Layout::List;
    else if (layout == u"form")
        def.layout = ReportDefinition::Layout::Form;
    else if (layout == u"summary")
        def.layout = ReportDefinition::Layout::Summary;
    else
        bad(QString(), QStringLiteral("\"layout\" must be list, form or summary."));
    def.title = root.string(QStringLiteral("title"));
    def.database = root.requiredString(QStringLiteral("database"));
    const QString orientation = root.string(QStringLiteral("orientation"), QStringLiteral("portrait"));
    if (orientation != u"portrait" && orientation != u"landscape")
        bad(QString(), QStringLiteral("\"orientation\" must be portrait or landscape."));
    def.landscape = orientation == u"landscape";
    def.margin = root.number(QStringLiteral("margin"), def.margin);
    def.font = readFont(root, def.font);
    if (def.layout != ReportDefinition::Layout::Form)
        def.rowHeight = root.number(QStringLiteral("rowHeight"), def.rowHeight);
    def.pageHeader = readBand(root, QStringLiteral("pageHeader"), def.font);
    def.pageFooter = readBand(root, QStringLiteral("pageFooter"), def.font);
    def.order = root.strings(QStringLiteral("order"));
    switch (def.layout) {
    case ReportDefinition::Layout::List: readList(root, def); break;
    case ReportDefinition::Layout::Form:
        def.table = root.requiredString(QStringLiteral("table"));
        def.tables = QStringList{def.table};
        def.items = readItems(root, QStringLiteral("items"), def.font);
        break;
    case ReportDefinition::Layout::Summary: readSummary(root, def); break;
    }
    root.finish();
    checkFits(def);
    return def;
}

ReportDefinition loadReportDefinition(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw Error(ErrorCode::ReportFileNotFound, QStringLiteral("Cannot open the report file \"%1\".").arg(path));
    return parseReportDefinition(file.readAll());
}

} // namespace qm
