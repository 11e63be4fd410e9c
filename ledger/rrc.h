#pragma once

#include "shell/standin.h"

namespace qm {

class Data;

class RRC : public StandInScreen
{
    Q_OBJECT
public:
    RRC();

};

} // namespace qm
