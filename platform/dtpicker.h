#pragma once

#include "platform/control.h"

#include <QDate>
#include <QDateEdit>
#include <functional>

namespace qm {

// A date picker with a drop-down calendar. Setting Value from code raises nothing; a pick by
// the user raises Change and, when the calendar closes, CloseUp. It is one Tab stop; Left and
// Right move between its day, month and year; F4 or Alt+Down drops the calendar down.
class DTPicker : public QDateEdit, public Control
{
    Q_OBJECT
public:
    explicit DTPicker(QWidget *parent);
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    QDate Value() const;
    void setValue(const QDate &value);
    // Display format in the old notation, e.g. "dd MMMM yy"; the year always shows four digits.
    QString CustomFormat() const;
    void setCustomFormat(const QString &format);

    // Tests: the user picks a day from the calendar.
    void pickDate(const QDate &date);

    std::function<void()> onChange;
    std::function<void()> onCloseUp;

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openCalendar();

    QString m_customFormat;
    bool m_settingByCode = false;
};

} // namespace qm
