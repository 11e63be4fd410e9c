#pragma once

#include "data/value.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A small DAO-style database layer over SQLite: a database opened by name relative to the
// program folder, recordsets that move over rows and edit them, fields typed as the schema
// declares them. Errors are qm::Error exceptions. No SQLite statement or transaction stays
// open between calls, so two screens can work on one file.
namespace qm {

class Connection; // the open SQLite handle, shared by a database and its recordsets

// The kind of a column as the schema declares it.
enum class FieldType { Counter, Long, Double, Currency, Date, Boolean, Text, Memo, Binary };

enum class RecordsetType {
    Table = 1,       // a bare table: all rows in key order, updatable
    Dynaset = 2,     // keyset of the rows at open; updatable when over one table
    Snapshot = 4,    // all rows copied at open; read-only
    ForwardOnly = 8, // read-only, MoveNext only; for code that only sums. It holds its statement
                     // (and a read of the file) until it is read to the end or closed.
};

// (Named EditState so that it never clashes with the screens' own EditMode text.)
enum class EditState { None = 0, InProgress = 1, Add = 2 };

class Recordset;

// A moving recordset tells its observer (the bound data control) before it leaves the
// current row and after a row became current. Action codes: 1 first, 2 previous, 3 next,
// 4 last, 5 add new, 7 delete, 9 bookmark. An exception from willMove cancels the move.
class RecordsetObserver
{
public:
    virtual ~RecordsetObserver() = default;
    virtual void recordsetWillMove(Recordset &rs, int action) = 0;
    virtual void recordsetMoved(Recordset &rs, int action) = 0;
};

// One field of the current row (or of the edit buffer while editing or adding).
class FieldRef
{
public:
    FieldRef(Recordset &rs, int index);

    QString Name() const;
    FieldType Type() const;
    Value value() const;
    void setValue(const Value &v); // only between Edit/AddNew and Update

private:
    Recordset *m_rs;
    int m_index;
};

// A dynaset reads its current row by rowid on each move. A row that another connection
// deleted since the keyset was taken is skipped by moves and is Error 3167 through a bookmark.
// After AddNew + Update the row current before AddNew stays current; LastModified names the
// new row (Error 3021 while nothing was written). MoveFirst/MoveLast on an empty recordset and
// Delete while a new row is pending are Error 3021.
class Recordset
{
public:
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    void MoveFirst();
    void MovePrevious();
    void MoveNext();
    void MoveLast();
    bool Bof() const;
    bool Eof() const;
    int RecordCount() const;
    int AbsolutePosition() const; // 0-based; -1 at BOF/EOF or while adding

    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    EditState EditMode() const;
    bool Updatable() const;

    // A bookmark names a row for as long as the recordset is open.
    qint64 Bookmark() const;
    void setBookmark(qint64 bookmark);
    qint64 LastModified() const;

    int FieldCount() const;
    int FieldIndex(const QString &name) const; // -1 when there is none (case-insensitive)
    FieldRef Fields(const QString &name);      // Error 3265 when there is none
    FieldRef Fields(int index);
    Value field(const QString &name) const; // shorthand for Fields(name).value()
    Value field(int index) const;

    void Close();
    bool isOpen() const;

    void setObserver(RecordsetObserver *observer);

    // Used by FieldRef.
    QString fieldName(int index) const;
    FieldType fieldType(int index) const;
    void setField(int index, const Value &v);

private:
    friend class Database;
    Recordset();
    // A table or a select, on a connection of the database.
    static std::unique_ptr<Recordset> open(std::shared_ptr<Connection> connection, const QString &source,
                                           RecordsetType type);
    // A read-only select in SQLite's dialect with bound parameters.
    static std::unique_ptr<Recordset> openQuery(std::shared_ptr<Connection> connection, const QString &select,
                                                const std::vector<Value> &parameters, RecordsetType type);
    struct Impl;
    std::unique_ptr<Impl> d;
};

class Database
{
public:
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // `path` is absolute or relative to the program folder ("\" separators allowed).
    // Opening never creates or changes a file: one that is missing, unreadable, empty or holds no
    // table is Error 3024 naming it; a table it lacks is Error 3078 when it is read.
    // `connect` (";pwd=...", "Access") is accepted and ignored.
    static std::unique_ptr<Database> open(const QString &path, bool readOnly = false, const QString &connect = {});

    // A table name, or a select in the old engine's dialect (date literals, like, ...).
    std::unique_ptr<Recordset> OpenRecordset(const QString &source, RecordsetType type = RecordsetType::Dynaset);
    // A select in SQLite's own dialect whose `?` parameters take `parameters` in order, so no
    // value is ever part of the SQL text. Read-only: ForwardOnly, or a snapshot for any other type.
    std::unique_ptr<Recordset> OpenQuery(const QString &select, const std::vector<Value> &parameters,
                                         RecordsetType type = RecordsetType::ForwardOnly);
    // Runs an action query in the old engine's dialect; returns the rows it affected.
    int Execute(const QString &sql);
    void Close();
    QString Name() const;

    // The plan SQLite picks for a select (EXPLAIN QUERY PLAN details, one per line).
    QStringList queryPlan(const QString &select);

private:
    Database();
    std::shared_ptr<Connection> m_connection;
    QString m_name;
};

// The engine object the screens open databases through.
class DBEngineClass
{
public:
    std::unique_ptr<Database> OpenDatabase(const QString &name, bool exclusive = false, bool readOnly = false,
                                           const QString &connect = {});
};

DBEngineClass &DBEngine();

} // namespace qm
