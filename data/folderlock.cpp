#include "data/folderlock.h"

#include <QDir>
#include <QLockFile>

namespace qm {

FolderLock::FolderLock(const QString &folder, const QString &fileName)
    : m_folder(folder)
    , m_file(std::make_unique<QLockFile>(QDir(folder).filePath(fileName)))
{
    // Held for as long as the program runs: never taken over for its age, only when the process
    // named in it is gone.
    m_file->setStaleLockTime(0);
    if (m_file->tryLock())
        m_outcome = Outcome::Held;
    else if (m_file->error() == QLockFile::LockFailedError)
        m_outcome = Outcome::HeldByAnother;
    else
        m_outcome = Outcome::Unavailable;
}

FolderLock::~FolderLock() = default;

} // namespace qm
