#pragma once

#include "shell/standin.h"

namespace qm {

class Data;

class reports2 : public StandInScreen
{
    Q_OBJECT
public:
    reports2();

};

} // namespace qm
