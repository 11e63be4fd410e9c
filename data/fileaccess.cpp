#include "data/fileaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

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
// be read is left to SQLite, which says why.
bool mayBeDatabase(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    return file.read(sizeof DatabaseHeader) == QByteArray(DatabaseHeader, sizeof DatabaseHeader);
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
