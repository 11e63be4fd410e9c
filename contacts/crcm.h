#pragma once

#include "shell/standin.h"

namespace qm {

class Data;

class crcm : public StandInScreen
{
    Q_OBJECT
public:
    crcm();
    Data *c;
};

} // namespace qm
