#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace qm {

// The disclaimer box, opened from the splash.
class Dialog : public Form
{
    Q_OBJECT
public:
    Dialog();

    PictureBox *Picture1;
    Label *Label1, *Label2, *Label3;
    CommandButton *OKButton;

    void OKButton_Click();

protected:
    void Form_Load() override;

private:
    void buildLayout();
};

} // namespace qm
