#include "tests/contacts/contactfixture.h"

#include <sqlite3.h>

namespace qm::test {

void ContactTest::SetUp()
{
    ScreenTest::SetUp();
    // Two RICHMONDs in two states; O'CONNOR has an apostrophe.
    exec("db1.mdb", "insert into postcode values (1, 'MELBOURNE', 'VIC', '3000');"
                    "insert into postcode values (2, 'SYDNEY', 'NSW', '2000');"
                    "insert into postcode values (3, 'PARRAMATTA', 'NSW', '2150');"
                    "insert into postcode values (4, 'RICHMOND', 'VIC', '3121');"
                    "insert into postcode values (5, 'RICHMOND', 'NSW', '2753');"
                    "insert into postcode values (1140, 'O''CONNOR', 'ACT', '2602');"
                    "insert into postcode values (7, 'DARWIN', 'NT', '0800');");
}

void ContactTest::exec(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path(file).toUtf8().constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const QString message = error ? QString::fromUtf8(error) : QString();
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message.toStdString();
}

QStringList ContactTest::dump(const QString &table)
{
    QStringList rows;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path("qm.mdb").toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    const QByteArray sql = QStringLiteral("select * from %1 order by ID").arg(table).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList cells;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const int kind = sqlite3_column_type(statement, i);
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
                cells << QStringLiteral("%1:%2").arg(kind).arg(text ? QString::fromUtf8(text) : QString());
            }
            rows << cells.join('|');
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

QString ContactTest::column(const QString &table, qint64 id, const QString &name)
{
    QString result = QStringLiteral("(no row)");
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path("qm.mdb").toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    const QByteArray sql = QStringLiteral("select %1 from %2 where ID = %3").arg(name, table).arg(id).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        result = text ? QString::fromUtf8(text) : QStringLiteral("NULL");
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

qint64 ContactTest::count(const QString &table)
{
    return dump(table).size();
}

qint64 ContactTest::addParty(const QString &table, const QString &organisation, const QString &suburb,
                             const QString &state, const QString &postcode)
{
    auto quote = [](QString text) { return "'" + text.replace("'", "''") + "'"; };
    exec("qm.mdb", QStringLiteral("insert into %1 (l, a, e, f, g, n) values (%2, 'Pat', %3, %4, %5, 'AUSTRALIA')")
                       .arg(table, quote(organisation), quote(suburb), quote(state), quote(postcode)));
    return count(table) == 0 ? 0 : dump(table).last().section('|', 0, 0).section(':', 1).toLongLong();
}

QStringList ContactTest::takeMessages()
{
    QStringList texts;
    for (const QString &text : m_messages.texts())
        texts << text;
    m_messages.clear();
    return texts;
}

} // namespace qm::test
