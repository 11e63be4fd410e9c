// The splash and its ways out, the shared routines, the main menu and the About box.
#include "bas/bas.h"
#include "contacts/crcm.h"
#include "contacts/srcm.h"
#include "invoicing/inv.h"
#include "platform/datacontrol.h"
#include "platform/form.h"
#include "reports/reports2.h"
#include "shell/dialog.h"
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "tests/support/testservices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>

namespace qm::test {

namespace {
void pressKey(QWidget *target, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}
} // namespace

using SplashTest = ScreenTest;

// The greeting names the user the machine reports; a name it cannot give is left out, and a
// failed call is said.
TEST_F(SplashTest, GreetsTheUserByTheLogonName)
{
    const struct
    {
        std::optional<QString> logon;
        const char *greeting;
        const char *userName;
        const char *message;
    } cases[] = {
        {QStringLiteral("tester"), "Welcome tester !", "tester", nullptr},
        {QString(), "Welcome  !", "", nullptr},
        {QString(199, QLatin1Char('x')), "Welcome  !", "", nullptr},
        {std::nullopt, "", "", "Stats.Form1.UserName453Can't find DLL entry point GetUserNameA in advapi32"},
    };
    for (const auto &c : cases) {
        m_services->logon = c.logon;
        Main();
        EXPECT_EQ(Forms::get<frmSplash>().lblLicenseTo->Caption(), c.greeting);
        EXPECT_EQ(UserName, c.userName);
        EXPECT_EQ(messages(), c.message ? QStringList{c.message} : QStringList());
        Forms::discardAll();
        m_messages.clear();
    }
    EXPECT_EQ(QDir::currentPath(), QDir(m_dir.path()).canonicalPath());
}

// Agree and any key open the menu (only Agree suppresses highlighting); Enter on Don't Agree
// presses no button of the menu's; a click on Don't Agree ends the program at once.
TEST_F(SplashTest, TheWaysOutOfTheSplash)
{
    const struct
    {
        const char *name;
        std::function<void(frmSplash &)> act;
        bool menu, suppressed;
        int quits;
    } cases[] = {
        {"Agree", [](frmSplash &s) { s.Command2->click(); }, true, true, 0},
        {"a key", [](frmSplash &s) { pressKey(s.Command1, Qt::Key_A, QStringLiteral("a")); }, true, false, 0},
        {"Enter on Don't Agree", [](frmSplash &s) { pressKey(s.Command3, Qt::Key_Return, QStringLiteral("\r")); }, true,
         false, 0},
        {"Don't Agree", [](frmSplash &s) { s.Command3->click(); }, false, false, 1},
    };
    for (const auto &c : cases) {
        SuppressHighlight = false;
        m_services->quitCalls = 0;
        Main();
        c.act(Forms::get<frmSplash>());
        processEvents();
        EXPECT_TRUE(c.quits > 0 || !Forms::isLoaded<frmSplash>()) << c.name; // ending, it may stay
        EXPECT_EQ(Forms::isLoaded<Menu2>(), c.menu) << c.name;
        EXPECT_EQ(SuppressHighlight, c.suppressed) << c.name;
        EXPECT_EQ(m_services->quitCalls, c.quits) << c.name;
        EXPECT_FALSE(Forms::isLoaded<Dialog>()) << c.name; // the key did not also press a button
        EXPECT_EQ(m_services->normalExits, 0) << c.name;
        Forms::discardAll();
    }
}

// Tab and Shift+Tab type no character: they move between the buttons and leave the splash.
TEST_F(SplashTest, TabMovesBetweenTheButtonsAndKeepsTheSplash)
{
    Main();
    frmSplash &splash = Forms::get<frmSplash>();
    splash.Show();
    QApplication::setActiveWindow(&splash);
    splash.Command1->setFocus();
    processEvents();
    pressKey(splash.Command1, Qt::Key_Tab, QStringLiteral("\t"));
    processEvents();
    ASSERT_TRUE(Forms::isLoaded<frmSplash>());
    EXPECT_EQ(QApplication::focusWidget(), splash.Command2);
    pressKey(splash.Command2, Qt::Key_Backtab, QStringLiteral("\t"));
    processEvents();
    ASSERT_TRUE(Forms::isLoaded<frmSplash>());
    EXPECT_EQ(QApplication::focusWidget(), splash.Command1);
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(SplashTest, TheButtonsStandApart)
{
    Main();
    frmSplash &splash = Forms::get<frmSplash>();
    splash.Show();
    processEvents();
    const QRect agree(splash.Command2->mapTo(&splash, QPoint()), splash.Command2->size());
    const QRect disagree(splash.Command3->mapTo(&splash, QPoint()), splash.Command3->size());
    EXPECT_GE(disagree.left() - agree.right(), 8);
    EXPECT_EQ(agree.top(), disagree.top());
}

TEST_F(SplashTest, TheDisclaimerStaysOpenWhileTheUserAgrees)
{
    Main();
    Forms::get<frmSplash>().Command1->click();
    ASSERT_TRUE(Forms::isLoaded<Dialog>());
    Forms::get<frmSplash>().Command2->click();
    EXPECT_TRUE(Forms::isLoaded<Dialog>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    Forms::get<Dialog>().OKButton->click();
    EXPECT_FALSE(Forms::isLoaded<Dialog>());
}

using SharedRoutinesTest = ScreenTest;

TEST_F(SharedRoutinesTest, CentreFormPlacesThePanelAboveTheMiddle)
{
    Menu2 &menu = Forms::get<Menu2>();
    menu.sspanel100->setHeight(9000);
    menu.sspanel100->setWidth(12000);
    CentreForm(*menu.sspanel100);
    EXPECT_DOUBLE_EQ(menu.sspanel100->Top(), 396);
    EXPECT_DOUBLE_EQ(menu.sspanel100->Left(), 1680);
}

using MainMenuTest = ScreenTest;

TEST_F(MainMenuTest, EachButtonOpensItsScreenInPlaceOfTheMenu)
{
    const struct
    {
        int picture;
        bool (*opened)();
    } cases[] = {
        {2, [] { return Forms::isLoaded<bas>(); }},
        {4, [] { return Forms::isLoaded<INV>(); }},
        {9, [] { return Forms::isLoaded<reports2>(); }},
        {3, [] { return Forms::isLoaded<reports2>(); }},
    };
    for (const auto &c : cases) {
        Forms::get<Menu2>().Picture1_Click(c.picture);
        EXPECT_TRUE(c.opened()) << c.picture;
        EXPECT_FALSE(Forms::isLoaded<Menu2>()) << c.picture;
        Forms::discardAll();
    }
    Forms::get<Menu2>().Picture1_Click(1); // the banner opens nothing
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
}

// Opened from the menu, the contact screens hand back to nobody and show their data control.
TEST_F(MainMenuTest, ClientsAndSuppliersEmptyTheCallerAndShowTheirDataControl)
{
    CallerTag = QStringLiteral("RRC");
    Forms::get<Menu2>().Picture1_Click(7);
    EXPECT_EQ(CallerTag, "");
    EXPECT_TRUE(Forms::get<crcm>().c->Visible());

    CallerTag = QStringLiteral("PRC");
    Forms::get<Menu2>().Picture1_Click(8);
    EXPECT_EQ(CallerTag, "");
    EXPECT_TRUE(Forms::get<srcm>().s->Visible());
}

TEST_F(MainMenuTest, MenuItemsSayWhatTheyCannotDo)
{
    Menu2 &menu = Forms::get<Menu2>();
    menu.mm->trigger();
    menu.miq->trigger();
    menu.mim->trigger();
    menu.mps->trigger();
    EXPECT_EQ(m_services->printed, 1);
    m_services->printerWorks = false;
    menu.mps->trigger();
    menu.ht->trigger();
    const auto &log = m_messages.log();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0].text, "You are on the main Menu!");
    EXPECT_EQ(log[0].icon, vbExclamation);
    EXPECT_EQ(log[1].text, "Importing not available in this version of QUILLMARK!");
    EXPECT_EQ(log[2].text, log[1].text);
    EXPECT_EQ(log[3].text, "Printer Error");
    EXPECT_EQ(log[3].title, "Corvane");
    EXPECT_EQ(log[4].text, "Help is not available.");
    EXPECT_EQ(m_services->started, QStringList{"winhelp qmhlp.hlp"});
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    menu.en->trigger(); // no question
    EXPECT_EQ(m_services->quitCalls, 1);
}

using AboutTest = ScreenTest;

TEST_F(AboutTest, SystemInfoIsUnavailableWithoutTheRegistry)
{
    Forms::get<frmAbout>().cmdSysInfo->click();
    ASSERT_EQ(m_messages.log().size(), 1u);
    EXPECT_EQ(m_messages.log()[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(m_messages.log()[0].icon, 0);
    EXPECT_TRUE(m_services->started.isEmpty());
}

TEST_F(AboutTest, SystemInfoLooksInTheSecondKeyForTheProgram)
{
    const QString toolsKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location\\MSINFO");
    m_services->registry[toolsKey] = m_dir.path();
    m_services->programsStart = true;
    Forms::get<frmAbout>().StartSysInfo();
    EXPECT_EQ(m_messages.log().size(), 1u); // no MSINFO32.EXE there
    EXPECT_TRUE(m_services->started.isEmpty());

    QFile program(path("MSINFO32.EXE"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    Forms::get<frmAbout>().StartSysInfo();
    EXPECT_EQ(m_services->started, QStringList{m_dir.path() + "\\MSINFO32.EXE"});
}

TEST_F(AboutTest, RegistryTextLosesOnlyItsTerminatingNul)
{
    m_services->registry["k\\v"] = QStringLiteral("C:\\Tools") + QChar(0);
    m_services->registry["k\\w"] = QStringLiteral("C:\\Tools");
    QString value;
    EXPECT_TRUE(Forms::get<frmAbout>().GetKeyValue("HKEY_LOCAL_MACHINE", "k", "v", value));
    EXPECT_EQ(value, "C:\\Tools");
    EXPECT_TRUE(Forms::get<frmAbout>().GetKeyValue("HKEY_LOCAL_MACHINE", "k", "w", value));
    EXPECT_EQ(value, "C:\\Tools");
    EXPECT_FALSE(Forms::get<frmAbout>().GetKeyValue("HKEY_LOCAL_MACHINE", "k", "x", value));
    EXPECT_EQ(value, "");
}

} // namespace qm::test
