#include "data/database.h"

#include "data/error.h"
#include "data/jetsql.h"
#include "data/programfolder.h"
#include "data/sqlitehandles.h"

namespace qm {

namespace {
Connection &openConnection(const std::shared_ptr<Connection> &connection)
{
    if (!connection)
        throw Error(ErrorCode::ObjectClosed);
    return *connection;
}
} // namespace

Database::Database() = default;
Database::~Database() = default;

std::unique_ptr<Database> Database::open(const QString &path, bool readOnly, const QString &)
{
    const QString file = programFile(path);
    std::unique_ptr<Database> database(new Database());
    database->m_connection = std::make_shared<Connection>(file, readOnly);
    database->m_name = file;
    return database;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &source, RecordsetType type)
{
    openConnection(m_connection);
    return Recordset::open(m_connection, source, type);
}

std::unique_ptr<Recordset> Database::OpenQuery(const QString &select, const std::vector<Value> &parameters,
                                               RecordsetType type)
{
    openConnection(m_connection);
    return Recordset::openQuery(m_connection, select, parameters, type);
}

int Database::Execute(const QString &sql)
{
    sqlite3 *db = openConnection(m_connection).handle();
    Statement statement(db, translateJetSql(sql));
    const qint64 before = sqlite3_total_changes64(db);
    while (statement.step()) {
    }
    // Statements that change no rows (a select, a create) leave changes() at the last count.
    return sqlite3_total_changes64(db) == before ? 0 : sqlite3_changes(db);
}

void Database::Close()
{
    m_connection.reset();
}

QString Database::Name() const
{
    return m_name;
}

QStringList Database::queryPlan(const QString &select)
{
    sqlite3 *db = openConnection(m_connection).handle();
    Statement plan(db, QStringLiteral("explain query plan ") + translateJetSql(select));
    QStringList details;
    while (plan.step())
        details << columnText(plan.get(), 3);
    return details;
}

std::unique_ptr<Database> DBEngineClass::OpenDatabase(const QString &name, bool, bool readOnly, const QString &connect)
{
    return Database::open(name, readOnly, connect);
}

DBEngineClass &DBEngine()
{
    static DBEngineClass engine;
    return engine;
}

} // namespace qm
