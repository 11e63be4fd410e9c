#include "data/error.h"
#include "platform/controls.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/form.h"
#include "platform/msgbox.h"
#include "shell/module1.h"
#include "tests/support/testservices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace qm::test {

namespace {
// A form that counts its loads and can refuse to close.
class CountingForm : public Form
{
public:
    CountingForm()
        : Form(QStringLiteral("CountingForm"))
    {
        Text1 = new TextBox(this);
        Command1 = new CommandButton(this, QStringLiteral("Go"));
        setCentralWidget(Command1);
        ++created;
    }
    static inline int created = 0;
    static inline int loads = 0;
    static inline bool refuseClose = false;
    static inline int queryModes = -1;

    TextBox *Text1;
    CommandButton *Command1;

protected:
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(int &cancel, int mode) override
    {
        queryModes = mode;
        if (refuseClose && mode == vbFormControlMenu)
            cancel = 1;
    }
};

class OtherForm : public Form
{
public:
    OtherForm()
        : Form(QStringLiteral("OtherForm"))
    {
    }
};

class FormsTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        CountingForm::created = CountingForm::loads = 0;
        CountingForm::refuseClose = false;
        CountingForm::queryModes = -1;
    }
};
} // namespace

TEST_F(FormsTest, AFormIsLoadedOnFirstUseAndFreshAfterUnload)
{
    CountingForm &first = Forms::get<CountingForm>();
    Forms::get<CountingForm>().Text1->setText("kept");
    EXPECT_EQ(CountingForm::loads, 1);
    EXPECT_EQ(&Forms::get<CountingForm>(), &first);
    Forms::Unload(first);
    EXPECT_FALSE(Forms::isLoaded<CountingForm>());
    EXPECT_EQ(CountingForm::queryModes, vbFormCode);
    EXPECT_EQ(Forms::get<CountingForm>().Text1->Text(), "");
    EXPECT_EQ(CountingForm::loads, 2);
}

TEST_F(FormsTest, QueryUnloadCanRefuseTheCloseBox)
{
    CountingForm &form = Forms::get<CountingForm>();
    form.Show();
    CountingForm::refuseClose = true;
    form.close();
    EXPECT_TRUE(Forms::isLoaded<CountingForm>());
    EXPECT_EQ(CountingForm::queryModes, vbFormControlMenu);
    CountingForm::refuseClose = false;
    form.close();
    EXPECT_FALSE(Forms::isLoaded<CountingForm>());
}

TEST_F(FormsTest, AStoredFormReferenceShowsAFreshInstanceAfterUnload)
{
    PreviousForm = Forms::get<CountingForm>().Me();
    Forms::Unload(Forms::get<CountingForm>());
    processEvents(); // the old instance is gone now
    Form &shown = PreviousForm.get();
    EXPECT_TRUE(Forms::isLoaded<CountingForm>());
    EXPECT_EQ(&shown, &Forms::get<CountingForm>());
    EXPECT_EQ(CountingForm::created, 2);
    EXPECT_TRUE(PreviousForm == Forms::get<CountingForm>().Me());
    EXPECT_FALSE(PreviousForm == Forms::get<OtherForm>().Me());
}

// The same failure carries the same number whichever part raises it.
TEST_F(FormsTest, AReferenceToNothingIsOneErrorWhereverItIsRaised)
{
    Data closed(nullptr);
    const std::vector<std::function<void()>> uses = {[] { FormRef().get(); }, [&] { closed.Recordset(); }};
    for (size_t i = 0; i < uses.size(); ++i) {
        try {
            uses[i]();
            ADD_FAILURE() << i;
        } catch (const Error &e) {
            EXPECT_EQ(e.Number(), ErrorCode::ObjectNotSet) << i;
            EXPECT_EQ(e.Description(), "Object variable or With block variable not set") << i;
        }
    }
}

TEST_F(FormsTest, AHandlerMayUnloadItsOwnFormAndLaterEventsAreDropped)
{
    CountingForm &form = Forms::get<CountingForm>();
    int clicks = 0;
    form.Command1->onClick = [&] {
        ++clicks;
        Forms::Unload(form);
        form.Text1->setText("still safe"); // the instance lives until the handler is done
    };
    form.Command1->click();
    form.Command1->click(); // queued for a form that is gone
    EXPECT_EQ(clicks, 1);
    processEvents();
    EXPECT_FALSE(Forms::isLoaded<CountingForm>());
}

TEST_F(FormsTest, AnErrorInANestedHandlerReachesTheCallersTrap)
{
    CountingForm &form = Forms::get<CountingForm>();
    form.Text1->onChange = [] { throw Error(ErrorCode::NoCurrentRecord, "No current record."); };
    int trapped = 0;
    try {
        form.Text1->setText("x");
    } catch (const Error &e) {
        trapped = e.Number();
    }
    EXPECT_EQ(trapped, ErrorCode::NoCurrentRecord);
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(FormsTest, AnErrorNoHandlerTrapsIsShownAndTheProgramGoesOn)
{
    CountingForm &form = Forms::get<CountingForm>();
    form.Command1->onClick = [] { throw Error(ErrorCode::InvalidProcedureCall, "Invalid procedure call or argument"); };
    form.Command1->click();
    ASSERT_EQ(m_messages.log().size(), 1u);
    EXPECT_EQ(m_messages.log()[0].text, "Invalid procedure call or argument");
    EXPECT_TRUE(Forms::isLoaded<CountingForm>());
}

// The program ends when the last form goes, closed or unloaded, but not while another is
// open, and not while a form is reloaded (which loads it afresh).
TEST_F(FormsTest, TheProgramEndsWhenTheLastFormGoesButNotDuringAReload)
{
    CountingForm &form = Forms::get<CountingForm>();
    form.Show();
    ReloadForm(form);
    processEvents();
    EXPECT_EQ(CountingForm::loads, 2);
    EXPECT_EQ(m_services->normalExits, 0);
    Forms::get<OtherForm>().Show();
    Forms::get<CountingForm>().close();
    processEvents();
    EXPECT_EQ(m_services->normalExits, 0);
    Forms::Unload(Forms::get<OtherForm>());
    processEvents();
    EXPECT_EQ(m_services->normalExits, 1);
}

// Of the forms one action shows, the last comes to the front once the action is done: one
// shown before it (the main menu on the way back to another screen) is never asked to, nor is
// one unloaded meanwhile.
TEST_F(FormsTest, TheFormShownLastComesToTheFront)
{
    Forms::get<CountingForm>().Show();
    OtherForm &other = Forms::get<OtherForm>();
    other.Show();
    EXPECT_TRUE(m_services->broughtToFront.isEmpty()) << "not while the action runs";
    processEvents();
    EXPECT_EQ(m_services->broughtToFront, QStringList{"OtherForm"});
    EXPECT_EQ(QApplication::activeWindow(), &other);

    m_services->broughtToFront.clear();
    CountingForm &counting = Forms::get<CountingForm>();
    counting.Show();
    Forms::Unload(counting);
    processEvents();
    EXPECT_TRUE(m_services->broughtToFront.isEmpty());
}

using ControlsTest = ScreenTest;

TEST_F(ControlsTest, TextChangeFiresForTypingAndCodeButNotForTheSameText)
{
    QWidget parent;
    TextBox box(&parent);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.setText("abc");
    box.setText("abc");
    box.typeText("d");
    EXPECT_EQ(box.Text(), "abcd");
    EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, TypingGoesInAtTheCursorOverTheSelection)
{
    QWidget parent;
    for (bool multiLine : {false, true}) {
        TextBox box(&parent, multiLine);
        box.setText("5.00");
        box.setSelStart(1);
        box.typeText("2");
        EXPECT_EQ(box.Text(), "52.00");
        EXPECT_EQ(box.SelStart(), 2);
        box.setSelStart(0);
        box.setSelLength(2);
        box.typeText("7");
        EXPECT_EQ(box.Text(), "7.00");
        box.setMaxLength(5);
        box.setSelStart(0);
        box.typeText("123");
        EXPECT_EQ(box.Text(), "17.00");
    }
}

// Backspace after a character and Delete before it leave the same text; the selection the
// change was made in tells them apart, for keys sent to the editor as the user presses them.
TEST_F(ControlsTest, AChangeKeepsTheSelectionItWasMadeIn)
{
    QWidget parent;
    TextBox box(&parent);
    QStringList seen;
    box.onChange = [&] {
        seen << QStringLiteral("%1>%2 %3+%4")
                    .arg(box.PreviousText(), box.Text())
                    .arg(box.PreviousSelStart())
                    .arg(box.PreviousSelLength());
    };
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(box.focusProxy(), &event);
    };
    box.setText("9.99");
    box.setSelStart(2);
    press(Qt::Key_Backspace);
    box.setText("9.99");
    box.setSelStart(1);
    press(Qt::Key_Delete);
    box.setText("12.50");
    press(Qt::Key_Left, Qt::ShiftModifier);
    press(Qt::Key_Left, Qt::ShiftModifier);
    press(Qt::Key_Backspace);
    box.setSelStart(1);
    box.typeText("7");
    EXPECT_EQ(seen, QStringList({">9.99 0+0", "9.99>999 2+0", "999>9.99 1+0", "9.99>999 1+0", "999>12.50 1+0",
                                 "12.50>12. 3+2", "12.>172. 1+0"}));
}

TEST_F(ControlsTest, MaxLengthLimitsTypingOnly)
{
    QWidget parent;
    TextBox box(&parent);
    box.setMaxLength(5);
    box.typeText("abcdefg");
    EXPECT_EQ(box.Text(), "abcde");
    box.setText(QString(60, QLatin1Char('x')));
    EXPECT_EQ(box.Text().size(), 60);
}

// A NUL character typed or pasted into a box is dropped, in what the box holds and shows: SQL
// built from the text would end at it.
TEST_F(ControlsTest, TypingAndPastingDropNulCharacters)
{
    QWidget parent;
    const QString pasted = QStringLiteral("A1") + QChar(u'\0') + QStringLiteral("7") + QChar(u'\0');
    TextBox line(&parent), multi(&parent, true);
    ComboBox combo(&parent);
    DBCombo dbCombo(&parent);
    // Pasted through the editor, as the user's paste goes, and typed through the tests' typing:
    // the box holds and its editor shows the text without them.
    const auto check = [&](const char *name, auto &box, QWidget *editor) {
        SCOPED_TRACE(name);
        auto *multiEditor = qobject_cast<QPlainTextEdit *>(editor);
        auto *lineEditor = qobject_cast<QLineEdit *>(editor);
        const auto shown
            = [&] { return box.Text() + u'|' + (multiEditor ? multiEditor->toPlainText() : lineEditor->text()); };
        if (multiEditor)
            multiEditor->insertPlainText(pasted);
        else
            lineEditor->insert(pasted);
        EXPECT_EQ(shown(), "A17|A17");
        box.setText({});
        box.typeText(pasted);
        EXPECT_EQ(shown(), "A17|A17");
    };
    QLineEdit *lineEditor = line.findChild<QLineEdit *>();
    check("text box", line, lineEditor);
    check("multi-line text box", multi, multi.findChild<QPlainTextEdit *>());
    check("combo", combo, combo.lineEdit());
    check("data combo", dbCombo, dbCombo.lineEdit());
    // The cursor stays after what was pasted.
    line.setText("xy");
    lineEditor->setCursorPosition(1);
    lineEditor->insert(pasted);
    EXPECT_EQ(line.Text(), "xA17y");
    EXPECT_EQ(line.SelStart(), 4);
}

// However tall its layout grows, a box kept one line high stays as high as its line, and its
// width goes as the layout gives it.
TEST_F(ControlsTest, ABoxKeptOneLineHighIsNotStretched)
{
    QWidget parent;
    auto *kept = new TextBox(&parent);
    auto *other = new TextBox(&parent);
    kept->keepOneLineHigh();
    auto *layout = new QVBoxLayout(&parent);
    layout->addWidget(kept);
    layout->addWidget(other);
    parent.resize(300, 400);
    parent.show();
    QApplication::processEvents();
    EXPECT_EQ(kept->height(), kept->sizeHint().height());
    EXPECT_GT(other->height(), other->sizeHint().height());
    EXPECT_EQ(kept->width(), other->width());
}

TEST_F(ControlsTest, ACheckBoxClicksWhenCodeChangesItsValue)
{
    QWidget parent;
    CheckBox check(&parent);
    int clicks = 0;
    check.onClick = [&] { ++clicks; };
    check.setValue(1);
    check.setValue(1);
    check.setValue(0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, ACombosClickFiresOnAPickAndTextFollows)
{
    QWidget parent;
    ComboBox combo(&parent);
    combo.AddItem("Expense");
    combo.AddItem("Capital");
    int clicks = 0, changes = 0;
    combo.onClick = [&] { ++clicks; };
    combo.onChange = [&] { ++changes; };
    combo.pick(1);
    EXPECT_EQ(combo.Text(), "Capital");
    EXPECT_EQ(combo.ListIndex(), 1);
    combo.setText("Other");
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 2);

    ComboBox list(&parent, ComboBox::DropdownList);
    list.AddItem("Cash");
    EXPECT_THROW(list.setText("Cheque"), Error);
    list.setText("Cash");
    EXPECT_EQ(list.ListIndex(), 0);
}

// Many items at once: the text stays, no event is raised, and an item with the text is shown
// selected, as one added alone would be.
TEST_F(ControlsTest, ACombosItemsAddedInOneGoKeepItsText)
{
    QWidget parent;
    ComboBox combo(&parent);
    int events = 0;
    combo.onClick = [&] { ++events; };
    combo.onChange = [&] { ++events; };
    combo.setText("INV-2");
    events = 0;
    combo.AddItems({"INV-1", "INV-2", "INV-3"});
    EXPECT_EQ(combo.ListCount(), 3);
    EXPECT_EQ(combo.Text(), "INV-2");
    EXPECT_EQ(combo.ListIndex(), 1);
    EXPECT_EQ(combo.currentText(), "INV-2");
    combo.setText("typed");
    combo.AddItems({"INV-4"});
    EXPECT_EQ(combo.Text(), "typed");
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(combo.currentText(), "typed");
    EXPECT_EQ(events, 1); // the setText only

    ComboBox list(&parent, ComboBox::DropdownList);
    list.AddItems({"Cash", "Cheque"});
    EXPECT_EQ(list.Text(), "");
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ControlsTest, ControlArraysRefuseAMissingIndex)
{
    QWidget parent;
    ControlArray<Label> labels;
    labels.add(4, new Label(&parent, "Client Name"));
    EXPECT_EQ(labels[4]->Caption(), "Client Name");
    EXPECT_THROW(labels[3], Error);
}

TEST_F(ControlsTest, ColoursUseTheOldByteOrder)
{
    QWidget parent;
    TextBox box(&parent);
    box.setBackColor(vbPink);
    EXPECT_EQ(box.BackColor(), 0xFFC0FF);
    box.setBackColor(0xFF0000);
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(0, 0, 255));
}

TEST_F(ControlsTest, MessageBoxesTakeTheApplicationTitleByDefault)
{
    m_messages.queueAnswer(vbNo);
    EXPECT_EQ(MsgBox("Delete Current Record?", vbYesNo | vbQuestion), vbNo);
    EXPECT_EQ(MsgBox("Done", vbOKOnly, "Corvane"), vbOK);
    ASSERT_EQ(m_messages.log().size(), 2u);
    EXPECT_EQ(m_messages.log()[0].title, "QUILLMARK");
    EXPECT_EQ(m_messages.log()[0].buttons, vbYesNo);
    EXPECT_EQ(m_messages.log()[0].icon, vbQuestion);
    EXPECT_EQ(m_messages.log()[1].title, "Corvane");
}

} // namespace qm::test
