#include "data/error.h"
#include "platform/form.h"
#include "platform/reportcontrol.h"
#include "report/reportlayout.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>

namespace qm::test {

namespace {

// A form that holds a report control, as the reports and invoice forms do.
class ReportHost : public Form
{
public:
    ReportHost()
        : Form(QStringLiteral("ReportHost"))
    {
        Report1 = new CrystalReport(this);
    }
    CrystalReport *Report1;
};

class ReportControlTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        runSql(path(QStringLiteral("qm.mdb")), "insert into p (a, t, c, d, e, h, j) values "
                                               "('Paper', 'Office Co', 100, 10, 110, 'OFFICE', '2005-07-03'),"
                                               "('Rent', 'Landlord', 1000, 0, 1000, 'RENT', '2005-10-01');");
    }

    void write(const QString &name, const QByteArray &content)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    CrystalReport &report() { return *Forms::get<ReportHost>().Report1; }
    const TestServices::ReportRecord &lastRun() const { return m_services->reports.back(); }
};

} // namespace

TEST_F(ReportControlTest, PropertiesLastWhileTheFormIsLoaded)
{
    report().ReportFileName = QStringLiteral("plcatexp.rpt");
    report().setSortFields(0, QStringLiteral("+{p.j}"));
    report().Connect = QStringLiteral(";;PWD = pillowcanters;");
    report().Destination = crptToPrinter;
    report().SelectionFormula = QStringLiteral("{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2005,9,30)");
    report().setAction(1);
    report().setAction(1); // nothing set in between: the same run again

    ASSERT_EQ(m_services->reports.size(), 2u);
    for (const TestServices::ReportRecord &record : m_services->reports) {
        EXPECT_EQ(record.run.fileName, QStringLiteral("plcatexp.rpt"));
        EXPECT_EQ(record.run.path, path(QStringLiteral("plcatexp.rpt")));
        EXPECT_EQ(record.run.formula, QStringLiteral("{p.j} >= Date(2005,7,1) AND {p.j} <= Date(2005,9,30)"));
        EXPECT_EQ(record.run.sortFields, QStringList{QStringLiteral("+{p.j}")});
        EXPECT_EQ(record.run.destination, 1);
        EXPECT_TRUE(record.pages.split(u'\n').contains(QStringLiteral("OFFICE | 100.00 | 10.00 | 110.00")));
    }
    EXPECT_EQ(report().Action(), 1);

    // Another report keeps the sort field and connect string it was not given.
    report().ReportFileName = QStringLiteral("plmain.rpt");
    report().SelectionFormula.clear();
    report().Destination = crptToWindow;
    report().setAction(1);
    EXPECT_EQ(lastRun().run.sortFields, QStringList{QStringLiteral("+{p.j}")});
    EXPECT_EQ(report().Connect, QStringLiteral(";;PWD = pillowcanters;"));
    EXPECT_EQ(lastRun().run.destination, 0);

    // A fresh form starts with a fresh control.
    Forms::Unload(Forms::get<ReportHost>());
    processEvents();
    EXPECT_TRUE(report().ReportFileName.isEmpty());
    EXPECT_TRUE(report().SortFields(0).isEmpty());
    EXPECT_TRUE(report().SelectionFormula.isEmpty());
    EXPECT_EQ(report().Destination, crptToWindow);
}

TEST_F(ReportControlTest, OnlyActionOneRuns)
{
    report().ReportFileName = QStringLiteral("plmain.rpt");
    report().setAction(0);
    report().setAction(2);
    EXPECT_TRUE(m_services->reports.empty());
    report().setAction(1);
    EXPECT_EQ(m_services->reports.size(), 1u);
}

TEST_F(ReportControlTest, FailuresAreErrorsToTheCaller)
{
    write(QStringLiteral("broken.rpt"), "{\"layout\": \"list\", ");
    write(QStringLiteral("odd.rpt"), R"({"layout": "list", "database": "qm.mdb", "table": "p", "colour": "red",
                                        "columns": [{"field": "a", "heading": "For", "width": 100}]})");
    write(QStringLiteral("nodb.rpt"), R"({"layout": "list", "database": "none.mdb", "table": "p",
                                         "columns": [{"field": "a", "heading": "For", "width": 100}]})");
    struct Case
    {
        const char *file;
        const char *formula;
        int destination;
        int error;
    };
    const Case cases[] = {
        {"", "", 0, ErrorCode::ReportFileNotFound},
        {"missing.rpt", "", 0, ErrorCode::ReportFileNotFound},
        {"broken.rpt", "", 0, ErrorCode::BadReportFile},
        {"odd.rpt", "", 0, ErrorCode::BadReportFile},
        {"nodb.rpt", "", 0, ErrorCode::FileNotFound},
        {"report1p.rpt", "{p.j} >= Date()", 0, ErrorCode::FormulaError},
        {"report1p.rpt", "{r.j} >= Date(2005,7,1)", 0, ErrorCode::FormulaError},
        {"report1p.rpt", "", 2, 380}, // no such destination
    };
    for (const Case &c : cases) {
        report().ReportFileName = QString::fromUtf8(c.file);
        report().SelectionFormula = QString::fromUtf8(c.formula);
        report().Destination = c.destination;
        EXPECT_EQ(errorNumber([&] { report().setAction(1); }), c.error) << c.file << " " << c.formula;
    }

    // No printer: the pages were laid out, the print fails.
    m_services->printerWorks = false;
    report().ReportFileName = QStringLiteral("report1p.rpt");
    report().SelectionFormula.clear();
    report().Destination = crptToPrinter;
    EXPECT_EQ(errorNumber([&] { report().setAction(1); }), ErrorCode::PrinterError);
    EXPECT_FALSE(lastRun().pages.isEmpty());
    report().Destination = crptToWindow;
    EXPECT_EQ(errorNumber([&] { report().setAction(1); }), 0) << "the preview needs no printer";
}

// A report file that cannot be used is named: the program has many, and the message is all
// whoever mends it has to go on.
TEST_F(ReportControlTest, AFileThatCannotBeUsedIsNamed)
{
    write(QStringLiteral("broken.rpt"), "{\"layout\": \"list\", \"title\": \"Ex");
    write(QStringLiteral("nocolumn.rpt"), R"({"layout": "list", "database": "qm.mdb", "table": "p",
                                             "columns": [{"field": "zz", "heading": "Z", "width": 100}]})");
    for (const char *file : {"broken.rpt", "nocolumn.rpt"}) {
        try {
            layoutReportFile(path(QString::fromLatin1(file)), QString(), {});
            ADD_FAILURE() << file;
        } catch (const Error &e) {
            EXPECT_EQ(e.Number(), ErrorCode::BadReportFile);
            EXPECT_TRUE(e.Description().startsWith(
                QStringLiteral("The report file \"%1\" cannot be used. The report definition is not valid: ")
                    .arg(QString::fromLatin1(file))))
                << e.Description().toStdString();
        }
    }
}

TEST_F(ReportControlTest, BadDefinitionsNameTheirFault)
{
    struct Case
    {
        const char *json;
        const char *message;
    };
    const Case cases[] = {
        {"[1, 2]", "an object is expected"},
        {"{\"layout\": \"chart\", \"database\": \"qm.mdb\"}", "\"layout\" must be list, form or summary"},
        {R"({"layout": "list", "table": "p", "columns": []})", "\"database\" is missing"},
        {R"({"layout": "list", "database": "qm.mdb", "table": "p", "columns": []})", "lists no column"},
        {R"({"layout": "list", "database": "qm.mdb", "table": "p",
             "columns": [{"field": "a", "width": 100, "format": "0,0"}]})",
         "\"format\" must be"},
        {R"({"layout": "list", "database": "qm.mdb", "table": "p",
             "columns": [{"field": "a", "width": 900}]})",
         "wider than the page"},
        {R"({"layout": "list", "database": "qm.mdb", "table": "p", "columns": [{"field": "a", "width": 90}],
             "totals": {"fields": ["c"]}})",
         "no column shows the sum of \"c\""},
        {R"({"layout": "form", "database": "qm1.mdb", "table": "inv",
             "items": [{"type": "picture", "x": 0, "y": 0, "w": 10, "h": 10}]})",
         "unknown item type \"picture\""},
        {R"({"layout": "form", "database": "qm1.mdb", "table": "inv",
             "items": [{"type": "text", "text": "x", "x": 500, "y": 0, "w": 100, "h": 10}]})",
         "does not fit"},
        {R"({"layout": "form", "database": "qm1.mdb", "table": "inv",
             "items": [{"type": "box", "x": 0, "y": 0, "w": 10, "h": 10, "fill": "grey"}]})",
         "#rrggbb"},
        {R"({"layout": "summary", "database": "qm.mdb", "summary": {"columns": [{"heading": "A", "table": "r"},
             {"heading": "B", "difference": ["A", "C"]}], "rows": [{"heading": "Nett", "field": "c"}]}})",
         "no earlier column is headed \"C\""},
    };
    for (const Case &c : cases) {
        try {
            parseReportDefinition(QByteArray(c.json));
            ADD_FAILURE() << "accepted: " << c.json;
        } catch (const Error &e) {
            EXPECT_EQ(e.Number(), ErrorCode::BadReportFile) << c.json;
            EXPECT_TRUE(e.Description().contains(QString::fromUtf8(c.message))) << qPrintable(e.Description());
        }
    }

    // Columns that the table lacks or that hold no numbers show when the report runs.
    for (const char *json : {R"({"layout": "list", "database": "qm.mdb", "table": "p",
                                "columns": [{"field": "zz", "width": 90}]})",
                             R"({"layout": "list", "database": "qm.mdb", "table": "p",
                                "columns": [{"field": "a", "width": 90}], "totals": {"fields": ["a"]}})"}) {
        const ReportDefinition def = parseReportDefinition(QByteArray(json));
        EXPECT_EQ(errorNumber([&] { selectReportData(def, QString(), {}); }), ErrorCode::BadReportFile) << json;
    }
}

// Groups with their rows and subtotals, and a list long enough for several pages.
TEST_F(ReportControlTest, ListLayoutGroupsAndPages)
{
    runSql(path(QStringLiteral("qm.mdb")), "insert into p (a, t, c, d, e, h, j) values "
                                           "('Ink', 'office co', 50.5, 5.05, 55.55, 'office', '2005-07-20');");
    write(QStringLiteral("detail.rpt"), R"({"layout": "list", "title": "By category", "database": "qm.mdb",
        "table": "p", "order": ["j"],
        "columns": [{"field": "j", "heading": "Date", "width": 70, "format": "date"},
                    {"field": "a", "heading": "For", "width": 150},
                    {"field": "e", "heading": "Total", "width": 80, "format": "###.00"}],
        "group": {"field": "h", "heading": "Category", "details": true, "sums": ["e"], "subtotalLabel": "Total"},
        "totals": {"label": "Grand Total", "fields": ["e"]}})");
    const ReportDocument grouped = layoutReportFile(path(QStringLiteral("detail.rpt")), QString(), {});
    EXPECT_EQ(grouped.pageLines(0), QStringList({
                                        QStringLiteral("Date | For | Total"),
                                        QStringLiteral("Category OFFICE"),
                                        QStringLiteral("03/07/2005 | Paper | 110.00"),
                                        QStringLiteral("20/07/2005 | Ink | 55.55"),
                                        QStringLiteral("Total OFFICE | 165.55"),
                                        QStringLiteral("Category RENT"),
                                        QStringLiteral("01/10/2005 | Rent | 1000.00"),
                                        QStringLiteral("Total RENT | 1000.00"),
                                        QStringLiteral("Grand Total | 1165.55"),
                                    }));

    std::string many = "insert into p (a, c, d, e, j) values ";
    for (int i = 0; i < 100; ++i)
        many += (i ? ",('Row " : "('Row ") + std::to_string(i) + "', 1, 0.1, 1.1, '2006-01-01')";
    runSql(path(QStringLiteral("qm.mdb")), many.c_str());
    const ReportDocument list
        = layoutReportFile(path(QStringLiteral("report1p.rpt")), QStringLiteral("{p.j} = Date(2006,1,1)"), {});
    ASSERT_EQ(list.pages.size(), 3u);
    for (int page = 0; page < 3; ++page) {
        const QStringList lines = list.pageLines(page);
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Payments | Printed "))) << qPrintable(lines[0]);
        EXPECT_EQ(lines[1], QStringLiteral("Date | For | Supplier | Nett | GST | Total | Category | Invoice No. | "
                                           "Type | Job / Account"))
            << "no \"All dates\": the formula selects";
        EXPECT_EQ(lines.last(), QStringLiteral("Page %1 of 3").arg(page + 1));
    }
    EXPECT_EQ(list.pageLines(0)[2], QStringLiteral("01/01/2006 | Row 0 | 1.00 | 0.10 | 1.10"));
    EXPECT_TRUE(list.pageLines(2).contains(QStringLiteral("Grand Total | 100.00 | 10.00 | 110.00")));
    EXPECT_EQ(list.text().count(u'\f'), 2);
}

TEST_F(ReportControlTest, PdfFiles)
{
    const ReportDocument document = layoutReportFile(path(QStringLiteral("report1p.rpt")), QString(), {});
    document.writePdf(path(QStringLiteral("out.pdf")));
    QFile pdf(path(QStringLiteral("out.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_EQ(errorNumber([&] { document.writePdf(path(QStringLiteral("no/such/folder/out.pdf"))); }),
              ErrorCode::PrinterError);
}

// The real services show a report in a modeless preview window (their printing is tested
// with the services).
TEST_F(ReportControlTest, RealPreview)
{
    auto previous = setServices(std::make_unique<FolderSystemServices>(m_dir.path()));
    report().ReportFileName = QStringLiteral("report1p.rpt");
    report().Destination = crptToWindow;
    EXPECT_EQ(errorNumber([&] { report().setAction(1); }), 0);
    QPrintPreviewDialog *preview = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QPrintPreviewDialog *>(window); dialog && dialog->isVisible())
            preview = dialog;
    }
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isModal());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Payments"));
    preview->close();
    setServices(std::move(previous));
}

} // namespace qm::test
