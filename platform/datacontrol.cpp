#include "platform/datacontrol.h"

#include "data/error.h"
#include "data/transaction.h"
#include "platform/bindable.h"
#include "platform/form.h"
#include "platform/services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

namespace qm {

namespace {
QToolButton *arrowButton(QWidget *parent, const QString &text)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setAutoRaise(false);
    return button;
}

// Resets a flag when the scope ends, whatever way it ends.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~FlagGuard() { m_flag = false; }

private:
    bool &m_flag;
};
} // namespace

Data::Data(QWidget *parent, const QString &caption)
    : QWidget(parent)
    , m_captionLabel(new QLabel(caption, this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolButton *first = arrowButton(this, QStringLiteral("|<"));
    QToolButton *previous = arrowButton(this, QStringLiteral("<"));
    QToolButton *next = arrowButton(this, QStringLiteral(">"));
    QToolButton *last = arrowButton(this, QStringLiteral(">|"));
    m_captionLabel->setAlignment(Qt::AlignCenter);
    m_captionLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout->addWidget(first);
    layout->addWidget(previous);
    layout->addWidget(m_captionLabel, 1);
    layout->addWidget(next);
    layout->addWidget(last);
    connect(first, &QToolButton::clicked, this, [this] { runEvent(this, [this] { moveFirst(); }); });
    connect(previous, &QToolButton::clicked, this, [this] { runEvent(this, [this] { movePrevious(); }); });
    connect(next, &QToolButton::clicked, this, [this] { runEvent(this, [this] { moveNext(); }); });
    connect(last, &QToolButton::clicked, this, [this] { runEvent(this, [this] { moveLast(); }); });
    if (Form *form = Form::of(parent))
        form->addDataControl(this);
}

Data::~Data()
{
    discard();
}

QWidget *Data::widget()
{
    return this;
}

QString Data::Caption() const
{
    return m_captionLabel->text();
}

void Data::setCaption(const QString &caption)
{
    m_captionLabel->setText(caption);
}

bool Data::isOpen() const
{
    return m_recordset != nullptr;
}

bool Data::wasRefreshed() const
{
    return m_refreshed;
}

qm::Recordset &Data::Recordset()
{
    if (!m_recordset)
        throw Error(ErrorCode::ObjectNotSet);
    return *m_recordset;
}

qm::Database &Data::database()
{
    if (!m_database)
        throw Error(ErrorCode::ObjectNotSet);
    return *m_database;
}

void Data::Refresh()
{
    reopen();
    // A copy: a listener may change the listeners.
    const auto listeners = m_refreshListeners;
    for (const auto &[owner, listener] : listeners) {
        if (owner)
            runEvent(owner, listener);
    }
}

void Data::setRefreshListener(QWidget *owner, std::function<void()> listener)
{
    removeRefreshListener(owner);
    m_refreshListeners.emplace_back(owner, std::move(listener));
}

void Data::removeRefreshListener(QWidget *owner)
{
    // Listeners whose owner is gone go too.
    std::erase_if(m_refreshListeners, [owner](const auto &entry) { return !entry.first || entry.first == owner; });
}

void Data::reopen()
{
    m_refreshed = true;
    if (m_recordset) {
        leaveRow(vbDataActionClose);
        close();
    }
    if (!DatabaseName.isEmpty() && !RecordSource.isEmpty()) {
        m_database = Database::open(programFile(DatabaseName), ReadOnly, Connect);
        try {
            m_recordset = m_database->OpenRecordset(RecordSource, RecordsetType::Dynaset);
        } catch (...) {
            m_database.reset();
            throw;
        }
        if (m_recordset->RecordCount() > 0) {
            // A new recordset already stands on its first row: fill it, nothing to leave.
            m_recordset->setObserver(this);
            recordsetMoved(*m_recordset, vbDataActionMoveFirst);
            return;
        }
        m_recordset->setObserver(this);
        if (EOFAction == vbEOFActionAddNew && m_recordset->Updatable()) {
            m_recordset->AddNew();
            return;
        }
    }
    raiseReposition();
}

void Data::moveFirst()
{
    Recordset().MoveFirst();
}

void Data::movePrevious()
{
    qm::Recordset &rs = Recordset();
    if (rs.Bof())
        return;
    rs.MovePrevious();
    if (rs.Bof())
        rs.MoveFirst();
}

void Data::moveNext()
{
    qm::Recordset &rs = Recordset();
    if (rs.Eof())
        return;
    if (rs.EditMode() == EditState::Add) {
        // Moving on from a new row writes it and stays at the end.
        rs.MoveLast();
        return;
    }
    rs.MoveNext();
    if (!rs.Eof())
        return;
    if (EOFAction == vbEOFActionAddNew && rs.Updatable())
        rs.AddNew();
    else if (EOFAction == vbEOFActionMoveLast)
        rs.MoveLast();
}

void Data::moveLast()
{
    Recordset().MoveLast();
}

void Data::UpdateRecord()
{
    Recordset();
    if (!leaveRow(vbDataActionUpdate))
        throw Error(ErrorCode::ActionCancelled);
}

void Data::releaseOnUnload()
{
    if (!m_recordset)
        return;
    leaveRow(vbDataActionUnload);
    close();
}

void Data::discard()
{
    if (m_recordset)
        m_recordset->setObserver(nullptr);
    m_recordset.reset();
    m_database.reset();
}

void Data::bind(Bindable *control)
{
    if (std::find(m_bound.begin(), m_bound.end(), control) == m_bound.end())
        m_bound.push_back(control);
}

void Data::unbind(Bindable *control)
{
    m_bound.erase(std::remove(m_bound.begin(), m_bound.end(), control), m_bound.end());
}

bool Data::isFilling() const
{
    return m_filling;
}

void Data::recordsetWillMove(qm::Recordset &, int action)
{
    if (!leaveRow(static_cast<DataAction>(action)))
        throw Error(ErrorCode::ActionCancelled);
}

void Data::recordsetMoved(qm::Recordset &, int)
{
    fill();
    raiseReposition();
}

bool Data::hasCurrentRow() const
{
    if (!m_recordset)
        return false;
    if (m_recordset->EditMode() == EditState::Add)
        return true;
    return !m_recordset->Bof() && !m_recordset->Eof();
}

bool Data::hasEdits() const
{
    return std::any_of(m_bound.begin(), m_bound.end(), [](const Bindable *b) { return b->isBoundDirty(); });
}

bool Data::leaveRow(DataAction action)
{
    if (!hasCurrentRow())
        return true;
    bool save = hasEdits();
    DataAction requested = action;
    if (onValidate)
        onValidate(requested, save);
    const bool closing = action == vbDataActionClose || action == vbDataActionUnload;
    if (requested == vbDataActionCancel && !closing)
        return false;
    if (save && hasEdits())
        writeRow();
    else if (m_recordset->EditMode() == EditState::Add && (closing || action == vbDataActionAddNew))
        m_recordset->CancelUpdate(); // a new row with no edits is not inserted
    return true;
}

void Data::writeRow(RowWrite which, const std::function<void(qm::Database &)> &alongside)
{
    qm::Recordset &rs = Recordset();
    if (rs.EditMode() == EditState::None)
        rs.Edit();
    // Chosen against the row as it stands before any write: two controls may show one column.
    std::vector<Bindable *> changed;
    for (Bindable *control : m_bound) {
        if (control->DataField().isEmpty())
            continue;
        if (control->isBoundDirty()
            || (which == RowWrite::AsShown
                && control->boundValue().toText() != rs.field(control->DataField()).toText()))
            changed.push_back(control);
    }
    for (Bindable *control : changed) {
        FieldRef field = rs.Fields(control->DataField());
        if (field.Type() == FieldType::Counter)
            continue; // the key is the database's
        field.setValue(control->boundValue());
    }
    if (alongside) {
        Transaction transaction(*m_database);
        alongside(*m_database);
        rs.Update();
        transaction.commit();
    } else {
        rs.Update();
    }
    for (Bindable *control : m_bound)
        control->setBoundDirty(false);
}

void Data::fill()
{
    FlagGuard filling(m_filling);
    qm::Recordset &rs = *m_recordset;
    for (Bindable *control : m_bound) {
        if (control->DataField().isEmpty())
            continue;
        const int index = rs.FieldIndex(control->DataField());
        if (index < 0)
            throw Error(ErrorCode::ItemNotFound);
        control->fillBound(rs.EditMode() == EditState::Add ? Value() : rs.field(index));
    }
}

void Data::raiseReposition()
{
    for (Bindable *control : m_bound)
        control->setBoundDirty(false);
    if (onReposition)
        onReposition();
}

void Data::close()
{
    if (m_recordset) {
        m_recordset->setObserver(nullptr);
        m_recordset->Close();
    }
    m_recordset.reset();
    m_database.reset();
}

} // namespace qm
