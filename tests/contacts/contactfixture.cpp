#include "tests/contacts/contactfixture.h"

namespace qm::test {

void ContactTest::SetUp()
{
    ScreenTest::SetUp();
    // Two RICHMONDs in two states; O'CONNOR has an apostrophe.
    run("db1.mdb", "insert into postcode values (1, 'MELBOURNE', 'VIC', '3000');"
                   "insert into postcode values (2, 'SYDNEY', 'NSW', '2000');"
                   "insert into postcode values (3, 'PARRAMATTA', 'NSW', '2150');"
                   "insert into postcode values (4, 'RICHMOND', 'VIC', '3121');"
                   "insert into postcode values (5, 'RICHMOND', 'NSW', '2753');"
                   "insert into postcode values (1140, 'O''CONNOR', 'ACT', '2602');"
                   "insert into postcode values (7, 'DARWIN', 'NT', '0800');");
}

QStringList ContactTest::dump(const QString &table)
{
    return RawDatabase(path("qm.mdb")).rows(QStringLiteral("select * from %1 order by ID").arg(table));
}

QString ContactTest::column(const QString &table, qint64 id, const QString &name)
{
    const QStringList values = RawDatabase(path("qm.mdb"))
                                   .column(QStringLiteral("select %1 from %2 where ID = %3").arg(name, table).arg(id));
    if (values.isEmpty())
        return QStringLiteral("(no row)");
    return values.first().startsWith(QLatin1String("null:")) ? QStringLiteral("NULL") : values.first().section(':', 1);
}

qint64 ContactTest::count(const QString &table)
{
    return dump(table).size();
}

qint64 ContactTest::addParty(const QString &table, const QString &organisation, const QString &suburb,
                             const QString &state, const QString &postcode)
{
    run("qm.mdb", QStringLiteral("insert into %1 (l, a, e, f, g, n) values (%2, 'Pat', %3, %4, %5, 'AUSTRALIA')")
                      .arg(table, quoted(organisation), quoted(suburb), quoted(state), quoted(postcode)));
    return count(table) == 0 ? 0 : dump(table).last().section('|', 0, 0).section(':', 1).toLongLong();
}

} // namespace qm::test
