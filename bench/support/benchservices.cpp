#include "bench/support/benchservices.h"

#include "db/dbinit.h"

#include <QDir>

namespace qm {

BenchServices::BenchServices(QString folder)
    : m_folder(std::move(folder))
{
}

QString BenchServices::programFolder() const
{
    return m_folder;
}

void BenchServices::exitNormally() {}

void useOffscreenUnlessSet()
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void layOutProgramFolder(const QString &folder)
{
    const QString schema = QStringLiteral(QM_DB_DIR);
    const QDir dir(folder);
    dbinit::createDatabase(dir.filePath("qm.mdb"), schema + "/qm.sql");
    dbinit::createDatabase(dir.filePath("qm1.mdb"), schema + "/qm1.sql");
    dbinit::createDatabase(dir.filePath("db1.mdb"), schema + "/db1.sql");
}

} // namespace qm
