// The invoice form: opening, numbering, the client, saving, loading and deleting, with the
// rows it stores checked column by column.
#include "common/shortdate.h"
#include "data/dates.h"
#include "ledger/rrc.h"
#include "platform/dtpicker.h"
#include "platform/flexgrid.h"
#include "tests/invoicing/invoicefixture.h"

#include <QLocale>

namespace qm::test {

namespace {

class InvoiceFormTest : public InvoiceTest
{
protected:
    // A whole invoice for O'Brien's Farm: every box filled, all seven rows.
    void fillInvoice(const QString &number, const QString &date = QStringLiteral("07/12/2026"))
    {
        INV &f = form();
        chooseClient("O'Brien's Farm");
        f.a[0]->setText(number);
        f.a[1]->setText(date);
        f.b[1]->setText("PO-'1");
        f.b[2]->setText("09/Dec/2026");
        f.b[4]->setText("Spring's fair");
        for (int row = 1; row <= LineRows; ++row) {
            f.l(row)[LineQty]->setText(QString::number(row));
            f.l(row)[LineDescription]->setText(QStringLiteral("Item %1's").arg(row));
            f.l(row)[LineRate]->setText(QStringLiteral("%1.15").arg(row));
            if (row % 2)
                f.l_DblClick(row, LineTax);
            else
                f.l(row)[LineTaxAmount]->setText("0.5");
        }
    }

    // Everything the form shows of its invoice, and the organisation details it holds.
    QStringList screen()
    {
        INV &f = form();
        QStringList texts{f.a[0]->Text(), f.a[1]->Text()};
        for (ControlArray<TextBox> *boxes : {&f.x, &f.s, &f.b})
            for (int i = 0; i < 6; ++i)
                texts << (*boxes)[i]->Text();
        for (int row = 1; row <= LineRows; ++row)
            texts << line(row);
        texts << totals() << OrgName << OrgAddress << OrgSuburb << OrgState << OrgPostcode << OrgPhone << OrgFax
              << OrgChequesPayableTo << OrgInvoicePhone << OrgSpecialMessage;
        return texts;
    }

    QString last() { return rows("qm1.mdb", "select last from invnumb").join(','); }

    // Opens the stored invoice with this key in a fresh form, as the list does.
    void openStored(const QString &id)
    {
        Forms::discardAll();
        processEvents();
        form().invid->setText(id);
        ASSERT_TRUE(form().getinv());
        form().statuspanel->setCaption("Editing");
    }
};

} // namespace

TEST_F(InvoiceFormTest, OpensOnANewInvoiceWithTheBusinessDetails)
{
    INV &f = form();
    EXPECT_EQ(f.statuspanel->Caption(), "Adding");
    EXPECT_EQ(EditMode, "Adding");
    EXPECT_EQ(f.a[0]->Text(), "A1");
    EXPECT_EQ(f.a[1]->Text(), formatShortDate(QDate::currentDate()));
    EXPECT_EQ(QStringList({f.b[0]->Text(), f.b[2]->Text(), f.b[3]->Text(), f.b[5]->Text()}),
              QStringList({"12 345 678 901", "", "Star Track", "30 days"}));
    EXPECT_EQ(QStringList({OrgName, OrgAddress, OrgState, OrgChequesPayableTo, OrgSpecialMessage}),
              QStringList({"Quill & Sons", "12 High Street", "VIC", "Quill Pty", "Thank you"}));
    EXPECT_EQ(f.DBCombo1->ListCount(), 2);
    // The first opening starts the numbering; opening again without saving proposes A1 again.
    EXPECT_EQ(last(), "A0");
    Forms::discardAll();
    EXPECT_EQ(form().a[0]->Text(), "A1");
    EXPECT_EQ(last(), "A0");
    EXPECT_TRUE(messages().isEmpty());

    // No business details: said once, and the form opens all the same.
    Forms::discardAll();
    resetModule1();
    run("qm1.mdb", "delete from info");
    EXPECT_EQ(form().b[0]->Text(), "");
    EXPECT_EQ(OrgName, "");
    EXPECT_EQ(takeMessages(), QStringList({"No Organisational information found. Please use the selection on the "
                                           "Main Menu to enter your business information."}));
}

TEST_F(InvoiceFormTest, ProposesTheNextNumberFromTheLastOne)
{
    const struct
    {
        const char *last;
        const char *next;
    } cases[] = {
        {"A0", "A1"},     {"INV0099", "INV100"}, {"INV-007", "INV-8"}, {"A12B", "A13"}, {"2003/15", "2004"},
        {"X1.5", "X2.5"}, {"A1E2", "A101"},      {"ABC", ""},          {"", ""},
    };
    for (const auto &c : cases) {
        Forms::discardAll();
        run("qm1.mdb", QStringLiteral("delete from invnumb; insert into invnumb (last) values ('%1')").arg(c.last));
        EXPECT_EQ(form().a[0]->Text(), c.next) << c.last;
    }
}

TEST_F(InvoiceFormTest, ChoosingAClientFillsBothAddresses)
{
    INV &f = form();
    f.x[0]->setText("typed over");
    chooseClient("O'Brien's Farm");
    QStringList shown;
    for (int i = 0; i < 6; ++i)
        shown << f.x[i]->Text() + " / " + f.s[i]->Text();
    EXPECT_EQ(shown, QStringList({"O'Brien's Farm / O'Brien's Shed", "12 O'Connell Rd / 3 Silo Lane",
                                  "Wagga Wagga / Uranquinty", "NSW / NSW", "2650 / 2652", "Australia / Australia"}));
    EXPECT_TRUE(f.save->Visible());
    EXPECT_EQ(f.b[0]->Text(), "12 345 678 901"); // the other boxes are not touched

    // A client without a shipping address: six empty boxes, whatever the bill-to holds.
    chooseClient("Acme Pty Ltd");
    EXPECT_EQ(f.x[2]->Text(), "Ballarat");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(f.s[i]->Text(), "") << i;

    // Opening the list again refills what was typed into the blocks.
    f.x[1]->setText("somewhere else");
    f.DBCombo1->clickArea(dbcAreaButton);
    EXPECT_EQ(f.x[1]->Text(), "1 Main St");

    // A name that is no client's changes nothing; one that looks like SQL reaches none.
    f.DBCombo1->setText("'; drop table c; --");
    f.DBCombo1->clickArea(dbcAreaEdit);
    EXPECT_EQ(f.x[0]->Text(), "Acme Pty Ltd");
    EXPECT_EQ(rows("qm.mdb", "select count(*) from c"), QStringList{"2"});
    EXPECT_TRUE(messages().isEmpty());

    // On a stored invoice the change is asked first; No keeps every box.
    f.statuspanel->setCaption("Editing");
    m_messages.queueAnswer(vbNo);
    chooseClient("O'Brien's Farm");
    EXPECT_EQ(f.x[0]->Text(), "Acme Pty Ltd");
    EXPECT_EQ(takeMessages(), QStringList{"Are you sure you want to change the Client on this existing invoice?"});
    chooseClient("O'Brien's Farm");
    EXPECT_EQ(f.x[0]->Text(), "O'Brien's Farm");
}

TEST_F(InvoiceFormTest, ThePickersWriteTheirDates)
{
    INV &f = form();
    f.picker->pickDate(QDate(2026, 1, 5));
    f.DTPicker1->pickDate(QDate(2026, 2, 6));
    EXPECT_EQ(f.a[1]->Text(), "05/Jan/2026");
    EXPECT_EQ(f.b[2]->Text(), "06/Feb/2026");
}

// A day in any century, proposed as the day a new invoice is made or picked, then saved,
// loaded and saved again in another year, is stored as that day.
TEST_F(InvoiceFormTest, DatesInAnyYearKeepTheirDay)
{
    const QDate days[] = {QDate(1925, 1, 1), QDate(1999, 12, 31), QDate(2029, 12, 31),
                          QDate(2030, 1, 1), QDate(2035, 12, 7),  QDate(2099, 6, 30)};
    const ClockAt now(QDate(2026, 7, 1));
    int number = 0;
    for (const QDate &day : days) {
        SCOPED_TRACE(day.toString(Qt::ISODate).toStdString());
        const QDate shipped = day.addDays(-1);
        const QString where = QStringLiteral(" from inv where a = 'D%1'").arg(++number);
        Forms::discardAll();
        processEvents();
        {
            const ClockAt clock(day);
            EXPECT_EQ(form().a[1]->Text(), formatShortDate(day));
        }
        fillInvoice(QStringLiteral("D%1").arg(number), form().a[1]->Text());
        form().DTPicker1->pickDate(shipped);
        ASSERT_TRUE(form().save_Click());
        const QStringList stored{u'\'' + day.toString(Qt::ISODate) + "'|'" + shipped.toString(Qt::ISODate) + u'\''};
        EXPECT_EQ(rows("qm1.mdb", "select quote(b), quote(w)" + where), stored);

        openStored(row("qm1.mdb", "select ID" + where));
        EXPECT_EQ(form().a[1]->Text(), shortDate(day));
        EXPECT_EQ(form().b[2]->Text(), formatShortDate(shipped));
        ASSERT_TRUE(form().save_Click());
        EXPECT_EQ(rows("qm1.mdb", "select quote(b), quote(w)" + where), stored);
    }
    EXPECT_TRUE(messages().isEmpty());
}

// Saved, saved again and loaded back: the one row holds what the form showed, column by column.
TEST_F(InvoiceFormTest, SaveStoresTheWholeInvoiceAndLoadingBringsItBack)
{
    fillInvoice("A1");
    const QStringList before = screen();
    ASSERT_TRUE(form().save_Click());
    EXPECT_EQ(form().statuspanel->Caption(), "Editing");
    EXPECT_EQ(form().invid->Text(), "1");
    EXPECT_EQ(last(), "A1");
    EXPECT_EQ(rows("qm1.mdb", "select quote(ID), quote(a), quote(b), quote(c), quote(e), quote(h), quote(i), "
                              "quote(o), quote(t), quote(u), quote(v), quote(w), quote(x), quote(y), quote(zz), "
                              "quote(xsubtot), quote(xgst), quote(othertax), quote(xtotal), quote(chequespayableto), "
                              "quote(invphone), quote(specialmessage), quote(paid), quote(printed), quote(m1) "
                              "from inv"),
              QStringList({"1|'A1'|'2026-12-07'|'12 High Street'|'VIC'|'03 5331 9999'|'O''Brien''s Farm'|"
                           "'O''Brien''s Shed'|'Australia'|'12 345 678 901'|'PO-''1'|'2026-12-09'|'Star Track'|"
                           "'Spring''s fair'|'Quill & Sons'|144.2|8.66|1.5|154.36|'Quill Pty'|'1800 111'|"
                           "'Thank you'|0|''|'1'"}));
    // The cells as the boxes showed them, by their places in the row.
    for (int row = 1; row <= LineRows; ++row)
        EXPECT_EQ(rows("qm1.mdb", QStringLiteral("select xq%1, xd%1, xr%1, xt%1, xta%1, xam%1 from inv").arg(row)),
                  QStringList{line(row)});
    const QStringList saved = stored();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved[0].count('|'), 79); // 80 columns

    ASSERT_TRUE(form().save_Click());
    EXPECT_EQ(stored(), saved);

    openStored("1");
    EXPECT_EQ(screen(), before);
    ASSERT_TRUE(form().save_Click());
    EXPECT_EQ(stored(), saved);
    EXPECT_TRUE(messages().isEmpty());
}

// Stored cells are shown as stored, and nothing of the invoice shown before survives.
TEST_F(InvoiceFormTest, LoadingShowsTheStoredCellsAndTotals)
{
    run("qm1.mdb", "insert into inv (a, b, xq1, xd1, xr1, xt1, xta1, xam1, xsubtot, xgst, othertax, xtotal) values "
                   "('B7', '2026-03-01', '3', 'Pens', '3.33', 'GST', '1.00', '11.00', 9.994, 1, 0, 11)");
    fillInvoice("A1");
    form().invid->setText("1");
    ASSERT_TRUE(form().getinv());
    EXPECT_EQ(line(1), "3|Pens|3.33|GST|1.00|11.00");
    for (int row = 2; row <= LineRows; ++row)
        EXPECT_EQ(line(row), "|||||") << row;
    EXPECT_EQ(totals(), "9.99|1.00|.00|11.00");
    EXPECT_EQ(form().a[1]->Text(), "01/03/2026");
    EXPECT_EQ(form().b[2]->Text(), "");
    EXPECT_EQ(form().x[0]->Text(), "");
    EXPECT_EQ(OrgName, "");                             // the invoice's own details, empty here
    EXPECT_EQ(form().statuspanel->Caption(), "Adding"); // the list sets the mode
}

// The invoice keeps the business's details it was saved with, through a load and a save.
TEST_F(InvoiceFormTest, AStoredInvoiceKeepsItsOwnBusinessDetails)
{
    fillInvoice("A1");
    ASSERT_TRUE(form().save_Click());
    run("qm1.mdb", "update info set a = 'Renamed', b = '99 New Road', k = 'New message'");
    openStored("1");
    EXPECT_EQ(QStringList({OrgName, OrgAddress, OrgSpecialMessage}),
              QStringList({"Quill & Sons", "12 High Street", "Thank you"}));
    ASSERT_TRUE(form().save_Click());
    EXPECT_EQ(rows("qm1.mdb", "select zz, c, specialmessage from inv"),
              QStringList{"Quill & Sons|12 High Street|Thank you"});
}

TEST_F(InvoiceFormTest, NumbersNeverCollide)
{
    fillInvoice("A1");
    ASSERT_TRUE(form().save_Click());
    form().Command2_Click();
    processEvents();
    EXPECT_EQ(takeMessages(), QStringList{"Are you sure?"});
    EXPECT_EQ(form().a[0]->Text(), "A2");
    fillInvoice(" a1 ");
    EXPECT_FALSE(form().save_Click());
    EXPECT_EQ(takeMessages(), QStringList{"Invoice number a1 already exists."});
    EXPECT_EQ(form().statuspanel->Caption(), "Adding");

    for (const char *blank : {"", "   "}) {
        form().a[0]->setText(blank);
        EXPECT_FALSE(form().save_Click());
        EXPECT_EQ(takeMessages(), QStringList{"Must enter an invoice number"});
    }
    // Trimmed once, when saved.
    form().a[0]->setText("  A2  ");
    ASSERT_TRUE(form().save_Click());
    EXPECT_EQ(form().a[0]->Text(), "A2");
    EXPECT_EQ(rows("qm1.mdb", "select ID, a from inv order by ID"), QStringList({"1|A1", "2|A2"}));
    EXPECT_EQ(last(), "A2");

    // A saved invoice keeps its number: receipts name it.
    form().a[0]->setText("A9");
    EXPECT_FALSE(form().save_Click());
    EXPECT_EQ(takeMessages(), QStringList{"The number of a saved invoice cannot be changed."});
    EXPECT_EQ(rows("qm1.mdb", "select a from inv order by ID"), QStringList({"A1", "A2"}));

    // An older invoice saved again: it alone changes, and the numbering goes on from A2.
    const QString second = stored("ID = 2").join(',');
    openStored("1");
    form().l3[LineDescription]->setText("Changed");
    ASSERT_TRUE(form().save_Click());
    EXPECT_EQ(rows("qm1.mdb", "select xd3 from inv order by ID"), QStringList({"Changed", "Item 3's"}));
    EXPECT_EQ(stored("ID = 2").join(','), second);
    EXPECT_EQ(last(), "A2");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoiceFormTest, AFailedSaveSaysWhyAndWritesNothing)
{
    const struct
    {
        const char *date;
        const char *shipped;
        const char *message;
    } cases[] = {
        {"", "", "Must enter a date"},
        {"   ", "", "Must enter a date"},
        {"31/02/26", "", "The invoice date is not a date."},
        {"07/Dec/26", "soon", "Date Shipped is not a date."},
    };
    fillInvoice("A1");
    for (const auto &c : cases) {
        form().a[1]->setText(c.date);
        form().b[2]->setText(c.shipped);
        EXPECT_FALSE(form().save_Click());
        EXPECT_EQ(takeMessages(), QStringList{c.message});
    }
    EXPECT_TRUE(stored().isEmpty());

    // The numbering cannot be written: neither is the invoice.
    form().a[1]->setText("07/Dec/26");
    form().b[2]->setText("");
    run("qm1.mdb", "drop table invnumb");
    EXPECT_FALSE(form().save_Click());
    const QStringList said = takeMessages();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith("Error: ")) << said[0].toStdString();
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(form().statuspanel->Caption(), "Adding");
    EXPECT_EQ(form().invid->Text(), "");
    EXPECT_EQ(form().MousePointer(), vbDefault);
}

// Every save stores what the boxes hold: an emptied Date Shipped, a cleared printed mark, and
// business details that were never filled in as empty texts, which the list can find.
TEST_F(InvoiceFormTest, ASaveStoresWhatTheBoxesHold)
{
    fillInvoice("A1");
    ASSERT_TRUE(form().save_Click());
    run("qm1.mdb", "update inv set printed = 'YES'");
    form().b[2]->setText("");
    ASSERT_TRUE(form().save_Click());
    EXPECT_EQ(rows("qm1.mdb", "select quote(w), quote(printed) from inv"), QStringList{"NULL|''"});

    Forms::discardAll();
    resetModule1();
    run("qm1.mdb", "delete from info; insert into info default values");
    fillInvoice("A2");
    ASSERT_TRUE(form().save_Click());
    EXPECT_EQ(rows("qm1.mdb", "select quote(c), quote(e), quote(zz), quote(specialmessage) from inv where a = 'A2'"),
              QStringList{"''|''|''|''"});
    form().history_Click();
    EXPECT_EQ(form().flex->TextMatrix(2, 1), "A2");
}

// Apostrophes and SQL-looking text in every box are stored and found as typed.
TEST_F(InvoiceFormTest, HostileTextIsStoredAndFoundAsTyped)
{
    const QString hostile = "'; drop table inv; --";
    fillInvoice("O'B-1");
    INV &f = form();
    for (ControlArray<TextBox> *boxes : {&f.x, &f.s})
        for (int i = 0; i < 6; ++i)
            (*boxes)[i]->setText(hostile + QString::number(i));
    for (int i : {0, 1, 3, 4, 5})
        f.b[i]->setText("O'Brien's " + hostile);
    f.l7[LineDescription]->setText(hostile);
    const QStringList before = screen();
    ASSERT_TRUE(f.save_Click());
    ASSERT_TRUE(f.save_Click());
    Forms::discardAll();
    form().invnumb->setText("O'B-1");
    ASSERT_TRUE(form().getinvnumb());
    EXPECT_EQ(screen(), before);
    EXPECT_EQ(form().invid->Text(), "1");
    EXPECT_EQ(rows("qm1.mdb", "select count(*) from inv"), QStringList{"1"});
    EXPECT_TRUE(messages().isEmpty());
}

// A client's name and an invoice number with quotes, SQL or pattern characters reach every
// statement as plain text: saved, refused as a duplicate, loaded by number, listed by client,
// printed and deleted, each finds that invoice alone, not one its text would match as a pattern.
TEST_F(InvoiceFormTest, HostileNamesAndNumbersReachEveryStatementAsText)
{
    const struct
    {
        const char *text;
        QStringList lookalikes; // would match the text read as a pattern, or cut at a quote
    } cases[] = {
        {"O'Brien's Farm", {"O", "O'Brien"}},
        {"'; drop table inv; --", {"", "'"}},
        {"50% off_*?#[!a]", {"50 or more offZ*?#[!a]", "50% off_ and X1b"}},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(c.text);
        Forms::discardAll();
        processEvents();
        run("qm1.mdb", "delete from inv");
        run("qm.mdb", "delete from c");
        run("qm.mdb", "insert into c (l, d, n) values (" + quoted(text) + ", '1 Main St', 'Australia')");
        for (const QString &other : c.lookalikes) {
            run("qm.mdb", "insert into c (l) values (" + quoted(other) + ")");
            run("qm1.mdb", "insert into inv (a, i, b, e) values (" + quoted(other) + ", " + quoted(other)
                               + ", '2026-12-01', 'VIC')");
        }
        const QStringList others = rows("qm1.mdb", "select ID from inv order by ID");

        chooseClient(text);
        form().a[0]->setText(text);
        form().a[1]->setText("07/12/2026");
        ASSERT_TRUE(form().save_Click());
        const QString key = form().invid->Text();
        EXPECT_EQ(rows("qm1.mdb", "select a, i from inv where ID = " + key), QStringList{text + '|' + text});

        // The client's list holds this invoice alone.
        form().history_Click();
        EXPECT_EQ(
            QStringList({form().flex->TextMatrix(1, 1), form().flex->TextMatrix(1, 2), form().flex->TextMatrix(2, 1)}),
            QStringList({text, text, ""}));

        // The same number again is refused.
        form().Command2_Click();
        processEvents();
        chooseClient(text);
        form().a[0]->setText(text);
        EXPECT_FALSE(form().save_Click());
        EXPECT_EQ(takeMessages(), QStringList({"Are you sure?", "Invoice number " + text + " already exists."}));

        Forms::discardAll();
        processEvents();
        form().invnumb->setText(text);
        ASSERT_TRUE(form().getinvnumb());
        EXPECT_EQ(form().invid->Text(), key);
        EXPECT_EQ(QStringList({form().a[0]->Text(), form().x[0]->Text(), form().x[1]->Text()}),
                  QStringList({text, text, "1 Main St"}));

        form().viewprint_Click(0);
        ASSERT_FALSE(m_services->reports.empty());
        const QStringList pages = m_services->reports.back().pages.split('\n');
        EXPECT_TRUE(pages.contains("Invoice No. | " + text)) << pages.join('\n').toStdString();
        EXPECT_EQ(pages.filter("Invoice No. |").size(), 1);

        form().fd_Click();
        processEvents();
        EXPECT_EQ(takeMessages(), QStringList({"Delete Current Record?", "Record deleted!"}));
        EXPECT_EQ(rows("qm1.mdb", "select ID from inv order by ID"), others);
        EXPECT_EQ(rows("qm.mdb", "select count(*) from c"), QStringList{QString::number(c.lookalikes.size() + 1)});
    }
}

// The short date is day first whatever the machine's locale: a load and save keep the day.
TEST_F(InvoiceFormTest, DatesReadBackAreTheDatesStored)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    fillInvoice("A1", "07/Dec/26");
    ASSERT_TRUE(form().save_Click());
    openStored("1");
    EXPECT_EQ(form().a[1]->Text(), "07/12/2026");
    ASSERT_TRUE(form().save_Click());
    QLocale::setDefault(previous);
    EXPECT_EQ(rows("qm1.mdb", "select quote(b), quote(w) from inv"), QStringList{"'2026-12-07'|'2026-12-09'"});
}

TEST_F(InvoiceFormTest, LoadingANumberThatIsNotStored)
{
    INV &f = form();
    const QStringList before = screen();
    f.invnumb->setText("NOPE");
    EXPECT_FALSE(f.getinvnumb());
    ASSERT_EQ(m_messages.log().size(), 1u);
    EXPECT_EQ(m_messages.log()[0].text, "No current record.");
    EXPECT_EQ(m_messages.log()[0].icon, 0);
    EXPECT_EQ(m_messages.log()[0].title, "QUILLMARK");
    EXPECT_EQ(f.statuspanel->Caption(), "Editing");
    EXPECT_EQ(screen(), before);
    m_messages.clear();
    f.invid->setText("x1");
    EXPECT_FALSE(f.getinv());
    EXPECT_EQ(takeMessages(), QStringList{"Type mismatch"});
}

TEST_F(InvoiceFormTest, DeleteRemovesTheInvoiceOnScreen)
{
    // While adding there is nothing to delete.
    form().fd_Click();
    EXPECT_EQ(takeMessages(), QStringList{"Can't delete while adding"});

    fillInvoice("A1");
    ASSERT_TRUE(form().save_Click());
    form().Command2_Click();
    processEvents();
    fillInvoice("A2");
    ASSERT_TRUE(form().save_Click());
    m_messages.clear();

    // Opened from a receipt, by its number, into a fresh form.
    run("qm.mdb", "insert into r (j, b, p, t, e, q, l, u, f, h, s) values "
                  "('2026-12-08', 2, 2, 'O''Brien''s Farm', 55, '10', 'A1', 'STD', 'Income', 'Other', 0)");
    Forms::discardAll();
    RRC &receipts = Forms::get<RRC>();
    receipts.Show();
    receipts.Label2_MouseMove();
    INV &invoice = form();
    EXPECT_EQ(invoice.a[0]->Text(), "A1");
    EXPECT_EQ(invoice.invid->Text(), "1");

    m_messages.queueAnswer(vbNo);
    invoice.fd_Click();
    EXPECT_EQ(takeMessages(), QStringList{"Delete Current Record?"});
    EXPECT_EQ(rows("qm1.mdb", "select count(*) from inv"), QStringList{"2"});

    invoice.fd_Click();
    processEvents();
    EXPECT_EQ(takeMessages(), QStringList({"Delete Current Record?", "Record deleted!"}));
    EXPECT_EQ(rows("qm1.mdb", "select a from inv"), QStringList{"A2"});
    EXPECT_EQ(last(), "A2");
    EXPECT_EQ(rows("qm.mdb", "select l from r"), QStringList{"A1"}); // receipts keep their number
    EXPECT_EQ(form().statuspanel->Caption(), "Adding");
    EXPECT_FALSE(form().back->Visible());
    EXPECT_EQ(form().gobackb->Text(), "");

    // An invoice gone meanwhile: said, and the form stays as it was.
    form().invid->setText("2");
    form().statuspanel->setCaption("Editing");
    run("qm1.mdb", "delete from inv");
    form().fd_Click();
    EXPECT_EQ(takeMessages(), QStringList({"Delete Current Record?", "Error: No current record."}));
    EXPECT_EQ(form().statuspanel->Caption(), "Editing");

    // No invoice loaded at all (an open from a receipt that failed): the same answer.
    form().invid->setText("");
    form().fd_Click();
    EXPECT_EQ(takeMessages(), QStringList({"Delete Current Record?", "Error: No current record."}));
}

TEST_F(InvoiceFormTest, NewAsksAndStartsAfresh)
{
    fillInvoice("A5");
    m_messages.queueAnswer(vbNo);
    form().Command2_Click();
    EXPECT_EQ(form().a[0]->Text(), "A5");
    form().Command2_Click();
    processEvents();
    EXPECT_EQ(takeMessages(), QStringList({"Are you sure?", "Are you sure?"}));
    EXPECT_EQ(form().a[0]->Text(), "A1");
    EXPECT_EQ(line(1), "|||||");
    EXPECT_EQ(totals(), "|||");
    EXPECT_FALSE(form().Picture1->Visible());
    EXPECT_TRUE(stored().isEmpty());
}

} // namespace qm::test
