#include "shell/ci.h"

#include "platform/datacontrol.h"

namespace qm {

CI::CI()
    : StandInScreen(QStringLiteral("CI"), QStringLiteral("Organisation Information"))
{

}

} // namespace qm
