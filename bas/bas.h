#pragma once

#include "shell/standin.h"

namespace qm {

class Data;

class bas : public StandInScreen
{
    Q_OBJECT
public:
    bas();

};

} // namespace qm
