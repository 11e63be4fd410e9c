// What the single-record contact screens hand back to the payments and receipts screens,
// and the unsaved-edit question of File > Add, on the client and the supplier screens alike.
#include "contacts/crc.h"
#include "contacts/crcm.h"
#include "contacts/src.h"
#include "contacts/srcm.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/dbcombo.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "tests/contacts/contactfixture.h"

namespace qm::test {

using HandBackTest = ContactTest;

// The hand-back runs the caller's party click, so the row takes the new party's key and name
// even when its name is the one already shown; the ABN shown with it is never written over
// another party's. The payments or receipts screen is then really saved and left.
TEST_F(HandBackTest, TheNewPartyGoesIntoTheRowAndNoAbnIsOverwritten)
{
    for (const QString table : {"s", "c"}) {
        SCOPED_TRACE(table.toStdString());
        const bool clients = table == "c";
        addParty(table, "Twin");
        exec("qm.mdb", QStringLiteral("update %1 set o = '11 111'").arg(table));
        LedgerScreen &ledger = clients ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        ledger.Show();
        ledger.combo1->pickRow(0); // the first Twin
        ASSERT_EQ(ledger.Text2[0]->Text(), "1");

        ledger.Add1_Click();
        ContactScreen &screen = clients ? static_cast<ContactScreen &>(Forms::get<crc>()) : Forms::get<src>();
        screen.Text1[3]->typeText("Twin");
        screen.abn->typeText("99 999");
        screen.Command1_Click(2);
        EXPECT_EQ(ledger.combo1->BoundText(), "2");
        EXPECT_EQ(ledger.Text2[0]->Text(), "2");
        EXPECT_EQ(ledger.Text2[1]->Text(), "Twin");
        EXPECT_EQ(ledger.abn->Text(), "99 999");

        ledger.pay1[0]->typeText("01/jul/00");
        ledger.Combo3->pick(0);
        ledger.Text2[3]->typeText("11");
        ledger.Command1_Click(1);
        EXPECT_FALSE(Forms::isLoaded(ledger));
        EXPECT_EQ(takeMessages(), QStringList());
        const QString rows = clients ? "r" : "p";
        ASSERT_EQ(count(rows), 1);
        EXPECT_EQ(column(rows, 1, "p") + "|" + column(rows, 1, "b") + "|" + column(rows, 1, "t"), "2|2|Twin");
        EXPECT_EQ(column(table, 1, "o"), "11 111");
        EXPECT_EQ(column(table, 2, "o"), "99 999");
        Forms::discardAll();
    }
    // The receipts screen's hidden ABN box shows suppliers: none of theirs changed either.
    EXPECT_EQ(column("s", 1, "o"), "11 111");
}

// File > Add asks the unsaved-edit question only while the flag is set: an edit the flag does
// not see (the ABN box) is written as the screen reloads, without a question.
TEST_F(HandBackTest, FileAddAsksOnlyWhileTheFlagIsSet)
{
    for (const QString table : {"c", "s"}) {
        SCOPED_TRACE(table.toStdString());
        addParty(table, "Alpha");
        Forms::get<Menu2>().Picture1_Click(table == "c" ? 7 : 8);
        auto screen = [&]() -> ContactScreen & {
            return table == "c" ? static_cast<ContactScreen &>(Forms::get<crcm>()) : Forms::get<srcm>();
        };
        takeMessages();
        screen().Text1[3]->typeText("!");
        ASSERT_EQ(screen().changed->Value(), 1);
        m_messages.queueAnswer(vbNo);
        screen().fa_Click();
        EXPECT_EQ(takeMessages(), QStringList({"You haven't saved the current edit. Do you still wish to continue?"}));
        EXPECT_EQ(column(table, 1, "l"), "Alpha");

        screen().Command3_Click(); // Save: the flag is clear
        ASSERT_EQ(screen().changed->Value(), 0);
        screen().abn->typeText("77");
        screen().fa_Click();
        processEvents();
        EXPECT_EQ(takeMessages(), QStringList());
        EXPECT_EQ(column(table, 1, "l"), "Alpha!");
        EXPECT_EQ(column(table, 1, "o"), "77");
        Forms::discardAll();
        exec("qm.mdb", "delete from " + table);
    }
}

} // namespace qm::test
