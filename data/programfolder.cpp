#include "data/programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace qm {

namespace {
class ExecutableFolder : public ProgramFolder
{
public:
    QString programFolder() const override { return QCoreApplication::applicationDirPath(); }
};

const ProgramFolder *&installedSource()
{
    static const ProgramFolder *source = nullptr;
    return source;
}
} // namespace

const ProgramFolder &programFolderSource()
{
    static const ExecutableFolder executable;
    const ProgramFolder *source = installedSource();
    return source ? *source : executable;
}

const ProgramFolder *setProgramFolderSource(const ProgramFolder *source)
{
    const ProgramFolder *previous = installedSource();
    installedSource() = source;
    return previous;
}

QString programFile(const QString &name)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QDir::isAbsolutePath(path) && !path.startsWith(QLatin1String("//")))
        return QDir::cleanPath(path);
    return QDir::cleanPath(programFolderSource().programFolder() + QLatin1Char('/') + path);
}

} // namespace qm
