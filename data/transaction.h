#pragma once

namespace qm {

class Database;

// One write transaction on an open database: what is written through the database and its
// recordsets until commit() is stored together or not at all. Leaving the scope without
// commit() undoes it. The write lock is taken at once, so a busy file fails here, before
// anything is written.
class Transaction
{
public:
    explicit Transaction(Database &database);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &m_database;
    bool m_open = true;
};

} // namespace qm
