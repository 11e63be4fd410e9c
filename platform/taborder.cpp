#include "platform/taborder.h"

#include <QKeyEvent>
#include <QWidget>

namespace qm {

namespace {

class TabStops : public QObject
{
public:
    TabStops(QObject *parent, std::vector<QWidget *> controls)
        : QObject(parent)
        , m_controls(std::move(controls))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & ~Qt::KeypadModifier);
        const bool backward
            = key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ShiftModifier);
        if (!forward && !backward)
            return false;
        const int from = indexOf(watched);
        if (from < 0)
            return false;
        const int step = forward ? 1 : -1;
        const Qt::FocusReason reason = forward ? Qt::TabFocusReason : Qt::BacktabFocusReason;
        for (int i = from + step; i >= 0 && i < int(m_controls.size()); i += step) {
            QWidget *next = m_controls[size_t(i)];
            if (next->isVisible() && next->isEnabled()) {
                next->setFocus(reason);
                return true;
            }
        }
        if (QWidget *outside = beyondStops(forward)) {
            outside->setFocus(reason);
            return true;
        }
        return false;
    }

private:
    bool isStop(QWidget *widget) const
    {
        for (QWidget *control : m_controls)
            if (widget == control || control->isAncestorOf(widget) || widget->isAncestorOf(control))
                return true;
        return false;
    }

    // Past the last stop (or before the first), the window's own order goes on from the stop
    // that comes last (first) in it, skipping the stops.
    QWidget *beyondStops(bool forward) const
    {
        QWidget *window = m_controls.front()->window();
        QWidget *w = window;
        QWidget *edge = nullptr;
        do {
            if (w != window && isStop(w) && (forward || !edge))
                edge = w;
            w = w->nextInFocusChain();
        } while (w != window);
        if (!edge)
            return nullptr;
        for (w = forward ? edge->nextInFocusChain() : edge->previousInFocusChain(); w != edge;
             w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
            QWidget *taker = w;
            while (taker->focusProxy())
                taker = taker->focusProxy();
            if (w != window && !isStop(w) && (taker->focusPolicy() & Qt::TabFocus) && taker->isVisibleTo(window)
                && taker->isEnabled())
                return w;
        }
        return nullptr;
    }

    int indexOf(QObject *watched) const
    {
        for (size_t i = 0; i < m_controls.size(); ++i) {
            QWidget *control = m_controls[i];
            if (watched == control || control->isAncestorOf(qobject_cast<QWidget *>(watched)))
                return int(i);
        }
        return -1;
    }

    std::vector<QWidget *> m_controls;
};

} // namespace

void orderTabStops(const std::vector<QWidget *> &controls)
{
    if (controls.empty())
        return;
    auto *stops = new TabStops(controls.front(), controls);
    // The key comes to whichever part of a control has the focus.
    for (QWidget *control : controls) {
        control->installEventFilter(stops);
        for (QWidget *part : control->findChildren<QWidget *>())
            part->installEventFilter(stops);
    }
}

} // namespace qm
