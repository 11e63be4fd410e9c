#include "shell/module1.h"

#include "common/databases.h"
#include "common/format.h"
#include "data/error.h"
#include "data/folderlock.h"
#include "data/value.h"
#include "ledger/invoiceposting.h"
#include "platform/msgbox.h"
#include "platform/services.h"
#include "report/reportlayout.h"
#include "shell/frmsplash.h"

#include <QCoreApplication>
#include <QDir>

namespace qm {

QString CallerTag;
QString CurrentRecordId;
QString CurrentClientId;
QString EditMode;
FormRef PreviousForm;
QString UserName;
bool SuppressHighlight = false;
bool RecordLoading = false;
bool PreviousPressed = false;
std::unique_ptr<Database> JobListDatabase;
QString SelectedJobId;
QString OrgName, OrgAddress, OrgSuburb, OrgState, OrgPostcode, OrgPhone, OrgFax, OrgChequesPayableTo, OrgInvoicePhone,
    OrgSpecialMessage;

namespace {

// The lock on the books of the program folder, held until the process ends.
std::unique_ptr<FolderLock> booksLock;

// Two copies on one set of books would each write from rows the other has since changed: a
// second copy says so and opens nothing. Where no lock can be made (a folder that cannot be
// written) the screens say what is wrong with the folder.
bool holdBooks(const QString &folder)
{
    if (booksLock && booksLock->folder() == folder && booksLock->outcome() == FolderLock::Outcome::Held)
        return true;
    booksLock = std::make_unique<FolderLock>(folder, QStringLiteral("quillmark.lock"));
    if (booksLock->outcome() != FolderLock::Outcome::HeldByAnother)
        return true;
    booksLock.reset();
    exclaim(QStringLiteral("The books in %1 are already open in another copy of QUILLMARK. Use that copy, or close "
                           "it and start QUILLMARK again.")
                .arg(QDir::toNativeSeparators(folder)));
    return false;
}

} // namespace

void initialiseApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("QUILLMARK"));
    QCoreApplication::setApplicationVersion(QStringLiteral("3.1.1"));
    // Reports show money in the program's own formats.
    setReportNumberFormat(&Format);
}

QString versionText()
{
    return QStringLiteral("Version ") + QCoreApplication::applicationVersion();
}

void Main()
{
    const QString folder = services().programFolder();
    if (!holdBooks(folder))
        QuitApp();
    QDir::setCurrent(folder);
    // A books file that is missing or damaged (a failed copy or restore) is named at once,
    // and nothing is posted while one is.
    bool booksReadable = true;
    for (const QLatin1String file : {BookFile, BusinessFile}) {
        try {
            checkBooksFile(file);
        } catch (const Error &e) {
            MsgBox(e.Description(), vbExclamation);
            booksReadable = false;
        }
    }
    // Receipts saved just before the last session ended finish reaching their invoices; one
    // that still cannot is reported when the receipts screen opens.
    if (booksReadable)
        applyPendingPostings();
    Forms::get<frmSplash>().Show();
}

void CentreForm(Control &target)
{
    target.setTop(services().screenHeightTwips() * 0.85 / 2 - target.Height() / 2);
    target.setLeft(services().screenWidthTwips() / 2 - target.Width() / 2);
}

void QuitApp()
{
    services().quit();
    throw QuitRequested{}; // quit() never returns; this only tells the compiler so
}

void ReloadForm(Form &form)
{
    const FormRef self = form.Me();
    Forms::Unload(form);
    Forms::DoEvents();
    self.get().Show();
}

bool isDate(const QString &text)
{
    try {
        return Value(text).toDate().isValid();
    } catch (const Error &) {
        return false;
    }
}

void resetModule1()
{
    CallerTag.clear();
    CurrentRecordId.clear();
    CurrentClientId.clear();
    EditMode.clear();
    PreviousForm = FormRef();
    UserName.clear();
    SuppressHighlight = false;
    RecordLoading = false;
    PreviousPressed = false;
    JobListDatabase.reset();
    SelectedJobId.clear();
    for (QString *org : {&OrgName, &OrgAddress, &OrgSuburb, &OrgState, &OrgPostcode, &OrgPhone, &OrgFax,
                         &OrgChequesPayableTo, &OrgInvoicePhone, &OrgSpecialMessage})
        org->clear();
    booksLock.reset();
}

} // namespace qm
