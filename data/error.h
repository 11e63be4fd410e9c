#pragma once

#include <QString>
#include <stdexcept>

namespace qm {

// A run-time error as the screens' handlers see it: a number and a description.
// Handlers that trap errors catch this type; anything else is a bug.
class Error : public std::runtime_error
{
public:
    Error(int number, const QString &description);
    // The number with its standard text (see standardErrorText).
    explicit Error(int number);

    int Number() const;
    QString Description() const;

private:
    int m_number;
    QString m_description;
};

// Every error number the program raises, in one table: a failure always comes out under the
// same number, whichever layer raises it. The numbers follow the old runtime's and engine's
// where one existed. Raise them by name, never by a literal or by arithmetic on another code.
namespace ErrorCode {
constexpr int InvalidProcedureCall = 5;
constexpr int IndexOutOfRange = 9; // an indexed property given a negative index
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int NoSuchFile = 53;   // a file named by the screens (a picture, a program)
constexpr int ObjectNotSet = 91; // a form or recordset reference that names nothing
constexpr int InvalidUseOfNull = 94;
constexpr int NoSuchArrayElement = 340;
constexpr int InvalidPropertyValue = 380;
constexpr int SubscriptOutOfRange = 381; // grid TextMatrix, RowData, ColWidth
constexpr int ReadOnlyProperty = 383;
constexpr int NoDllEntryPoint = 453; // a system call that is not there
constexpr int InvalidPicture = 481;
constexpr int PrinterError = 482;
constexpr int DatabaseError = 3000;       // anything else the engine reports
constexpr int UserNameUnavailable = 3001; // the logon name could not be read
constexpr int UpdateWithoutEdit = 3020;
constexpr int NoCurrentRecord = 3021;
constexpr int FileNotFound = 3024; // a database file
// A database file whose folder cannot be written: SQLite writes beside a shared file (its log
// and index files) even to read it.
constexpr int FolderNotWritable = 3051;
constexpr int NotUpdatable = 3027;
constexpr int SyntaxError = 3075;
constexpr int TableNotFound = 3078;
constexpr int TrailingCharacters = 3142;
constexpr int InvalidBookmark = 3159;
constexpr int RecordIsDeleted = 3167;
constexpr int InvalidOperation = 3219;
constexpr int ItemNotFound = 3265; // no field of that name
constexpr int CheckFailed = 3317;  // a value the column cannot hold
constexpr int ObjectClosed = 3420;
constexpr int DataTypeConversion = 3421;
constexpr int ActionCancelled = 3426;
constexpr int InvalidRow = 30009;         // grid Row, RowSel
constexpr int InvalidCol = 30010;         // grid Col, ColSel
constexpr int ReportFileNotFound = 20504; // no report file of that name, or none named
constexpr int FormulaError = 20515;       // a selection formula or sort field the report engine refuses
constexpr int BadReportFile = 20525;      // a file that is no report definition the engine can read
constexpr int PrintCancelled = 20545;     // the user cancelled the print dialog: nothing was printed
} // namespace ErrorCode

// The text a number is raised with when the raiser has nothing more specific to say
// ("Type mismatch" for 13); "Error <n>" for a number that has none.
QString standardErrorText(int number);

} // namespace qm
