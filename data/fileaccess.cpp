#include "data/fileaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstddef>
#include <cstring>
#include <sqlite3.h>
#include <vector>

namespace qm {

namespace {

// The first bytes of every SQLite database file.
constexpr char DatabaseHeader[] = "SQLite format 3";

// Tried rather than read off the permission bits: that is what SQLite will meet.
bool canWriteIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quillmark-XXXXXX")));
    return probe.open();
}

Error cannotOpen(int number, const QString &path, const QString &what)
{
    return Error(number, QStringLiteral("%1 cannot be opened: %2.").arg(QFileInfo(path).fileName(), what));
}

// False only for a file that was read and does not start as a database does; one that cannot
// be read is left to SQLite, which says why. Read through SQLite's own file layer, never by a
// descriptor of our own: closing any descriptor of a file drops every lock this process holds
// on it, so a file another connection has open would lose its locks, and two processes could
// then write it at once. SQLite keeps such a descriptor open until those locks are released.
bool mayBeDatabase(const QString &path)
{
    sqlite3_vfs *vfs = sqlite3_vfs_find(nullptr);
    if (!vfs)
        return true;
    const QByteArray name = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    std::vector<std::max_align_t> storage(size_t(vfs->szOsFile) / sizeof(std::max_align_t) + 1);
    auto *file = reinterpret_cast<sqlite3_file *>(storage.data());
    int openedAs = 0;
    if (vfs->xOpen(vfs, name.constData(), file, SQLITE_OPEN_READONLY | SQLITE_OPEN_MAIN_DB, &openedAs) != SQLITE_OK)
        return true; // xOpen leaves nothing to close when it fails
    char header[sizeof DatabaseHeader] = {};
    const int read = file->pMethods->xRead(file, header, int(sizeof header), 0);
    file->pMethods->xClose(file);
    if (read != SQLITE_OK && read != SQLITE_IOERR_SHORT_READ) // a short file reads as zeros past its end
        return true;
    return std::memcmp(header, DatabaseHeader, sizeof header) == 0;
}

} // namespace

void checkDatabaseFile(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        throw cannotOpen(ErrorCode::FileNotFound, path,
                         QStringLiteral("there is no such file in the folder %1")
                             .arg(QDir::toNativeSeparators(file.absolutePath())));
    if (file.size() == 0)
        throw cannotOpen(ErrorCode::FileNotFound, path, QStringLiteral("the file is empty (0 bytes)"));
    if (!mayBeDatabase(path))
        throw cannotOpen(ErrorCode::FileNotFound, path, QStringLiteral("the file is not a database"));
}

Error unreadableFileError(const QString &path, const QString &reason)
{
    const QFileInfo file(path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    if (!canWriteIn(folder))
        return cannotOpen(ErrorCode::FolderNotWritable, path,
                          QStringLiteral("the folder %1 that holds it cannot be written").arg(folder));
    return cannotOpen(ErrorCode::FileNotFound, path, reason);
}

Error noTablesError(const QString &path)
{
    return cannotOpen(ErrorCode::FileNotFound, path, QStringLiteral("the file holds no tables"));
}

Error missingTableError(const QString &path, const QString &table)
{
    return cannotOpen(
        ErrorCode::TableNotFound, path,
        QStringLiteral("the file has no table \"%1\"; it is damaged or is not the program's file").arg(table));
}

bool isUnusableFile(const Error &error)
{
    switch (error.Number()) {
    case ErrorCode::FileNotFound:
    case ErrorCode::FolderNotWritable:
    case ErrorCode::TableNotFound: return true;
    default: return false;
    }
}

} // namespace qm
