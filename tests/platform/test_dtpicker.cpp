#include "platform/controls.h"
#include "platform/dtpicker.h"
#include "platform/form.h"
#include "tests/support/testservices.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>

namespace qm::test {

namespace {
// A picker between two text boxes, as the screens place them.
class PickerForm : public Form
{
public:
    PickerForm()
        : Form(QStringLiteral("PickerForm"))
    {
        auto *panel = new QWidget(this);
        setCentralWidget(panel);
        auto *row = new QHBoxLayout(panel);
        before = new TextBox(panel);
        picker = new DTPicker(panel);
        after = new TextBox(panel);
        for (QWidget *w : std::initializer_list<QWidget *>{before, picker, after})
            row->addWidget(w);
        picker->onChange = [this] { log << "change " + picker->Value().toString(Qt::ISODate); };
        picker->onCloseUp = [this] { log << "closeup"; };
    }
    TextBox *before;
    DTPicker *picker;
    TextBox *after;
    QStringList log;
};

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}
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

// The picker is one Tab stop either way; Left and Right move between its day, month and year.
TEST_F(DTPickerTest, OneTabStopAndTheArrowsMoveBetweenSections)
{
    PickerForm &form = Forms::get<PickerForm>();
    form.picker->setCustomFormat(QStringLiteral("dd MMMM yy"));
    form.picker->setValue(QDate(2035, 12, 7));
    form.Show();
    QApplication::setActiveWindow(&form);
    const auto focused = [&] {
        QWidget *focus = QApplication::focusWidget();
        if (focus == form.picker)
            return QStringLiteral("picker %1").arg(form.picker->currentSectionIndex());
        for (TextBox *box : {form.before, form.after})
            if (focus && (focus == box || box->isAncestorOf(focus)))
                return box == form.before ? QStringLiteral("before") : QStringLiteral("after");
        return QStringLiteral("something else");
    };
    form.before->setFocus();
    QStringList order{focused()};
    for (int i = 0; i < 2; ++i) {
        press(Qt::Key_Tab);
        order << focused();
    }
    for (int i = 0; i < 2; ++i) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        order << focused();
    }
    EXPECT_EQ(order, QStringList({"before", "picker 0", "after", "picker 2", "before"}));

    form.picker->setFocus();
    form.picker->setCurrentSectionIndex(0);
    QStringList sections;
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left}) {
        press(key);
        sections << form.picker->sectionText(form.picker->currentSection());
    }
    EXPECT_EQ(sections, QStringList({"December", "2035", "2035", "December", "07", "07"}));
    EXPECT_EQ(form.picker->Value(), QDate(2035, 12, 7)) << "moving changes no day";
}

// The keys of a drop-down list open the calendar and change no day.
TEST_F(DTPickerTest, F4OrAltDownOpensTheCalendar)
{
    PickerForm &form = Forms::get<PickerForm>();
    form.picker->setValue(QDate(2035, 12, 7));
    form.Show();
    QApplication::setActiveWindow(&form);
    for (const auto &[key, modifiers] : {std::pair{Qt::Key_F4, Qt::KeyboardModifiers()},
                                         std::pair{Qt::Key_Down, Qt::KeyboardModifiers(Qt::AltModifier)}}) {
        form.picker->setFocus();
        press(key, modifiers);
        QCalendarWidget *calendar = form.picker->calendarWidget();
        EXPECT_TRUE(calendar->isVisible()) << key;
        EXPECT_EQ(form.picker->Value(), QDate(2035, 12, 7)) << key;
        calendar->window()->hide();
    }
}

} // namespace qm::test
