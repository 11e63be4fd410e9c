#include "contacts/crc.h"
#include "contacts/crcm.h"
#include "contacts/srcm.h"
#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "tests/contacts/contactfixture.h"

namespace qm::test {

namespace {
const QString Tricky = QStringLiteral("O'Brien's \"Farm\" & Co");

class ClientTest : public ContactTest
{
protected:
    crcm &openFromMenu()
    {
        Forms::get<Menu2>().Picture1_Click(7);
        crcm &screen = Forms::get<crcm>();
        m_messages.clear();
        return screen;
    }

    crc &openFromReceipts(const QString &key)
    {
        Forms::get<RRC>().Show();
        CurrentClientId = key;
        CallerTag = QStringLiteral("RRC");
        crc &screen = Forms::get<crc>();
        screen.Show();
        m_messages.clear();
        return screen;
    }

    // Picks the list row showing `text` (the first of that name).
    static void pick(DBCombo *list, const QString &text)
    {
        for (int row = 0; row < list->ListCount(); ++row) {
            if (list->ListText(row) == text) {
                list->pickRow(row);
                return;
            }
        }
        ADD_FAILURE() << "no row " << text.toStdString();
    }
};
} // namespace

TEST_F(ClientTest, TheMenuOpensTheFirstClientAndLeavesWithoutAskingWhenNothingChanged)
{
    addParty("c", "Alpha");
    addParty("c", "Beta");
    crcm &screen = openFromMenu();
    EXPECT_EQ(screen.Text1[3]->Text(), "Alpha");
    EXPECT_EQ(screen.DBCombo5->Text(), "SYDNEY");
    EXPECT_EQ(screen.DBCombo5->ListCount(), 7); // every place of every state
    EXPECT_EQ(screen.statuspanel->Caption(), "Editing");
    EXPECT_EQ(screen.changed->Value(), 0);
    screen.mm->onClick();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_FALSE(Forms::isLoaded<crcm>());
}

TEST_F(ClientTest, BrowsingWithoutTypingWritesNothing)
{
    addParty("c", "Alpha", "MELBOURNE", "VIC", "3000");
    addParty("c", "Beta", "O'CONNOR", "ACT", "2602");
    addParty("c", "Gamma", "RICHMOND", "NSW", "2753");
    run("qm.mdb", "update c set t = 'DARWIN', u = 'NT', w = '0800' where ID = 2");
    const QStringList before = dump("c");
    crcm &screen = openFromMenu();
    using namespace ContactButton;
    for (int index : {Next, Next, Previous, GoFirst, GoLast, Next, Previous})
        screen.Command1_Click(index);
    screen.c->moveFirst();
    screen.c->moveNext();
    screen.c->moveLast();
    EXPECT_EQ(screen.Text1[3]->Text(), "Gamma");
    EXPECT_EQ(screen.Text1[15]->Text(), "2753");
    EXPECT_EQ(dump("c"), before);

    // The moves set the flag; Main Menu asks, and leaving still writes nothing.
    EXPECT_EQ(screen.changed->Value(), 1);
    screen.mm->onClick();
    EXPECT_EQ(takeMessages(), QStringList({"You haven't saved the current edit. Do you still wish to continue?"}));
    EXPECT_FALSE(Forms::isLoaded<crcm>());
    EXPECT_EQ(dump("c"), before);
}

TEST_F(ClientTest, AStateNarrowsBothListsAndAPlaceFillsThePostcode)
{
    addParty("c", "Alpha", "MELBOURNE", "VIC", "3000");
    crcm &screen = openFromMenu();
    screen.combo1[7]->pick(1); // NSW
    EXPECT_EQ(screen.DBCombo5->Text(), "");
    EXPECT_EQ(screen.DBCombo5->ListCount(), 3);
    EXPECT_EQ(screen.DBCombo1->ListCount(), 3);
    EXPECT_EQ(screen.changed->Value(), 1);

    pick(screen.DBCombo5, "RICHMOND");
    EXPECT_EQ(screen.Text1[15]->Text(), "2753"); // the NSW one
    EXPECT_EQ(screen.Text1[8]->Text(), "2753");
    EXPECT_EQ(screen.Text1[6]->Text(), "RICHMOND");
    screen.DBCombo5->typeText(" EAST"); // the list's own text is what the row keeps
    EXPECT_EQ(screen.Text1[6]->Text(), "RICHMOND");

    // Releasing the look-up controls must not clear the postcode: Main Menu writes it.
    screen.mm->onClick();
    EXPECT_EQ(column("c", 1, "e"), "RICHMOND EAST");
    EXPECT_EQ(column("c", 1, "f"), "NSW");
    EXPECT_EQ(column("c", 1, "g"), "2753");
}

// Picking a place always writes its postcode, also when the place looked up before had the
// same one: on the client and the supplier screens.
TEST_F(ClientTest, PickingAPlaceAlwaysWritesItsPostcode)
{
    for (const QString table : {"c", "s"}) {
        SCOPED_TRACE(table.toStdString());
        addParty(table, "Alpha", "SYDNEY", "NSW", "2000");
        addParty(table, "Beta", "MELBOURNE", "VIC", "3000");
        Forms::get<Menu2>().Picture1_Click(table == "c" ? 7 : 8);
        ContactScreen &screen = table == "c" ? static_cast<ContactScreen &>(Forms::get<crcm>()) : Forms::get<srcm>();
        Data *record = table == "c" ? static_cast<Data *>(Forms::get<crcm>().c) : Forms::get<srcm>().s;
        screen.combo1[7]->pick(1); // NSW
        pick(screen.DBCombo5, "SYDNEY");
        EXPECT_EQ(screen.Text1[15]->Text(), "2000");
        record->moveNext(); // Beta, in 3000, picks SYDNEY too
        EXPECT_EQ(screen.Text1[15]->Text(), "3000");
        screen.combo1[7]->pick(1);
        pick(screen.DBCombo5, "SYDNEY");
        EXPECT_EQ(screen.Text1[15]->Text(), "2000");

        // Two new ones in SYDNEY in a row.
        screen.addb_Click();
        screen.Text1[3]->typeText("Gamma");
        pick(screen.DBCombo5, "SYDNEY");
        EXPECT_EQ(screen.Text1[15]->Text(), "2000");
        screen.addb_Click();
        screen.Text1[3]->typeText("Delta");
        pick(screen.DBCombo5, "SYDNEY");
        EXPECT_EQ(screen.Text1[15]->Text(), "2000");
        screen.Command1_Click(ContactButton::OK);
        for (qint64 id = 1; id <= 4; ++id)
            EXPECT_EQ(column(table, id, "g"), "2000") << id;
        m_messages.clear();
    }
}

TEST_F(ClientTest, TheShippingBlockHasItsOwnStateAndNoPostcodeLookup)
{
    addParty("c", "Alpha", "MELBOURNE", "VIC", "3000");
    crcm &screen = openFromMenu();
    screen.changed->setValue(0);
    screen.combo1[0]->pick(1); // shipping state NSW
    EXPECT_EQ(screen.changed->Value(), 1);
    EXPECT_EQ(screen.DBCombo5->Text(), "MELBOURNE");
    EXPECT_EQ(screen.Text1[15]->Text(), "3000");
    EXPECT_EQ(screen.DBCombo5->ListCount(), 7);

    pick(screen.DBCombo1, "DARWIN");
    EXPECT_EQ(screen.Text2[6]->Text(), "DARWIN");
    EXPECT_EQ(screen.Text1[23]->Text(), "");
    screen.DBCombo1->releaseMouse();
    screen.DBCombo1->releaseMouse();
    EXPECT_EQ(takeMessages(), QStringList({"Please check the postcode", "Please check the postcode"}));
    EXPECT_EQ(m_messages.log().size(), 0u);

    screen.Command1_Click(ContactButton::OK); // OK from the menu
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(column("c", 1, "t"), "DARWIN");
    EXPECT_EQ(column("c", 1, "u"), "NSW");
    EXPECT_EQ(column("c", 1, "e"), "MELBOURNE");
    EXPECT_EQ(column("c", 1, "g"), "3000");
}

TEST_F(ClientTest, AsAboveCopiesTheAddress)
{
    addParty("c", "Alpha", "MELBOURNE", "VIC", "3000");
    crcm &screen = openFromMenu();
    screen.Text1[5]->typeText("1 Main St");
    screen.Command4_Click();
    screen.Command1_Click(ContactButton::OK);
    QStringList shipping;
    for (const char *name : {"r", "s", "t", "u", "w", "v"})
        shipping << column("c", 1, name);
    EXPECT_EQ(shipping, QStringList({"Alpha", "1 Main St", "MELBOURNE", "VIC", "3000", "AUSTRALIA"}));
}

TEST_F(ClientTest, EveryBoxKeepsApostrophesAndQuotes)
{
    crcm &screen = openFromMenu(); // an empty table
    screen.addb_Click();
    EXPECT_EQ(screen.statuspanel->Caption(), "Adding");
    EXPECT_FALSE(screen.addt->Enabled());
    for (int index : {3, 4, 14, 5, 9, 10, 11, 16, 12, 18, 22, 19, 21, 23})
        screen.Text1[index]->setText(Tricky);
    screen.combotit->setText(Tricky);
    screen.jtitle->setText("O'Neil & Co");
    screen.abn->setText("12 345'678");
    screen.combo1[7]->setText("ACT");
    screen.combo1[7]->setListIndex(3); // ACT: a click on the state
    pick(screen.DBCombo5, "O'CONNOR");
    screen.combo1[0]->setText("O'Neil");
    screen.Command1_Click(ContactButton::OK);
    ASSERT_EQ(count("c"), 1);

    crcm &again = openFromMenu();
    for (int index : {3, 4, 14, 5, 9, 10, 11, 12, 18, 22, 19, 21, 23})
        EXPECT_EQ(again.Text1[index]->Text(), Tricky) << index;
    EXPECT_EQ(again.Text1[17]->Text(), Tricky); // Home shows the Mobile column
    EXPECT_EQ(again.combotit->Text(), Tricky);
    EXPECT_EQ(again.jtitle->Text(), "O'Neil & Co");
    EXPECT_EQ(again.abn->Text(), "12 345'678");
    EXPECT_EQ(again.DBCombo5->Text(), "O'CONNOR");
    EXPECT_EQ(again.Text1[15]->Text(), "2602");
    EXPECT_EQ(again.combo1[0]->Text(), "O'Neil");
    EXPECT_EQ(column("c", 1, "e"), "O'CONNOR");
}

TEST_F(ClientTest, ATypedStateWithAnApostropheIsQuoted)
{
    addParty("c", "Alpha");
    crcm &screen = openFromMenu();
    screen.combo1[7]->setText("O'Neil");
    screen.combo1_Click(7);
    EXPECT_EQ(screen.DBCombo5->ListCount(), 0);
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(ClientTest, SaveChecksInOrderAndThenClearsTheFlag)
{
    addParty("c", "Alpha");
    crcm &screen = openFromMenu();
    screen.Text1[4]->setText("");
    screen.DBCombo5->setText("");
    screen.combo1[7]->setText("");
    screen.Command3_Click();
    screen.Text1[4]->typeText("Pat");
    screen.Command3_Click();
    screen.DBCombo5->typeText("Nowhere");
    screen.Command3_Click();
    EXPECT_EQ(screen.changed->Value(), 1); // a failed check leaves the flag
    screen.combo1[7]->setText("NSW");
    screen.Command3_Click();
    ASSERT_EQ(m_messages.log().size(), 3u);
    const QStringList expected
        = {"You must enter the Client's name", "You must enter the Suburb/Town", "You must enter the Client's State"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(m_messages.log()[i].text, expected[int(i)]);
        EXPECT_EQ(m_messages.log()[i].title, "Corvane");
        EXPECT_EQ(m_messages.log()[i].icon, vbExclamation);
    }
    EXPECT_EQ(screen.changed->Value(), 0);
    EXPECT_EQ(screen.Text1[6]->Text(), "Nowhere");
    EXPECT_EQ(screen.Text1[7]->Text(), "NSW");
    EXPECT_EQ(column("c", 1, "e"), "SYDNEY"); // Save writes nothing

    // The edit is still unwritten: Exit Now asks, and No keeps the program running.
    m_messages.clear();
    m_messages.queueAnswer(vbNo);
    screen.en->onClick();
    EXPECT_EQ(takeMessages(), QStringList({"You haven't saved the current edit. Do you still wish to continue?"}));
    EXPECT_EQ(m_services->quitCalls, 0);
    // Main Menu keeps the old rule: the flag is clear, so it leaves at once and writes the edit.
    screen.mm->onClick();
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(column("c", 1, "e"), "Nowhere");
    EXPECT_EQ(column("c", 1, "a"), "Pat");
}

TEST_F(ClientTest, ExitNowAsksOnlyWithAnEditAndEndsWithoutWriting)
{
    addParty("c", "Alpha");
    crcm &screen = openFromMenu();
    EXPECT_THROW(screen.en->onClick(), QuitRequested);
    EXPECT_TRUE(m_messages.log().empty());
    EXPECT_EQ(m_services->quitCalls, 1);
}

TEST_F(ClientTest, AnExistingClientIsEditedInItsOwnRow)
{
    addParty("c", "Twin");
    addParty("c", "Twin");
    crc &screen = openFromReceipts("2");
    EXPECT_EQ(screen.Text1[0]->Text(), "2");
    EXPECT_EQ(screen.statuspanel->Caption(), "Editing");
    screen.Text1[5]->typeText("2 Side Rd");
    screen.Command1_Click(ContactButton::SideOK); // the side panel's OK runs as OK
    EXPECT_EQ(column("c", 2, "d"), "2 Side Rd");
    EXPECT_EQ(column("c", 1, "d"), "NULL");
    EXPECT_EQ(Forms::get<RRC>().combo1->BoundText(), "2");
}

TEST_F(ClientTest, AKeyThatNamesNoClientOpensANewOne)
{
    addParty("c", "Alpha");
    for (const QString &key : {QStringLiteral("99"), QStringLiteral("1 or 1=1"), QStringLiteral("abc")}) {
        crc &screen = openFromReceipts(key);
        EXPECT_EQ(screen.statuspanel->Caption(), "Adding") << key.toStdString();
        EXPECT_FALSE(screen.Text1[0]->Visible());
        screen.Command1_Click(ContactButton::Cancel);
    }
    EXPECT_EQ(count("c"), 1);
}

TEST_F(ClientTest, BothCancelsDropTheEdit)
{
    addParty("c", "Alpha");
    crc &screen = openFromReceipts("1");
    screen.Text1[3]->typeText(" changed");
    screen.Command1_Click(ContactButton::SideCancel); // the side panel's Cancel
    EXPECT_FALSE(Forms::isLoaded<crc>());
    EXPECT_TRUE(Forms::isLoaded<RRC>());
    EXPECT_EQ(column("c", 1, "l"), "Alpha");

    crc &fresh = openFromReceipts("");
    fresh.Text1[3]->typeText("Nobody");
    m_messages.queueAnswer(vbNo);
    fresh.navbuts_Click(2);
    EXPECT_TRUE(Forms::isLoaded<crc>());
    fresh.navbuts_Click(2); // Yes: nothing recorded to go back to, so it leaves as Cancel does
    EXPECT_EQ(takeMessages(), QStringList({"Are you sure you want to Cancel this operation?",
                                           "Are you sure you want to Cancel this operation?"}));
    EXPECT_EQ(m_messages.log().size(), 0u);
    EXPECT_FALSE(Forms::isLoaded<crc>());
    EXPECT_TRUE(Forms::isLoaded<RRC>());
    EXPECT_EQ(count("c"), 1);
    EXPECT_TRUE(PreviousForm == FormRef::of<crc>());

    // With a form recorded, the bottom Cancel goes there, still dropping the edit.
    PreviousForm = FormRef::of<Menu2>();
    crc &third = openFromReceipts("1");
    third.Text1[3]->typeText(" again");
    third.navbuts_Click(2);
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_FALSE(Forms::isLoaded<crc>());
    EXPECT_TRUE(PreviousForm == FormRef::of<crc>());
    EXPECT_EQ(column("c", 1, "l"), "Alpha");
}

TEST_F(ClientTest, DeleteRefusesWhileAddingAndSurvivesTheLastRecord)
{
    addParty("c", "Alpha");
    crcm &screen = openFromMenu();
    screen.addt_Click();
    screen.fd_Click();
    EXPECT_EQ(m_messages.log().at(0).text, "Can't delete while adding!");
    EXPECT_EQ(m_messages.log().at(0).title, "Be Careful!");
    screen.Command1_Click(ContactButton::Cancel);

    crcm &browse = openFromMenu();
    m_messages.queueAnswer(vbNo);
    browse.fd_Click();
    EXPECT_EQ(count("c"), 1);
    browse.fd_Click(); // Yes
    EXPECT_EQ(takeMessages(), QStringList({"Delete Current Record?", "Delete Current Record?"}));
    EXPECT_EQ(count("c"), 0);
    processEvents();
    ASSERT_TRUE(Forms::isLoaded<crcm>());
    crcm &empty = Forms::get<crcm>();
    EXPECT_EQ(CurrentClientId, "");
    EXPECT_EQ(empty.Text1[3]->Text(), "");
    EXPECT_EQ(empty.statuspanel->Caption(), "Adding"); // on a new client

    // Nothing left to delete.
    empty.fd_Click();
    EXPECT_EQ(takeMessages(), QStringList({"Can't delete while adding!"}));
    EXPECT_EQ(&Forms::get<crcm>(), &empty);
    // Typed and OK'd, the first client is written.
    empty.Text1[3]->typeText("Fresh");
    empty.Command1_Click(ContactButton::OK);
    EXPECT_EQ(count("c"), 1);
}

TEST_F(ClientTest, DeleteOnTheSingleScreenReopensTheFirstClient)
{
    addParty("c", "Alpha");
    addParty("c", "Beta");
    crc &screen = openFromReceipts("2");
    screen.fd_Click();
    processEvents();
    EXPECT_EQ(count("c"), 1);
    EXPECT_EQ(CurrentClientId, "1");
    ASSERT_TRUE(Forms::isLoaded<crc>());
    EXPECT_EQ(Forms::get<crc>().Text1[3]->Text(), "Alpha");
    EXPECT_EQ(Forms::get<crc>().statuspanel->Caption(), "Editing");

    Forms::get<crc>().fd_Click(); // the last one: the screen reopens on a new client
    processEvents();
    EXPECT_EQ(count("c"), 0);
    ASSERT_TRUE(Forms::isLoaded<crc>());
    EXPECT_EQ(Forms::get<crc>().statuspanel->Caption(), "Adding");
    m_messages.clear();
    Forms::get<crc>().fd_Click();
    EXPECT_EQ(messages(), QStringList{"Can't delete while adding!"});
}

TEST_F(ClientTest, FileAddOnTheSingleScreenReopensItOnANewClient)
{
    addParty("c", "Alpha");
    crc &screen = openFromReceipts("1");
    screen.fa_Click();
    processEvents();
    ASSERT_TRUE(Forms::isLoaded<crc>());
    EXPECT_EQ(Forms::get<crc>().statuspanel->Caption(), "Adding");
}

} // namespace qm::test
