#include "platform/dtpicker.h"
#include "platform/form.h"
#include "tests/support/testservices.h"

#include <QCalendarWidget>

namespace qm::test {

namespace {
class PickerForm : public Form
{
public:
    PickerForm()
        : Form(QStringLiteral("PickerForm"))
    {
        picker = new DTPicker(this);
        picker->onChange = [this] { log << "change " + picker->Value().toString(Qt::ISODate); };
        picker->onCloseUp = [this] { log << "closeup"; };
    }
    DTPicker *picker;
    QStringList log;
};
} // namespace

using DTPickerTest = ScreenTest;

TEST_F(DTPickerTest, ValueFromCodeRaisesNothingAndAPickRaisesChangeThenCloseUp)
{
    PickerForm &form = Forms::get<PickerForm>();
    form.picker->setValue(QDate(2001, 3, 5));
    EXPECT_EQ(form.picker->Value(), QDate(2001, 3, 5));
    EXPECT_TRUE(form.log.isEmpty());

    form.picker->pickDate(QDate(2001, 3, 6));
    EXPECT_EQ(form.log, QStringList({"change 2001-03-06", "closeup"}));
    form.log.clear();
    form.picker->pickDate(QDate(2001, 3, 6)); // the same day: nothing changed
    EXPECT_EQ(form.log, QStringList({"closeup"}));
    form.log.clear();

    // The calendar's own click is the user's pick.
    form.picker->calendarWidget()->setSelectedDate(QDate(2001, 4, 1));
    emit form.picker->calendarWidget()->clicked(QDate(2001, 4, 1));
    EXPECT_EQ(form.log.last(), "closeup");
}

TEST_F(DTPickerTest, ShowsTheCustomFormatWithEnglishMonthNames)
{
    PickerForm &form = Forms::get<PickerForm>();
    form.picker->setCustomFormat(QStringLiteral("dd MMMM yy"));
    form.picker->setValue(QDate(2001, 3, 5));
    EXPECT_EQ(form.picker->CustomFormat(), "dd MMMM yy");
    EXPECT_EQ(form.picker->text(), "05 March 2001") << "a year it reads back shows all its digits";
    form.picker->setCustomFormat(QStringLiteral("d-MMM-yyyy"));
    EXPECT_EQ(form.picker->text(), "5-Mar-2001");
}

} // namespace qm::test
