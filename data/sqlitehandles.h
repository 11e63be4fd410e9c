#pragma once

#include "data/error.h"
#include "data/value.h"

#include <QString>
#include <sqlite3.h>

// The SQLite handles under the database layer: the connection, prepared statements and
// the errors SQLite reports, as qm::Error.
namespace qm {

// The error SQLite reports on a handle: a value the column cannot hold (a CHECK or NOT NULL)
// is Error 3317, a table the file lacks Error 3078 naming the file, anything else Error 3000.
Error sqliteError(sqlite3 *db);

// A prepared statement that is finalised when it goes out of scope.
class Statement
{
public:
    Statement() = default;
    // One statement; anything after it but a ";" is Error 3142.
    Statement(sqlite3 *db, const QString &sql);
    ~Statement() { finalize(); }
    Statement(Statement &&other) noexcept { swap(other); }
    Statement &operator=(Statement &&other) noexcept
    {
        Statement moved(std::move(other));
        swap(moved);
        return *this;
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

    // True with a row, false when done.
    bool step();
    // Parameters count from 1; dates are bound as ISO text.
    void bind(int index, const Value &value);
    // Ends the statement's read, so that no transaction stays open between calls.
    void reset();
    void finalize();

private:
    void swap(Statement &other) noexcept
    {
        std::swap(m_db, other.m_db);
        std::swap(m_stmt, other.m_stmt);
    }

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};

// Resets a statement when the scope ends, whatever way it ends.
class ResetOnExit
{
public:
    explicit ResetOnExit(Statement &statement)
        : m_statement(statement)
    {
    }
    ~ResetOnExit() { m_statement.reset(); }
    ResetOnExit(const ResetOnExit &) = delete;
    ResetOnExit &operator=(const ResetOnExit &) = delete;

private:
    Statement &m_statement;
};

// Column i of the statement's current row as text.
QString columnText(sqlite3_stmt *stmt, int i);

// An open file, shared by a database and its recordsets. LIKE follows the old engine's
// wildcards. A file that is missing, empty, no database or holds no table is Error 3024
// naming it (data/fileaccess.h); opening never creates or changes a file.
class Connection
{
public:
    Connection(const QString &path, bool readOnly);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }
    QString path() const { return m_path; }
    bool writable() const;

private:
    sqlite3 *m_db = nullptr;
    QString m_path;
    bool m_readOnly;
};

} // namespace qm
