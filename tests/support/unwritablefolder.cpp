#include "tests/support/unwritablefolder.h"

#include <QFile>
#include <sys/fsuid.h>
#include <unistd.h>

namespace qm::test {

namespace {
constexpr unsigned Nobody = 65534;
}

UnwritableFolder::UnwritableFolder(const QString &folder)
    : m_folder(folder)
    , m_wasRoot(geteuid() == 0)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                      | QFile::ReadOther | QFile::ExeOther);
    if (m_wasRoot) {
        setfsgid(Nobody);
        setfsuid(Nobody);
    }
}

UnwritableFolder::~UnwritableFolder()
{
    if (m_wasRoot) {
        setfsuid(0);
        setfsgid(0);
    }
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace qm::test
