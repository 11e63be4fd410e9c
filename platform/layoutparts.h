#pragma once

#include "platform/controls.h"

namespace qm {

class Data;
class DTPicker;

// The pieces the screens' layouts are built from.
namespace layout {

// A caption on one line; bold for the title of a block.
Label *caption(QWidget *parent, const QString &text, bool bold = false);

template <class T>
T *hidden(T *control)
{
    control->setVisible(false);
    return control;
}

// Entry fields start white; only the highlighting paints them.
template <class T>
T *entry(T *control)
{
    control->setBackColor(vbWhite);
    return control;
}

template <class T>
T *entry(T *control, int width)
{
    control->setFixedWidth(width);
    return entry(control);
}

// A box the user reads but cannot type into.
TextBox *greyBox(QWidget *parent);

// A date picker shown as its drop-down button only, beside the box it fills.
DTPicker *pickerButton(QWidget *parent);

// A data control the user never sees, over a record source of a database file.
Data *hiddenData(QWidget *parent, const QString &database, const QString &connect, const QString &recordSource);

} // namespace layout
} // namespace qm
