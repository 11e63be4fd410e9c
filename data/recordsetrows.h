#pragma once

#include "data/fieldvalues.h"
#include "data/sqlitehandles.h"
#include "data/value.h"

#include <QStringList>
#include <memory>
#include <vector>

// How a recordset holds and reads its rows: one strategy per kind (a keyset of rowids, a
// snapshot copied at open, a forward-only read), behind one interface the recordset moves with.
namespace qm {

// The actions a recordset tells its observer of.
enum RecordsetAction {
    MoveFirstAction = 1,
    MovePreviousAction = 2,
    MoveNextAction = 3,
    MoveLastAction = 4,
    AddNewAction = 5,
    DeleteAction = 7,
    BookmarkAction = 9
};

// Where a recordset stands and the values of its current row.
struct Cursor
{
    enum class Where { Bof, Row, Eof, Deleted };
    Where where = Where::Eof;
    int pos = -1; // Row: its index; Deleted: the index of the row that followed it
    std::vector<Value> current;

    void at(int index)
    {
        where = Where::Row;
        pos = index;
    }
    // Off the rows: at BOF for an index before the first, else at EOF. Returns false.
    bool off(int index)
    {
        where = index < 0 ? Where::Bof : Where::Eof;
        pos = -1;
        current.clear();
        return false;
    }
};

class Rows
{
public:
    explicit Rows(std::vector<FieldInfo> fields);
    virtual ~Rows();
    Rows(const Rows &) = delete;
    Rows &operator=(const Rows &) = delete;

    const std::vector<FieldInfo> &fields() const { return m_fields; }

    virtual int count() const = 0;
    // Makes row `index` current, skipping in `direction` (1 or -1) past rows that another
    // connection deleted since the open; lands at BOF/EOF when it runs out of rows.
    // True when a row became current.
    virtual bool land(Cursor &cursor, int index, int direction) = 0;
    // Refuses a move other than MoveNext (which every kind makes) that this kind cannot make,
    // before anyone hears of it. Default: none.
    virtual void checkMove(const Cursor &cursor, int action) const;
    // A bookmark names row `index` for as long as the recordset is open. Default: Error 3219.
    virtual qint64 bookmark(int index) const;
    // Makes the row of a bookmark current: Error 3159 for none, 3167 for a deleted one.
    // Default: Error 3219.
    virtual void seek(Cursor &cursor, qint64 bookmark);

    // Only a keyset over one table of a writable file writes; the defaults refuse (3027).
    virtual bool updatable() const;
    // Row `index` as the file holds it now; false when it has gone.
    virtual bool reread(int index, std::vector<Value> &values);
    // Writes a new row of the given columns; returns its bookmark. The row joins the end.
    virtual qint64 insert(const QStringList &columns, const std::vector<const Value *> &values);
    // Writes columns of row `index`; returns its bookmark. Error 3167 when it has gone.
    virtual qint64 update(int index, const QStringList &columns, const std::vector<const Value *> &values);
    // Deletes row `index`, which leaves the rows either way; false when it had already gone.
    virtual bool remove(int index);

private:
    std::vector<FieldInfo> m_fields;
};

// The statements of a keyset: its rowids in order (with a fallback for an order by that
// names a column alias), and one row by rowid.
struct KeysetQueries
{
    QString keys;
    QString keysFallback; // "" for none
    QString row;
};

// Rowids taken at open; each move reads its row afresh. Writes `table` (its real name).
std::unique_ptr<Rows> openKeyset(const Connection &connection, const KeysetQueries &queries, const QString &table);
// Every row copied at open; read-only.
std::unique_ptr<Rows> openSnapshot(const Connection &connection, const QString &sql,
                                   const std::vector<Value> &parameters = {});
// Reads one row at a time; read-only, MoveNext only. It holds its statement (and a read of
// the file) until it is read to the end or closed.
std::unique_ptr<Rows> openForwardOnly(const Connection &connection, const QString &sql,
                                      const std::vector<Value> &parameters = {});

} // namespace qm
