// View and Print through the invoice report, the printed mark, and the ways out of the form.
#include "platform/reportcontrol.h"
#include "shell/ci.h"
#include "shell/menu2.h"
#include "tests/invoicing/invoicefixture.h"

#include <QFile>
#include <QFileInfo>

namespace qm::test {

namespace {

class InvoiceOutputTest : public InvoiceTest
{
protected:
    // Invoice A1 for O'Brien's Farm, two rows, on screen and not saved yet.
    INV &invoice(const QString &number = "A1")
    {
        INV &f = form();
        chooseClient("O'Brien's Farm");
        f.a[0]->setText(number);
        f.a[1]->setText("07/12/2026");
        f.l1[LineQty]->setText("2");
        f.l1[LineDescription]->setText("Consulting hours");
        f.l1[LineRate]->setText("120");
        f.l_DblClick(1, LineTax);
        f.l2[LineQty]->setText("1");
        f.l2[LineDescription]->setText("Travel (exempt)");
        f.l2[LineRate]->setText("55");
        return f;
    }

    QString printed() { return rows("qm1.mdb", "select quote(printed) from inv order by ID").join(','); }
    size_t runs() const { return m_services->reports.size(); }
    QStringList pages() const { return m_services->reports.back().pages.split('\n'); }
};

} // namespace

TEST_F(InvoiceOutputTest, PrintSavesPrintsAndMarksViewClearsTheMark)
{
    INV &f = invoice();
    f.viewprint_Click(1);
    ASSERT_EQ(runs(), 1u);
    const ReportRun &run = m_services->reports.back().run;
    EXPECT_EQ(run.fileName, "invoice.rpt");
    EXPECT_EQ(run.formula, "{inv.a} = 'A1'");
    EXPECT_EQ(run.destination, 1);
    EXPECT_EQ(f.statuspanel->Caption(), "Editing");
    EXPECT_EQ(printed(), "'YES'");
    EXPECT_EQ(m_services->printFiles, QStringList{"printed-1.pdf"});
    EXPECT_TRUE(QFileInfo::exists(path("printed-1.pdf")));
    // What the form shows is what is printed.
    const QStringList lines = pages();
    for (const QString &expected :
         {QString("Invoice No. | A1"), QString("O'Brien's Farm | O'Brien's Shed"),
          QString("2 | Consulting hours | 120.00 | GST | 24.00 | 264.00"),
          QString("1 | Travel (exempt) | 55.00 | .00 | 55.00"), "NETT | " + f.xsubtot->Text(),
          "TAX @ 10% | " + f.xgst->Text(), "OTHER TAX | " + f.othertax->Text(), "TOTAL DUE | " + f.xtotal->Text()})
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();
    EXPECT_EQ(f.xtotal->Text(), "319.00");

    f.viewprint_Click(0);
    ASSERT_EQ(runs(), 2u);
    EXPECT_EQ(m_services->reports.back().run.destination, 0);
    EXPECT_EQ(printed(), "''");
    EXPECT_EQ(f.MousePointer(), vbDefault);
    EXPECT_TRUE(messages().isEmpty());
}

// The invoice is printed as saved, with the business's details it was saved with.
TEST_F(InvoiceOutputTest, AStoredInvoicePrintsItsOwnDetails)
{
    invoice("O'B-1").save_Click();
    run("qm1.mdb", "update info set a = 'Renamed Pty Ltd'");
    Forms::discardAll();
    INV &f = form();
    f.invnumb->setText("O'B-1");
    ASSERT_TRUE(f.getinvnumb());
    f.viewprint_Click(1);
    EXPECT_EQ(m_services->reports.back().run.formula, "{inv.a} = 'O''B-1'");
    EXPECT_EQ(pages().first(), "Quill & Sons | TAX INVOICE");
    EXPECT_TRUE(pages().contains("Invoice No. | O'B-1"));
    EXPECT_EQ(printed(), "'YES'");
    EXPECT_EQ(rows("qm1.mdb", "select zz from inv"), QStringList{"Quill & Sons"});
}

// The mark goes on the row just saved, also where an older file holds its number twice.
TEST_F(InvoiceOutputTest, TheMarkGoesOnTheRowSaved)
{
    run("qm1.mdb", "insert into inv (a, b, e, printed) values ('A1', '2026-01-05', 'VIC', ''), "
                   "('A1', '2026-02-05', 'VIC', '')");
    INV &f = form();
    f.invid->setText("2");
    ASSERT_TRUE(f.getinv());
    f.statuspanel->setCaption("Editing");
    f.viewprint_Click(1);
    EXPECT_EQ(printed(), "'','YES'");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoiceOutputTest, NothingIsPrintedWhenTheSaveFails)
{
    INV &f = invoice();
    f.a[1]->setText("");
    for (int index : {0, 1})
        f.viewprint_Click(index);
    EXPECT_EQ(takeMessages(), QStringList({"Must enter a date", "Must enter a date"}));
    EXPECT_EQ(runs(), 0u);
    EXPECT_EQ(f.statuspanel->Caption(), "Adding");

    // A stored invoice whose edit cannot be saved: the old version is not printed either.
    f.a[1]->setText("07/12/2026");
    ASSERT_TRUE(f.save_Click());
    run("qm1.mdb", "update inv set printed = 'YES'");
    f.a[0]->setText("A2");
    f.viewprint_Click(1);
    EXPECT_EQ(takeMessages(), QStringList{"The number of a saved invoice cannot be changed."});
    EXPECT_EQ(runs(), 0u);
    EXPECT_EQ(printed(), "'YES'");
}

TEST_F(InvoiceOutputTest, ReportAndPrinterFailuresAreSaid)
{
    INV &f = invoice();
    m_services->printerWorks = false;
    f.viewprint_Click(1);
    EXPECT_EQ(takeMessages(), QStringList{"Printer Error"});
    EXPECT_EQ(printed(), "''");

    // No printer set up: the print dialog asks; cancelled, nothing is printed, marked or said.
    m_services->printerWorks = true;
    m_services->defaultPrinter = false;
    f.viewprint_Click(1);
    EXPECT_EQ(m_services->printDialogs, 1);
    EXPECT_TRUE(m_services->printFiles.isEmpty());
    EXPECT_EQ(printed(), "''");
    EXPECT_EQ(f.MousePointer(), vbDefault);
    EXPECT_TRUE(messages().isEmpty());

    m_services->defaultPrinter = true;
    ASSERT_TRUE(QFile::remove(path("invoice.rpt")));
    f.viewprint_Click(0);
    f.viewprint_Click(1);
    const QStringList said = takeMessages();
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].startsWith("Report Error: ")) << said[0].toStdString();
    EXPECT_EQ(said[1], said[0]);
    EXPECT_EQ(printed(), "''");
    EXPECT_EQ(f.MousePointer(), vbDefault);

    // Printed, but the mark cannot be written: said, with the invoice's number.
    installReportFiles(m_dir.path());
    run("qm1.mdb", "create trigger nomark before update of printed on inv when new.printed = 'YES' "
                   "begin select raise(abort, 'the mark is refused'); end");
    f.viewprint_Click(1);
    const QStringList marked = takeMessages();
    ASSERT_EQ(marked.size(), 1);
    EXPECT_TRUE(marked[0].startsWith("Invoice A1 was printed, but it could not be marked as printed ("))
        << marked[0].toStdString();
    EXPECT_EQ(printed(), "''");
}

// Print > Screen fails under the program's own title; Main Menu, the Menu button and
// Organisation Info leave without asking.
TEST_F(InvoiceOutputTest, PrintScreenAndTheWaysOut)
{
    INV &f = form();
    m_services->printerWorks = false;
    f.mps->trigger();
    ASSERT_EQ(m_messages.log().size(), 1u);
    EXPECT_EQ(m_messages.log()[0].text, "Printer Error");
    EXPECT_EQ(m_messages.log()[0].title, "QUILLMARK");
    m_messages.clear();

    f.mm->trigger();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<INV>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    form().gotoMenu_Click();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<INV>());
    form().moi->trigger();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<INV>());
    EXPECT_TRUE(Forms::isLoaded<CI>());
    EXPECT_TRUE(messages().isEmpty());
}

} // namespace qm::test
