#include "reports/reports2.h"

#include "platform/datacontrol.h"

namespace qm {

reports2::reports2()
    : StandInScreen(QStringLiteral("reports2"), QStringLiteral("Reports"))
{

}

} // namespace qm
