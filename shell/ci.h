#pragma once

#include "shell/standin.h"

namespace qm {

class Data;

class CI : public StandInScreen
{
    Q_OBJECT
public:
    CI();

};

} // namespace qm
