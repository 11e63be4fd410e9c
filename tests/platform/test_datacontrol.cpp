#include "data/database.h"
#include "platform/controls.h"
#include "platform/datacontrol.h"
#include "platform/form.h"
#include "shell/module1.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

namespace qm::test {

namespace {
// A record screen over table t: a text, a money column and a date, with a log of its events.
class BoundForm : public Form
{
public:
    BoundForm()
        : Form(QStringLiteral("BoundForm"))
    {
        data = new Data(this);
        data->DatabaseName = QStringLiteral("t.mdb");
        data->RecordSource = QStringLiteral("select * from t order by ID");
        name = new TextBox(this);
        amount = new TextBox(this);
        day = new TextBox(this);
        key = new TextBox(this);
        name->setDataSource(data, "a");
        amount->setDataSource(data, "n");
        day->setDataSource(data, "d");
        key->setDataSource(data, "ID");
        name->onChange = [this] { log << "change a=" + name->Text(); };
        amount->onChange = [this] { log << "change n=" + amount->Text(); };
        data->onValidate = [this](DataAction &action, bool &save) {
            log << QString("validate %1 save %2").arg(action).arg(save ? 1 : 0);
            if (duringValidate)
                duringValidate(action, save);
        };
        data->onReposition = [this] { log << "reposition"; };
    }

    Data *data;
    TextBox *name, *amount, *day, *key;
    QStringList log;
    std::function<void(DataAction &, bool &)> duringValidate;
};

class DataControlTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        const char *schema = "create table t (ID integer primary key autoincrement, a text collate nocase,"
                             " n currency check (typeof(n) in ('integer','real','null')),"
                             " d date check (d is null or d = date(d, '+0 days')));"
                             "insert into t (a, n, d) values ('first', 10, '2000-07-01');"
                             "insert into t (a, n, d) values ('second', 20, '2000-08-01');"
                             "insert into t (a, n, d) values ('third', 30, null);";
        runSql(path("t.mdb"), schema);
    }

    // Rows of t as "a|n|d", straight from the file.
    QStringList rows() { return rowsOf(path("t.mdb"), "select a, n, d from t order by ID"); }

    BoundForm &openForm()
    {
        BoundForm &form = Forms::get<BoundForm>();
        form.log.clear();
        return form;
    }
};
} // namespace

TEST_F(DataControlTest, OpensByItselfOnTheFirstRowInBindingOrder)
{
    BoundForm &form = Forms::get<BoundForm>();
    EXPECT_EQ(form.log, QStringList({"change a=first", "change n=10", "reposition"}));
    EXPECT_EQ(form.day->Text(), "01/Jul/2000");
    EXPECT_EQ(form.key->Text(), "1");
}

TEST_F(DataControlTest, BrowsingWithoutTypingWritesNothing)
{
    BoundForm &form = openForm();
    form.data->moveNext();
    form.data->moveNext();
    form.data->moveFirst();
    EXPECT_EQ(form.log.filter("validate"),
              QStringList({"validate 3 save 0", "validate 3 save 0", "validate 1 save 0"}));
    EXPECT_EQ(rows(), QStringList({"first|10|01/Jul/2000", "second|20|01/Aug/2000", "third|30|"}));
}

// (a) the row being left is validated even when the move lands past the end
TEST_F(DataControlTest, LandingPastTheEndValidatesButRaisesNoReposition)
{
    BoundForm &form = openForm();
    Recordset &rs = form.data->Recordset();
    rs.MoveLast();
    form.log.clear();
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(form.log, QStringList({"validate 3 save 0"}));
    form.log.clear();
    rs.MovePrevious(); // no current row: nothing to validate
    EXPECT_EQ(form.log, QStringList({"reposition"}));
    EXPECT_EQ(form.name->Text(), "third");
}

// (b) a refresh leaves the row as a close does and always ends with Reposition
TEST_F(DataControlTest, RefreshValidatesAsACloseAndEndsWithReposition)
{
    BoundForm &form = openForm();
    form.name->typeText("!");
    form.log.clear();
    form.data->Refresh();
    EXPECT_EQ(form.log.first(), "validate 10 save 1");
    EXPECT_EQ(form.log.last(), "reposition");
    EXPECT_EQ(rows().first(), "first!|10|01/Jul/2000");

    form.data->RecordSource = "select * from t where ID = 99";
    form.log.clear();
    form.data->Refresh();
    EXPECT_EQ(form.log, QStringList({"validate 10 save 0", "reposition"}));
}

// (c) Save follows edits since the last Reposition; writes inside Validate go with the row
TEST_F(DataControlTest, WritesInsideValidateGoWithADirtyRowOnly)
{
    BoundForm &form = openForm();
    form.duringValidate = [&](DataAction &, bool &) { form.amount->setText("99"); };
    form.data->moveNext(); // not dirty: Validate's own write does not make it so
    EXPECT_EQ(rows().at(0), "first|10|01/Jul/2000");
    form.name->typeText("?");
    form.data->movePrevious();
    EXPECT_EQ(rows().at(1), "second?|99|01/Aug/2000");
}

TEST_F(DataControlTest, ANewRowWithoutEditsIsNotInserted)
{
    BoundForm &form = openForm();
    form.duringValidate = [&](DataAction &, bool &) { form.name->setText("from validate"); };
    form.data->Recordset().AddNew();
    EXPECT_EQ(form.name->Text(), ""); // the new row's boxes start empty
    form.data->Refresh();
    EXPECT_EQ(rows().size(), 3);
}

TEST_F(DataControlTest, ANewRowIsWrittenOnceAndTheKeyIsNeverWritten)
{
    BoundForm &form = openForm();
    Recordset &rs = form.data->Recordset();
    rs.AddNew();
    form.name->typeText("O'Brien's Farm");
    form.amount->typeText("12.345678");
    form.day->typeText("29/feb/00");
    form.key->setText("77");
    form.key->setBoundDirty(true);
    rs.MoveFirst();
    EXPECT_EQ(form.name->Text(), "first");
    EXPECT_EQ(rows().size(), 4);
    EXPECT_EQ(rows().last(), "O'Brien's Farm|12.3457|29/Feb/2000");
    form.data->Refresh();
    EXPECT_EQ(rows().size(), 4);
}

// (d) two boxes on one column: the changed one writes
TEST_F(DataControlTest, OnlyTheChangedOfTwoBoxesOnAColumnWrites)
{
    BoundForm &form = openForm();
    TextBox second(&form);
    second.setDataSource(form.data, "a");
    form.data->Refresh();
    second.typeText(" too");
    form.data->moveNext();
    EXPECT_EQ(rows().first(), "first too|10|01/Jul/2000");
}

TEST_F(DataControlTest, CancelByActionStopsTheMoveAndCancelBySaveStopsTheWrite)
{
    BoundForm &form = openForm();
    form.name->typeText("x");
    form.duringValidate = [](DataAction &action, bool &) { action = vbDataActionCancel; };
    try {
        form.data->Recordset().MoveNext();
        FAIL() << "the cancelled move must fail";
    } catch (const Error &e) {
        EXPECT_EQ(e.Number(), ErrorCode::ActionCancelled);
    }
    EXPECT_EQ(form.name->Text(), "firstx");

    form.duringValidate = [](DataAction &, bool &save) { save = false; };
    form.data->Recordset().MoveNext();
    EXPECT_EQ(form.name->Text(), "second");
    EXPECT_EQ(rows().first(), "first|10|01/Jul/2000");
}

// (f) for close and unload, Action = 0 does not stop the release; Save = 0 stops the write
TEST_F(DataControlTest, UnloadWritesUnlessSaveIsCleared)
{
    BoundForm &form = openForm();
    form.name->typeText("1");
    form.duringValidate = [](DataAction &action, bool &) { action = vbDataActionCancel; };
    Forms::Unload(form);
    EXPECT_FALSE(Forms::isLoaded<BoundForm>());
    EXPECT_EQ(rows().first(), "first1|10|01/Jul/2000");

    BoundForm &again = openForm();
    again.name->typeText("2");
    again.duringValidate = [](DataAction &, bool &save) { save = false; };
    Forms::Unload(again);
    EXPECT_EQ(rows().first(), "first1|10|01/Jul/2000");
}

// (g) releasing writes first and leaves the boxes as they are
TEST_F(DataControlTest, ReleaseWritesAndLeavesTheBoxesAlone)
{
    BoundForm &form = openForm();
    form.amount->typeText("5");
    form.data->DatabaseName.clear();
    form.data->Refresh();
    EXPECT_FALSE(form.data->isOpen());
    EXPECT_EQ(form.log.filter("validate"), QStringList({"validate 10 save 1"}));
    EXPECT_EQ(form.amount->Text(), "105");
    EXPECT_EQ(rows().first(), "first|105|01/Jul/2000");
}

TEST_F(DataControlTest, AFillOfOneControlIntoAnothersBoxIsAnEditForTheOther)
{
    BoundForm &form = openForm();
    Data other(&form);
    other.DatabaseName = "t.mdb";
    other.RecordSource = "select * from t where ID = 3";
    TextBox copy(&form);
    copy.setDataSource(&other, "a");
    copy.onChange = [&] { form.name->setText(copy.Text()); };
    other.Refresh(); // fills copy, whose handler writes into form.name
    EXPECT_EQ(form.name->Text(), "third");
    form.data->moveNext();
    EXPECT_EQ(rows().first(), "third|10|01/Jul/2000");
    EXPECT_EQ(rows().last(), "third|30|");
}

TEST_F(DataControlTest, AValueTheColumnCannotHoldIsRefusedAndNothingMoves)
{
    BoundForm &form = openForm();
    form.amount->typeText("abc");
    EXPECT_THROW(form.data->moveNext(), Error);
    EXPECT_EQ(form.name->Text(), "first");
    EXPECT_EQ(rows().first(), "first|10|01/Jul/2000");
}

TEST_F(DataControlTest, UpdateRecordValidatesAndWritesTheBoxes)
{
    BoundForm &form = openForm();
    form.name->typeText(" edited");
    form.data->UpdateRecord();
    EXPECT_EQ(form.log.filter("validate"), QStringList({"validate 6 save 1"}));
    EXPECT_EQ(rows().first(), "first edited|10|01/Jul/2000");
    EXPECT_EQ(form.name->Text(), "first edited"); // still on the same row

    form.name->typeText("!");
    form.duringValidate = [](DataAction &action, bool &) { action = vbDataActionCancel; };
    EXPECT_EQ(errorNumber([&] { form.data->UpdateRecord(); }), ErrorCode::ActionCancelled);
    EXPECT_EQ(rows().first(), "first edited|10|01/Jul/2000");
}

TEST_F(DataControlTest, QuitAppWritesNoPendingRow)
{
    BoundForm &form = openForm();
    form.name->typeText(" lost");
    EXPECT_THROW(QuitApp(), QuitRequested);
    EXPECT_EQ(m_services->quitCalls, 1);
    EXPECT_TRUE(form.log.filter("validate").isEmpty());
    EXPECT_EQ(rows().first(), "first|10|01/Jul/2000");
}

TEST_F(DataControlTest, ArrowsStayPutAtTheEnds)
{
    BoundForm &form = openForm();
    form.data->movePrevious();
    EXPECT_EQ(form.name->Text(), "first");
    form.data->moveLast();
    form.data->moveNext();
    EXPECT_EQ(form.name->Text(), "third");
    EXPECT_FALSE(form.data->Recordset().Eof());
}

// The record cycle as a screen drives it: whether there is a row and edits, and a write of
// what the row shows, with what goes alongside it in one transaction.
TEST_F(DataControlTest, AScreenWritesTheRowAsShownWithWhatGoesAlongside)
{
    BoundForm &form = openForm();
    EXPECT_TRUE(form.data->hasCurrentRow());
    EXPECT_FALSE(form.data->hasEdits());
    form.amount->setText("11");
    form.amount->setBoundDirty(false); // filled in by the program, as the calculator does
    form.name->typeText("!");
    EXPECT_TRUE(form.data->hasEdits());

    // What goes alongside fails: neither it nor the row is stored.
    const auto failing = [](Database &db) {
        db.Execute("insert into t (a) values ('alongside')");
        throw Error(ErrorCode::CheckFailed, "refused");
    };
    EXPECT_THROW(form.data->writeRow(RowWrite::AsShown, failing), Error);
    form.data->Recordset().CancelUpdate();
    EXPECT_EQ(rows(), QStringList({"first|10|01/Jul/2000", "second|20|01/Aug/2000", "third|30|"}));

    form.data->writeRow(RowWrite::AsShown, [](Database &db) { db.Execute("insert into t (a) values ('alongside')"); });
    EXPECT_FALSE(form.data->hasEdits());
    EXPECT_EQ(rows(), QStringList({"first!|11|01/Jul/2000", "second|20|01/Aug/2000", "third|30|", "alongside||"}));

    // The plain write takes only what was edited.
    form.amount->setText("12");
    form.amount->setBoundDirty(false);
    form.name->typeText("?");
    form.data->writeRow();
    EXPECT_EQ(rows().first(), "first!?|11|01/Jul/2000");

    form.data->Recordset().MoveLast();
    form.data->Recordset().MoveNext();
    EXPECT_FALSE(form.data->hasCurrentRow());
    form.data->Recordset().AddNew();
    EXPECT_TRUE(form.data->hasCurrentRow());
}

} // namespace qm::test
