#pragma once

#include <QApplication>
#include <QFont>

namespace qm::test {

// Another machine's default font while it lives: screens built meanwhile are drawn in it.
class MachineFont
{
public:
    explicit MachineFont(const QFont &font)
        : m_saved(QApplication::font())
    {
        QApplication::setFont(font);
    }
    ~MachineFont() { QApplication::setFont(m_saved); }
    MachineFont(const MachineFont &) = delete;
    MachineFont &operator=(const MachineFont &) = delete;

private:
    QFont m_saved;
};

// The fonts screens are checked in: this machine's, and a large one of another.
inline QList<QFont> machineFonts()
{
    return {QApplication::font(), QFont(QStringLiteral("DejaVu Sans"), 15)};
}

} // namespace qm::test
