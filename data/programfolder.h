#pragma once

#include <QString>

// Where the program's data files are: the executable's folder unless a replacement (tests,
// benchmarks) says otherwise. The program's services are such a replacement once installed.
namespace qm {

class ProgramFolder
{
public:
    virtual ~ProgramFolder() = default;
    // The folder of the running executable; every data file is named relative to it.
    virtual QString programFolder() const = 0;
};

// The source in use.
const ProgramFolder &programFolderSource();
// Installs a source, not owned (nullptr: the executable's folder); returns the previous one.
const ProgramFolder *setProgramFolderSource(const ProgramFolder *source);

// A file named as the screens name it ("qm.mdb", App.Path & "\db1.mdb"): "\" becomes "/",
// and a relative name is taken from the program folder.
QString programFile(const QString &name);

} // namespace qm
