#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace qm::test {

// The number of the qm::Error an action raises, or 0 when it raises none.
int errorNumber(const std::function<void()> &action);

// Runs SQL straight on a file (creating it), past the database layer.
void runSql(const QString &file, const char *sql);

// The rows a select gives, each as its fields' texts joined by "|".
QStringList rowsOf(const QString &file, const QString &select);

// A fresh program database in `folder`: `name` is "qm.mdb", "qm1.mdb" or "db1.mdb", laid out
// from its schema script in db/ (without the places). Returns the file's path.
QString createProgramDatabase(const QString &folder, const QString &name);

} // namespace qm::test
