#include "tests/support/dbhelpers.h"

#include "db/dbinit.h"
#include "platform/database.h"
#include "platform/error.h"

#include <sqlite3.h>
#include <stdexcept>

namespace qm::test {

int errorNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.Number();
    }
    return 0;
}

void runSql(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    const int opened = sqlite3_open(file.toUtf8().constData(), &db);
    char *message = nullptr;
    const int ran = opened == SQLITE_OK ? sqlite3_exec(db, sql, nullptr, nullptr, &message) : opened;
    const std::string error = message ? message : (db ? sqlite3_errmsg(db) : "cannot open");
    sqlite3_free(message);
    sqlite3_close(db);
    if (ran != SQLITE_OK)
        throw std::runtime_error(error);
}

QStringList rowsOf(const QString &file, const QString &select)
{
    auto db = Database::open(file);
    auto rs = db->OpenRecordset(select, RecordsetType::Snapshot);
    QStringList rows;
    while (!rs->Eof()) {
        QStringList fields;
        for (int i = 0; i < rs->FieldCount(); ++i)
            fields << rs->field(i).toText();
        rows << fields.join(QLatin1Char('|'));
        rs->MoveNext();
    }
    return rows;
}

QString createProgramDatabase(const QString &folder, const QString &name)
{
    const QString file = folder + QLatin1Char('/') + name;
    QString schema = name;
    schema.replace(QStringLiteral(".mdb"), QStringLiteral(".sql"));
    dbinit::createDatabase(file, QStringLiteral(QM_DB_DIR) + QLatin1Char('/') + schema);
    return file;
}

} // namespace qm::test
