// How report pages are drawn: what a text does when it is wider than its place, and where the
// rows of a list stop.
#include "report/reportlayout.h"
#include "report/reportquery.h"
#include "tests/support/drawntext.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

namespace qm::test {

namespace {

const DrawnText *drawnAt(const std::vector<DrawnText> &drawn, const QRectF &place)
{
    for (const DrawnText &text : drawn) {
        const double middle = text.box.center().y();
        if (middle > place.top() && middle < place.bottom() && text.box.right() > place.left()
            && text.box.left() < place.right())
            return &text;
    }
    return nullptr;
}

// A one-line list: a name that may be cut, an amount and a date that may not.
ReportDocument oneLine(const QString &name, double amount)
{
    const ReportDefinition def = parseReportDefinition(R"({"layout": "list", "database": "qm.mdb",
        "table": "p", "font": {"size": 8}, "rowHeight": 12,
        "columns": [{"field": "t", "heading": "Supplier", "width": 80},
                    {"field": "e", "heading": "Total", "width": 60, "format": "##0.00"},
                    {"field": "j", "heading": "Date", "width": 45, "format": "date"}]})");
    ReportData data;
    data.fields = QStringList{QStringLiteral("t"), QStringLiteral("e"), QStringLiteral("j")};
    data.rows.push_back({Value(name), Value(amount), Value(QDate(2031, 12, 24))});
    return layoutReport(def, data);
}

const ReportShape &shapeOf(const ReportDocument &document, const QString &text)
{
    for (const ReportShape &shape : document.pages[0].shapes) {
        if (shape.kind == ReportShape::Kind::Text && shape.text == text)
            return shape;
    }
    throw std::runtime_error("no shape " + text.toStdString());
}

} // namespace

// An amount or a date wider than its place prints whole in smaller type; below the smallest
// type it goes past its place (to the left of a right-aligned place) rather than be cut. A
// name may be cut.
TEST(ReportDrawing, AmountsAndDatesPrintWholeNamesMayBeCut)
{
    struct Case
    {
        const char *amount;
        bool smaller;   // drawn in smaller type than the column's
        bool pastPlace; // at the smallest type, and still wider than its place
    };
    const Case cases[] = {
        {"123.45", false, false},
        {"100000000.00", true, false},
        {"-123456789.99", true, false},
        {"123456789012345.00", true, true},
    };
    for (const Case &c : cases) {
        const QString amount = QString::fromLatin1(c.amount);
        const ReportDocument document
            = oneLine(QStringLiteral("Acme Consolidated Holdings Pty Ltd"), amount.toDouble());
        const std::vector<DrawnText> drawn = drawnTexts(document, 0);
        const ReportShape &shape = shapeOf(document, amount);
        const DrawnText *text = drawnAt(drawn, shape.rect);
        ASSERT_NE(text, nullptr) << c.amount;
        EXPECT_EQ(text->text.toStdString(), c.amount) << "drawn whole, none of it clipped";
        EXPECT_EQ(text->points < 8, c.smaller) << c.amount << ": " << text->points;
        EXPECT_GE(text->points, ReportSmallestType) << c.amount;
        EXPECT_NEAR(text->box.right(), shape.rect.right(), 0.1) << c.amount << ": right-aligned";
        EXPECT_EQ(text->box.left() < shape.rect.left() - 0.05, c.pastPlace) << c.amount;
        if (c.pastPlace) {
            EXPECT_DOUBLE_EQ(text->points, ReportSmallestType) << c.amount;
        }

        const DrawnText *date = drawnAt(drawn, shapeOf(document, QStringLiteral("24/12/2031")).rect);
        ASSERT_NE(date, nullptr);
        EXPECT_EQ(date->text, QStringLiteral("24/12/2031"));
        const DrawnText *name
            = drawnAt(drawn, shapeOf(document, QStringLiteral("Acme Consolidated Holdings Pty Ltd")).rect);
        ASSERT_NE(name, nullptr);
        EXPECT_TRUE(name->text.startsWith(QStringLiteral("Acme "))) << name->text.toStdString();
        EXPECT_TRUE(name->text.endsWith(QChar(0x2026))) << name->text.toStdString();
        EXPECT_EQ(name->points, 8);
    }
    EXPECT_EQ(drawingFaults(oneLine(QStringLiteral("Acme"), 99999999.99)), QStringList());
    EXPECT_EQ(drawingFaults(oneLine(QStringLiteral("Acme"), 123456789012345.0)).size(), 1)
        << "the checker itself sees an amount past its place";
}

// A text that may wrap takes as many lines as its place holds, in smaller type where it must,
// and is cut only when it does not fit even in the smallest type.
TEST(ReportDrawing, WrappedTextStaysInItsPlace)
{
    const ReportDefinition def = parseReportDefinition(R"({"layout": "form", "database": "qm1.mdb", "table": "inv",
        "items": [{"type": "table", "x": 0, "y": 0, "rowHeight": 20, "headingHeight": 14, "font": {"size": 10},
                   "columns": [{"heading": "DESCRIPTION", "width": 200, "fit": "wrap"}], "rows": [["xd1"]]}]})");
    struct Case
    {
        const char *text;
        int lines;
        bool smaller;
        bool whole;
    };
    const Case cases[] = {
        {"Consulting hours", 1, false, true},
        {"Travel to the client's site and back, 212 km at the standard rate (GST-free)", 2, true, true},
        {"Supercalifragilisticexpialidocious-and-then-some-more-without-any-blank-to-break-at-anywhere", 2, true, true},
        {"A description so long that it cannot be printed whole on two lines even in the smallest type that the "
         "page allows, however it is broken, so the end of it is cut and marked as cut",
         2, true, false},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        ReportData data;
        data.fields = QStringList{QStringLiteral("xd1")};
        data.rows.push_back({Value(text)});
        const ReportDocument document = layoutReport(def, data);
        const QRectF place = shapeOf(document, text).rect;
        QStringList lines;
        double points = 0;
        for (const DrawnText &drawn : drawnTexts(document, 0)) {
            if (drawn.text == QStringLiteral("DESCRIPTION"))
                continue;
            lines << drawn.text;
            points = drawn.points;
            EXPECT_GE(drawn.box.left(), place.left() - 0.05) << c.text;
            EXPECT_LE(drawn.box.right(), place.right() + 0.05) << c.text;
            EXPECT_GE(drawn.box.top(), place.top() - 0.05) << c.text;
            EXPECT_LE(drawn.box.bottom(), place.bottom() + 0.05) << c.text;
        }
        EXPECT_EQ(lines.size(), c.lines) << c.text;
        EXPECT_EQ(points < 10, c.smaller) << c.text;
        EXPECT_GE(points, ReportSmallestType) << c.text;
        if (c.whole) {
            EXPECT_EQ(lines.join(QString()).remove(u' '), QString(text).remove(u' ')) << c.text;
        } else {
            EXPECT_TRUE(lines.last().endsWith(QChar(0x2026))) << c.text;
        }
    }
}

// However the rows fall, none crosses the top of the page footer: detail lines, group
// headings, subtotals with their rules and the grand total all break to a new page first.
TEST(ReportDrawing, ListRowsStayAboveThePageFooter)
{
    const char *const groupings[] = {
        "",
        R"(, "group": {"field": "h", "heading": "Category", "details": true, "sums": ["e"]})",
        R"(, "group": {"field": "h", "sums": ["e"]})",
    };
    for (const char *grouping : groupings) {
        const ReportDefinition def = parseReportDefinition(QStringLiteral(R"({"layout": "list", "database": "qm.mdb",
            "table": "p", "orientation": "landscape", "margin": 30, "font": {"size": 8}, "rowHeight": 12,
            "pageHeader": {"height": 40, "items": [{"type": "title", "x": 0, "y": 0, "w": 580, "h": 20}]},
            "pageFooter": {"height": 18, "items": [
                {"type": "line", "x": 0, "y": 3, "w": 780, "h": 0},
                {"type": "pageNumber", "x": 0, "y": 5, "w": 780, "h": 12, "align": "center"}]},
            "columns": [{"field": "h", "heading": "Category", "width": 100},
                        {"field": "e", "heading": "Total", "width": 64, "format": "##0.00"}],
            "totals": {"label": "Grand Total", "fields": ["e"]}%1})")
                                                               .arg(QString::fromUtf8(grouping))
                                                               .toUtf8());
        const double footerTop = def.pageHeight() - def.margin - def.pageFooter.height;
        for (int rows = 1; rows <= 130; ++rows) {
            ReportData data;
            data.fields = QStringList{QStringLiteral("h"), QStringLiteral("e")};
            // Groups of 1 to 7 rows, in an order that changes with the number of rows, so that
            // every kind of line meets the foot of a page at every height it can.
            for (int r = 0, group = 0; r < rows; ++group) {
                const int size = std::min(rows - r, 1 + (group + rows) % 7);
                data.groups.push_back({Value(QStringLiteral("G%1").arg(group)), size, {Value(double(size))}});
                for (int i = 0; i < size; ++i, ++r)
                    data.rows.push_back({Value(QStringLiteral("G%1").arg(group)), Value(1.0)});
            }
            data.totals = {Value(double(rows))};
            const ReportDocument document = layoutReport(def, data);
            for (size_t page = 0; page < document.pages.size(); ++page) {
                const std::vector<ReportShape> &shapes = document.pages[page].shapes;
                // The footer's own shapes come last.
                const size_t body = shapes.size() - def.pageFooter.items.size();
                for (size_t i = 0; i < body; ++i) {
                    const QRectF rect = shapes[i].rect.normalized();
                    EXPECT_LE(rect.bottom(), footerTop + 0.01) << grouping << " " << rows << " rows, page " << page + 1
                                                               << ": " << shapes[i].text.toStdString();
                }
                EXPECT_GE(shapes[body].rect.top(), footerTop);
            }
        }
    }
}

} // namespace qm::test
