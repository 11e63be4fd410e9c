#include "data/database.h"

#include "data/error.h"
#include "data/fieldvalues.h"
#include "data/fileaccess.h"
#include "data/jetsql.h"
#include "data/recordsetrows.h"
#include "data/sqlitehandles.h"
#include "data/sqlselect.h"

#include <optional>
#include <utility>

namespace qm {

namespace {

// The real name of a table or view (names ignore case), and whether it is a view.
std::optional<std::pair<QString, bool>> findTable(sqlite3 *db, const QString &name)
{
    Statement find(db, QStringLiteral("select name, type from sqlite_master where type in ('table', 'view') "
                                      "and name = ? collate nocase"));
    find.bind(1, Value(name));
    if (!find.step())
        return std::nullopt;
    return std::make_pair(columnText(find.get(), 0), columnText(find.get(), 1) == QLatin1String("view"));
}

// A bare table reads in key order: its declared primary key, else the rowid.
QString keyOrder(sqlite3 *db, const QString &table)
{
    Statement info(db, QStringLiteral("select name, type from pragma_table_info(?) where pk > 0 order by pk"));
    info.bind(1, Value(table));
    QStringList names;
    QString firstType;
    while (info.step()) {
        names << SqlName(columnText(info.get(), 0));
        if (firstType.isNull())
            firstType = columnText(info.get(), 1);
    }
    if (names.isEmpty() || (names.size() == 1 && firstType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0))
        return QStringLiteral("rowid");
    return names.join(QLatin1String(", "));
}

std::unique_ptr<Rows> openReadOnly(const Connection &connection, const QString &sql, RecordsetType type)
{
    return type == RecordsetType::ForwardOnly ? openForwardOnly(connection, sql) : openSnapshot(connection, sql);
}

// A bare table: a keyset in key order, a view or a read-only kind all its rows.
std::unique_ptr<Rows> openTable(const Connection &connection, const QString &source, RecordsetType type)
{
    QString name = source;
    if (name.size() >= 2
        && ((name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
            || (name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))))
        name = name.mid(1, name.size() - 2);
    const auto found = findTable(connection.handle(), name);
    if (!found)
        throw missingTableError(connection.path(), name);
    const auto &[realName, isView] = *found;
    const QString quoted = SqlName(realName);
    if (isView)
        return openReadOnly(connection, QStringLiteral("select * from ") + quoted, type);
    const QString ordered = QStringLiteral("select %1 from %2 order by %3");
    const QString order = keyOrder(connection.handle(), realName);
    if (type == RecordsetType::Snapshot || type == RecordsetType::ForwardOnly)
        return openReadOnly(connection, ordered.arg(QStringLiteral("*"), quoted, order), type);
    return openKeyset(connection,
                      {ordered.arg(QStringLiteral("rowid"), quoted, order), QString(),
                       QStringLiteral("select * from %1 where rowid = ?").arg(quoted)},
                      realName);
}

// A select in the old dialect: a keyset when it reads one table, else all its rows.
std::unique_ptr<Rows> openSelect(const Connection &connection, const QString &jetSql, RecordsetType type)
{
    const QString sql = translateJetSql(jetSql);
    if (type == RecordsetType::Snapshot || type == RecordsetType::ForwardOnly)
        return openReadOnly(connection, sql, type);
    const std::optional<SimpleSelect> simple = analyseSelect(sql);
    const auto found = simple ? findTable(connection.handle(), simple->table) : std::nullopt;
    if (!simple || !found || found->second)
        return openSnapshot(connection, sql);
    const SimpleSelect &s = *simple;
    const QString where = QLatin1Char(' ') + s.filter;
    return openKeyset(connection,
                      {QStringLiteral("select %1.rowid from %2%3").arg(s.qualifier, s.from, where),
                       // an order by that names a column alias needs the select's columns
                       QStringLiteral("select %1.rowid, %4 from %2%3").arg(s.qualifier, s.from, where, s.columns),
                       QStringLiteral("select %1 from %2 where %3.rowid = ?").arg(s.columns, s.from, s.qualifier)},
                      found->first);
}

[[noreturn]] void noCurrentRecord()
{
    throw Error(ErrorCode::NoCurrentRecord);
}

[[noreturn]] void recordIsDeleted()
{
    throw Error(ErrorCode::RecordIsDeleted);
}

} // namespace

struct Recordset::Impl
{
    using Where = Cursor::Where;

    // Declared first so that the rows' statements are finalised before the connection goes.
    std::shared_ptr<Connection> connection;
    std::unique_ptr<Rows> rows;
    Cursor cursor;

    EditState mode = EditState::None;
    std::vector<Value> buffer;
    std::vector<bool> dirty;
    std::optional<qint64> lastModified;
    RecordsetObserver *observer = nullptr;

    const std::vector<FieldInfo> &fields() const { return rows->fields(); }
    int count() const { return rows->count(); }
    bool bof() const { return cursor.where == Where::Bof || (cursor.where == Where::Eof && count() == 0); }
    bool eof() const { return cursor.where == Where::Eof || (cursor.where == Where::Bof && count() == 0); }
    bool land(int index, int direction) { return rows->land(cursor, index, direction); }

    void checkOpen() const
    {
        if (!connection)
            throw Error(ErrorCode::ObjectClosed);
    }

    void checkField(int index) const
    {
        checkOpen();
        if (index < 0 || index >= int(fields().size()))
            throw Error(ErrorCode::ItemNotFound);
    }

    void checkUpdatable() const
    {
        if (!rows->updatable())
            throw Error(ErrorCode::NotUpdatable);
    }

    // The current row, which must be a row that is still there.
    void checkCurrentRow() const
    {
        if (cursor.where == Where::Deleted)
            recordIsDeleted();
        if (cursor.where != Where::Row)
            noCurrentRecord();
    }

    void willMove(Recordset &rs, int action)
    {
        if (observer)
            observer->recordsetWillMove(rs, action);
        checkOpen(); // the observer may have closed us
    }

    void moved(Recordset &rs, int action)
    {
        if (observer)
            observer->recordsetMoved(rs, action);
    }

    // MoveFirst, MoveLast: to that end of the rows, skipping rows that have gone from there.
    void moveToEnd(Recordset &rs, int action)
    {
        checkOpen();
        rows->checkMove(cursor, action);
        willMove(rs, action);
        if (count() == 0)
            noCurrentRecord();
        cancelEdit();
        const bool last = action == MoveLastAction;
        if (land(last ? count() - 1 : 0, last ? -1 : 1))
            moved(rs, action);
    }

    void cancelEdit()
    {
        mode = EditState::None;
        buffer.clear();
        dirty.clear();
    }

    // After a write the current row is read again; a failure here must not report the write as failed.
    void refreshCurrent()
    {
        if (cursor.where != Where::Row)
            return;
        try {
            std::vector<Value> values;
            if (rows->reread(cursor.pos, values))
                cursor.current = std::move(values);
        } catch (const Error &) {
        }
    }
};

// ---------------------------------------------------------------------------------------------

FieldRef::FieldRef(Recordset &rs, int index)
    : m_rs(&rs)
    , m_index(index)
{
}

QString FieldRef::Name() const
{
    return m_rs->fieldName(m_index);
}

FieldType FieldRef::Type() const
{
    return m_rs->fieldType(m_index);
}

Value FieldRef::value() const
{
    return m_rs->field(m_index);
}

void FieldRef::setValue(const Value &v)
{
    m_rs->setField(m_index, v);
}

// ---------------------------------------------------------------------------------------------

Recordset::Recordset()
    : d(std::make_unique<Impl>())
{
}

Recordset::~Recordset()
{
    Close();
}

std::unique_ptr<Recordset> Recordset::open(std::shared_ptr<Connection> connection, const QString &source,
                                           RecordsetType type)
{
    std::unique_ptr<Recordset> rs(new Recordset());
    const QString trimmed = source.trimmed();
    rs->d->rows
        = startsWithSelect(trimmed) ? openSelect(*connection, trimmed, type) : openTable(*connection, trimmed, type);
    rs->d->connection = std::move(connection);
    rs->d->land(0, 1);
    return rs;
}

std::unique_ptr<Recordset> Recordset::openQuery(std::shared_ptr<Connection> connection, const QString &select,
                                                const std::vector<Value> &parameters, RecordsetType type)
{
    std::unique_ptr<Recordset> rs(new Recordset());
    rs->d->rows = type == RecordsetType::ForwardOnly ? openForwardOnly(*connection, select, parameters)
                                                     : openSnapshot(*connection, select, parameters);
    rs->d->connection = std::move(connection);
    rs->d->land(0, 1);
    return rs;
}

void Recordset::MoveFirst()
{
    d->moveToEnd(*this, MoveFirstAction);
}

void Recordset::MoveLast()
{
    d->moveToEnd(*this, MoveLastAction);
}

void Recordset::MoveNext()
{
    d->checkOpen();
    d->willMove(*this, MoveNextAction);
    if (d->eof())
        noCurrentRecord();
    d->cancelEdit();
    int next = 0;
    if (d->cursor.where == Impl::Where::Row)
        next = d->cursor.pos + 1;
    else if (d->cursor.where == Impl::Where::Deleted)
        next = d->cursor.pos; // the row that followed the deleted one
    if (d->land(next, 1))
        d->moved(*this, MoveNextAction);
}

void Recordset::MovePrevious()
{
    d->checkOpen();
    d->rows->checkMove(d->cursor, MovePreviousAction);
    d->willMove(*this, MovePreviousAction);
    if (d->bof())
        noCurrentRecord();
    d->cancelEdit();
    const int previous = d->cursor.where == Impl::Where::Eof ? d->count() - 1 : d->cursor.pos - 1;
    if (d->land(previous, -1))
        d->moved(*this, MovePreviousAction);
}

bool Recordset::Bof() const
{
    d->checkOpen();
    return d->bof();
}

bool Recordset::Eof() const
{
    d->checkOpen();
    return d->eof();
}

int Recordset::RecordCount() const
{
    d->checkOpen();
    return d->count();
}

int Recordset::AbsolutePosition() const
{
    d->checkOpen();
    return d->cursor.where == Impl::Where::Row && d->mode != EditState::Add ? d->cursor.pos : -1;
}

void Recordset::AddNew()
{
    d->checkOpen();
    d->checkUpdatable();
    d->willMove(*this, AddNewAction);
    d->cancelEdit();
    d->mode = EditState::Add;
    d->buffer.assign(d->fields().size(), Value());
    d->dirty.assign(d->fields().size(), false);
    d->moved(*this, AddNewAction);
}

void Recordset::Edit()
{
    d->checkOpen();
    d->checkUpdatable();
    d->checkCurrentRow();
    // The edit starts from the row as it is now, not as it was read on the move.
    std::vector<Value> values;
    if (!d->rows->reread(d->cursor.pos, values))
        recordIsDeleted();
    d->cursor.current = values;
    d->buffer = std::move(values);
    d->dirty.assign(d->fields().size(), false);
    d->mode = EditState::InProgress;
}

void Recordset::Update()
{
    d->checkOpen();
    if (d->mode == EditState::None)
        throw Error(ErrorCode::UpdateWithoutEdit);
    QStringList columns;
    std::vector<const Value *> values;
    for (size_t i = 0; i < d->fields().size(); ++i) {
        if (!d->dirty[i])
            continue;
        const QString column = SqlName(d->fields()[i].column);
        if (!columns.contains(column)) {
            columns << column;
            values.push_back(&d->buffer[i]);
        }
    }
    // On failure the edit buffer stays, so the caller can correct it and retry or cancel.
    if (d->mode == EditState::Add)
        d->lastModified = d->rows->insert(columns, values);
    else
        d->lastModified = d->rows->update(d->cursor.pos, columns, values);
    d->cancelEdit();
    d->refreshCurrent();
}

void Recordset::CancelUpdate()
{
    d->checkOpen();
    d->cancelEdit();
}

void Recordset::Delete()
{
    d->checkOpen();
    d->checkUpdatable();
    d->willMove(*this, DeleteAction);
    if (d->mode == EditState::Add)
        noCurrentRecord(); // the new row is not a record yet
    d->checkCurrentRow();
    d->cancelEdit();
    const bool deleted = d->rows->remove(d->cursor.pos);
    // Either way the row is gone: it stays current, as deleted, until the next move.
    d->cursor.where = Impl::Where::Deleted;
    d->cursor.current.clear();
    if (!deleted)
        recordIsDeleted();
}

EditState Recordset::EditMode() const
{
    d->checkOpen();
    return d->mode;
}

bool Recordset::Updatable() const
{
    d->checkOpen();
    return d->rows->updatable();
}

qint64 Recordset::Bookmark() const
{
    d->checkOpen();
    d->rows->checkMove(d->cursor, BookmarkAction);
    d->checkCurrentRow();
    return d->rows->bookmark(d->cursor.pos);
}

void Recordset::setBookmark(qint64 bookmark)
{
    d->checkOpen();
    d->rows->checkMove(d->cursor, BookmarkAction);
    d->willMove(*this, BookmarkAction);
    d->rows->seek(d->cursor, bookmark);
    d->cancelEdit();
    d->moved(*this, BookmarkAction);
}

qint64 Recordset::LastModified() const
{
    d->checkOpen();
    if (!d->lastModified)
        noCurrentRecord();
    return *d->lastModified;
}

int Recordset::FieldCount() const
{
    d->checkOpen();
    return int(d->fields().size());
}

int Recordset::FieldIndex(const QString &name) const
{
    d->checkOpen();
    for (int i = 0; i < int(d->fields().size()); ++i) {
        if (d->fields()[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

FieldRef Recordset::Fields(const QString &name)
{
    const int index = FieldIndex(name);
    d->checkField(index);
    return FieldRef(*this, index);
}

FieldRef Recordset::Fields(int index)
{
    d->checkField(index);
    return FieldRef(*this, index);
}

Value Recordset::field(const QString &name) const
{
    const int index = FieldIndex(name);
    d->checkField(index);
    return field(index);
}

Value Recordset::field(int index) const
{
    d->checkField(index);
    if (d->mode != EditState::None)
        return d->buffer[size_t(index)];
    d->checkCurrentRow();
    return d->cursor.current[size_t(index)];
}

void Recordset::Close()
{
    if (!d->connection)
        return;
    d->cancelEdit();
    d->rows.reset();
    d->cursor = Cursor();
    d->observer = nullptr;
    d->connection.reset();
}

bool Recordset::isOpen() const
{
    return d->connection != nullptr;
}

void Recordset::setObserver(RecordsetObserver *observer)
{
    d->observer = observer;
}

QString Recordset::fieldName(int index) const
{
    d->checkField(index);
    return d->fields()[size_t(index)].name;
}

FieldType Recordset::fieldType(int index) const
{
    d->checkField(index);
    const FieldInfo &info = d->fields()[size_t(index)];
    if (info.typed)
        return info.type;
    // An expression has no declared type: its value tells.
    const std::vector<Value> &row = d->mode != EditState::None ? d->buffer : d->cursor.current;
    return typeOfValue(size_t(index) < row.size() ? row[size_t(index)] : Value());
}

void Recordset::setField(int index, const Value &v)
{
    d->checkField(index);
    if (d->mode == EditState::None)
        throw Error(ErrorCode::UpdateWithoutEdit);
    const FieldInfo &info = d->fields()[size_t(index)];
    if (info.column.isEmpty())
        throw Error(ErrorCode::NotUpdatable, QStringLiteral("Field '%1' cannot be updated.").arg(info.name));
    d->buffer[size_t(index)] = convertForField(info.type, v);
    d->dirty[size_t(index)] = true;
}

} // namespace qm
