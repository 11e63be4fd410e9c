#include "tests/support/data/dbhelpers.h"

#include "data/database.h"
#include "data/error.h"
#include "db/dbinit.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdexcept>

namespace qm::test {

void expectNoApplicationAndNoGui()
{
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray libraries = maps.readAll();
    EXPECT_TRUE(libraries.contains("libQt6Core"));
    EXPECT_FALSE(libraries.contains("libQt6Gui"));
    EXPECT_FALSE(libraries.contains("libQt6Widgets"));
}

int errorNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.Number();
    }
    return 0;
}

QString quoted(const QString &text)
{
    QString doubled = text;
    return QLatin1Char('\'') + doubled.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

RawDatabase::RawDatabase(const QString &file, bool create)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        throw std::runtime_error("cannot open " + file.toStdString() + ": " + message);
    }
}

RawDatabase::~RawDatabase()
{
    sqlite3_close(m_db);
}

int RawDatabase::run(const QString &sql)
{
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string error = message ? message : sqlite3_errmsg(m_db);
        sqlite3_free(message);
        throw std::runtime_error(error);
    }
    return sqlite3_changes(m_db);
}

sqlite3_stmt *RawDatabase::prepare(const QString &sql, const QStringList &params)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("cannot prepare: ") + sqlite3_errmsg(m_db));
    for (int i = 0; i < params.size(); ++i)
        sqlite3_bind_text(statement, i + 1, params[i].toUtf8().constData(), -1, SQLITE_TRANSIENT);
    return statement;
}

bool RawDatabase::tryRun(const QString &sql, const QStringList &params)
{
    sqlite3_stmt *statement = prepare(sql, params);
    int rc = sqlite3_step(statement);
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

std::vector<QStringList> RawDatabase::read(const QString &select, const QStringList &params)
{
    sqlite3_stmt *statement = prepare(select, params);
    std::vector<QStringList> rows;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList fields;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const char *kind = "null";
            switch (sqlite3_column_type(statement, i)) {
            case SQLITE_INTEGER: kind = "integer"; break;
            case SQLITE_FLOAT: kind = "real"; break;
            case SQLITE_TEXT: kind = "text"; break;
            case SQLITE_BLOB: kind = "blob"; break;
            default: break;
            }
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
            fields << QLatin1String(kind) + QLatin1Char(':') + QString::fromUtf8(text ? text : "");
        }
        rows.push_back(fields);
    }
    sqlite3_finalize(statement);
    return rows;
}

QStringList RawDatabase::rows(const QString &select, const QStringList &params)
{
    QStringList rows;
    for (const QStringList &fields : read(select, params))
        rows << fields.join(QLatin1Char('|'));
    return rows;
}

QStringList RawDatabase::column(const QString &select, const QStringList &params, int index)
{
    QStringList values;
    for (const QStringList &fields : read(select, params))
        values << fields.value(index);
    return values;
}

QString RawDatabase::value(const QString &select, const QStringList &params)
{
    return column(select, params).value(0);
}

QString RawDatabase::plan(const QString &select)
{
    QStringList steps;
    for (const QString &step : column(QStringLiteral("EXPLAIN QUERY PLAN ") + select, {}, 3))
        steps << step.section(QLatin1Char(':'), 1); // the detail column
    return steps.join(QLatin1Char('\n'));
}

int runSql(const QString &file, const QString &sql)
{
    return RawDatabase(file, true).run(sql);
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
