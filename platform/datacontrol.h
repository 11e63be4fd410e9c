#pragma once

#include "data/database.h"
#include "platform/control.h"

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

// Which bound controls a write of the current row takes.
enum class RowWrite {
    Edited,  // those changed since the row was filled or last written
    AsShown, // also those whose value differs from the stored one: the row stores what it shows
};

// The bound data control: opens a database and a record source, fills the controls bound
// to it with the current row and writes them back when the row is left.
//
// One move, all nested in the caller: Validate(action, save) for the row being left, where
// `save` says whether the bound controls hold edits; the row is written if `save` is still
// set; the recordset moves; the bound controls are filled (in the order they were bound);
// Reposition. Validate may set the action to vbDataActionCancel to stay on the row (a close
// goes on regardless), or clear `save` to leave the row unwritten.
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

    std::function<void(DataAction &action, bool &save)> onValidate;
    std::function<void()> onReposition;

    // The recordset's Update as the screens use it: Validate(6), then the bound boxes are
    // written unless Save was cleared. Error 3426 when Validate cancels.
    void UpdateRecord();

    // The form unloads: Validate(11), write unless Save was cleared, close.
    void releaseOnUnload();
    // Closes without validating or writing (tests, end of process).
    void discard();

    // The record cycle as a screen drives it itself.
    // A row is current: a new one being added, or one between the ends.
    bool hasCurrentRow() const;
    // A bound control changed since the row was filled or last written.
    bool hasEdits() const;
    // Writes the bound controls into the current row (starting an edit when none is open) and
    // marks them unchanged. With `alongside`, that runs on the database in one transaction
    // with the write, before it (what must be stored with the row or not at all).
    void writeRow(RowWrite which = RowWrite::Edited, const std::function<void(qm::Database &)> &alongside = {});

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
    // Validate for the row being left and its write; false when Validate cancelled.
    bool leaveRow(DataAction action);
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
