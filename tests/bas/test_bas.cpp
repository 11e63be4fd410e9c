// The BAS form: Go over a small hand-worked book on both bases, the failures that leave every
// box alone, the adjustments box, and the two Calc buttons. The arithmetic of the labels is
// tested without the form in tests/common/test_bascompute.cpp.
#include "bas/adj.h"
#include "bas/bas.h"
#include "common/bascompute.h"
#include "data/database.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/dbcombo.h"
#include "shell/menu2.h"
#include "tests/support/testservices.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <optional>

namespace qm::test {

namespace {

using Amount = std::optional<double>;

struct Row
{
    const char *table;
    const char *type;     // f
    const char *category; // h
    const char *code;     // u
    Amount total;         // e
    Amount gst;           // d
    Amount personal;      // s
    const char *paid;     // j, "" for none
    const char *invoiced; // m, "" for none
};

QString sqlAmount(const Amount &amount)
{
    return amount ? QString::number(*amount, 'f', 4) : QStringLiteral("null");
}

QString sqlDate(const char *day)
{
    return *day ? QStringLiteral("#%1#").arg(QLatin1String(day)) : QStringLiteral("null");
}

// The book of the year starting 2001. Worked by hand below: cash basis (date paid) and
// accrual basis (invoice date) for the first quarter.
const Row Book[] = {
    // Receipts.
    {"r", "Income", "SALES", "STD", 1100.00, 100.00, 0, "15/jul/2001", "10/jul/2001"},               // R1
    {"r", "Income", "SALES", "STD", 250.00, 0, 0, "20/aug/2001", "20/aug/2001"},                     // R2 GST-free
    {"r", "Income", "EXPORT", "EXP", 3000.00, 0, 0, "5/sep/2001", "28/jun/2001"},                    // R3 export
    {"r", "Income", "RESIDENTIAL PROPERTY RENT", "ITS", 800.00, 0, 0, "30/sep/2001", "30/sep/2001"}, // R4
    {"r", "Income", "LOAN", "NOT", 500.00, 0, 0, "1/aug/2001", "1/aug/2001"},                     // R5 counts nowhere
    {"r", "Income", "SALES", "STD", std::nullopt, std::nullopt, 0, "10/aug/2001", "10/aug/2001"}, // R6 Null amounts
    {"r", "Income", "SALES", "STD", 440.00, 40.00, 0, "1/oct/2001", "25/sep/2001"}, // R7 paid next quarter
    {"r", "Income", "SALES", "STD", 333.33, 30.30, 0, "12/sep/2001", ""},           // R8 no invoice date
    // Payments.
    {"p", "Expense", "OFFICE", "STD", 77.00, 7.00, 0, "30/jun/2001", "30/jun/2001"},         // P0 the day before
    {"p", "Expense", "OFFICE", "STD", 1100.00, 100.00, 0, "1/jul/2001", "1/jul/2001"},       // P1 the first day
    {"p", "Expense", "WAGES", "NOT", 2000.00, 0, 0, "14/jul/2001", "14/jul/2001"},           // P2 wages
    {"p", "Expense", "wages", "STD", 500.00, 0, 0, "28/jul/2001", "28/jul/2001"},            // P3 typed wages
    {"p", "Capital", "NEW CAR", "NEW", 33000.00, 3000.00, 20, "1/aug/2001", "1/aug/2001"},   // P4 new car
    {"p", "capital", "COMPUTER", "STD", 2200.00, 200.00, 0, "20/aug/2001", ""},              // P5 lower-case type
    {"p", "Expense", "FINANCIAL SUPPLIES", "ITS", 600.00, 0, 0, "2/sep/2001", "2/sep/2001"}, // P6 input taxed
    {"p", "Expense", "MOTOR", "STD", 110.00, 10.00, 25, "10/sep/2001", "10/sep/2001"},       // P7 25 % private
    {"p", "Expense", "OFFICE", "STD", 99.99, std::nullopt, 0, "15/sep/2001", "15/sep/2001"}, // P8 Null GST
    {"p", "Expense", "EXPORT", "EXP", 150.00, 0, 0, "20/sep/2001", "20/sep/2001"},           // P9
    {"p", "Expense", "OFFICE", "STD", std::nullopt, std::nullopt, 0, "25/sep/2001", "25/sep/2001"}, // P10 Null total
    {"p", "Expense", "OFFICE", "STD", 55.00, 5.00, 0, "1/oct/2001", "30/sep/2001"}, // P11 paid next quarter
};

// Cash basis, 1/jul/2001 to 30/sep/2001:
//   G1 = R1 1100 + R2 250 + R3 3000 + R4 800 + R6 0 + R8 333.33 = 5483.33; G2 = 3000; G3 = 250;
//   G4 = 800; G5 = 4050; G6 = 1433.33; G8 = G6; G9 = 1433.33 / 11 = 130.3027...
//   W1 = P2 2000 + P3 500 ("wages" is WAGES to the query).
//   G10 = P4 33000 / 2 (a new car in the year starting 2001) + P5 2200 ("capital") = 18700
//   G11 = P1 1100 + P3 500 + P6 600 + P7 110 + P8 99.99 + P9 150 + P10 0 = 2559.99
//   G12 = G10 + G11 = 21259.99; G13 = P6 600; G14 = P3 500 + P9 150 (P8's Null GST is not 0)
//   G15 = P4 20 % of 33000 halved = 3300, + P7 25 % of 110 = 27.50, = 3327.50
//   G16 = 4577.50; G17 = 16682.49; G20 = 1516.59; T1 = 5483.33 - 130.3027 = 5353.027
const char *const CashBasis
    = "G1 5483.33 G2 3000.00 G3 250.00 G4 800.00 G5 4050.00 G6 1433.33 G7 0.00 G8 1433.33 G9 130.30 G10 18700.00 "
      "G11 2559.99 G12 21259.99 G13 600.00 G14 650.00 G15 3327.50 G16 4577.50 G17 16682.49 G18 0.00 G19 16682.49 "
      "G20 1516.59 W1 2500.00 T1 5353.03 1A 130.30 1B 1516.59 sales 5483.33 acquisitions 21259.99";

// Accrual basis, invoices dated 1/jul/2001 to 30/sep/2001: R3 (invoiced in June), R8 and P5
// (no invoice date) fall out; R7 and P11 (invoiced in September) come in.
//   G1 = 1100 + 250 + 800 + 0 + 440 = 2590; G6 = 1540; G9 = 140; T1 = 2450
//   G10 = 16500; G11 = 1100 + 500 + 600 + 110 + 99.99 + 150 + 0 + 55 = 2614.99; G12 = 19114.99
//   G17 = 19114.99 - 4577.50 = 14537.49; G20 = 1321.59
const char *const AccrualBasis
    = "G1 2590.00 G2 0.00 G3 250.00 G4 800.00 G5 1050.00 G6 1540.00 G7 0.00 G8 1540.00 G9 140.00 G10 16500.00 "
      "G11 2614.99 G12 19114.99 G13 600.00 G14 650.00 G15 3327.50 G16 4577.50 G17 14537.49 G18 0.00 G19 14537.49 "
      "G20 1321.59 W1 2500.00 T1 2450.00 1A 140.00 1B 1321.59 sales 2590.00 acquisitions 19114.99";

const QString DatesMessage = QStringLiteral("Please check dates are correct!");
const QString DataMessage = QStringLiteral("Please check transaction data has been entered over the period specified!");
const QString MismatchMessage = QStringLiteral(
    "Your Capital and Expense acquisitions do not add up to the total acquisitions. Please check! QUILLMARK "
    "will assume acquisitions are an Expense unless specified as Capital acquisitions.");

} // namespace

class BasTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        m_db = DBEngine().OpenDatabase("qm.mdb");
    }
    void TearDown() override
    {
        m_db.reset();
        ScreenTest::TearDown();
    }

    void add(const Row &row)
    {
        m_db->Execute(
            QStringLiteral("insert into %1 (f, h, u, e, d, s, j, m) values ('%2', '%3', '%4', %5, %6, %7, %8, %9)")
                .arg(QLatin1String(row.table), QLatin1String(row.type), QLatin1String(row.category),
                     QLatin1String(row.code), sqlAmount(row.total), sqlAmount(row.gst), sqlAmount(row.personal),
                     sqlDate(row.paid), sqlDate(row.invoiced)));
    }
    void addBook()
    {
        for (const Row &row : Book)
            add(row);
    }
    // A payment made and invoiced on `day`.
    void addPayment(const char *type, const char *code, double total, double gst, const char *day = "15/aug/2000",
                    double personal = 0)
    {
        add({"p", type, "OFFICE", code, total, gst, personal, day, day});
    }

    bas &openBas()
    {
        Forms::get<Menu2>().Picture1_Click(2);
        return Forms::get<bas>();
    }
    // Picks from the form's own lists, as the user does.
    void choose(bas &form, const QString &period, const QString &year, const QString &basis = "Receipt Date")
    {
        form.basfor->pick(form.basfor->findText(period));
        form.basyear->pick(form.basyear->findText(year));
        form.paymentson->pick(form.paymentson->findText(basis));
    }
    void go(bas &form) { form.Command1[4]->click(); }

    static QString boxes(bas &form)
    {
        QStringList lines;
        for (int i = 1; i <= 20; ++i)
            lines << QStringLiteral("G%1 ").arg(i) + form.g[i]->Text();
        lines << "W1 " + form.g[21]->Text() << "T1 " + form.g[22]->Text() << "1A " + form.a[0]->Text()
              << "1B " + form.a[1]->Text() << "sales " + form.g[23]->Text() << "acquisitions " + form.g[24]->Text();
        return lines.join(' ');
    }
    // Every box and caption the form shows, to see that a failure changed nothing.
    static QString everything(bas &form)
    {
        return boxes(form) + " 5A " + form.a[2]->Text() + " rate " + form.II->Text() + " pay " + form.gstpay->Caption()
               + " " + form.gsttype->Caption();
    }

    std::unique_ptr<Database> m_db;
};

// The year list runs from 2000 to the year after this one, so this year's BAS can always be
// worked out; the statement of the month now running is one of them.
TEST_F(BasTest, TheYearsRunToNextYearAndThisMonthCanBeWorkedOut)
{
    const QDate today = QDate::currentDate();
    addPayment("Expense", "STD", 110, 10, today.toString(QStringLiteral("d/MMM/yyyy")).toLatin1().constData());
    bas &form = openBas();
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(form.basyear->Text(), "2000");
    const int nextYear = today.year() + 1;
    EXPECT_EQ(form.basyear->ListCount(), nextYear - 2000 + 1);
    EXPECT_EQ(form.basyear->List(0), "2000");
    EXPECT_EQ(form.basyear->List(form.basyear->ListCount() - 1), QString::number(nextYear));

    const int start = today.month() >= 7 ? today.year() : today.year() - 1;
    choose(form, QLocale::c().monthName(today.month()), QString::number(start));
    ASSERT_EQ(form.basyear->Text(), QString::number(start));
    go(form);
    EXPECT_EQ(form.g[12]->Text(), "110.00");
    EXPECT_EQ(form.a[1]->Text(), "10.00");
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(BasTest, GoAddsUpTheBookOnBothBases)
{
    addBook();
    bas &form = openBas();
    choose(form, "1st Quarter", "2001");
    go(form);
    EXPECT_EQ(boxes(form), CashBasis);
    EXPECT_TRUE(m_messages.log().empty());

    choose(form, "1st Quarter", "2001", "Invoice Date");
    go(form);
    EXPECT_EQ(boxes(form), AccrualBasis);
    EXPECT_TRUE(m_messages.log().empty());
}

// R1 and P7 of the book entered on the receipts and payments forms, as the user enters them,
// so that the sums read the types and values the ledger really stores.
TEST_F(BasTest, RowsEnteredOnTheLedgerFormsAddUpAsTheBookSays)
{
    m_db->Execute("insert into s (l) values ('Fuel Co')");
    m_db->Execute("insert into c (l) values ('Client Co')");
    const auto enter
        = [](LedgerScreen &form, const char *paid, const char *invoiced, const char *total, const char *category) {
              form.pay1[0]->typeText(paid);
              form.combo1->pickRow(0);
              form.Combo3->pick(form.Combo3->findText("10"));
              form.Text2[3]->typeText(total);
              form.Combo2[2]->typeText(category);
              form.pay1[2]->typeText(invoiced);
          };
    RRC &receipts = Forms::get<RRC>();
    enter(receipts, "15/jul/01", "10/jul/01", "1100", "Services");
    receipts.Command1_Click(LedgerButton::OK); // OK
    ASSERT_FALSE(Forms::isLoaded<RRC>()) << messages().join(" / ").toStdString();
    PRC &payments = Forms::get<PRC>();
    enter(payments, "10/sep/01", "10/sep/01", "110", "MOTOR");
    payments.Combo2[0]->pick(payments.Combo2[0]->findText("Expense"));
    payments.Combo2[4]->pick(payments.Combo2[4]->findText("25"));
    payments.Command1_Click(LedgerButton::OK);
    ASSERT_FALSE(Forms::isLoaded<PRC>()) << messages().join(" / ").toStdString();
    m_messages.clear();

    for (const Row &row : Book)
        if (&row != &Book[0] && &row != &Book[15])
            add(row);
    bas &form = openBas();
    choose(form, "1st Quarter", "2001");
    go(form);
    EXPECT_EQ(boxes(form), CashBasis);
    choose(form, "1st Quarter", "2001", "Invoice Date");
    go(form);
    EXPECT_EQ(boxes(form), AccrualBasis);
    EXPECT_TRUE(m_messages.log().empty());
}

// An Expense new car is counted whole in G11 but not in G12: the form says so and shows G11
// as whatever of G12 is not Capital.
TEST_F(BasTest, AcquisitionsThatDoNotAddUpAreSaidAndTakenAsExpense)
{
    addPayment("Expense", "NEW", 11000, 1000);
    addPayment("Capital", "STD", 330, 30);
    bas &form = openBas();
    choose(form, "1st Quarter", "2000");
    go(form);
    ASSERT_EQ(m_messages.texts(), std::vector<QString>{MismatchMessage});
    EXPECT_EQ(m_messages.log()[0].title, "QUILLMARK");
    EXPECT_EQ(m_messages.log()[0].icon, vbExclamation);
    EXPECT_EQ(form.g[10]->Text() + " " + form.g[11]->Text() + " " + form.g[12]->Text(), "330.00 0.00 330.00");
}

// Nothing shows as "-0.00": a fraction of a cent of credit is a plain zero; a real credit
// keeps its sign.
TEST_F(BasTest, ZerosShowNoSign)
{
    add({"r", "Income", "SALES", "STD", -110, -10, 0, "1/aug/2000", "1/aug/2000"});
    add({"r", "Income", "SALES", "STD", -0.004, -0.0004, 0, "1/sep/2000", "1/sep/2000"});
    bas &form = openBas();
    choose(form, "August", "2000");
    go(form);
    EXPECT_EQ(form.g[1]->Text() + " " + form.g[9]->Text(), "-110.00 -10.00");
    choose(form, "September", "2000");
    go(form);
    for (int box : {1, 6, 8, 9, 22, 23})
        EXPECT_EQ(form.g[box]->Text(), "0.00") << box;
    EXPECT_EQ(form.a[0]->Text(), "0.00");
}

TEST_F(BasTest, TheQueriesSearchTheDateIndexOfTheirBasis)
{
    BasRequest request;
    request.period = PeriodBounds("1st Quarter", "2000");
    for (const QString &column : {QStringLiteral("j"), QStringLiteral("m")}) {
        request.dateColumn = column;
        const QStringList queries = basQueries(request);
        ASSERT_EQ(queries.size(), 11);
        for (const QString &query : queries) {
            const QString table = query.section(' ', 5, 5);
            const QString plan = m_db->queryPlan(query).join('\n');
            EXPECT_TRUE(plan.contains(QStringLiteral("SEARCH %1 USING INDEX %1_%2").arg(table, column)))
                << query.toStdString() << "\n"
                << plan.toStdString();
        }
    }
    request.dateColumn = "j";
    EXPECT_EQ(basQueries(request)[0],
              "select e, s, u from p where j >= #1/jul/2000# and j <= #30/sep/2000# and h = 'WAGES' order by j");
    request.dateColumn = "m";
    EXPECT_EQ(basQueries(request)[5], "select e, s, u from p where m >= #1/jul/2000# and m <= #30/sep/2000# and f = "
                                      "'Capital'  and u <> 'NOT' order by j");
}

// ---- failures: a message, and not one box changes ----

TEST_F(BasTest, AFailureLeavesEveryBoxAsItWas)
{
    addBook();
    bas &form = openBas();
    go(form); // no period chosen
    ASSERT_EQ(m_messages.texts(), std::vector<QString>{DataMessage});
    EXPECT_EQ(m_messages.log()[0].title, "QUILLMARK");
    EXPECT_EQ(m_messages.log()[0].icon, vbExclamation);
    EXPECT_EQ(form.g[1]->Text(), "");
    m_messages.clear();

    choose(form, "1st Quarter", "2001");
    go(form);
    form.II->setText("2.5");
    form.Command4->click();
    form.Command6->click();
    const QString before = everything(form);
    ASSERT_EQ(form.a[2]->Text(), "133.83");

    // A year that is no year, in either half of the financial year: it never reaches a query.
    form.basyear->AddItem("abc");
    form.basyear->pick(form.basyear->findText("abc"));
    form.basfor->pick(form.basfor->findText("March"));
    go(form);
    form.basfor->pick(form.basfor->findText("July"));
    go(form);
    EXPECT_EQ(m_messages.texts(), (std::vector<QString>{DatesMessage, DatesMessage}));
    EXPECT_EQ(everything(form), before);
    m_messages.clear();

    // No database file, and one that is no database: named, not taken for missing data.
    choose(form, "1st Quarter", "2001");
    m_db.reset();
    ASSERT_TRUE(QFile::remove(path("qm.mdb")));
    go(form);
    QFile garbage(path("qm.mdb"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    go(form);
    EXPECT_EQ(m_messages.texts(), (std::vector<QString>{"qm.mdb cannot be opened: there is no such file in the folder "
                                                            + QDir::toNativeSeparators(m_dir.path()) + ".",
                                                        "qm.mdb cannot be opened: the file is not a database."}));
    EXPECT_EQ(everything(form), before);
}

// A failure after the consistency message still ends with the data message, and the boxes
// keep what they showed, since they are written only at the end.
TEST_F(BasTest, AFailureAfterTheMismatchMessageChangesNothing)
{
    addPayment("Expense", "NEW", 11000, 1000);
    m_db->Execute("alter table p rename column d to gst"); // first asked for by G14
    bas &form = openBas();
    choose(form, "1st Quarter", "2000");
    go(form);
    EXPECT_EQ(m_messages.texts(), (std::vector<QString>{MismatchMessage, DataMessage}));
    EXPECT_EQ(form.g[1]->Text(), "");
    EXPECT_EQ(form.g[11]->Text(), "");
}

// ---- adjustments ----

TEST_F(BasTest, AdjustmentsGoToTheBoxAndComeBackForTheNextGo)
{
    addBook();
    bas &form = openBas();
    // Before any Go both boxes come over empty, and go back empty, which Go counts as 0.
    form.Command5->click();
    ASSERT_TRUE(Forms::isLoaded<adj>());
    EXPECT_EQ(Forms::get<adj>().adj1->Text(), "");
    Forms::get<adj>().Command1->click();
    EXPECT_FALSE(Forms::isLoaded<adj>());
    EXPECT_EQ(form.g[7]->Text(), "");

    choose(form, "1st Quarter", "2001");
    go(form);
    form.Command5->click();
    EXPECT_EQ(Forms::get<adj>().adj1->Text(), "0.00");
    Forms::get<adj>().adj1->setText("100");
    Forms::get<adj>().adj2->setText("-22.5 credit");
    Forms::get<adj>().Command1->click();
    EXPECT_EQ(form.g[7]->Text(), "100"); // as typed, until Go
    EXPECT_EQ(form.g[18]->Text(), "-22.5 credit");
    go(form);
    EXPECT_EQ(form.g[7]->Text(), "100.00");
    EXPECT_EQ(form.g[8]->Text(), "1533.33");
    EXPECT_EQ(form.g[18]->Text(), "-22.50");
    EXPECT_EQ(form.g[19]->Text(), "16659.99");

    // Text that starts with no number counts as 0 and is written back as such; there are no
    // hexadecimal or octal numbers, and none beyond a double's range.
    for (const QString &text : {QStringLiteral("n/a"), QStringLiteral("&H10"), QStringLiteral("&O17"),
                                QStringLiteral("&H") + QString(256, u'F'), QStringLiteral("1e999")}) {
        form.Command5->click();
        Forms::get<adj>().adj1->setText(text);
        Forms::get<adj>().Command1->click();
        go(form);
        EXPECT_EQ(form.g[7]->Text(), "0.00") << text.toStdString();
    }
    EXPECT_TRUE(m_messages.log().empty());
}

// Closed by its close box the box hands nothing back; OK after the BAS form was left only
// closes the box.
TEST_F(BasTest, TheAdjustmentsBoxHandsBackOnlyByOkToALoadedForm)
{
    bas &form = openBas();
    form.Command5->click();
    Forms::get<adj>().adj1->setText("55");
    Forms::get<adj>().close();
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<adj>());
    EXPECT_EQ(form.g[7]->Text(), "");

    form.Command5->click();
    form.mm->trigger();
    ASSERT_FALSE(Forms::isLoaded<bas>());
    Forms::get<adj>().adj1->setText("55");
    Forms::get<adj>().Command1->click();
    EXPECT_FALSE(Forms::isLoaded<adj>());
    EXPECT_FALSE(Forms::isLoaded<bas>());
    EXPECT_TRUE(m_messages.log().empty());
}

// ---- instalment and payment ----

TEST_F(BasTest, TheInstalmentIsTheRateOfT1AndStaysUntilCalcIsPressedAgain)
{
    bas &form = openBas();
    // A rate before any Go: T1 is empty, so 5A stays, but the payment amount is cleared.
    form.gstpay->setCaption("$ 1.00");
    form.II->setText("2.5");
    form.Command4->click();
    EXPECT_EQ(form.a[2]->Text(), "");
    EXPECT_EQ(form.gstpay->Caption(), "");

    form.g[22]->setText("10.00");
    form.Command4->click();
    EXPECT_EQ(form.a[2]->Text(), ".25");
    form.II->setText(" 1.25 ");
    form.g[22]->setText("3333.30");
    form.Command4->click();
    EXPECT_EQ(form.a[2]->Text(), "41.67"); // 41.66625

    // An empty rate does nothing at all.
    form.gstpay->setCaption("$ 9.00");
    form.II->setText("");
    form.Command4->click();
    EXPECT_EQ(form.a[2]->Text(), "41.67");
    EXPECT_EQ(form.gstpay->Caption(), "$ 9.00");

    // A new Go leaves 5A and the payment as they were.
    addBook();
    choose(form, "1st Quarter", "2001");
    go(form);
    EXPECT_EQ(form.a[2]->Text(), "41.67");
    EXPECT_EQ(form.gstpay->Caption(), "$ 9.00");
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(BasTest, ARateThatIsNoNumberIsRefusedAndChangesNothing)
{
    bas &form = openBas();
    form.g[22]->setText("10000.00");
    form.a[2]->setText("250.00");
    form.gstpay->setCaption("$ 5.00");
    for (const char *rate : {"2,5", "two", "2.5%", " "}) {
        m_messages.clear();
        form.II->setText(rate);
        form.Command4->click();
        ASSERT_EQ(m_messages.texts(), std::vector<QString>{"Please enter the instalment rate as a number."}) << rate;
        EXPECT_EQ(form.a[2]->Text(), "250.00");
        EXPECT_EQ(form.gstpay->Caption(), "$ 5.00");
    }
    EXPECT_EQ(m_messages.log()[0].title, "QUILLMARK");
    EXPECT_EQ(m_messages.log()[0].icon, vbExclamation);
}

TEST_F(BasTest, ThePaymentIsPayableOnlyWhenItShowsMoreThanNothing)
{
    bas &form = openBas();
    const auto pay = [&](const char *gst1A, const char *gst1B, const char *instalment) {
        form.a[0]->setText(gst1A);
        form.a[1]->setText(gst1B);
        form.a[2]->setText(instalment);
        form.Command6->click();
        return form.gstpay->Caption() + " " + form.gsttype->Caption();
    };
    EXPECT_EQ(pay("500.00", "800.00", "100.00"), "$ 200.00 refunded by ATO");
    EXPECT_EQ(pay("800.00", "500.00", ".00"), "$ 300.00 payable to the ATO");
    EXPECT_EQ(pay("500.00", "600.00", "100.00"), "$ 0.00 refunded by ATO");
    // As doubles 0.1 - 0.3 + 0.2 is 2.8e-17 and 0.3 - 0.1 - 0.2 is -2.8e-17: both are
    // nothing to pay, shown without a sign.
    EXPECT_EQ(pay(".10", ".30", ".20"), "$ 0.00 refunded by ATO");
    EXPECT_EQ(pay(".30", ".10", "-.20"), "$ 0.00 refunded by ATO");
    EXPECT_EQ(pay("0.004", "", ".001"), "$ 0.01 payable to the ATO");
    // With 5A empty the button does nothing, even with 1A and 1B filled.
    EXPECT_EQ(pay("900.00", "100.00", ""), "$ 0.01 payable to the ATO");
}

// ---- the screen around the figures ----

// The pointer landing on "Show Details:" shows them; the summary's own title comes back.
TEST_F(BasTest, TheMouseSwitchesBetweenDetailsAndSummary)
{
    bas &form = openBas();
    form.Label1_MouseMove(8);
    EXPECT_FALSE(form.Picture1->Visible());
    form.Label1[7]->onMouseMove();
    EXPECT_TRUE(form.Picture1->Visible());
    EXPECT_FALSE(form.Label1[7]->Visible());
}

// The screen's own title goes on its messages; the rest of the bar is the shared one.
TEST_F(BasTest, PrintScreenFailsUnderTheProgramsTitle)
{
    bas &form = openBas();
    m_services->printerWorks = false;
    form.mps->trigger();
    ASSERT_EQ(m_messages.texts(), std::vector<QString>{"Printer Error"});
    EXPECT_EQ(m_messages.log()[0].title, "QUILLMARK");
}

} // namespace qm::test
