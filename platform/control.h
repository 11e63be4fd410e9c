#pragma once

#include <QString>
#include <cmath>
#include <functional>

class QWidget;

namespace qm {

class Form;

// Runs a handler that Qt started (a click, a key, a timer). Errors never reach Qt: a
// qm::Error or any other exception is shown in a message box and the program goes on.
// Events for a form that has been unloaded meanwhile are dropped.
void runEvent(QWidget *source, const std::function<void()> &handler);

// Old-style colours are &HBBGGRR.
constexpr long vbWhite = 0xFFFFFF;
constexpr long vbPink = 0xFFC0FF;
constexpr long vbBlue = 0xFF0000;
constexpr long LightGrey = 0xE0E0E0; // what the user reads but does not type into

// What every control and form offers: geometry in twips, visibility, colour.
class Control
{
public:
    virtual ~Control();

    virtual QWidget *widget() = 0;
    const QWidget *widget() const;

    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void Move(double left, double top, double width, double height);

    bool Visible() const;
    void setVisible(bool visible);
    bool Enabled() const;
    void setEnabled(bool enabled);
    long BackColor() const;
    void setBackColor(long bgr);
    long ForeColor() const;
    void setForeColor(long bgr);
    void SetFocus();

    // The form the control sits on (nullptr before it is placed).
    Form *ownerForm() const;

    QString Tag;

private:
    // Set geometry is kept in twips so that a value set reads back exactly.
    double m_left = std::nan(""), m_top = std::nan(""), m_width = std::nan(""), m_height = std::nan("");
    bool m_visible = true;
};

} // namespace qm
