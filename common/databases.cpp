#include "common/databases.h"

#include "data/database.h"

#include <QStringList>

namespace qm {

namespace {
// The tables the program's schema makes (db/); those a file gains on first use are left out.
QStringList tablesOf(QLatin1String file)
{
    if (file == BookFile)
        return {QStringLiteral("c"), QStringLiteral("s"), QStringLiteral("p"), QStringLiteral("r")};
    if (file == BusinessFile)
        return {QStringLiteral("info"), QStringLiteral("pic"), QStringLiteral("jac"), QStringLiteral("inv"),
                QStringLiteral("invnumb")};
    return {};
}
} // namespace

std::unique_ptr<Database> openProgramDatabase(QLatin1String file)
{
    return DBEngine().OpenDatabase(file, false, false, PasswordConnect);
}

void checkBooksFile(QLatin1String file)
{
    const auto db = openProgramDatabase(file);
    // A select of a table the file lacks fails, naming the file and the table.
    for (const QString &table : tablesOf(file))
        db->OpenQuery(QStringLiteral("select 1 from %1 where 0").arg(table), {}, RecordsetType::Snapshot);
}

} // namespace qm
