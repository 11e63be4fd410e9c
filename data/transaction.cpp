#include "data/transaction.h"

#include "data/database.h"
#include "data/error.h"

namespace qm {

Transaction::Transaction(Database &database)
    : m_database(database)
{
    m_database.Execute(QStringLiteral("begin immediate"));
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    try {
        m_database.Execute(QStringLiteral("rollback"));
    } catch (const Error &) {
        // SQLite has already undone a transaction that failed on its own.
    }
}

void Transaction::commit()
{
    m_database.Execute(QStringLiteral("commit"));
    m_open = false;
}

} // namespace qm
