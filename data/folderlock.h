#pragma once

#include <QString>
#include <memory>

class QLockFile;

// One process at a time on a folder: a lock file in it, held for as long as the lock lives.
// A lock left by a process that no longer runs (killed, or the machine stopped) is taken over.
namespace qm {

class FolderLock
{
public:
    enum class Outcome {
        Held,          // this lock holds the folder
        HeldByAnother, // another running process holds it
        Unavailable,   // the lock file cannot be made (a folder that cannot be written): nothing held
    };

    FolderLock(const QString &folder, const QString &fileName);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    Outcome outcome() const { return m_outcome; }
    QString folder() const { return m_folder; }

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_file;
    Outcome m_outcome;
};

} // namespace qm
