#pragma once

#include "platform/msgbox.h"

#include <QString>
#include <functional>
#include <vector>

class QMenu;

namespace qm {

class Error;
class Form;
class MenuItem;

// The standard menu bar of a main screen. The screen describes it once, from left to right;
// the standard items (Main Menu, Print > Screen, Help Topics, About, Exit Now) get their usual
// handlers here, the screen's own items the handlers it names. Every item is kept in the
// screen's member of its historical name (`mm`, `fa`, `en`, ...), created when it is declared:
//
//     MenuBar(*this, appTitle())
//         .mainMenu(&mm, Leaving::ask(QStringLiteral("Cancel edit and go to Menu?")).then([this] { cancel(); }))
//         .menu(QStringLiteral("&File..."), {{QStringLiteral("&Add"), &fa, [this] { fa_Click(); }}})
//         .print(&mps)
//         .help(&ht, &a1)
//         .quit(&en, Leaving::ask(QStringLiteral("Cancel current edit and exit?"), vbYesNoCancel));

// How Main Menu or Exit Now leave the screen. By default nothing is asked and the leaving is
// the standard one: Main Menu shows the main menu and unloads the screen, Exit Now ends the
// program at once.
struct Leaving
{
    // Asks `question` first (under the bar's title for Main Menu, "Quitting QUILLMARK" for
    // Exit Now); any answer but Yes stays on the screen.
    static Leaving ask(const QString &question, int buttons = vbYesNo);
    // The screen's own check (which may ask its own question): false stays on the screen.
    static Leaving check(std::function<bool()> mayLeave);
    // What leaving does in place of the standard.
    Leaving then(std::function<void()> onYes) const;

    QString question;
    int buttons = vbYesNo;
    std::function<bool()> mayLeave;
    std::function<void()> onYes;
};

// An item of the screen's own: its caption, the member that keeps it, what a click does
// (nothing when empty), and whether it is greyed.
struct OwnItem
{
    OwnItem(QString caption, MenuItem **member, std::function<void()> onClick = {}, bool enabled = true);

    QString caption;
    MenuItem **member;
    std::function<void()> onClick;
    bool enabled;
};

class MenuBar
{
public:
    // `title` heads the message boxes of the standard items: the Main Menu question and
    // "Printer Error".
    MenuBar(Form &screen, QString title);

    // "&Menu..." with "&Main Menu".
    MenuBar &mainMenu(MenuItem **mm, Leaving leaving = {});
    // A menu of the screen's own items. A greyed menu cannot be opened, so its items never
    // run; `menu` keeps the menu when the screen needs it later.
    MenuBar &menu(const QString &caption, const std::vector<OwnItem> &items, bool enabled = true,
                  QMenu **menu = nullptr);
    // An item on the bar itself (such as "&Organisation Info").
    MenuBar &barItem(const OwnItem &item);
    // "&Print..." with "&Screen": prints the screen's image; "Printer Error" when it cannot.
    MenuBar &print(MenuItem **mps);
    // "&Help..." with "&Help Topics" and "&About" (the About box over the screen).
    MenuBar &help(MenuItem **ht, MenuItem **about);
    // `caption` ("Quit..." or "&Quit...") with "&Exit Now".
    MenuBar &quit(MenuItem **en, Leaving leaving = {}, const QString &caption = QStringLiteral("Quit..."));

private:
    MenuItem *add(QMenu *menu, const QString &caption, MenuItem **member, std::function<void()> onClick);

    Form &m_screen;
    QString m_title;
};

// The standard handlers, for screens that run them from elsewhere (a "Menu" button).

// Shows the main menu and unloads `screen`.
void goToMainMenu(Form &screen);
// Prints the screen's image; "Printer Error" (exclamation, under `title`) on any failure but
// the user's cancelling the print dialog.
void printScreen(Form &screen, const QString &title);

// What was to be printed or previewed when it failed.
enum class Printout {
    ScreenImage, // every failure is the printer's
    Report,      // the report file, its formula or its data may fail too
};
// Says why a print or a report run failed: nothing when the user cancelled the print dialog
// (nothing was printed), else "Printer Error", or for a report's own failure "Report Error: "
// and what failed, with the exclamation icon under `title`.
void showPrintFailure(const Error &error, Printout printout, const QString &title = appTitle());
// Starts the help viewer, or says that help is not available.
void showHelpTopics();

} // namespace qm
