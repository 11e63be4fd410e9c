#include "common/databases.h"

#include "platform/database.h"

namespace qm {

std::unique_ptr<Database> openProgramDatabase(QLatin1String file)
{
    return DBEngine().OpenDatabase(file, false, false, PasswordConnect);
}

} // namespace qm
