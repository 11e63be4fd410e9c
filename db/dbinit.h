#pragma once

#include <QString>

// Builds the program's database files from their schema scripts. Used by the build (qm_mkdb)
// to lay out a fresh program folder; never by the running program, which only opens files.
namespace qm::dbinit {

// Creates a new database file at `path` and runs the SQL script `schemaSqlFile` on it.
// Throws std::runtime_error when the file (or a journal of it) already exists or the script
// fails; a half-made file is removed again.
void createDatabase(const QString &path, const QString &schemaSqlFile);

// Inserts the places of `tsvFile` (header "id<TAB>location<TAB>state<TAB>postcode", then one
// place a line, UTF-8) into the postcode table of the existing database `path`, all in one
// transaction. Throws std::runtime_error on a malformed line or a failed insert; nothing is
// kept then.
void loadPlaces(const QString &path, const QString &tsvFile);

} // namespace qm::dbinit
