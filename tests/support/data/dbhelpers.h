#pragma once

#include "data/dates.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The test helpers over database files, shared by every folder's tests; they need no GUI.
namespace qm::test {

// Expects this process to run without an application object and without Qt Gui or Widgets
// loaded (the tests of the data and domain libraries).
void expectNoApplicationAndNoGui();

// The number of the qm::Error an action raises, or 0 when it raises none.
int errorNumber(const std::function<void()> &action);

// A text as an SQL literal, its apostrophes doubled: 'O''Brien''s Farm'.
QString quoted(const QString &text);

// A raw connection to a database file, past the program's database layer, so that a test
// sets up and sees exactly what SQLite stores. Fields read as "kind:text", the kind being
// integer, real, text, blob or null ("integer:12", "null:").
class RawDatabase
{
public:
    // Opens the file read-write; `create` makes it when it does not exist. Throws
    // std::runtime_error when it cannot be opened.
    explicit RawDatabase(const QString &file, bool create = false);
    ~RawDatabase();
    RawDatabase(const RawDatabase &) = delete;
    RawDatabase &operator=(const RawDatabase &) = delete;

    // Runs SQL (one statement or many); throws std::runtime_error with SQLite's message.
    // Returns the rows the last statement changed.
    int run(const QString &sql);
    // Runs one statement with text parameters; false when it failed (a check refused it).
    bool tryRun(const QString &sql, const QStringList &params = {});
    // Every row of a select, its fields joined by "|".
    QStringList rows(const QString &select, const QStringList &params = {});
    // One field (the first by default) of every row.
    QStringList column(const QString &select, const QStringList &params = {}, int index = 0);
    // The first field of the first row; empty when there is no row.
    QString value(const QString &select, const QStringList &params = {});
    // What EXPLAIN QUERY PLAN says of a select, one step a line.
    QString plan(const QString &select);

private:
    sqlite3_stmt *prepare(const QString &sql, const QStringList &params);
    std::vector<QStringList> read(const QString &select, const QStringList &params);

    sqlite3 *m_db = nullptr;
};

// Runs SQL straight on a file (creating it), past the database layer; returns the rows the
// last statement changed.
int runSql(const QString &file, const QString &sql);

// The rows a select gives as the program reads them through its database layer ("50",
// "01/Jul/2000"), each as its fields' texts joined by "|".
QStringList rowsOf(const QString &file, const QString &select);

// A fresh program database in `folder`: `name` is "qm.mdb", "qm1.mdb" or "db1.mdb", laid out
// from its schema script in db/ (without the places). Returns the file's path.
QString createProgramDatabase(const QString &folder, const QString &name);

// Sets the program's clock to a day for as long as it lives; the one before it after.
class ClockAt : public Clock
{
public:
    explicit ClockAt(const QDate &day)
        : m_day(day)
        , m_previous(setClock(this))
    {
    }
    ~ClockAt() override { setClock(m_previous); }
    ClockAt(const ClockAt &) = delete;
    ClockAt &operator=(const ClockAt &) = delete;
    QDate today() const override { return m_day; }

private:
    QDate m_day;
    const Clock *m_previous;
};

} // namespace qm::test
