#pragma once

#include "shell/standin.h"

namespace qm {

class Data;

class srcm : public StandInScreen
{
    Q_OBJECT
public:
    srcm();
    Data *s;
};

} // namespace qm
