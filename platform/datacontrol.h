#pragma once

#include "platform/control.h"
#include "platform/database.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QLabel;
class QToolButton;

namespace qm {

class Bindable;

// Validate action codes.
enum DataAction {
    vbDataActionCancel = 0,
    vbDataActionMoveFirst = 1,
    vbDataActionMovePrevious = 2,
    vbDataActionMoveNext = 3,
    vbDataActionMoveLast = 4,
    vbDataActionAddNew = 5,
    vbDataActionUpdate = 6,
    vbDataActionDelete = 7,
    vbDataActionFind = 8,
    vbDataActionBookmark = 9,
    vbDataActionClose = 10,
    vbDataActionUnload = 11,
};

// What the arrow buttons do past the last row.
enum EOFAction { vbEOFActionMoveLast = 0, vbEOFActionEOF = 1, vbEOFActionAddNew = 2 };

// The bound data control: opens a database and a record source, fills the controls bound
// to it with the current row and writes them back when the row is left.
//
// One move, all nested in the caller: Validate(Action, Save) for the row being left; the
// row is written if Save is still set; the recordset moves; the bound controls are filled
// (in the order they were bound); Reposition.
class Data : public QWidget, public Control, public RecordsetObserver
{
    Q_OBJECT

public:
    explicit Data(QWidget *parent, const QString &caption = {});
    ~Data() override;
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    QString DatabaseName;
    QString Connect;
    QString RecordSource;
    bool ReadOnly = false;
    int EOFAction = vbEOFActionMoveLast;

    QString Caption() const;
    void setCaption(const QString &caption);

    // Opens (or reopens) the record source; with no database name it releases the database.
    // An open recordset is first left as by a close: Validate(10) and its write. Ends with
    // Reposition.
    void Refresh();
    // The open recordset; Error 91 when the control is not open.
    qm::Recordset &Recordset();
    // The database the recordset was opened on (for a transaction around its writes); Error
    // 91 when the control is not open.
    qm::Database &database();
    bool isOpen() const;
    bool wasRefreshed() const;

    // Called by the arrow buttons.
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();

    std::function<void(int &action, int &save)> onValidate;
    std::function<void()> onReposition;

    // The recordset's Update as the screens use it: Validate(6), then the bound boxes are
    // written unless Save was cleared. Error 3426 when Validate cancels.
    void UpdateRecord();

    // The form unloads: Validate(11), write unless Save was cleared, close.
    void releaseOnUnload();
    // Closes without validating or writing (tests, end of process).
    void discard();

    // Binding (used by Bindable).
    void bind(Bindable *control);
    void unbind(Bindable *control);
    bool isFilling() const;

    void recordsetWillMove(qm::Recordset &rs, int action) override;
    void recordsetMoved(qm::Recordset &rs, int action) override;

    // Lists that read the record source read it again after each Refresh: `listener` runs
    // then, through the event boundary of `owner` (runEvent), so an error it raises is shown
    // and goes no further. One listener an owner; it goes when its owner is destroyed.
    void setRefreshListener(QWidget *owner, std::function<void()> listener);
    void removeRefreshListener(QWidget *owner);

private:
    void reopen();
    bool hasCurrentRow() const;
    bool anyDirty() const;
    // Validate for the row being left and its write; false when Validate cancelled.
    bool leaveRow(int action);
    void writeRow();
    void fill();
    void raiseReposition();
    void close();

    std::unique_ptr<Database> m_database;
    std::unique_ptr<qm::Recordset> m_recordset;
    std::vector<Bindable *> m_bound;
    std::vector<std::pair<QPointer<QWidget>, std::function<void()>>> m_refreshListeners;
    bool m_filling = false;
    bool m_refreshed = false;
    QLabel *m_captionLabel;
};

} // namespace qm
