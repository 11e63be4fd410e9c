#include "data/error.h"
#include "platform/form.h"
#include "platform/reportcontrol.h"
#include "report/reportlayout.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/drawntext.h"
#include "tests/support/testservices.h"

namespace qm::test {

namespace {

class InvoiceHost : public Form
{
public:
    InvoiceHost()
        : Form(QStringLiteral("InvoiceHost"))
    {
        Report1 = new CrystalReport(this);
    }
    CrystalReport *Report1;
};

// Two stored invoices; the organisation has changed its details since the first was saved.
class InvoiceReportTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        runSql(path(QStringLiteral("qm1.mdb")),
               "insert into inv (a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y, z, zz, "
               "xq1, xd1, xr1, xt1, xta1, xam1, xq2, xd2, xr2, xt2, xta2, xam2, xq3, xd3, xr3, xt3, xta3, xam3, "
               "xsubtot, xgst, othertax, xtotal, chequespayableto, invphone, specialmessage, printed, m1) values "
               "('A0042', '2024-07-05', '12 High Street', 'Ballarat', 'VIC', '3350', '03 5331 1234', '03 5331 9999', "
               "'Farmer''s Market', '1 Market Lane', 'Geelong', 'VIC', '3220', 'Australia', "
               "'Farmer''s Market Warehouse', '7 Dock Road', 'Corio', 'VIC', '3214', '', "
               "'12 345 678 901', 'PO-778', '2024-07-08', 'Star Track', 'Spring fair', '30 days', "
               "'Quill & Sons Bookkeeping', "
               "'2', 'Consulting hours', '100.00', 'GST', '20.00', '220.00', "
               "'1', 'Travel (exempt)', '50.00', '', '.00', '50.00', "
               "'3', 'Binders', '3.03', 'GST', '.91', '10.00', "
               "259.09, 20.91, 0, 280, 'Quill & Sons', '03 5331 1235', 'Thank you for your business.', '', '1'),"
               "('O''Neil-7', '2024-08-01', null, null, null, null, null, null, 'O''Neil''s Farm', null, null, "
               "null, null, null, null, null, null, null, null, null, null, null, null, null, null, null, "
               "'Quill & Sons Bookkeeping', '1', 'Hay', '10.00', '', '.00', '10.00', '', '', '', '', '', '', '', '', "
               "'', '', '', '', 10, 0, 0, 10, null, null, null, '', '1');"
               "update info set a = 'Renamed Pty Ltd', b = '99 New Road', f = '02 0000 0000', i = 'Renamed';");
    }

    CrystalReport &report() { return *Forms::get<InvoiceHost>().Report1; }

    QStringList pages(const QString &formula)
    {
        report().Destination = crptToWindow;
        report().ReportFileName = QStringLiteral("invoice.rpt");
        report().SelectionFormula = formula;
        report().setAction(1);
        return m_services->reports.back().pages.split(u'\n');
    }
};

} // namespace

// The invoice as saved: its own organisation details, whatever the organisation table says now.
TEST_F(InvoiceReportTest, OneTaxInvoiceFromItsFrozenRow)
{
    EXPECT_EQ(pages(QStringLiteral("{inv.a} = 'A0042'")),
              QStringList({
                  "Quill & Sons Bookkeeping | TAX INVOICE",
                  "ABN 12 345 678 901",
                  "12 High Street",
                  "Invoice No. | A0042",
                  "Ballarat VIC 3350",
                  "Date | 05/07/2024",
                  "Phone 03 5331 1234 | Fax 03 5331 9999",
                  "INVOICE TO | SHIP TO",
                  "Farmer's Market | Farmer's Market Warehouse",
                  "1 Market Lane | 7 Dock Road",
                  "Geelong VIC 3220 | Corio VIC 3214",
                  "Australia",
                  "P.O Number | Date Shipped | Shipped via | Project | Terms",
                  "PO-778 | 08/07/2024 | Star Track | Spring fair | 30 days",
                  "QTY | DESCRIPTION | $RATE | TAX | $TAX AMT | $AMOUNT",
                  "2 | Consulting hours | 100.00 | GST | 20.00 | 220.00",
                  "1 | Travel (exempt) | 50.00 | .00 | 50.00",
                  "3 | Binders | 3.03 | GST | .91 | 10.00",
                  "NETT | 259.09",
                  "TAX @ 10% | 20.91",
                  "OTHER TAX | .00",
                  "TOTAL DUE | 280.00",
                  "Please make cheques payable to Quill & Sons",
                  "Questions about this invoice: phone 03 5331 1235",
                  "Thank you for your business.",
              }));
    const TestServices::ReportRecord &run = m_services->reports.back();
    EXPECT_EQ(run.run.fileName, QStringLiteral("invoice.rpt"));
    EXPECT_EQ(run.run.formula, QStringLiteral("{inv.a} = 'A0042'"));
    EXPECT_EQ(run.run.destination, 0);
    EXPECT_EQ(loadReportDefinition(path(QStringLiteral("invoice.rpt"))).tables, QStringList{QStringLiteral("inv")});
}

TEST_F(InvoiceReportTest, SelectionByNumber)
{
    // An apostrophe in the number, doubled in the formula; empty details leave no label behind.
    EXPECT_EQ(pages(QStringLiteral("{inv.a} = 'o''neil-7'")),
              QStringList({
                  "Quill & Sons Bookkeeping | TAX INVOICE",
                  "Invoice No. | O'Neil-7",
                  "Date | 01/08/2024",
                  "INVOICE TO | SHIP TO",
                  "O'Neil's Farm",
                  "P.O Number | Date Shipped | Shipped via | Project | Terms",
                  "QTY | DESCRIPTION | $RATE | TAX | $TAX AMT | $AMOUNT",
                  "1 | Hay | 10.00 | .00 | 10.00",
                  "NETT | 10.00",
                  "TAX @ 10% | .00",
                  "OTHER TAX | .00",
                  "TOTAL DUE | 10.00",
              }));
    // A number not stored: one empty page. A number stored twice: a page each.
    EXPECT_EQ(pages(QStringLiteral("{inv.a} = 'A0043'")), QStringList{QString()});
    runSql(path(QStringLiteral("qm1.mdb")), "insert into inv (a, xd1, xtotal) values ('A0042', 'Again', 5)");
    const QStringList twice = pages(QStringLiteral("{inv.a} = 'A0042'"));
    EXPECT_EQ(twice.count(QStringLiteral("\f")), 1);
    EXPECT_TRUE(twice.contains(QStringLiteral("Again")));
    EXPECT_TRUE(twice.contains(QStringLiteral("TOTAL DUE | 5.00")));
}

// Eight-digit amounts print whole inside their places, a description too long for its line
// wraps inside it, and the business's ABN stands in the header under its name.
TEST_F(InvoiceReportTest, PrintedPagesCutNothing)
{
    const QString description = QStringLiteral("Travel to the client's site and back, 212 km at the standard rate "
                                               "(GST-free)");
    runSql(path(QStringLiteral("qm1.mdb")),
           "insert into inv (a, b, c, d, e, f, i, u, zz, xq1, xd1, xr1, xt1, xta1, xam1, xq2, xd2, xr2, xt2, xta2, "
           "xam2, xsubtot, xgst, othertax, xtotal) values ('B1', '2031-07-05', '12 High Street', 'Ballarat', 'VIC', "
           "'3350', 'Farmer''s Market', '51 824 753 556', 'Quill & Sons Bookkeeping', "
           "'1', 'Travel to the client''s site and back, 212 km at the standard rate (GST-free)', '10000000.00', '', "
           "'.00', '10000000.00', '1100', 'Consulting', '90909.09', 'GST', '9999999.90', '99999999.90', "
           "109090909.09, 9999999.90, 0, 109999999.90)");
    const ReportDocument document
        = layoutReportFile(path(QStringLiteral("invoice.rpt")), QStringLiteral("{inv.a} = 'B1'"), {});
    EXPECT_EQ(drawingFaults(document), QStringList());
    const std::vector<DrawnText> drawn = drawnTexts(document, 0);
    auto drawnText = [&](const QString &text) {
        const auto found = std::find_if(drawn.begin(), drawn.end(), [&](const DrawnText &d) { return d.text == text; });
        return found == drawn.end() ? DrawnText{} : *found;
    };
    for (const char *amount : {"10000000.00", "99999999.90", "109090909.09", "9999999.90", "109999999.90"})
        EXPECT_FALSE(drawnText(QString::fromLatin1(amount)).text.isEmpty()) << amount;

    QRectF place;
    for (const ReportShape &shape : document.pages[0].shapes) {
        if (shape.text == description)
            place = shape.rect;
    }
    QString printed;
    for (const DrawnText &d : drawn) {
        if (place.contains(d.box.center())) {
            printed += d.text;
            EXPECT_TRUE(place.contains(d.box)) << d.text.toStdString();
        }
    }
    EXPECT_EQ(printed.remove(u' '), QString(description).remove(u' '));

    // Under the name, above the address, and not in the grey details row.
    const DrawnText name = drawnText(QStringLiteral("Quill & Sons Bookkeeping"));
    const DrawnText abn = drawnText(QStringLiteral("ABN 51 824 753 556"));
    ASSERT_FALSE(abn.text.isEmpty());
    EXPECT_NEAR(abn.box.left(), name.box.left(), 0.5);
    EXPECT_GE(abn.box.top(), name.box.bottom());
    EXPECT_LE(abn.box.bottom(), drawnText(QStringLiteral("12 High Street")).box.top());
    EXPECT_TRUE(drawnText(QStringLiteral("51 824 753 556")).text.isEmpty());
}

TEST_F(InvoiceReportTest, PrintingRecordsTheDestination)
{
    report().Destination = crptToPrinter;
    report().ReportFileName = QStringLiteral("invoice.rpt");
    report().SelectionFormula = QStringLiteral("{inv.a} = 'A0042'");
    report().setAction(1);
    EXPECT_EQ(m_services->reports.back().run.destination, 1);
    m_services->printerWorks = false;
    EXPECT_EQ(errorNumber([&] { report().setAction(1); }), ErrorCode::PrinterError);
}

} // namespace qm::test
