#pragma once

#include "platform/services.h"

namespace qm {

// The real services, but with the program folder a benchmark lays out, and no end of the
// program when its last form is unloaded.
class BenchServices : public SystemServices
{
public:
    explicit BenchServices(QString folder);
    QString programFolder() const override;
    void exitNormally() override;

private:
    QString m_folder;
};

// Runs offscreen unless a display platform was chosen.
void useOffscreenUnlessSet();

// Creates empty qm.mdb, qm1.mdb and db1.mdb (no places) in a folder from the schema.
void layOutProgramFolder(const QString &folder);

} // namespace qm
