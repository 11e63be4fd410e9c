#pragma once

#include "data/database.h"
#include "platform/form.h"

#include <QString>
#include <memory>

// The program's one shared module: start-up, the shared routines, and the process-wide
// variables through which one screen hands work to another.
namespace qm {

// Hand-over between screens.
extern QString CallerTag;       // "PRC", "RRC" or empty: who opened the current screen
extern QString CurrentRecordId; // supplier key for src; empty means a new supplier
extern QString CurrentClientId; // client key for crc; empty means a new client
extern QString EditMode;        // "Adding" or "Editing"
extern FormRef PreviousForm;    // where the contact screens' bottom Cancel goes back to
extern QString UserName;        // the logon name, read by the splash

// Flags of the entry screens.
extern bool SuppressHighlight;
extern bool RecordLoading;
extern bool PreviousPressed;

// The job/account list's own database and chosen row.
extern std::unique_ptr<Database> JobListDatabase;
extern QString SelectedJobId;

// The organisation's details of the invoice on screen.
extern QString OrgName, OrgAddress, OrgSuburb, OrgState, OrgPostcode, OrgPhone, OrgFax, OrgChequesPayableTo,
    OrgInvoicePhone, OrgSpecialMessage;

// Sets the application's title and version (before any form is shown).
void initialiseApplication();
// "Version 3.1.1"
QString versionText();

// Start-up: the program folder is held for this process (a second copy on it says the books are
// open and ends), becomes current, and the splash is shown.
void Main();
// Places a form or panel a little above the middle of the screen (twips).
void CentreForm(Control &target);
// Ends the program at once; nothing is asked and nothing is written.
[[noreturn]] void QuitApp();
// Unloads a form, lets pending events run once, and shows it again afresh.
void ReloadForm(Form &form);
// Whether a typed text is a day a date column can hold: what a write of it will store.
bool isDate(const QString &text);

// Resets every shared variable to empty and lets go of the books (tests).
void resetModule1();

} // namespace qm
