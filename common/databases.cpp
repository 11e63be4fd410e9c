#include "common/databases.h"

#include "data/database.h"

namespace qm {

std::unique_ptr<Database> openProgramDatabase(QLatin1String file)
{
    return DBEngine().OpenDatabase(file, false, false, PasswordConnect);
}

} // namespace qm
