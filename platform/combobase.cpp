#include "platform/combobase.h"

#include <QLineEdit>

namespace qm {

ComboBase::ComboBase(QWidget *parent, Style style)
    : QComboBox(parent)
    , m_style(style)
{
    setEditable(style == DropdownCombo);
    setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would show a text the box does not hold: typed text is its own.
    if (style == DropdownCombo)
        setCompleter(nullptr);
}

bool ComboBase::Locked() const
{
    return m_locked;
}

void ComboBase::setLocked(bool locked)
{
    m_locked = locked;
    if (lineEdit())
        lineEdit()->setReadOnly(locked);
}

} // namespace qm
