#include "contacts/src.h"
#include "contacts/srcm.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "tests/contacts/contactfixture.h"

namespace qm::test {

namespace {
class SupplierTest : public ContactTest
{
protected:
    srcm &openFromMenu()
    {
        Forms::get<Menu2>().Picture1_Click(8);
        srcm &screen = Forms::get<srcm>();
        m_messages.clear();
        return screen;
    }

    static int rowOf(DBCombo *list, const QString &text)
    {
        for (int row = 0; row < list->ListCount(); ++row) {
            if (list->ListText(row) == text)
                return row;
        }
        return -1;
    }
};
} // namespace

TEST_F(SupplierTest, TheBrowsingScreenAsksUntilSaveAndBrowsesWithoutWriting)
{
    addParty("s", "Alpha", "1", "VIC", "3000");
    addParty("s", "Beta", "Typed Town", "QLD", "4000");
    const QStringList before = dump("s");
    srcm &screen = openFromMenu();
    EXPECT_EQ(screen.DBCombo5->Text(), "MELBOURNE"); // the key of the place, shown by its name
    EXPECT_EQ(screen.DBCombo5->BoundText(), "1");
    EXPECT_EQ(screen.changed->Value(), 1); // loading set it
    screen.s->moveNext();
    EXPECT_EQ(screen.DBCombo5->Text(), "Typed Town");
    screen.s->movePrevious();
    EXPECT_EQ(dump("s"), before);

    m_messages.queueAnswer(vbNo);
    screen.mm->onClick();
    EXPECT_EQ(takeMessages(), QStringList({"You haven't saved the current edit. Do you still wish to continue?"}));
    EXPECT_TRUE(Forms::isLoaded<srcm>());
    screen.Command3_Click();
    EXPECT_EQ(screen.changed->Value(), 0);
    screen.mm->onClick();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(dump("s"), before);
}

TEST_F(SupplierTest, TheSuburbKeepsThePlaceKeyOrTheTypedText)
{
    addParty("s", "Alpha", "1", "VIC", "3000");
    srcm &screen = openFromMenu();
    screen.DBCombo5->setText("");
    screen.DBCombo5->typeText("SYDNE");
    screen.DBCombo5->typeText("Y"); // typing makes no look-up
    EXPECT_EQ(screen.Text1[15]->Text(), "3000");
    screen.s->moveFirst();
    EXPECT_EQ(column("s", 1, "e"), "2"); // the whole name typed picked that row's key

    screen.DBCombo5->setText("");
    screen.DBCombo5->typeText("Nowhere");
    screen.s->moveFirst();
    EXPECT_EQ(column("s", 1, "e"), "Nowhere");

    screen.combo1[7]->pick(3); // ACT
    screen.DBCombo5->pickRow(rowOf(screen.DBCombo5, "O'CONNOR"));
    EXPECT_EQ(screen.Text1[15]->Text(), "2602");
    EXPECT_EQ(screen.Text1[6]->Text(), "O'CONNOR");
    screen.Label1_MouseMove(7);
    screen.Label1_MouseMove(8); // suppliers: the caption is not copied back
    screen.Command1_Click(ContactButton::OK);
    EXPECT_EQ(column("s", 1, "e"), "1140");
    EXPECT_EQ(column("s", 1, "f"), "ACT");
    EXPECT_EQ(column("s", 1, "g"), "2602");
}

TEST_F(SupplierTest, DeleteDecidesByTheScreensOwnMode)
{
    addParty("s", "Alpha");
    addParty("s", "Beta");
    srcm &screen = openFromMenu();
    screen.addt_Click();
    EXPECT_EQ(EditMode, "Editing");
    screen.fd_Click();
    EXPECT_EQ(takeMessages(), QStringList({"Can't delete while adding!"}));
    screen.Command1_Click(ContactButton::Cancel);

    // Another screen left "Adding" in the shared mode: this screen still edits, so it deletes.
    srcm &browse = openFromMenu();
    EditMode = QStringLiteral("Adding");
    browse.fd_Click();
    processEvents();
    EXPECT_EQ(takeMessages(), QStringList({"Delete Current Record?"}));
    EXPECT_EQ(count("s"), 1);
    EXPECT_EQ(CurrentRecordId, "2");
    ASSERT_TRUE(Forms::isLoaded<srcm>());
    EXPECT_EQ(Forms::get<srcm>().Text1[3]->Text(), "Beta");
}

} // namespace qm::test
