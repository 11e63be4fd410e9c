// What the single-record contact screens hand back to the payments and receipts screens,
// the order of the Tab key through the entry boxes, the details links,
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

#include <QApplication>
#include <QKeyEvent>

namespace qm::test {

using ContactDecisionsTest = ContactTest;

// The hand-back runs the caller's party click, so the row takes the new party's key and name
// even when its name is the one already shown; the ABN shown with it is never written over
// another party's. The payments or receipts screen is then really saved and left.
TEST_F(ContactDecisionsTest, TheNewPartyGoesIntoTheRowAndNoAbnIsOverwritten)
{
    for (const QString table : {"s", "c"}) {
        SCOPED_TRACE(table.toStdString());
        const bool clients = table == "c";
        addParty(table, "Twin");
        run("qm.mdb", QStringLiteral("update %1 set o = '11 111'").arg(table));
        LedgerScreen &ledger = clients ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        ledger.Show();
        ledger.combo1->pickRow(0); // the first Twin
        ASSERT_EQ(ledger.Text2[0]->Text(), "1");

        ledger.Add1_Click();
        ContactScreen &screen = clients ? static_cast<ContactScreen &>(Forms::get<crc>()) : Forms::get<src>();
        screen.Text1[3]->typeText("Twin");
        screen.abn->typeText("99 999");
        screen.Command1_Click(ContactButton::OK);
        EXPECT_EQ(ledger.combo1->BoundText(), "2");
        EXPECT_EQ(ledger.Text2[0]->Text(), "2");
        EXPECT_EQ(ledger.Text2[1]->Text(), "Twin");
        EXPECT_EQ(ledger.abn->Text(), "99 999");

        ledger.pay1[0]->typeText("01/jul/00");
        ledger.Combo3->pick(0);
        ledger.Text2[3]->typeText("11");
        ledger.Command1_Click(LedgerButton::OK);
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

// Opened with no caller on screen (from the reports), the screen saves and brings up a fresh
// payments or receipts screen, writing nothing into it.
TEST_F(ContactDecisionsTest, AHandBackToACallerThatIsGoneWritesNothingIntoIt)
{
    for (const QString table : {"c", "s"}) {
        SCOPED_TRACE(table.toStdString());
        const bool clients = table == "c";
        CurrentClientId.clear();
        CurrentRecordId.clear();
        CallerTag = clients ? QStringLiteral("RRC") : QStringLiteral("PRC");
        ContactScreen &screen = clients ? static_cast<ContactScreen &>(Forms::get<crc>()) : Forms::get<src>();
        screen.Text1[3]->typeText("Solo");
        screen.Command1_Click(ContactButton::OK);
        EXPECT_EQ(count(table), 1);
        ASSERT_TRUE(clients ? Forms::isLoaded<RRC>() : Forms::isLoaded<PRC>());
        LedgerScreen &ledger = clients ? static_cast<LedgerScreen &>(Forms::get<RRC>()) : Forms::get<PRC>();
        EXPECT_EQ(ledger.combo1->Text(), "");
        EXPECT_EQ(ledger.abn->Text(), "");
        Forms::discardAll();
    }
}

// An OK that cannot write says why; the screen stays with what was typed, for another try. On an
// empty table the screen opens on a new record ("Adding"), so the first record typed is stored.
TEST_F(ContactDecisionsTest, AnOkThatCannotWriteSaysWhy)
{
    for (const QString table : {"c", "s"}) {
        for (const bool existing : {false, true}) {
            SCOPED_TRACE(table.toStdString() + (existing ? " edited" : " new"));
            run("qm.mdb", "delete from " + table);
            if (existing)
                addParty(table, "Alpha");
            const QStringList before = dump(table);
            for (const char *change : {"insert", "update"})
                run("qm.mdb", QStringLiteral("create trigger refuse_%1 before %1 on %2 begin select raise(abort, "
                                             "'the file is locked'); end")
                                  .arg(QLatin1String(change), table));
            Forms::get<Menu2>().Picture1_Click(table == "c" ? 7 : 8);
            ContactScreen &screen
                = table == "c" ? static_cast<ContactScreen &>(Forms::get<crcm>()) : Forms::get<srcm>();
            takeMessages();
            screen.Text1[3]->setText("");
            screen.Text1[3]->typeText("Beta");
            screen.Command1_Click(ContactButton::OK);
            ASSERT_EQ(m_messages.log().size(), 1u);
            EXPECT_EQ(m_messages.log()[0].text, "The record was not saved: the file is locked");
            EXPECT_EQ(m_messages.log()[0].icon, vbExclamation);
            EXPECT_EQ(m_messages.log()[0].title, "Corvane");
            EXPECT_TRUE(Forms::isLoaded(screen));
            EXPECT_EQ(screen.statuspanel->Caption(), existing ? "Editing" : "Adding");
            EXPECT_EQ(screen.Text1[3]->Text(), "Beta");
            EXPECT_EQ(dump(table), before);

            // Once the file can be written, the same OK stores it.
            for (const char *change : {"insert", "update"})
                run("qm.mdb", QStringLiteral("drop trigger refuse_%1").arg(QLatin1String(change)));
            takeMessages();
            screen.Command1_Click(ContactButton::OK);
            EXPECT_EQ(takeMessages(), QStringList());
            EXPECT_FALSE(Forms::isLoaded(screen));
            EXPECT_EQ(rows("qm.mdb", "select l from " + table), QStringList{"Beta"});
            Forms::discardAll();
        }
    }
}

// File > Add asks the unsaved-edit question only while the flag is set: an edit the flag does
// not see (the ABN box) is written as the screen reloads, without a question.
TEST_F(ContactDecisionsTest, FileAddAsksOnlyWhileTheFlagIsSet)
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
        run("qm.mdb", "delete from " + table);
    }
}

// Tab goes through the entry boxes in the form's order: organisation, title, the two contact
// names, Ref, Job Title, address, country, state, suburb, telephone, fax, mobile, home,
// e-mail, ABN; and on to the boxes after them.
TEST_F(ContactDecisionsTest, TabFollowsTheOrderOfTheEntryBoxes)
{
    for (const QString table : {"c", "s"}) {
        SCOPED_TRACE(table.toStdString());
        addParty(table, "Alpha");
        Forms::get<Menu2>().Picture1_Click(table == "c" ? 7 : 8);
        ContactScreen &screen = table == "c" ? static_cast<ContactScreen &>(Forms::get<crcm>()) : Forms::get<srcm>();
        screen.Label1_MouseMove(7);
        const std::vector<std::pair<QWidget *, QString>> boxes = {
            {screen.Text1[3], "Organisation"}, {screen.combotit, "title"},
            {screen.Text1[4], "name"},         {screen.Text1[14], "second name"},
            {screen.Text1[0], "Ref"},          {screen.jtitle, "Job Title"},
            {screen.Text1[5], "Address"},      {screen.Text1[9], "Country"},
            {screen.combo1[7], "State"},       {screen.DBCombo5, "Suburb/Town"},
            {screen.Text1[10], "Telephone"},   {screen.Text1[11], "Fax"},
            {screen.Text1[16], "Mobile"},      {screen.Text1[17], "Home"},
            {screen.Text1[12], "E-mail"},      {screen.abn, "ABN #"},
            {screen.Text1[15], "Postcode"},
        };
        const auto focused = [&] {
            QWidget *focus = QApplication::focusWidget();
            for (const auto &[box, name] : boxes)
                if (focus && (focus == box || box->isAncestorOf(focus)))
                    return name;
            return QStringLiteral("something else");
        };
        QApplication::setActiveWindow(&screen);
        screen.Text1[3]->setFocus();
        processEvents();
        QStringList order{focused()};
        for (size_t i = 1; i < boxes.size(); ++i) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
            QApplication::sendEvent(QApplication::focusWidget(), &tab);
            processEvents();
            order << focused();
        }
        QStringList expected;
        for (const auto &[box, name] : boxes)
            expected << name;
        EXPECT_EQ(order, expected);
        Forms::discardAll();
    }
}

// "Show Details:" and "Hide Details" never lie under one another, so a pointer resting on
// one does not make the details flicker as they swap.
TEST_F(ContactDecisionsTest, TheDetailsLinksNeverLieUnderOneAnother)
{
    for (int picture : {7, 8}) {
        Forms::get<Menu2>().Picture1_Click(picture);
        ContactScreen &screen = picture == 7 ? static_cast<ContactScreen &>(Forms::get<crcm>()) : Forms::get<srcm>();
        screen.Show();
        processEvents();
        const auto onPanel
            = [&](QWidget *label) { return QRect(label->mapTo(screen.sspanel100, QPoint()), label->size()); };
        const QRect show = onPanel(screen.Label1[7]);
        screen.Label1_MouseMove(7);
        processEvents();
        EXPECT_FALSE(show.intersects(onPanel(screen.Label1[8]))) << picture;
        Forms::discardAll();
    }
}

} // namespace qm::test
