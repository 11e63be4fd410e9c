#include "platform/dtpicker.h"

#include "data/dates.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

namespace qm {

namespace {
// The old custom-format letters are Qt's own for dates, except the years: every year shows
// all four digits, since the picker reads back what it shows and a two-digit year would be
// read in the century of the date it held.
QString toQtFormat(const QString &format)
{
    QString result;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? format.size() : end + 1;
            result += format.mid(i, stop - i);
            i = stop;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('y'))
            result += QStringLiteral("yyyy");
        else
            result += format.mid(i, run);
        i += run;
    }
    return result;
}
} // namespace

DTPicker::DTPicker(QWidget *parent)
    : QDateEdit(parent)
{
    // Month names are English whatever the machine's language, as in the rest of the program.
    setLocale(QLocale(QLocale::English, QLocale::Australia));
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd/MM/yyyy")); // the short date until a custom format is set
    setDate(today());
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (m_settingByCode)
            return;
        runEvent(this, [this] {
            if (onChange)
                onChange();
        });
    });
    QCalendarWidget *calendar = calendarWidget();
    auto closeUp = [this] {
        runEvent(this, [this] {
            if (onCloseUp)
                onCloseUp();
        });
    };
    connect(calendar, &QCalendarWidget::clicked, this, closeUp);
    connect(calendar, &QCalendarWidget::activated, this, closeUp);
}

QWidget *DTPicker::widget()
{
    return this;
}

QDate DTPicker::Value() const
{
    return date();
}

void DTPicker::setValue(const QDate &value)
{
    m_settingByCode = true;
    setDate(value);
    m_settingByCode = false;
}

QString DTPicker::CustomFormat() const
{
    return m_customFormat;
}

void DTPicker::setCustomFormat(const QString &format)
{
    m_customFormat = format;
    setDisplayFormat(toQtFormat(format));
}

bool DTPicker::focusNextPrevChild(bool next)
{
    // One Tab stop: Tab leaves the picker from whichever section it is in.
    return QWidget::focusNextPrevChild(next);
}

void DTPicker::openCalendar()
{
    if (!isEnabled() || isReadOnly())
        return;
    // The calendar drops down from a press on the picker's button, as with the mouse.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    const QPoint button
        = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    const QPointF global = mapToGlobal(QPointF(button));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(button), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(button), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    mouseReleaseEvent(&release);
}

void DTPicker::keyPressEvent(QKeyEvent *event)
{
    // F4 and Alt+Down (or Up) drop the calendar down, as on a drop-down list; they change no
    // day (the spin box would take Alt+Down as a step to the day before).
    const bool upOrDown = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if ((event->key() == Qt::Key_F4 && !event->modifiers())
        || (upOrDown && (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier)) {
        openCalendar();
        event->accept();
        return;
    }
    // Left and Right move a whole section, as Tab did inside the date.
    const bool left = event->key() == Qt::Key_Left, right = event->key() == Qt::Key_Right;
    if ((left || right) && !(event->modifiers() & ~Qt::KeypadModifier)) {
        const int section = std::clamp(currentSectionIndex() + (right ? 1 : -1), 0, sectionCount() - 1);
        setCurrentSectionIndex(section);
        setSelectedSection(sectionAt(section));
        event->accept();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

void DTPicker::pickDate(const QDate &date)
{
    if (!isEnabled())
        return;
    setDate(date); // raises Change when the day differs, as a pick does
    if (onCloseUp)
        onCloseUp();
}

} // namespace qm
