#include "data/database.h"
#include "platform/controls.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/form.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

namespace qm::test {

namespace {
// A record screen over table people whose suburb column e is a combo over table places.
class PlaceForm : public Form
{
public:
    PlaceForm()
        : Form(QStringLiteral("PlaceForm"))
    {
        places = new Data(this);
        places->DatabaseName = QStringLiteral("t.mdb");
        places->RecordSource = QStringLiteral("select * from places order by location");
        places->onReposition = [this] { log << "places reposition"; };
        people = new Data(this);
        people->DatabaseName = QStringLiteral("t.mdb");
        people->RecordSource = QStringLiteral("select * from people order by ID");
        suburb = new DBCombo(this);
        suburb->setRowSource(places);
        suburb->ListField = listField;
        suburb->BoundColumn = boundColumn;
        suburb->setDataSource(people, QStringLiteral("e"));
        name = new TextBox(this);
        name->setDataSource(people, QStringLiteral("a"));
        suburb->onChange = [this] { log << "change " + suburb->Text() + "/" + suburb->BoundText(); };
        suburb->onClick = [this](int area) { log << QStringLiteral("click %1").arg(area); };
        suburb->onMouseUp = [this] { log << "mouseup"; };
        suburb->onDblClick = [this] { log << "dblclick"; };
    }

    static inline QString listField, boundColumn;
    Data *places, *people;
    DBCombo *suburb;
    TextBox *name;
    QStringList log;
};

class DBComboTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        PlaceForm::listField = QStringLiteral("location");
        PlaceForm::boundColumn = QStringLiteral("ID");
        const char *schema
            = "create table places (ID long primary key, location text collate nocase, state text collate nocase);"
              "insert into places values (7, 'BRAVO', 'VIC');"
              "insert into places values (3, 'ALPHA', 'NSW');"
              "insert into places values (1140, 'O''CONNOR', 'ACT');"
              "insert into places values (9, 'CHARLIE', 'NSW');"
              "create table people (ID integer primary key autoincrement, a text, e text);"
              "insert into people (a, e) values ('first', '7');"
              "insert into people (a, e) values ('second', 'Nowhere');"
              "insert into people (a, e) values ('third', null);";
        runSql(path("t.mdb"), schema);
    }

    QStringList people() { return rowsOf(path("t.mdb"), "select a, e from people order by ID"); }

    PlaceForm &openForm()
    {
        PlaceForm &form = Forms::get<PlaceForm>();
        form.log.clear();
        return form;
    }
};
} // namespace

TEST_F(DBComboTest, ReadsItsListWithoutMovingTheRowSource)
{
    PlaceForm &form = openForm();
    ASSERT_EQ(form.suburb->ListCount(), 4);
    EXPECT_EQ(form.suburb->ListText(0), "ALPHA");
    EXPECT_EQ(form.suburb->ListBoundValue(0), "3");
    EXPECT_EQ(form.suburb->ListText(3), "O'CONNOR");
    EXPECT_EQ(form.suburb->ListBoundValue(3), "1140");
    EXPECT_EQ(form.suburb->count(), 4);

    form.places->Recordset().MoveNext();
    form.log.clear();
    form.suburb->ReFill();
    EXPECT_EQ(form.places->Recordset().field("location").toText(), "BRAVO");
    EXPECT_TRUE(form.log.isEmpty());
}

TEST_F(DBComboTest, LoadedValuesMatchTheBoundColumnOnly)
{
    PlaceForm &form = openForm();
    // first person: e = 7 is BRAVO's key
    EXPECT_EQ(form.suburb->Text(), "BRAVO");
    EXPECT_EQ(form.suburb->BoundText(), "7");
    EXPECT_EQ(form.suburb->currentText(), "BRAVO");

    form.people->moveNext(); // e = "Nowhere": no row has it
    EXPECT_EQ(form.suburb->Text(), "Nowhere");
    EXPECT_EQ(form.suburb->BoundText(), "Nowhere");
    form.people->moveNext(); // Null
    EXPECT_EQ(form.suburb->Text(), "");
    EXPECT_EQ(form.suburb->BoundText(), "");
    EXPECT_EQ(form.log, QStringList({"change Nowhere/Nowhere", "change /"}));

    // A loaded name that is a row's text stays a name: it does not pick that row's key.
    form.suburb->fillBound(Value("ALPHA"));
    EXPECT_EQ(form.suburb->BoundText(), "ALPHA");
    form.suburb->setBoundText("1140");
    EXPECT_EQ(form.suburb->Text(), "O'CONNOR");
}

TEST_F(DBComboTest, SettingTextSelectsTheRowOrStandsForItself)
{
    PlaceForm &form = openForm();
    form.suburb->setText("CHARLIE");
    EXPECT_EQ(form.suburb->BoundText(), "9");
    form.suburb->setText("o'connor"); // case is ignored; the row's own text is shown
    EXPECT_EQ(form.suburb->Text(), "O'CONNOR");
    EXPECT_EQ(form.suburb->BoundText(), "1140");
    form.suburb->setText("O'CONNOR"); // unchanged: no Change
    form.suburb->setText("Elsewhere");
    EXPECT_EQ(form.suburb->BoundText(), "Elsewhere");
    form.suburb->setText("");
    EXPECT_EQ(form.suburb->BoundText(), "");
    EXPECT_EQ(form.log,
              QStringList({"change CHARLIE/9", "change O'CONNOR/1140", "change Elsewhere/Elsewhere", "change /"}));
}

TEST_F(DBComboTest, TypingSelectsOnlyAnExactRowText)
{
    PlaceForm &form = openForm();
    form.suburb->setText("");
    form.log.clear();
    form.suburb->typeText("ALP");
    EXPECT_EQ(form.suburb->BoundText(), "ALP");
    form.suburb->typeText("HA");
    EXPECT_EQ(form.suburb->BoundText(), "3");
    EXPECT_EQ(form.log, QStringList({"change ALP/ALP", "change ALPHA/3"}));

    // Typing in the widget itself goes the same way, lower case kept as typed.
    form.suburb->lineEdit()->setText("alpha");
    emit form.suburb->lineEdit()->textEdited("alpha");
    EXPECT_EQ(form.suburb->Text(), "alpha");
    EXPECT_EQ(form.suburb->BoundText(), "alpha");

    form.suburb->setLocked(true);
    form.suburb->typeText("x");
    form.suburb->pickRow(0);
    EXPECT_EQ(form.suburb->Text(), "alpha");
}

TEST_F(DBComboTest, ClicksCarryTheirAreaAndAPickChangesFirst)
{
    PlaceForm &form = openForm();
    form.suburb->pickRow(2); // CHARLIE
    form.suburb->clickArea(dbcAreaButton);
    form.suburb->clickArea(dbcAreaEdit);
    form.suburb->releaseMouse();
    emit form.suburb->activated(0); // the user picks ALPHA from the real list
    EXPECT_EQ(form.log, QStringList({"change CHARLIE/9", "click 2", "click 0", "click 1", "mouseup", "change ALPHA/3",
                                     "click 2"}));
    form.log.clear();
    form.suburb->pickRow(0); // the same row again: a click, no change
    EXPECT_EQ(form.log, QStringList({"click 2"}));
}

TEST_F(DBComboTest, RereadingTheRowSourceKeepsTheTextAndRaisesNoChange)
{
    PlaceForm &form = openForm();
    form.suburb->setText("ALPHA");
    form.log.clear();
    form.places->RecordSource = QStringLiteral("select * from places where state = 'VIC' order by location");
    form.places->Refresh();
    EXPECT_EQ(form.suburb->ListCount(), 1);
    EXPECT_EQ(form.suburb->Text(), "ALPHA");
    EXPECT_EQ(form.suburb->BoundText(), "3");
    EXPECT_EQ(form.suburb->lineEdit()->text(), "ALPHA");
    EXPECT_EQ(form.log, QStringList({"places reposition"}));

    // Released, the row source offers nothing; the text still stays.
    form.places->DatabaseName.clear();
    form.places->Refresh();
    EXPECT_EQ(form.suburb->ListCount(), 0);
    EXPECT_EQ(form.suburb->Text(), "ALPHA");
}

TEST_F(DBComboTest, WritesTheBoundValueOrTheTextOnlyWhenChanged)
{
    PlaceForm &form = openForm();
    form.people->moveNext();
    form.people->moveLast();
    form.people->moveFirst();
    EXPECT_EQ(people(), QStringList({"first|7", "second|Nowhere", "third|"}));

    form.suburb->pickRow(3);
    form.people->moveNext();
    form.suburb->BoundToText = true;
    form.suburb->pickRow(0);
    form.people->moveNext();
    EXPECT_EQ(people(), QStringList({"first|1140", "second|ALPHA", "third|"}));
}

// A list that cannot be read is shown as an error by the combo's own event boundary: the form
// still loads with its records, and nothing escapes a refresh of the row source.
TEST_F(DBComboTest, AListThatCannotBeReadIsShownAndGoesNoFurther)
{
    const std::pair<const char *, const char *> misspelt[] = {{"locaton", "ID"}, {"location", "IDD"}};
    for (const auto &[list, bound] : misspelt) {
        PlaceForm::listField = list;
        PlaceForm::boundColumn = bound;
        m_messages.clear();
        PlaceForm *form = nullptr;
        EXPECT_NO_THROW(form = &openForm()) << list << bound;
        ASSERT_TRUE(form);
        EXPECT_EQ(m_messages.texts(), std::vector<QString>({"Item not found in this collection."})) << list << bound;
        EXPECT_EQ(form->name->Text(), "first");
        EXPECT_EQ(form->suburb->ListCount(), 0);
        EXPECT_EQ(form->suburb->Text(), "7") << "the value stands for itself";

        // The list was read before; now it cannot be: the old list goes, from the widget too.
        form->suburb->ListField = QStringLiteral("location");
        form->suburb->BoundColumn = QStringLiteral("ID");
        form->places->Refresh();
        EXPECT_EQ(form->suburb->count(), 4);
        form->suburb->ListField = QString::fromLatin1(list);
        form->suburb->BoundColumn = QString::fromLatin1(bound);
        EXPECT_NO_THROW(form->places->Refresh());
        EXPECT_EQ(m_messages.texts().size(), 2u);
        EXPECT_EQ(form->suburb->ListCount(), 0);
        EXPECT_EQ(form->suburb->count(), 0);
        Forms::discardAll();
    }
}

// A row source whose table is missing fails its own opening: the error reaches the boundary
// of whatever opened the form, once, and the form is not loaded.
TEST_F(DBComboTest, AMissingRowSourceTableFailsTheFormOnce)
{
    runSql(path("t.mdb"), "drop table places;");
    runEvent(nullptr, [] { Forms::get<PlaceForm>(); });
    EXPECT_EQ(
        m_messages.texts(),
        std::vector<QString>(
            {"t.mdb cannot be opened: the file has no table \"places\"; it is damaged or is not the program's file."}));
    EXPECT_FALSE(Forms::isLoaded<PlaceForm>());
}

// A double-click on the text part or the control itself is the combo's own event.
TEST_F(DBComboTest, ADoubleClickIsAnEvent)
{
    PlaceForm &form = openForm();
    for (QWidget *target : {static_cast<QWidget *>(form.suburb->lineEdit()), static_cast<QWidget *>(form.suburb)}) {
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &click);
    }
    EXPECT_EQ(form.log.filter("dblclick").size(), 2);
}

} // namespace qm::test
