#pragma once

#include <QLatin1String>
#include <memory>

namespace qm {

class Database;

// The program's database files, under the names the screens open them by (in the program
// folder), and the connect strings they are opened with; the database layer and the report
// control accept the connect strings and ignore them.
inline constexpr QLatin1String BookFile("qm.mdb");      // clients, suppliers, payments, receipts
inline constexpr QLatin1String BusinessFile("qm1.mdb"); // the organisation, jobs/accounts, invoices
inline constexpr QLatin1String PlacesFile("db1.mdb");   // the Australian places, read only
inline constexpr QLatin1String PasswordConnect(";pwd=pillowcanters");
inline constexpr QLatin1String AccessConnect("Access");
inline constexpr QLatin1String ReportConnect(";;PWD = pillowcanters;"); // the report control's

// Opens a program database shared and writable, with the password, as the screens' own
// reads and writes do.
std::unique_ptr<Database> openProgramDatabase(QLatin1String file);

// Opens one of the books (BookFile, BusinessFile) and reads that each table it was made with is
// there; the Error that names the file and what is wrong with it when not. Writes nothing.
void checkBooksFile(QLatin1String file);

} // namespace qm
