#include "data/fileaccess.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace qm {

namespace {

// Tried rather than read off the permission bits: that is what SQLite will meet.
bool canWriteIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quillmark-XXXXXX")));
    return probe.open();
}

} // namespace

Error unreadableFileError(const QString &path, const QString &reason)
{
    const QFileInfo file(path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    if (!canWriteIn(folder))
        return Error(ErrorCode::FolderNotWritable,
                     QStringLiteral("%1 cannot be opened: the folder %2 that holds it cannot be "
                                    "written.")
                         .arg(file.fileName(), folder));
    return Error(ErrorCode::FileNotFound, QStringLiteral("Could not read file '%1': %2").arg(path, reason));
}

} // namespace qm
