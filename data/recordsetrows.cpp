#include "data/recordsetrows.h"

#include "data/error.h"
#include "data/jetsql.h"

#include <algorithm>
#include <optional>

namespace qm {

Rows::Rows(std::vector<FieldInfo> fields)
    : m_fields(std::move(fields))
{
}

Rows::~Rows() = default;

void Rows::checkMove(const Cursor &, int) const {}

qint64 Rows::bookmark(int) const
{
    throw Error(ErrorCode::InvalidOperation);
}

void Rows::seek(Cursor &, qint64)
{
    throw Error(ErrorCode::InvalidOperation);
}

bool Rows::updatable() const
{
    return false;
}

bool Rows::reread(int, std::vector<Value> &)
{
    return false;
}

qint64 Rows::insert(const QStringList &, const std::vector<const Value *> &)
{
    throw Error(ErrorCode::NotUpdatable);
}

qint64 Rows::update(int, const QStringList &, const std::vector<const Value *> &)
{
    throw Error(ErrorCode::NotUpdatable);
}

bool Rows::remove(int)
{
    throw Error(ErrorCode::NotUpdatable);
}

namespace {

// ---- Keyset ----

class KeysetRows : public Rows
{
public:
    KeysetRows(sqlite3 *db, Statement readRow, const QString &table, bool writable)
        : Rows(describeFields(db, readRow.get(), table))
        , m_db(db)
        , m_readRow(std::move(readRow))
        , m_table(SqlName(table))
        , m_writable(writable)
    {
    }

    void takeKeys(Statement &keyset)
    {
        while (keyset.step())
            m_keys.push_back(sqlite3_column_int64(keyset.get(), 0));
        m_keysAscending = std::is_sorted(m_keys.begin(), m_keys.end());
    }

    int count() const override { return int(m_keys.size()); }

    bool land(Cursor &cursor, int index, int direction) override
    {
        while (index >= 0 && index < count()) {
            if (readKey(m_keys[size_t(index)], cursor.current)) {
                cursor.at(index);
                return true;
            }
            m_keys.erase(m_keys.begin() + index);
            if (direction < 0)
                --index;
        }
        return cursor.off(index);
    }

    qint64 bookmark(int index) const override { return m_keys[size_t(index)]; }

    void seek(Cursor &cursor, qint64 bookmark) override
    {
        const int index = indexOfKey(bookmark);
        if (index < 0)
            throw Error(ErrorCode::InvalidBookmark);
        std::vector<Value> values;
        if (!readKey(bookmark, values)) {
            // Another connection deleted it; the row the recordset is on stays put.
            m_keys.erase(m_keys.begin() + index);
            if (cursor.where != Cursor::Where::Bof && cursor.where != Cursor::Where::Eof && cursor.pos > index)
                --cursor.pos;
            throw Error(ErrorCode::RecordIsDeleted);
        }
        cursor.current = std::move(values);
        cursor.at(index);
    }

    bool updatable() const override { return m_writable; }

    bool reread(int index, std::vector<Value> &values) override { return readKey(m_keys[size_t(index)], values); }

    qint64 insert(const QStringList &columns, const std::vector<const Value *> &values) override
    {
        QString sql = QStringLiteral("insert into %1 default values").arg(m_table);
        if (!columns.isEmpty())
            sql = QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(m_table, columns.join(QLatin1String(", ")),
                           QStringList(columns.size(), QStringLiteral("?")).join(QLatin1String(", ")));
        Statement insert(m_db, sql);
        for (int i = 0; i < int(values.size()); ++i)
            insert.bind(i + 1, *values[size_t(i)]);
        insert.step();
        const qint64 rowid = sqlite3_last_insert_rowid(m_db);
        m_keysAscending = m_keysAscending && (m_keys.empty() || rowid > m_keys.back());
        m_keys.push_back(rowid);
        return rowid;
    }

    qint64 update(int index, const QStringList &columns, const std::vector<const Value *> &values) override
    {
        const qint64 rowid = m_keys[size_t(index)];
        if (columns.isEmpty())
            return rowid;
        Statement update(
            m_db,
            QStringLiteral("update %1 set %2 = ? where rowid = ?").arg(m_table, columns.join(QLatin1String(" = ?, "))));
        for (int i = 0; i < int(values.size()); ++i)
            update.bind(i + 1, *values[size_t(i)]);
        update.bind(int(values.size()) + 1, Value(rowid));
        update.step();
        if (sqlite3_changes(m_db) == 0)
            throw Error(ErrorCode::RecordIsDeleted);
        return rowid;
    }

    bool remove(int index) override
    {
        Statement remove(m_db, QStringLiteral("delete from %1 where rowid = ?").arg(m_table));
        remove.bind(1, Value(m_keys[size_t(index)]));
        remove.step();
        m_keys.erase(m_keys.begin() + index);
        return sqlite3_changes(m_db) > 0;
    }

private:
    bool readKey(qint64 key, std::vector<Value> &values)
    {
        ResetOnExit reset(m_readRow);
        m_readRow.bind(1, Value(key));
        if (!m_readRow.step())
            return false;
        values = readValues(m_readRow.get(), fields());
        return true;
    }

    // Rowids in ascending order (a table in key order, rows added since) are found by bisection.
    int indexOfKey(qint64 key) const
    {
        const auto it = m_keysAscending ? std::lower_bound(m_keys.begin(), m_keys.end(), key)
                                        : std::find(m_keys.begin(), m_keys.end(), key);
        return it != m_keys.end() && *it == key ? int(it - m_keys.begin()) : -1;
    }

    sqlite3 *m_db;
    Statement m_readRow; // the current row by rowid; reset after each use
    QString m_table;     // quoted
    bool m_writable;
    std::vector<qint64> m_keys;
    bool m_keysAscending = true;
};

// ---- Snapshot ----

class SnapshotRows : public Rows
{
public:
    SnapshotRows(sqlite3 *db, Statement select)
        : Rows(describeFields(db, select.get(), QString()))
    {
        while (select.step())
            m_rows.push_back(readValues(select.get(), fields()));
    }

    int count() const override { return int(m_rows.size()); }

    bool land(Cursor &cursor, int index, int) override
    {
        if (index < 0 || index >= count())
            return cursor.off(index);
        cursor.current = m_rows[size_t(index)];
        cursor.at(index);
        return true;
    }

    qint64 bookmark(int index) const override { return qint64(index) + 1; }

    void seek(Cursor &cursor, qint64 bookmark) override
    {
        if (bookmark < 1 || bookmark > count())
            throw Error(ErrorCode::InvalidBookmark);
        land(cursor, int(bookmark - 1), 1);
    }

private:
    std::vector<std::vector<Value>> m_rows;
};

// ---- Forward-only ----

class ForwardOnlyRows : public Rows
{
public:
    ForwardOnlyRows(sqlite3 *db, Statement stream)
        : Rows(describeFields(db, stream.get(), QString()))
        , m_stream(std::move(stream))
    {
    }

    int count() const override { return m_read; } // the rows read so far

    // Only the row after the last one read: moves that go elsewhere were refused.
    bool land(Cursor &cursor, int index, int) override
    {
        if (cursor.where == Cursor::Where::Row && index == cursor.pos)
            return true; // the first row, still current, "moved to" again
        bool row = false;
        try {
            row = m_stream.step();
        } catch (const Error &) {
            // A failed read cannot resume: stepping again would start the query over.
            m_stream.finalize();
            cursor.off(index);
            throw;
        }
        if (!row) {
            m_stream.finalize(); // the read ends here: no statement stays open
            return cursor.off(index);
        }
        cursor.current = readValues(m_stream.get(), fields());
        cursor.at(index);
        ++m_read;
        return true;
    }

    // MoveFirst only while the first row is still current; nothing else.
    void checkMove(const Cursor &cursor, int action) const override
    {
        const bool onFirst = cursor.where == Cursor::Where::Row && cursor.pos == 0;
        if (action == MoveFirstAction && !onFirst && count() == 0)
            throw Error(ErrorCode::NoCurrentRecord);
        if (action != MoveFirstAction || !onFirst)
            throw Error(ErrorCode::InvalidOperation);
    }

private:
    Statement m_stream; // held until read to the end or closed
    int m_read = 0;
};

} // namespace

std::unique_ptr<Rows> openKeyset(const Connection &connection, const KeysetQueries &queries, const QString &table)
{
    sqlite3 *db = connection.handle();
    auto rows = std::make_unique<KeysetRows>(db, Statement(db, queries.row), table, connection.writable());
    std::optional<Statement> keyset;
    try {
        keyset.emplace(db, queries.keys);
    } catch (const Error &) {
        if (queries.keysFallback.isEmpty())
            throw;
        keyset.emplace(db, queries.keysFallback);
    }
    rows->takeKeys(*keyset);
    return rows;
}

namespace {
Statement boundStatement(const Connection &connection, const QString &sql, const std::vector<Value> &parameters)
{
    Statement statement(connection.handle(), sql);
    for (size_t i = 0; i < parameters.size(); ++i)
        statement.bind(int(i) + 1, parameters[i]);
    return statement;
}
} // namespace

std::unique_ptr<Rows> openSnapshot(const Connection &connection, const QString &sql,
                                   const std::vector<Value> &parameters)
{
    return std::make_unique<SnapshotRows>(connection.handle(), boundStatement(connection, sql, parameters));
}

std::unique_ptr<Rows> openForwardOnly(const Connection &connection, const QString &sql,
                                      const std::vector<Value> &parameters)
{
    return std::make_unique<ForwardOnlyRows>(connection.handle(), boundStatement(connection, sql, parameters));
}

} // namespace qm
