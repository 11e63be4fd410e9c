#pragma once

#include "platform/bindable.h"
#include "platform/controls.h"
#include "platform/datacontrol.h"
#include "platform/form.h"

namespace qm {

class Data;
class FileListBox;

// The logo: a picture box bound to a picture column, which it holds as BMP data.
class LogoBox : public PictureBox, public Bindable
{
    Q_OBJECT
public:
    explicit LogoBox(QWidget *parent);
    // A new picture becomes the pending value of the bound column.
    void setPicture(const QPixmap &picture);

    Value boundValue() const override;
    void fillBound(const Value &value) override;
};

// The business's own details for the invoices (table info) and its logo (table pic).
class CI : public Form
{
    Q_OBJECT
public:
    CI();

    PictureBox *sspanel100;
    Data *info, *pic;
    ControlArray<TextBox> Text1;
    ComboBox *Combo1;
    FileListBox *File1;
    LogoBox *Picture1;
    CommandButton *Command1;

    void File1_Click();
    void Command1_Click();
    void info_Validate(DataAction &action, bool &save);

protected:
    void Form_Load() override;

private:
    void buildLayout();
};

} // namespace qm
