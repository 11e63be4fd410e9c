#include "bas/bas.h"

#include "platform/datacontrol.h"

namespace qm {

bas::bas()
    : StandInScreen(QStringLiteral("bas"), QStringLiteral("BAS Statement"))
{

}

} // namespace qm
