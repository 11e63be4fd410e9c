#pragma once

#include <QComboBox>

namespace qm {

// What the plain and the data-bound combo share: the style (typing allowed, or a pick from the
// list only) and the lock that keeps what the box shows.
class ComboBase : public QComboBox
{
    Q_OBJECT
public:
    // Style 0: drop-down combo (typing allowed); style 2: drop-down list.
    enum Style { DropdownCombo = 0, DropdownList = 2 };

    bool Locked() const;
    void setLocked(bool locked);

protected:
    ComboBase(QWidget *parent, Style style);

    const Style m_style;
    bool m_locked = false;
};

} // namespace qm
