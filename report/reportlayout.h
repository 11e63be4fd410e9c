#pragma once

#include "data/dates.h"
#include "report/reportdefinition.h"
#include "report/reportquery.h"

#include <QDate>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// Report pages: one layout turns any definition and what it selected into pages of
// positioned texts, lines and boxes (in points), which the same painting code puts on a
// preview, a printer or a PDF file.
namespace qm {

// The smallest type, in points, that a text is made to fit its place with.
constexpr double ReportSmallestType = 6;

// Where the lines of a wrapped text start in its place.
enum class WrapStart { Centred, Top };

struct ReportShape
{
    enum class Kind { Text, Line, Box };
    Kind kind = Kind::Text;
    QRectF rect; // Line: from the top left to the bottom right corner
    QString text;
    ReportFont font;
    ReportAlign align = ReportAlign::Left;
    ReportFit fit = ReportFit::Cut;
    WrapStart wrapStart = WrapStart::Centred;
    double lineWidth = 0.5;
    QString fill; // "#rrggbb", or empty for none
};

struct ReportPage
{
    std::vector<ReportShape> shapes;
};

class ReportDocument
{
public:
    QString title;
    bool landscape = false;
    double width = 0; // points
    double height = 0;
    std::vector<ReportPage> pages;

    // A page as text: the texts that share a top edge make a line, left to right, joined by
    // " | "; lines from top to bottom.
    QStringList pageLines(int page) const;
    // Every page's lines, the pages separated by a form feed line.
    QString text() const;

    // Draws one page; `scale` is the device's pixels per point. What each text's fit allows is
    // measured on the painter's device, with the type as it is drawn there.
    void paintPage(QPainter &painter, int page, double scale) const;
    // Sets the device to A4 in the report's orientation and draws every page from the paper's
    // top left corner. False when the device cannot be drawn on.
    bool render(QPagedPaintDevice &device) const;
    // Throws Error PrinterError when the file cannot be written.
    void writePdf(const QString &path) const;
};

// How the layout writes a number in a pattern such as "##0.00". The program installs its
// money format at start-up; until then a number pattern is an error.
using ReportNumberFormat = QString (*)(double value, const QString &pattern);
void setReportNumberFormat(ReportNumberFormat format);

// A value as a report shows it: "date" dd/mm/yyyy, a number pattern through the installed
// format, Null as nothing; any other date dd/mm/yyyy too.
QString reportValueText(const Value &value, const QString &format);

ReportDocument layoutReport(const ReportDefinition &definition, const ReportData &data,
                            const QDate &printDate = today());

// Reads a report file, selects its rows and lays out its pages. Throws qm::Error.
ReportDocument layoutReportFile(const QString &path, const QString &formula, const QStringList &sortFields);

} // namespace qm
