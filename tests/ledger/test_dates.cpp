// Dates on the ledger screens whatever the machine's locale and the century: today's date in
// the one short date form, and every date a screen shows and writes back is the date stored.
#include "common/shortdate.h"
#include "invoicing/inv.h"
#include "platform/dtpicker.h"
#include "tests/ledger/ledgerfixture.h"

#include <QLocale>

namespace qm::test {

namespace {
class DatesTest : public LedgerTest
{
protected:
    void TearDown() override
    {
        QLocale::setDefault(m_locale);
        LedgerTest::TearDown();
    }

    const QLocale m_locale;
};
} // namespace

TEST_F(DatesTest, EveryDateShownIsTheDateStoredWhateverTheLocale)
{
    // Days whose day and month could be read either way round.
    addRow("p", "2026-12-07", 1, 110, "10");
    addRow("r", "2001-03-05", 1, 110, "10", "A12");
    run("qm.mdb", "update p set m = '2026-02-11'");
    run("qm.mdb", "update r set m = '2001-04-03'");
    const QString payments = "select j || '|' || m from p order by ID";
    const QString receipts = "select j || '|' || m from r order by ID";
    const QDate today = qm::today();
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);

        PRC &form = Forms::get<PRC>();
        EXPECT_EQ(form.pay0[2]->Text(), today.toString(QStringLiteral("dd/MM/yyyy")));
        EXPECT_EQ(readShortDate(form.pay0[2]->Text()), today);
        EXPECT_EQ(form.pay1[0]->Text(), "07/Dec/2026");
        EXPECT_EQ(form.pay1[2]->Text(), "11/Feb/2026");
        // Shown, written back untouched, and written after an edit: the same days.
        form.pay1[1]->typeText("x");
        form.Command1_Click(LedgerButton::OK);
        EXPECT_EQ(rows("qm.mdb", payments), QStringList({"2026-12-07|2026-02-11"}));

        PRC &again = Forms::get<PRC>();
        again.Command1_Click(LedgerButton::Add);
        enter(again, "", 0, "11");
        again.picker->pickDate(QDate(2026, 7, 12));
        again.DTPicker1->pickDate(QDate(2026, 1, 2));
        again.Command1_Click(LedgerButton::OK);
        EXPECT_EQ(rows("qm.mdb", payments + " desc limit 1"), QStringList({"2026-07-12|2026-01-02"}));
        run("qm.mdb", "delete from p where ID > 1");

        RRC &income = Forms::get<RRC>();
        EXPECT_EQ(income.pay0[2]->Text(), shortDate(today));
        EXPECT_EQ(income.pay1[0]->Text(), "05/Mar/2001");
        EXPECT_EQ(income.pay1[2]->Text(), "03/Apr/2001");
        // The invoice the receipt pays, opened from it, shows its date in the short form.
        income.Label2_MouseMove();
        EXPECT_EQ(Forms::get<INV>().a[1]->Text(), "05/03/2001");
        Forms::get<INV>().back_MouseMove();
        income.Combo2[3]->typeText("Gift");
        income.Command1_Click(LedgerButton::OK);
        EXPECT_EQ(rows("qm.mdb", receipts), QStringList({"2001-03-05|2001-04-03"}));
        EXPECT_TRUE(m_messages.log().empty());
    }
}

// Days in any century: a stored date shown and written back, a picked date, and the date a
// receipt copies from its invoice are each stored as that day.
TEST_F(DatesTest, DatesInAnyYearKeepTheirDay)
{
    const QDate days[] = {QDate(1925, 1, 1), QDate(1999, 12, 31), QDate(2029, 12, 31),
                          QDate(2030, 1, 1), QDate(2035, 12, 7),  QDate(2099, 6, 30)};
    const QString payment = "select j || '|' || m from p";
    for (const QDate &day : days) {
        const QString iso = day.toString(Qt::ISODate), before = day.addDays(-1).toString(Qt::ISODate);
        SCOPED_TRACE(iso.toStdString());
        run("qm.mdb", "delete from p");
        run("qm.mdb", "delete from r");
        addRow("p", iso, 1, 110, "10");
        run("qm.mdb", QStringLiteral("update p set m = '%1'").arg(before));

        PRC &shown = Forms::get<PRC>();
        EXPECT_EQ(shown.pay1[0]->Text(), formatShortDate(day));
        shown.pay1[1]->typeText("x");
        shown.Command1_Click(LedgerButton::OK);
        EXPECT_EQ(rows("qm.mdb", payment), QStringList{iso + u'|' + before});

        PRC &picked = Forms::get<PRC>();
        picked.Command1_Click(LedgerButton::Add);
        enter(picked, "", 0, "11");
        picked.picker->pickDate(day.addDays(-1));
        picked.DTPicker1->pickDate(day);
        EXPECT_EQ(picked.pay1[0]->Text(), formatShortDate(day.addDays(-1)));
        picked.Command1_Click(LedgerButton::OK);
        EXPECT_EQ(rows("qm.mdb", payment + " order by ID"), QStringList({iso + u'|' + before, before + u'|' + iso}));

        addInvoice("Y" + iso, 300, iso);
        RRC &receipt = Forms::get<RRC>();
        enter(receipt, "", 0, "200");
        receipt.picker->pickDate(day);
        receipt.pay1[3]->typeText("Y" + iso);
        EXPECT_EQ(receipt.pay1[2]->Text(), formatShortDate(day));
        receipt.Command1_Click(LedgerButton::OK);
        EXPECT_EQ(rows("qm.mdb", "select j || '|' || m from r"), QStringList{iso + u'|' + iso});
        EXPECT_TRUE(m_messages.log().empty());
    }
}

} // namespace qm::test
