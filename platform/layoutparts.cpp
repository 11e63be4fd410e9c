#include "platform/layoutparts.h"

#include "platform/datacontrol.h"
#include "platform/dtpicker.h"

namespace qm::layout {

Label *caption(QWidget *parent, const QString &text, bool bold)
{
    auto *label = new Label(parent, text);
    label->setWordWrap(false);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

TextBox *greyBox(QWidget *parent)
{
    auto *box = new TextBox(parent);
    box->setBackColor(LightGrey);
    box->setLocked(true);
    return box;
}

DTPicker *pickerButton(QWidget *parent)
{
    auto *picker = new DTPicker(parent);
    picker->setFixedWidth(22);
    return picker;
}

Data *hiddenData(QWidget *parent, const QString &database, const QString &connect, const QString &recordSource)
{
    auto *data = hidden(new Data(parent));
    data->DatabaseName = database;
    data->Connect = connect;
    data->RecordSource = recordSource;
    return data;
}

} // namespace qm::layout
