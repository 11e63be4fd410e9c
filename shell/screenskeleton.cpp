#include "shell/screenskeleton.h"

#include "data/error.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/services.h"
#include "shell/frmabout.h"
#include "shell/menu2.h"
#include "shell/module1.h"

#include <QMenu>

namespace qm {

namespace {
const QString QuittingTitle = QStringLiteral("Quitting QUILLMARK");

bool mayLeave(const Leaving &leaving, const QString &title)
{
    if (!leaving.question.isEmpty() && MsgBox(leaving.question, leaving.buttons, title) != vbYes)
        return false;
    return !leaving.mayLeave || leaving.mayLeave();
}
} // namespace

Leaving Leaving::ask(const QString &question, int buttons)
{
    Leaving leaving;
    leaving.question = question;
    leaving.buttons = buttons;
    return leaving;
}

Leaving Leaving::check(std::function<bool()> mayLeave)
{
    Leaving leaving;
    leaving.mayLeave = std::move(mayLeave);
    return leaving;
}

Leaving Leaving::then(std::function<void()> onYes) const
{
    Leaving leaving = *this;
    leaving.onYes = std::move(onYes);
    return leaving;
}

OwnItem::OwnItem(QString caption, MenuItem **member, std::function<void()> onClick, bool enabled)
    : caption(std::move(caption))
    , member(member)
    , onClick(std::move(onClick))
    , enabled(enabled)
{
}

MenuBar::MenuBar(Form &screen, QString title)
    : m_screen(screen)
    , m_title(std::move(title))
{
}

MenuItem *MenuBar::add(QMenu *menu, const QString &caption, MenuItem **member, std::function<void()> onClick)
{
    MenuItem *item = m_screen.addMenuItem(menu, caption);
    item->onClick = std::move(onClick);
    *member = item;
    return item;
}

MenuBar &MenuBar::mainMenu(MenuItem **mm, Leaving leaving)
{
    QMenu *menu = m_screen.addMenu(QStringLiteral("&Menu..."));
    add(menu, QStringLiteral("&Main Menu"), mm, [screen = &m_screen, title = m_title, leaving] {
        if (!mayLeave(leaving, title))
            return;
        if (leaving.onYes)
            leaving.onYes();
        else
            goToMainMenu(*screen);
    });
    return *this;
}

MenuBar &MenuBar::menu(const QString &caption, const std::vector<OwnItem> &items, bool enabled, QMenu **kept)
{
    QMenu *menu = m_screen.addMenu(caption);
    for (const OwnItem &item : items)
        add(menu, item.caption, item.member, item.onClick)->setEnabled(item.enabled);
    menu->menuAction()->setEnabled(enabled);
    if (kept)
        *kept = menu;
    return *this;
}

MenuBar &MenuBar::barItem(const OwnItem &item)
{
    add(nullptr, item.caption, item.member, item.onClick)->setEnabled(item.enabled);
    return *this;
}

MenuBar &MenuBar::print(MenuItem **mps)
{
    QMenu *menu = m_screen.addMenu(QStringLiteral("&Print..."));
    add(menu, QStringLiteral("&Screen"), mps, [screen = &m_screen, title = m_title] { printScreen(*screen, title); });
    return *this;
}

MenuBar &MenuBar::help(MenuItem **ht, MenuItem **about)
{
    QMenu *menu = m_screen.addMenu(QStringLiteral("&Help..."));
    add(menu, QStringLiteral("&Help Topics"), ht, [] { showHelpTopics(); });
    add(menu, QStringLiteral("&About"), about, [] { Forms::get<frmAbout>().Show(); });
    return *this;
}

MenuBar &MenuBar::quit(MenuItem **en, Leaving leaving, const QString &caption)
{
    QMenu *menu = m_screen.addMenu(caption);
    add(menu, QStringLiteral("&Exit Now"), en, [leaving] {
        if (!mayLeave(leaving, QuittingTitle))
            return;
        if (leaving.onYes)
            leaving.onYes();
        else
            QuitApp();
    });
    return *this;
}

void goToMainMenu(Form &screen)
{
    Forms::get<Menu2>().Show();
    Forms::Unload(screen);
}

void printScreen(Form &screen, const QString &title)
{
    try {
        services().printWindow(screen);
    } catch (const Error &e) {
        showPrintFailure(e, Printout::ScreenImage, title);
    }
}

void showPrintFailure(const Error &error, Printout printout, const QString &title)
{
    if (error.Number() == ErrorCode::PrintCancelled)
        return;
    const bool printer = printout == Printout::ScreenImage || error.Number() == ErrorCode::PrinterError;
    MsgBox(printer ? QStringLiteral("Printer Error") : QStringLiteral("Report Error: ") + error.Description(),
           vbExclamation, title);
}

void showHelpTopics()
{
    // There is no viewer for the old help file on this system as a rule; say so plainly.
    if (!services().startProgram(QStringLiteral("winhelp qmhlp.hlp")))
        MsgBox(QStringLiteral("Help is not available."), vbExclamation);
}

} // namespace qm
