#include "bas/bas.h"
#include "contacts/crcm.h"
#include "contacts/srcm.h"
#include "platform/datacontrol.h"
#include "platform/form.h"
#include "reports/reports2.h"
#include "shell/ci.h"
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

TEST_F(SplashTest, GreetsTheUserAndShowsTheVersion)
{
    Main();
    frmSplash &splash = Forms::get<frmSplash>();
    EXPECT_EQ(splash.lblLicenseTo->Caption(), "Welcome tester !");
    EXPECT_EQ(UserName, "tester");
    EXPECT_EQ(splash.lblVersion->Caption(), "Version 3.1.1");
    EXPECT_EQ(splash.lblProductName->Caption(), "QUILLMARK");
    EXPECT_EQ(splash.Command2->Caption(), "Agree to terms ");
    EXPECT_EQ(QDir::currentPath(), QDir(m_dir.path()).canonicalPath());
}

TEST_F(SplashTest, AnEmptyOrOverlongNameGivesTheBareGreeting)
{
    m_services->logon = QString();
    Forms::get<frmSplash>();
    EXPECT_EQ(Forms::get<frmSplash>().lblLicenseTo->Caption(), "Welcome  !");
    Forms::discardAll();

    m_services->logon = QString(199, QLatin1Char('x'));
    EXPECT_EQ(Forms::get<frmSplash>().lblLicenseTo->Caption(), "Welcome  !");
    EXPECT_EQ(UserName, "");
}

TEST_F(SplashTest, AFailedNameCallIsReportedAndTheGreetingLeftOut)
{
    m_services->logon.reset();
    frmSplash &splash = Forms::get<frmSplash>();
    ASSERT_EQ(m_messages.log().size(), 1u);
    const MessageRecord &box = m_messages.log().front();
    EXPECT_EQ(box.text, "Stats.Form1.UserName453Can't find DLL entry point GetUserNameA in advapi32");
    EXPECT_EQ(box.title, "QUILLMARK");
    EXPECT_EQ(box.icon, 0);
    EXPECT_EQ(box.buttons, vbOKOnly);
    EXPECT_EQ(splash.lblLicenseTo->Caption(), "");
    EXPECT_EQ(UserName, "");
}

TEST_F(SplashTest, AgreeOpensTheMenuAndSuppressesHighlighting)
{
    Main();
    Forms::get<frmSplash>().Command2->click();
    EXPECT_FALSE(Forms::isLoaded<frmSplash>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_TRUE(SuppressHighlight);
}

TEST_F(SplashTest, AnyKeyOpensTheMenuWithoutSuppressingHighlighting)
{
    Main();
    frmSplash &splash = Forms::get<frmSplash>();
    pressKey(splash.Command1, Qt::Key_A, QStringLiteral("a"));
    EXPECT_FALSE(Forms::isLoaded<frmSplash>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_FALSE(SuppressHighlight);
    EXPECT_FALSE(Forms::isLoaded<Dialog>()); // the key did not also press the button
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

TEST_F(SplashTest, EnterOnDontAgreeOpensTheMenuAndDoesNotEndTheProgram)
{
    Main();
    frmSplash &splash = Forms::get<frmSplash>();
    pressKey(splash.Command3, Qt::Key_Return, QStringLiteral("\r"));
    processEvents();
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(m_services->quitCalls, 0);
    EXPECT_EQ(m_services->normalExits, 0);
}

TEST_F(SplashTest, DontAgreeEndsAtOnce)
{
    Main();
    Forms::get<frmSplash>().Command3->click();
    EXPECT_EQ(m_services->quitCalls, 1);
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
}

TEST_F(SplashTest, TheDisclaimerStaysOpenWhileTheUserAgrees)
{
    Main();
    Forms::get<frmSplash>().Command1->click();
    ASSERT_TRUE(Forms::isLoaded<Dialog>());
    EXPECT_EQ(Forms::get<Dialog>().Label2->Caption(),
              "This program is designed to help a typical small business prepare its accounts and BAS statements.");
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

TEST_F(SharedRoutinesTest, ReloadFormBringsTheFormBackFreshWithoutEndingTheProgram)
{
    Menu2 &menu = Forms::get<Menu2>();
    menu.Show();
    CallerTag = QStringLiteral("PRC");
    ReloadForm(menu);
    processEvents();
    ASSERT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_NE(&Forms::get<Menu2>(), nullptr);
    EXPECT_EQ(CallerTag, ""); // its loading ran again
    EXPECT_EQ(m_services->normalExits, 0);
}

TEST_F(SharedRoutinesTest, ClosingTheLastFormEndsTheProgram)
{
    Menu2 &menu = Forms::get<Menu2>();
    menu.Show();
    Forms::get<frmAbout>().Show();
    menu.close();
    processEvents();
    EXPECT_EQ(m_services->normalExits, 0); // the About box is still open
    Forms::get<frmAbout>().close();
    processEvents();
    EXPECT_EQ(m_services->normalExits, 1);
}

using MainMenuTest = ScreenTest;

TEST_F(MainMenuTest, PictureButtonsOpenTheirScreenAndUnloadTheMenu)
{
    Forms::get<Menu2>().Picture1_Click(2);
    EXPECT_TRUE(Forms::isLoaded<bas>());
    EXPECT_FALSE(Forms::isLoaded<Menu2>());

    Forms::get<Menu2>().Picture1_Click(9);
    EXPECT_TRUE(Forms::isLoaded<reports2>());
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
}

TEST_F(MainMenuTest, ClientsAndSuppliersEmptyTheCallerAndShowTheirDataControl)
{
    Menu2 &menu = Forms::get<Menu2>();
    CallerTag = QStringLiteral("RRC");
    menu.Picture1_Click(7);
    EXPECT_EQ(CallerTag, "");
    EXPECT_TRUE(Forms::get<crcm>().c->Visible());

    CallerTag = QStringLiteral("PRC");
    Forms::get<Menu2>().Picture1_Click(8);
    EXPECT_EQ(CallerTag, "");
    EXPECT_TRUE(Forms::get<srcm>().s->Visible());
}

TEST_F(MainMenuTest, TheBannerOpensNothingAndKeepsTheHourglass)
{
    Menu2 &menu = Forms::get<Menu2>();
    menu.Picture1_Click(1);
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_EQ(menu.MousePointer(), vbHourglass);
    menu.Picture1_MouseMove(3);
    EXPECT_EQ(menu.MousePointer(), vbCustom);
    menu.sspanel100_MouseMove();
    EXPECT_EQ(menu.MousePointer(), vbArrow);
}

TEST_F(MainMenuTest, MenuItemsSayWhatTheyCannotDo)
{
    Menu2 &menu = Forms::get<Menu2>();
    menu.mm->trigger();
    menu.miq->trigger();
    menu.mim->trigger();
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
}

TEST_F(MainMenuTest, PrintScreenPrintsWhenThereIsAPrinter)
{
    Forms::get<Menu2>().mps->trigger();
    EXPECT_EQ(m_services->printed, 1);
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(MainMenuTest, OrganisationInfoReplacesTheMenuAndAboutStaysBeside)
{
    Forms::get<Menu2>().a1->trigger();
    EXPECT_TRUE(Forms::isLoaded<frmAbout>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    Forms::get<Menu2>().moi->trigger();
    EXPECT_TRUE(Forms::isLoaded<CI>());
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
}

TEST_F(MainMenuTest, ExitNowEndsAtOnce)
{
    Forms::get<Menu2>().en->trigger();
    EXPECT_EQ(m_services->quitCalls, 1);
}

TEST_F(MainMenuTest, ScreensGoBackToTheMenu)
{
    Forms::get<bas>().mm->trigger();
    EXPECT_FALSE(Forms::isLoaded<bas>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
}

using AboutTest = ScreenTest;

TEST_F(AboutTest, ShowsTitleAndVersion)
{
    frmAbout &about = Forms::get<frmAbout>();
    EXPECT_EQ(about.Caption(), "About QUILLMARK");
    EXPECT_EQ(about.lblTitle->Caption(), "QUILLMARK");
    EXPECT_EQ(about.lblVersion->Caption(), "Version 3.1.1");
    about.cmdOK->click();
    EXPECT_FALSE(Forms::isLoaded<frmAbout>());
}

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
