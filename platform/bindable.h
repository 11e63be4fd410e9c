#pragma once

#include "data/value.h"

#include <QPointer>
#include <QString>

namespace qm {

class Data;

// A control that shows one column of a data control's current row and writes it back.
class Bindable
{
public:
    virtual ~Bindable();

    // Binds the control; controls are filled in the order they are bound.
    void setDataSource(Data *data, const QString &field);
    Data *DataSource() const;
    QString DataField() const;

    // The value to write (empty text means Null).
    virtual Value boundValue() const = 0;
    // Shows a field's value as loaded from the row.
    virtual void fillBound(const Value &value) = 0;

    // Changed since the data control last filled or wrote it.
    bool isBoundDirty() const;
    void setBoundDirty(bool dirty);

protected:
    // Controls call this on every change of their value, typed or set by code.
    void boundValueChanged();

private:
    QPointer<Data> m_data;
    QString m_field;
    bool m_dirty = false;
};

} // namespace qm
