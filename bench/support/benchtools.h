#pragma once

#include <QElapsedTimer>
#include <QString>
#include <vector>

struct sqlite3;

// What the benchmark programs share: SQLite checks while they fill a book, their folder
// argument, and the timing of repeated runs.
namespace qm::bench {

// Throws std::runtime_error naming `what` and SQLite's message unless `rc` is a success.
void check(int rc, sqlite3 *db, const char *what);

// Removes a database file with its write-ahead log and shared-memory files.
void removeDatabase(const QString &file);

// "[folder] [--fresh]": the folder the book is kept in, and whether to build it again.
struct FolderArguments
{
    QString folder;
    bool fresh = false;
};
FolderArguments folderArguments(int argc, char **argv, const QString &defaultFolder);

double milliseconds(const QElapsedTimer &timer);

template <class Action>
double timed(Action action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    return milliseconds(clock);
}

// The middle value (the mean of the two middle ones for an even count).
double median(std::vector<double> values);

// A first, cold run and the median of the warm ones after it.
struct Timing
{
    double first = 0;
    double warm = 0;
};
Timing firstAndMedian(const std::vector<double> &runs);

// Runs `action` `runs` times, timing each.
template <class Action>
Timing timeRuns(int runs, Action action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(timed(action));
    return firstAndMedian(times);
}

// The process's peak resident size in kilobytes.
long peakRssKb();

} // namespace qm::bench
