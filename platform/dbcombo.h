#pragma once

#include "platform/bindable.h"
#include "platform/combobase.h"
#include "platform/control.h"

#include <QComboBox>
#include <QPointer>
#include <functional>
#include <vector>

namespace qm {

class Data;

// Where a data-bound combo was clicked.
enum DBComboArea { dbcAreaButton = 0, dbcAreaEdit = 1, dbcAreaList = 2 };

// A combo box whose list comes from the rows of a data control (RowSource): it shows the
// ListField of each row and carries the BoundColumn's value of the chosen row as BoundText.
// Bound to a column of another data control (DataSource/DataField) it loads and writes
// BoundText.
//
// Rules: setting Text to a list item's text selects that row, so BoundText follows; a loaded
// value sets BoundText from the field and Text from the matching list row; a value or typed
// text that matches no row is its own Text and BoundText; re-reading the row source keeps
// Text and raises no Change; ReFill keeps the displayed text; Click fires on any click of the
// control, with the area clicked.
class DBCombo : public ComboBase, public Control, public Bindable
{
    Q_OBJECT
public:
    explicit DBCombo(QWidget *parent, Style style = DropdownCombo);
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    // The list: read from the row source's database and record source whenever that data
    // control is refreshed (the list never moves the row source's own recordset). A list
    // that cannot be read then (a misspelt ListField or BoundColumn) is an error shown by the
    // combo's event boundary; the combo is left with no list.
    void setRowSource(Data *rowSource);
    Data *RowSource() const;
    QString ListField;
    QString BoundColumn;
    // Bound to a DataField, the combo writes BoundText; with BoundToText it writes the
    // shown text instead (a column that keeps the name, not the key).
    bool BoundToText = false;

    QString Text() const;
    void setText(const QString &text);
    QString BoundText() const;
    void setBoundText(const QString &value);
    // Reads the list again from the row source; the displayed text stays. Errors reach the
    // caller, the combo left with no list.
    void ReFill();

    int ListCount() const;
    QString ListText(int row) const;
    QString ListBoundValue(int row) const;

    Value boundValue() const override;
    void fillBound(const Value &value) override;

    // Tests: what the user does.
    void pickRow(int row);              // picks a row from the drop-down list (Click with dbcAreaList)
    void typeText(const QString &text); // types into the text part
    void clickArea(int area);           // a click on the button or the text part
    void releaseMouse();                // MouseUp over the control
    void doubleClick();                 // a double-click on the control or its text part

    std::function<void(int area)> onClick;
    std::function<void()> onChange;
    std::function<void()> onMouseUp;
    std::function<void()> onDblClick;

private:
    struct Row
    {
        QString text;
        QString bound;
    };
    // Reads m_rows from the row source.
    void readList();
    // Puts m_rows into the Qt widget's list.
    void showList();
    // Sets Text and BoundText; marks the binding dirty and raises Change as they change.
    void showValue(const QString &text, const QString &bound);
    // Puts Text into the Qt widget, selecting its row when it shows one.
    void showInWidget();
    // The first row with this text (exact first, else ignoring case unless `exact`), or -1.
    int rowOfText(const QString &text, bool exact = false) const;
    int rowOfBound(const QString &bound) const;

    QPointer<Data> m_rowSource;
    std::vector<Row> m_rows;
    QString m_text;
    QString m_boundText;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace qm
