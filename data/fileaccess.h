#pragma once

#include "data/error.h"

#include <QString>

namespace qm {

// The errors for a database file the program cannot use. Each names the file and says what is
// wrong with it: "<file> cannot be opened: <what>." Error 3024 for the file itself, 3051 for a
// folder that cannot be written, 3078 for a table the file lacks.

// Before SQLite sees the file: Error 3024 when it is missing, empty or plainly no database.
// SQLite would open an empty file as an empty database and delete a WAL file left beside it,
// and leave a shared-memory file beside a file that is no database.
void checkDatabaseFile(const QString &path);

// The error for a database file at `path` that could not be opened or read for `reason`:
// when its folder cannot be written, it says so and names the file and the folder.
Error unreadableFileError(const QString &path, const QString &reason);

// A file that SQLite reads as a database but that holds no table at all.
Error noTablesError(const QString &path);

// A table the file lacks: it is damaged, or another file stands under its name.
Error missingTableError(const QString &path, const QString &table);

// Whether an error says that a database file cannot be used at all, rather than something of
// its rows: the screens name the file rather than take it for empty.
bool isUnusableFile(const Error &error);

} // namespace qm
