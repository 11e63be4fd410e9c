#include "platform/control.h"

#include "data/error.h"
#include "platform/form.h"
#include "platform/msgbox.h"
#include "platform/services.h"

#include <QPalette>
#include <QWidget>
#include <cmath>

namespace qm {

namespace {
int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

// Reads back the twips that were set while the widget still sits where they put it.
double readTwips(double stored, int pixels)
{
    if (!std::isnan(stored) && toPixels(stored) == pixels)
        return stored;
    return pixels * TwipsPerPixel;
}

QColor fromBgr(long bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

long toBgr(const QColor &c)
{
    return (static_cast<long>(c.blue()) << 16) | (static_cast<long>(c.green()) << 8) | c.red();
}
} // namespace

void runEvent(QWidget *source, const std::function<void()> &handler)
{
    if (source) {
        Form *form = Form::of(source);
        if (form && form->isUnloaded())
            return;
    }
    try {
        handler();
    } catch (const Error &e) {
        MsgBox(e.Description(), vbOKOnly | vbCritical);
    } catch (const QuitRequested &) {
        // Tests' stand-in for the end of the process: nothing more runs.
    } catch (const std::exception &e) {
        MsgBox(QString::fromLocal8Bit(e.what()), vbOKOnly | vbCritical);
    } catch (...) {
        MsgBox(QStringLiteral("Unexpected error"), vbOKOnly | vbCritical);
    }
}

Control::~Control() = default;

const QWidget *Control::widget() const
{
    return const_cast<Control *>(this)->widget();
}

double Control::Left() const
{
    return readTwips(m_left, widget()->x());
}

double Control::Top() const
{
    return readTwips(m_top, widget()->y());
}

double Control::Width() const
{
    return readTwips(m_width, widget()->width());
}

double Control::Height() const
{
    return readTwips(m_height, widget()->height());
}

void Control::setLeft(double twips)
{
    m_left = twips;
    widget()->move(toPixels(twips), widget()->y());
}

void Control::setTop(double twips)
{
    m_top = twips;
    widget()->move(widget()->x(), toPixels(twips));
}

void Control::setWidth(double twips)
{
    m_width = twips;
    widget()->resize(toPixels(twips), widget()->height());
}

void Control::setHeight(double twips)
{
    m_height = twips;
    widget()->resize(widget()->width(), toPixels(twips));
}

void Control::Move(double left, double top, double width, double height)
{
    setLeft(left);
    setTop(top);
    setWidth(width);
    setHeight(height);
}

bool Control::Visible() const
{
    // The property as set, not whether the window happens to be on screen now.
    return m_visible;
}

void Control::setVisible(bool visible)
{
    m_visible = visible;
    widget()->setVisible(visible);
}

bool Control::Enabled() const
{
    return widget()->isEnabled();
}

void Control::setEnabled(bool enabled)
{
    widget()->setEnabled(enabled);
}

long Control::BackColor() const
{
    return toBgr(widget()->palette().color(widget()->backgroundRole()));
}

void Control::setBackColor(long bgr)
{
    QWidget *w = widget();
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, fromBgr(bgr));
    palette.setColor(QPalette::Window, fromBgr(bgr));
    palette.setColor(QPalette::Button, fromBgr(bgr));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

long Control::ForeColor() const
{
    return toBgr(widget()->palette().color(widget()->foregroundRole()));
}

void Control::setForeColor(long bgr)
{
    QWidget *w = widget();
    QPalette palette = w->palette();
    palette.setColor(QPalette::WindowText, fromBgr(bgr));
    palette.setColor(QPalette::Text, fromBgr(bgr));
    palette.setColor(QPalette::ButtonText, fromBgr(bgr));
    w->setPalette(palette);
}

void Control::SetFocus()
{
    widget()->setFocus(Qt::OtherFocusReason);
}

Form *Control::ownerForm() const
{
    return Form::of(const_cast<QWidget *>(widget()));
}

} // namespace qm
