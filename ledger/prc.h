#pragma once

#include "shell/standin.h"

namespace qm {

class Data;

class PRC : public StandInScreen
{
    Q_OBJECT
public:
    PRC();

};

} // namespace qm
