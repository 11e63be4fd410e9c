#include "db/dbinit.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace qm::dbinit {

namespace {

const QStringList journalSuffixes{QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")};

[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

// Owns one SQLite handle. Statements are scoped inside it, so the close always succeeds;
// closing with a transaction still open rolls it back.
class Handle
{
public:
    Handle(const QString &path, int flags)
    {
        const QByteArray name = QFile::encodeName(path);
        if (sqlite3_open_v2(name.constData(), &m_db, flags, nullptr) != SQLITE_OK) {
            const QString why = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
            sqlite3_close(m_db);
            fail(QStringLiteral("cannot open %1: %2").arg(path, why));
        }
        sqlite3_extended_result_codes(m_db, 1);
    }
    ~Handle() { sqlite3_close(m_db); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;

    sqlite3 *get() const { return m_db; }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

    void exec(const QByteArray &sql, const QString &what)
    {
        char *message = nullptr;
        if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            const QString why = message ? QString::fromUtf8(message) : error();
            sqlite3_free(message);
            fail(QStringLiteral("%1: %2").arg(what, why));
        }
    }

private:
    sqlite3 *m_db = nullptr;
};

class Statement
{
public:
    Statement(Handle &db, const char *sql)
    {
        if (sqlite3_prepare_v2(db.get(), sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            fail(QStringLiteral("cannot prepare \"%1\": %2").arg(QString::fromUtf8(sql), db.error()));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *get() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

QByteArray readAll(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1: %2").arg(file, f.errorString()));
    return f.readAll();
}

void bindText(Statement &stmt, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt.get(), index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

void createDatabase(const QString &path, const QString &schemaSqlFile)
{
    const QByteArray schema = readAll(schemaSqlFile);

    // A journal left beside a missing file may hold someone's rows; SQLite would replay it
    // into the new file, so it counts as an existing database.
    for (const QString &suffix : journalSuffixes) {
        if (QFile::exists(path + suffix))
            fail(QStringLiteral("%1 exists; not creating %2 over it").arg(path + suffix, path));
    }
    // Creating the empty file exclusively settles the race with anyone else creating it;
    // SQLite takes an empty file as an empty database.
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            fail(QStringLiteral("cannot create %1: %2")
                     .arg(path, file.exists() ? QStringLiteral("it already exists") : file.errorString()));
    }

    try {
        Handle db(path, SQLITE_OPEN_READWRITE);
        db.exec(schema, QStringLiteral("schema %1 failed on %2").arg(schemaSqlFile, path));
    } catch (...) {
        QFile::remove(path);
        for (const QString &suffix : journalSuffixes)
            QFile::remove(path + suffix);
        throw;
    }
}

void loadPlaces(const QString &path, const QString &tsvFile)
{
    const QString text = QString::fromUtf8(readAll(tsvFile));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (lines.isEmpty() || lines.first() != QLatin1String("id\tlocation\tstate\tpostcode"))
        fail(QStringLiteral("%1: first line must be the header id, location, state, postcode").arg(tsvFile));

    Handle db(path, SQLITE_OPEN_READWRITE);
    db.exec("BEGIN", QStringLiteral("cannot start a transaction on %1").arg(path));
    try {
        Statement insert(db, "INSERT INTO postcode (id, location, state, postcode) VALUES (?, ?, ?, ?)");
        for (qsizetype n = 1; n < lines.size(); ++n) {
            const QStringList fields = lines[n].split(QLatin1Char('\t'));
            bool isNumber = false;
            const qint64 id = fields.value(0).toLongLong(&isNumber);
            if (fields.size() != 4 || !isNumber)
                fail(QStringLiteral("%1 line %2: expected a numeric id and three more fields").arg(tsvFile).arg(n + 1));

            sqlite3_bind_int64(insert.get(), 1, id);
            for (int i = 1; i < 4; ++i)
                bindText(insert, i + 1, fields[i]);
            if (sqlite3_step(insert.get()) != SQLITE_DONE)
                fail(QStringLiteral("%1 line %2: %3").arg(tsvFile).arg(n + 1).arg(db.error()));
            sqlite3_reset(insert.get());
        }
    } catch (...) {
        sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    db.exec("COMMIT", QStringLiteral("cannot commit the places into %1").arg(path));
}

} // namespace qm::dbinit
