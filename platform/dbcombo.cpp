#include "platform/dbcombo.h"

#include "data/database.h"
#include "data/error.h"
#include "platform/datacontrol.h"
#include "platform/services.h"
#include "platform/typedtext.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace qm {

DBCombo::DBCombo(QWidget *parent, Style style)
    : ComboBase(parent, style)
{
    // The place list runs to thousands of rows: never measure them all for the width.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    setMaxVisibleItems(20);
    connect(this, &QComboBox::activated, this,
            [this](int index) { runEvent(this, [this, index] { pickRow(index); }); });
    if (QLineEdit *edit = lineEdit()) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            const QString text = takeTypedText(*edit);
            runEvent(this, [this, text] {
                if (m_locked) {
                    showValue(m_text, m_boundText); // puts the old text back
                    return;
                }
                // Typing is never rewritten: only the exact text of a row selects it.
                const int row = rowOfText(text, true);
                if (row >= 0)
                    showValue(text, m_rows[row].bound);
                else
                    showValue(text, text);
            });
        });
    }
    installEventFilter(this);
}

QWidget *DBCombo::widget()
{
    return this;
}

void DBCombo::setRowSource(Data *rowSource)
{
    if (m_rowSource)
        m_rowSource->removeRefreshListener(this);
    m_rowSource = rowSource;
    if (rowSource)
        rowSource->setRefreshListener(this, [this] { ReFill(); });
    ReFill();
}

Data *DBCombo::RowSource() const
{
    return m_rowSource;
}

QString DBCombo::Text() const
{
    return m_text;
}

void DBCombo::setText(const QString &text)
{
    const int row = rowOfText(text);
    if (row >= 0)
        showValue(m_rows[row].text, m_rows[row].bound);
    else
        showValue(text, text);
}

QString DBCombo::BoundText() const
{
    return m_boundText;
}

void DBCombo::setBoundText(const QString &value)
{
    const int row = rowOfBound(value);
    if (row >= 0)
        showValue(m_rows[row].text, m_rows[row].bound);
    else
        showValue(value, value);
}

void DBCombo::ReFill()
{
    try {
        readList();
    } catch (...) {
        // A list that cannot be read leaves none, in the widget too.
        m_rows.clear();
        showList();
        throw;
    }
    showList();
}

void DBCombo::showList()
{
    // The shown text and bound value stay as they were; only the list behind them changed.
    const QSignalBlocker blocker(this);
    clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(m_rows.size()));
    for (const Row &row : m_rows)
        texts.append(row.text);
    addItems(texts);
    showInWidget();
}

int DBCombo::ListCount() const
{
    return static_cast<int>(m_rows.size());
}

QString DBCombo::ListText(int row) const
{
    return row >= 0 && row < ListCount() ? m_rows[row].text : QString();
}

QString DBCombo::ListBoundValue(int row) const
{
    return row >= 0 && row < ListCount() ? m_rows[row].bound : QString();
}

Value DBCombo::boundValue() const
{
    const QString &value = BoundToText ? m_text : m_boundText;
    return value.isEmpty() ? Value() : Value(value);
}

void DBCombo::fillBound(const Value &value)
{
    // A loaded value is matched by the bound column only: a name that happens to be a
    // list row's text must not pick that row (and its key) for the record.
    setBoundText(value.toText());
}

void DBCombo::pickRow(int row)
{
    if (m_locked || row < 0 || row >= ListCount()) {
        showInWidget();
        return;
    }
    showValue(m_rows[row].text, m_rows[row].bound);
    if (onClick)
        onClick(dbcAreaList);
}

void DBCombo::typeText(const QString &text)
{
    if (m_locked || m_style != DropdownCombo || !isEnabled())
        return;
    const QString typed = m_text + typedText(text);
    const int row = rowOfText(typed, true);
    if (row >= 0)
        showValue(typed, m_rows[row].bound);
    else
        showValue(typed, typed);
}

void DBCombo::clickArea(int area)
{
    if (onClick)
        onClick(area);
}

void DBCombo::releaseMouse()
{
    if (onMouseUp)
        onMouseUp();
}

void DBCombo::readList()
{
    m_rows.clear();
    Data *source = m_rowSource;
    if (!source || !source->isOpen() || source->DatabaseName.isEmpty() || source->RecordSource.isEmpty()
        || ListField.isEmpty())
        return;
    // A recordset of its own: the row source's current row and position stay untouched.
    std::unique_ptr<Database> database
        = Database::open(programFile(source->DatabaseName), source->ReadOnly, source->Connect);
    std::unique_ptr<qm::Recordset> rows = database->OpenRecordset(source->RecordSource, RecordsetType::Snapshot);
    const int listIndex = rows->FieldIndex(ListField);
    const int boundIndex = BoundColumn.isEmpty() ? listIndex : rows->FieldIndex(BoundColumn);
    if (listIndex < 0 || boundIndex < 0)
        throw Error(ErrorCode::ItemNotFound);
    m_rows.reserve(static_cast<size_t>(rows->RecordCount()));
    while (!rows->Eof()) {
        m_rows.push_back({rows->field(listIndex).toText(), rows->field(boundIndex).toText()});
        rows->MoveNext();
    }
    rows->Close();
}

void DBCombo::showValue(const QString &text, const QString &bound)
{
    const bool textChanged = text != m_text;
    const bool valueChanged = textChanged || bound != m_boundText;
    m_text = text;
    m_boundText = bound;
    showInWidget();
    if (valueChanged)
        boundValueChanged();
    if (textChanged && onChange)
        onChange();
}

void DBCombo::showInWidget()
{
    const QSignalBlocker blocker(this);
    int index = -1;
    const int row = rowOfBound(m_boundText);
    if (row >= 0 && m_rows[row].text == m_text)
        index = row;
    setCurrentIndex(index);
    if (lineEdit() && lineEdit()->text() != m_text)
        lineEdit()->setText(m_text);
}

int DBCombo::rowOfText(const QString &text, bool exact) const
{
    if (text.isEmpty())
        return -1;
    int caseless = -1;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].text == text)
            return static_cast<int>(i);
        if (!exact && caseless < 0 && m_rows[i].text.compare(text, Qt::CaseInsensitive) == 0)
            caseless = static_cast<int>(i);
    }
    return caseless;
}

int DBCombo::rowOfBound(const QString &bound) const
{
    if (bound.isEmpty())
        return -1;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].bound == bound)
            return static_cast<int>(i);
    }
    return -1;
}

bool DBCombo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const int area = (lineEdit() && watched == lineEdit()) ? dbcAreaEdit : dbcAreaButton;
        if (watched == this || watched == lineEdit())
            runEvent(this, [this, area] { clickArea(area); });
    } else if (event->type() == QEvent::MouseButtonRelease && watched == lineEdit()) {
        runEvent(this, [this] { releaseMouse(); });
    } else if (event->type() == QEvent::MouseButtonDblClick && (watched == this || watched == lineEdit())) {
        runEvent(this, [this] { doubleClick(); });
    }
    return false;
}

void DBCombo::doubleClick()
{
    if (onDblClick)
        onDblClick();
}

void DBCombo::mouseReleaseEvent(QMouseEvent *event)
{
    QComboBox::mouseReleaseEvent(event);
    runEvent(this, [this] { releaseMouse(); });
}

} // namespace qm
