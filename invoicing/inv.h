#pragma once

#include "shell/standin.h"

namespace qm {

class Data;

class INV : public StandInScreen
{
    Q_OBJECT
public:
    INV();

};

} // namespace qm
