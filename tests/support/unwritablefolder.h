#pragma once

#include <QString>

namespace qm::test {

// While it lives, this process cannot write in `folder`: the folder allows reading and
// searching only, and a process running as root (which would write anyway) takes the file
// system identity of an ordinary user on this thread.
class UnwritableFolder
{
public:
    explicit UnwritableFolder(const QString &folder);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

private:
    QString m_folder;
    bool m_wasRoot;
};

} // namespace qm::test
