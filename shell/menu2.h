#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace qm {

// The main menu: every screen is opened from here.
class Menu2 : public Form
{
    Q_OBJECT
public:
    Menu2();

    PictureBox *sspanel100;
    ControlArray<PictureBox> Picture1;
    PictureBox *picture100;
    MenuItem *mm, *mps, *miq, *mim, *moi, *ht, *a1, *en;

    void Picture1_Click(int index);
    void Picture1_MouseMove(int index);
    void sspanel100_Click();
    void sspanel100_MouseMove();
    void mm_Click();
    void miq_Click();
    void mim_Click();
    void moi_Click();

protected:
    void Form_Load() override;

private:
    void buildLayout();
    void buildMenus();
};

} // namespace qm
