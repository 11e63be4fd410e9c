#include "bench/support/benchtools.h"

#include <QFile>
#include <algorithm>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>

namespace qm::bench {

void check(int rc, sqlite3 *db, const char *what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

void removeDatabase(const QString &file)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
}

FolderArguments folderArguments(int argc, char **argv, const QString &defaultFolder)
{
    FolderArguments arguments{defaultFolder};
    for (int i = 1; i < argc; ++i) {
        if (QLatin1String(argv[i]) == QLatin1String("--fresh"))
            arguments.fresh = true;
        else
            arguments.folder = QFile::decodeName(argv[i]);
    }
    return arguments;
}

double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return (values[values.size() / 2] + values[(values.size() - 1) / 2]) / 2;
}

Timing firstAndMedian(const std::vector<double> &runs)
{
    return {runs.front(), median(std::vector<double>(runs.begin() + 1, runs.end()))};
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // kilobytes on Linux
}

} // namespace qm::bench
