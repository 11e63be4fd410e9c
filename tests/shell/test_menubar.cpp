// The standard menu bar: what each screen's bar reads, and what the standard items do.
#include "bas/bas.h"
#include "contacts/crcm.h"
#include "contacts/src.h"
#include "invoicing/inv.h"
#include "ledger/ctc.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/controls.h"
#include "shell/frmabout.h"
#include "shell/menu2.h"
#include "shell/screenskeleton.h"
#include "tests/support/testservices.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace qm::test {

namespace {
// The bar as text: each menu with its items, a greyed one in parentheses.
QString barText(Form &form)
{
    QStringList parts;
    for (QAction *action : form.menuBar()->actions()) {
        QString part = action->isEnabled() ? action->text() : QStringLiteral("(%1)").arg(action->text());
        if (QMenu *menu = action->menu()) {
            QStringList items;
            for (QAction *item : menu->actions())
                items << (item->isEnabled() ? item->text() : QStringLiteral("(%1)").arg(item->text()));
            part += QStringLiteral("[%1]").arg(items.join(QLatin1Char(',')));
        }
        parts << part;
    }
    return parts.join(QLatin1Char(' '));
}

// A screen that declares every kind of entry.
class SkeletonScreen : public Form
{
public:
    SkeletonScreen()
        : Form(QStringLiteral("SkeletonScreen"))
    {
        MenuBar(*this, QStringLiteral("Skeleton"))
            .mainMenu(&mm, Leaving::ask(QStringLiteral("Go to Menu?")).then([this] { ++leftByYes; }))
            .menu(QStringLiteral("&File..."), {{QStringLiteral("&Add"), &fa, [this] { ++added; }, false},
                                               {QStringLiteral("&Delete Current Record"), &fd}})
            .barItem({QStringLiteral("&Organisation Info"), &moi, [this] { ++added; }})
            .print(&mps)
            .help(&ht, &a1)
            .quit(&en, Leaving::ask(QStringLiteral("Cancel and exit?"), vbYesNoCancel));
    }

    MenuItem *mm, *fa, *fd, *moi, *mps, *ht, *a1, *en;
    int leftByYes = 0, added = 0;
};

class PlainScreen : public Form
{
public:
    PlainScreen()
        : Form(QStringLiteral("PlainScreen"))
    {
        MenuBar(*this, QStringLiteral("Plain"))
            .mainMenu(&mm, Leaving::check([this] { return mayLeave; }))
            .quit(&en, Leaving::check([this] { return mayLeave; }));
    }
    MenuItem *mm, *en;
    bool mayLeave = false;
};
} // namespace

using MenuBarTest = ScreenTest;

TEST_F(MenuBarTest, EveryScreenReadsAsBefore)
{
    const QString help = QStringLiteral("&Help...[&Help Topics,&About]");
    const struct
    {
        Form &(*open)();
        QString bar;
    } screens[] = {
        {[]() -> Form & { return Forms::get<Menu2>(); },
         "&Menu...[&Main Menu] &Print...[&Screen] &Import...[&QuickBooks,&MYOB] &Organisation Info " + help
             + " Quit...[&Exit Now]"},
        {[]() -> Form & { return Forms::get<PRC>(); },
         "&Menu...[&Main Menu] &Supplier...[&Add,&Edit] &Record...[&Delete] &Print...[&Screen] " + help
             + " Quit...[&Exit Now]"},
        {[]() -> Form & { return Forms::get<RRC>(); },
         "&Menu...[&Main Menu] &Supplier...[&Add,&Edit] &Record...[&Delete] &Print...[&Screen] " + help
             + " Quit...[&Exit Now]"},
        {[]() -> Form & { return Forms::get<crcm>(); },
         "&Menu...[&Main Menu] &File...[&Add,&Delete Current Record] " + help + " &Quit...[&Exit Now]"},
        {[]() -> Form & { return Forms::get<src>(); },
         "&Menu...[&Main Menu] &File...[&Add,&Delete Current Record] " + help + " &Quit...[&Exit Now]"},
        {[]() -> Form & { return Forms::get<CTC>(); },
         "&Menu...[&Main Menu] &File...[&Add a Job / Account,&Delete Current Record] " + help + " Quit...[&Exit Now]"},
        {[]() -> Form & { return Forms::get<bas>(); },
         "&Menu...[&Main Menu] (&File...)[&Add,&Delete Current Record] &Print...[&Screen] " + help
             + " &Quit...[&Exit Now]"},
        {[]() -> Form & { return Forms::get<INV>(); },
         "&Menu...[&Main Menu] &File...[(&Add a Contact),&Delete Current Record] &Organisation Info "
         "&Print...[&Screen] "
             + help + " Quit...[&Exit Now]"},
    };
    for (const auto &screen : screens) {
        Form &form = screen.open();
        EXPECT_EQ(barText(form), screen.bar) << form.Name().toStdString();
        Forms::discardAll();
    }
}

TEST_F(MenuBarTest, QuestionsStayOnAnythingButYes)
{
    SkeletonScreen &screen = Forms::get<SkeletonScreen>();
    m_messages.queueAnswer(vbNo);
    screen.mm->trigger();
    m_messages.queueAnswer(vbCancel);
    screen.en->trigger();
    EXPECT_EQ(screen.leftByYes, 0);
    EXPECT_EQ(m_services->quitCalls, 0);
    const auto &log = m_messages.log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].text, "Go to Menu?");
    EXPECT_EQ(log[0].title, "Skeleton");
    EXPECT_EQ(log[0].buttons, vbYesNo);
    EXPECT_EQ(log[1].text, "Cancel and exit?");
    EXPECT_EQ(log[1].title, "Quitting QUILLMARK");
    EXPECT_EQ(log[1].buttons, vbYesNoCancel);

    m_messages.queueAnswer(vbYes);
    screen.mm->trigger();
    EXPECT_EQ(screen.leftByYes, 1); // the screen's own leaving, not the main menu
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
    m_messages.queueAnswer(vbYes);
    screen.en->trigger();
    EXPECT_EQ(m_services->quitCalls, 1);
}

TEST_F(MenuBarTest, OwnItemsPrintHelpAndAbout)
{
    SkeletonScreen &screen = Forms::get<SkeletonScreen>();
    screen.fa->trigger(); // greyed: never runs
    screen.fd->trigger(); // no handler: does nothing
    screen.moi->trigger();
    EXPECT_EQ(screen.added, 1);
    m_services->printerWorks = false;
    screen.mps->trigger();
    screen.ht->trigger();
    screen.a1->trigger();
    EXPECT_TRUE(Forms::isLoaded<frmAbout>());
    EXPECT_TRUE(Forms::isLoaded(screen));
    const auto &log = m_messages.log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].text, "Printer Error");
    EXPECT_EQ(log[0].title, "Skeleton");
    EXPECT_EQ(log[0].icon, vbExclamation);
    EXPECT_EQ(log[1].text, "Help is not available.");

    // With no printer set up, Print > Screen asks the print dialog: cancelled, nothing is
    // printed and nothing is said; answered with a file, the screen's image goes to it.
    m_messages.clear();
    m_services->printerWorks = true;
    m_services->defaultPrinter = false;
    screen.mps->trigger();
    EXPECT_EQ(m_services->printDialogs, 1);
    EXPECT_EQ(m_services->printed, 0);
    m_services->dialogAnswers << "screen.pdf";
    screen.mps->trigger();
    EXPECT_EQ(m_services->printed, 1);
    EXPECT_GT(QFileInfo(path("screen.pdf")).size(), 1000);
    EXPECT_TRUE(m_messages.log().empty());
}

TEST_F(MenuBarTest, AScreensOwnCheckDecides)
{
    Forms::get<PlainScreen>().mm->trigger();
    Forms::get<PlainScreen>().en->trigger();
    EXPECT_TRUE(Forms::isLoaded<PlainScreen>());
    EXPECT_EQ(m_services->quitCalls, 0);
    Forms::get<PlainScreen>().mayLeave = true;
    Forms::get<PlainScreen>().mm->trigger();
    EXPECT_FALSE(Forms::isLoaded<PlainScreen>());
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    PlainScreen &again = Forms::get<PlainScreen>();
    again.mayLeave = true;
    again.en->trigger();
    EXPECT_EQ(m_services->quitCalls, 1);
    EXPECT_TRUE(m_messages.log().empty());
}

} // namespace qm::test
