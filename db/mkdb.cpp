// qm_mkdb <target.mdb> <schema.sql> [places.tsv]
// Lays out one database file of the program folder. An existing file is the user's data and
// is kept untouched; a new one is built under a temporary name and renamed into place only
// when complete, so an interrupted build never leaves a half-filled file that later builds
// would keep.
#include "db/dbinit.h"

#include <QFile>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

void removeWithJournals(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: qm_mkdb <target.mdb> <schema.sql> [places.tsv]\n");
        return 2;
    }
    const QString target = QFile::decodeName(argv[1]);
    const QString schema = QFile::decodeName(argv[2]);
    const QString places = argc == 4 ? QFile::decodeName(argv[3]) : QString();
    const QByteArray shown = QFile::encodeName(target);

    if (QFile::exists(target)) {
        std::printf("kept %s\n", shown.constData());
        return 0;
    }
    for (const char *suffix : {"-wal", "-journal"}) {
        if (QFile::exists(target + QLatin1String(suffix))) {
            std::fprintf(stderr, "qm_mkdb: %s%s exists without its database; move it away first\n", shown.constData(),
                         suffix);
            return 1;
        }
    }

    const QString building = target + QLatin1String(".new");
    removeWithJournals(building); // left by an interrupted build: it was never the user's
    try {
        qm::dbinit::createDatabase(building, schema);
        if (!places.isEmpty())
            qm::dbinit::loadPlaces(building, places);
        if (!QFile::rename(building, target))
            throw std::runtime_error("cannot rename " + building.toStdString() + " to " + target.toStdString());
    } catch (const std::exception &e) {
        removeWithJournals(building);
        std::fprintf(stderr, "qm_mkdb: %s\n", e.what());
        return 1;
    }
    std::printf("created %s\n", shown.constData());
    return 0;
}
