#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace qm {

// A screen that is not built yet: it names itself and goes back to the main menu.
class StandInScreen : public Form
{
    Q_OBJECT
public:
    StandInScreen(const QString &name, const QString &caption);

    SSPanel *sspanel100;
    Label *Label1;
    CommandButton *cmdMenu;

    void cmdMenu_Click();

protected:
    void Form_Load() override;
};

} // namespace qm
