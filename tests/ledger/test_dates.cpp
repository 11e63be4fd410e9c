// Dates on the ledger screens whatever the machine's locale: today's date in the one short
// date form, and every date a screen shows and writes back is the date stored.
#include "common/shortdate.h"
#include "invoicing/inv.h"
#include "platform/dtpicker.h"
#include "tests/ledger/ledgerfixture.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
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
// The user drops the calendar down with F4 and takes the day it shows with Enter.
void pickShownDay(DTPicker &picker)
{
    picker.setFocus();
    QKeyEvent f4(QEvent::KeyPress, Qt::Key_F4, Qt::NoModifier);
    QApplication::sendEvent(&picker, &f4);
    QCalendarWidget *calendar = picker.calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(calendar->focusProxy() ? calendar->focusProxy() : calendar, &enter);
    EXPECT_FALSE(calendar->isVisible());
}
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
        EXPECT_EQ(again.pay1[0]->Text() + u' ' + again.pay1[2]->Text(), "12/Jul/2026 02/Jan/2026");
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

// A new entry's pickers show today: today picked from their calendars is the day written and
// stored, as any other day picked is.
TEST_F(DatesTest, TheDayAPickerShowsCanBePicked)
{
    const ClockAt clock(QDate(2026, 7, 1));
    for (bool receipts : {false, true}) {
        SCOPED_TRACE(receipts ? "receipts" : "payments");
        LedgerScreen &form = receipts ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        form.Show();
        QApplication::setActiveWindow(&form);
        enter(form, "", 0, "11");
        if (receipts)
            form.pay1[3]->typeText("A12");
        ASSERT_EQ(form.picker->Value(), QDate(2026, 7, 1));
        pickShownDay(*form.picker);
        form.Label1_MouseMove(7); // the invoice date's picker is on the details panel
        pickShownDay(*form.DTPicker1);
        EXPECT_EQ(form.pay1[0]->Text() + u' ' + form.pay1[2]->Text(), "01/Jul/2026 01/Jul/2026");
        form.Command1_Click(LedgerButton::OK);
        EXPECT_EQ(rows("qm.mdb", receipts ? "select j || '|' || m from r" : "select j || '|' || m from p"),
                  QStringList{"2026-07-01|2026-07-01"});
    }
    EXPECT_TRUE(messages().isEmpty());
}

} // namespace qm::test
