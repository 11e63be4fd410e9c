#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Report definition files (*.rpt): JSON documents that say what a report reads and how its
// pages look. Positions and sizes are in points (1/72 inch) from the top left of the area
// inside the page margins; a band's items are placed from the band's top.
//
//   "layout": "list"    a line per row (or per group) under column headings, optional groups
//                       with subtotals, grand totals
//             "form"    a page per row with fields, labels, lines and boxes where the items say
//             "summary" sums of several tables side by side, and their differences
//   "title", "database" (file in the program folder), "table" (list, form), "orientation"
//   ("portrait" or "landscape"), "margin", "font" ({"family", "size", "bold", "italic"}),
//   "pageHeader" / "pageFooter" ({"height", "items"}, on every page), "order" (the file's own
//   order: columns of the table, after any sort field), "rowHeight" (list, summary), and
//   list:    "columns" [ReportColumn], "group" (ReportGroup), "totals" (ReportTotals)
//   form:    "items" [ReportItem], placed from the foot of the page header
//   summary: "summary" {"format", "headingWidth", "columnWidth", "columns" [SummaryColumn],
//            "rows" [SummaryRow]}
// Keys are those of the structures below; a key the engine does not know is an error.
namespace qm {

enum class ReportAlign { Left, Center, Right };

// How a value wider than its place prints ("fit"): "cut" at a whole character, marked by an
// ellipsis; "shrink" whole, in smaller type down to a floor and past its place beyond that
// (amounts, dates and titles are never cut: the default where "format" is given and for the
// title); "wrap" onto more lines inside the place, in smaller type where it must, cut only at
// the floor.
enum class ReportFit { Cut, Shrink, Wrap };

struct ReportFont
{
    QString family = QStringLiteral("DejaVu Sans");
    double size = 9;
    bool bold = false;
    bool italic = false;
};

// A column of a list or of a form's table: "field", "heading", "width", "format" ("date", a
// number pattern such as "##0.00", or none: the value as text), "align", "fit".
struct ReportColumn
{
    QString field;
    QString heading;
    double width = 0;
    QString format;
    ReportAlign align = ReportAlign::Left;
    ReportFit fit = ReportFit::Cut;
};

// A positioned item of a band or a form ("type", "x", "y", "w", "h" and the keys below).
struct ReportItem
{
    enum class Kind {
        Text,       // "text": a fixed label
        Field,      // "fields" (or "field"): column values joined by "separator" (empty ones
                    // left out), with "format" and a "prefix" shown only before a value
        Title,      // the report's title
        PageNumber, // "Page n of m"
        PrintDate,  // the day the report runs, dd/mm/yyyy, after "prefix"
        DateRange,  // the days the formula selects ("01/07/2026 to 30/06/2027", "From ...",
                    // "Up to ..."); "text" ("All dates") when it compares no date at all
        Line,       // from (x, y) to (x + w, y + h); "lineWidth"
        Box,        // a rectangle: "fill" colour ("#rrggbb", none when absent), "lineWidth"
                    // (0: no border)
        Table,      // "columns" with headings over "rows" of fields, "rowHeight",
                    // "headingHeight", "fill" behind the headings
    };
    Kind kind = Kind::Text;
    double x = 0, y = 0, w = 0, h = 0;
    QString text;
    QStringList fields;
    QString separator = QStringLiteral(" ");
    QString format;
    QString prefix;
    ReportFont font;
    ReportAlign align = ReportAlign::Left;
    ReportFit fit = ReportFit::Cut; // "fit" (text, dateRange, field and title items)
    double lineWidth = 0.5;
    QString fill;
    std::vector<ReportColumn> columns;
    std::vector<QStringList> rows;
    double rowHeight = 14;
    double headingHeight = 14;
};

struct ReportBand
{
    double height = 0;
    std::vector<ReportItem> items;
};

// List grouping: rows with the same value of "field" (ignoring case; Null and empty text
// together, shown as "blank") form a group. Without "details" the group is one line, the
// group field in its column and the group's sums of "sums" in theirs; with "details" its
// rows follow a heading line and a subtotal line ("subtotalLabel" and the value) ends it.
struct ReportGroup
{
    QString field;
    QString heading; // before the value on the heading line of a detailed group
    QString blank;
    bool details = false;
    QStringList sums;
    QString subtotalLabel = QStringLiteral("Total");
};

// Sums of the whole selection under their columns, after "label".
struct ReportTotals
{
    QString label;
    QStringList fields;
};

// A column of a summary: the sums of one table, or the difference of two earlier columns.
struct SummaryColumn
{
    QString heading;
    QString table;
    int minuend = -1; // "difference": [heading, heading]
    int subtrahend = -1;
};

// A line of a summary: the sum of "field" in each table column.
struct SummaryRow
{
    QString heading;
    QString field;
    bool bold = false;
};

struct ReportDefinition
{
    enum class Layout { List, Form, Summary };
    Layout layout = Layout::List;
    QString title;
    QString database;
    QString table;      // list and form
    QStringList tables; // every table read, in the order the file names them
    bool landscape = false;
    double margin = 36;
    ReportFont font; // the body of a list or summary
    ReportBand pageHeader;
    ReportBand pageFooter;
    QStringList order;

    // List.
    std::vector<ReportColumn> columns;
    double rowHeight = 13;
    std::optional<ReportGroup> group;
    std::optional<ReportTotals> totals;

    // Form.
    std::vector<ReportItem> items;

    // Summary.
    std::vector<SummaryColumn> summaryColumns;
    std::vector<SummaryRow> summaryRows;
    QString summaryFormat;
    double headingWidth = 150;
    double columnWidth = 100;

    // The page in points, as the orientation turns A4.
    double pageWidth() const;
    double pageHeight() const;
};

// Throws Error ErrorCode::BadReportFile naming what is wrong.
ReportDefinition parseReportDefinition(const QByteArray &json);
// Throws Error ErrorCode::ReportFileNotFound when the file cannot be read.
ReportDefinition loadReportDefinition(const QString &path);

} // namespace qm
