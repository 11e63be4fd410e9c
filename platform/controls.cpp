#include "platform/controls.h"

#include "platform/datacontrol.h"
#include "platform/typedtext.h"

#include <QAction>
#include <QEnterEvent>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <cmath>

namespace qm {

namespace {
// Refuses typing past the box's length; text set by code never passes through it.
class LengthValidator : public QValidator
{
public:
    LengthValidator(QObject *parent, const int *maxLength)
        : QValidator(parent)
        , m_maxLength(maxLength)
    {
    }
    State validate(QString &input, int &) const override
    {
        return (*m_maxLength > 0 && input.size() > *m_maxLength) ? Invalid : Acceptable;
    }

private:
    const int *m_maxLength;
};

// The character a key press types, or 0.
int keyAsciiOf(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return 0;
    const QString text = static_cast<QKeyEvent *>(event)->text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

// Runs a control's KeyPress handler; true when the handler swallowed the key.
bool dispatchKeyPress(QWidget *source, const KeyHandler &handler, QEvent *event)
{
    if (!handler)
        return false;
    int keyAscii = keyAsciiOf(event);
    if (keyAscii == 0)
        return false;
    const int typed = keyAscii;
    runEvent(source, [&] { handler(keyAscii); });
    return keyAscii != typed; // 0 swallows; another character is not retyped here
}

void fire(const Handler &handler)
{
    if (handler)
        handler();
}

void raiseFromQt(QWidget *source, const Handler &handler)
{
    if (handler)
        runEvent(source, handler);
}
} // namespace

QPixmap LoadPicture(const QString &path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        if (!QFileInfo::exists(path))
            throw Error(ErrorCode::NoSuchFile);
        throw Error(ErrorCode::InvalidPicture);
    }
    return QPixmap::fromImage(image);
}

// ---- Label ----

Label::Label(QWidget *parent, const QString &caption)
    : QLabel(caption, parent)
{
    setMouseTracking(true);
    setWordWrap(true);
}

QWidget *Label::widget()
{
    return this;
}

QString Label::Caption() const
{
    return text();
}

void Label::setCaption(const QString &caption)
{
    setText(caption);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    raiseFromQt(this, onClick);
}

void Label::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLabel::mouseDoubleClickEvent(event);
    raiseFromQt(this, onDblClick);
}

void Label::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    raiseFromQt(this, onMouseMove);
}

void Label::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    raiseFromQt(this, onMouseMove);
}

// ---- TextBox ----

TextBox::TextBox(QWidget *parent, bool multiLine)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QWidget *editor = nullptr;
    if (multiLine) {
        m_multi = new QPlainTextEdit(this);
        connect(m_multi, &QPlainTextEdit::textChanged, this, [this] { userEdited(takeTypedText(*m_multi)); });
        editor = m_multi;
    } else {
        m_line = new QLineEdit(this);
        m_line->setValidator(new LengthValidator(m_line, &m_maxLength));
        connect(m_line, &QLineEdit::textEdited, this, [this] { userEdited(takeTypedText(*m_line)); });
        connect(m_line, &QLineEdit::cursorPositionChanged, this, [this] { keepSelection(); });
        connect(m_line, &QLineEdit::selectionChanged, this, [this] { keepSelection(); });
        editor = m_line;
    }
    layout->addWidget(editor);
    editor->installEventFilter(this);
    setFocusProxy(editor);
}

QWidget *TextBox::widget()
{
    return this;
}

QString TextBox::Text() const
{
    return m_text;
}

void TextBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_previous = m_text;
    m_previousSelStart = SelStart();
    m_previousSelLength = SelLength();
    m_text = text;
    if (m_line) {
        const QSignalBlocker blocker(m_line);
        m_line->setText(text);
    } else {
        const QSignalBlocker blocker(m_multi);
        m_multi->setPlainText(text);
    }
    keepSelection();
    raiseChange();
}

QString TextBox::PreviousText() const
{
    return m_previous;
}

int TextBox::PreviousSelStart() const
{
    return m_previousSelStart;
}

int TextBox::PreviousSelLength() const
{
    return m_previousSelLength;
}

int TextBox::MaxLength() const
{
    return m_maxLength;
}

void TextBox::setMaxLength(int length)
{
    m_maxLength = length;
}

bool TextBox::Locked() const
{
    return m_line ? m_line->isReadOnly() : m_multi->isReadOnly();
}

void TextBox::setLocked(bool locked)
{
    if (m_line)
        m_line->setReadOnly(locked);
    else
        m_multi->setReadOnly(locked);
}

int TextBox::SelStart() const
{
    if (m_line)
        return m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition();
    return m_multi->textCursor().selectionStart();
}

void TextBox::setSelStart(int position)
{
    position = std::clamp(position, 0, static_cast<int>(m_text.size()));
    if (m_line) {
        m_line->setCursorPosition(position);
    } else {
        QTextCursor cursor = m_multi->textCursor();
        cursor.setPosition(position);
        m_multi->setTextCursor(cursor);
    }
}

int TextBox::SelLength() const
{
    if (m_line)
        return static_cast<int>(m_line->selectedText().size());
    return static_cast<int>(m_multi->textCursor().selectedText().size());
}

void TextBox::setSelLength(int length)
{
    const int start = SelStart();
    if (m_line) {
        m_line->setSelection(start, length);
    } else {
        QTextCursor cursor = m_multi->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(std::min(start + length, static_cast<int>(m_text.size())), QTextCursor::KeepAnchor);
        m_multi->setTextCursor(cursor);
    }
}

bool TextBox::isMultiLine() const
{
    return m_multi != nullptr;
}

int TextBox::Alignment() const
{
    const Qt::Alignment alignment = m_line ? m_line->alignment() : Qt::AlignLeft;
    if (alignment & Qt::AlignRight)
        return RightJustify;
    return alignment & Qt::AlignHCenter ? Center : LeftJustify;
}

void TextBox::setAlignment(int alignment)
{
    if (alignment < LeftJustify || alignment > Center)
        throw Error(ErrorCode::InvalidPropertyValue);
    // A multi-line box keeps its text left: its lines wrap from the left edge.
    if (!m_line)
        return;
    const Qt::Alignment horizontal = alignment == RightJustify ? Qt::AlignRight
                                     : alignment == Center     ? Qt::AlignHCenter
                                                               : Qt::AlignLeft;
    m_line->setAlignment(horizontal | Qt::AlignVCenter);
}

void TextBox::fitText(const QString &sample)
{
    m_fitSample = sample;
    applyFit();
}

bool TextBox::showsWhole(const QString &text) const
{
    return pixelsFor(text) <= width();
}

void TextBox::keepOneLineHigh()
{
    setSizePolicy(sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
}

int TextBox::pixelsFor(const QString &text) const
{
    if (!m_line)
        return 0; // a multi-line box wraps its text
    m_line->ensurePolished();
    const QStyle *style = m_line->style();
    // The frame of the line as its style draws it, and what lies inside it: the text
    // margins, two pixels either side of the text line, and the text with a pixel for the
    // cursor and one that right alignment moves it by.
    QStyleOptionFrame option;
    option.initFrom(m_line);
    option.rect = QRect(0, 0, 1000, std::max(m_line->height(), 1));
    option.lineWidth = m_line->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_line) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (m_line->isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    const QRect contents = style->subElementRect(QStyle::SE_LineEditContents, &option, m_line);
    const QMargins margins = m_line->textMargins();
    const int textWidth = int(std::ceil(QFontMetricsF(m_line->font()).horizontalAdvance(text))) + 2;
    return option.rect.width() - contents.width() + margins.left() + margins.right() + 2 * 2 + textWidth;
}

void TextBox::applyFit()
{
    if (m_fitSample.isEmpty())
        return;
    const int pixels = pixelsFor(m_fitSample);
    if (maximumWidth() < pixels)
        setMaximumWidth(pixels);
    if (minimumWidth() < pixels)
        setMinimumWidth(pixels);
}

void TextBox::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        applyFit();
}

Value TextBox::boundValue() const
{
    return m_text.isEmpty() ? Value() : Value(m_text);
}

void TextBox::fillBound(const Value &value)
{
    setText(value.toText());
}

void TextBox::typeText(const QString &text)
{
    if (Locked() || !isEnabled())
        return;
    // Typing replaces the selection, or goes in at the cursor, as far as the length allows.
    const int start = std::clamp(SelStart(), 0, static_cast<int>(m_text.size()));
    const int selected = std::min(SelLength(), static_cast<int>(m_text.size()) - start);
    QString inserted = typedText(text);
    if (m_maxLength > 0)
        inserted.truncate(std::max(0, m_maxLength - static_cast<int>(m_text.size()) + selected));
    QString typed = m_text;
    typed.replace(start, selected, inserted);
    if (m_line) {
        const QSignalBlocker blocker(m_line);
        m_line->setText(typed);
        m_line->setCursorPosition(start + static_cast<int>(inserted.size()));
    } else {
        const QSignalBlocker blocker(m_multi);
        m_multi->setPlainText(typed);
        QTextCursor cursor = m_multi->textCursor();
        cursor.setPosition(start + static_cast<int>(inserted.size()));
        m_multi->setTextCursor(cursor);
    }
    keepSelection();
    if (typed != m_text) {
        m_previous = m_text;
        m_previousSelStart = start;
        m_previousSelLength = selected;
        m_text = typed;
        raiseChange();
    }
}

void TextBox::userEdited(const QString &text)
{
    if (text == m_text)
        return;
    m_previous = m_text;
    m_previousSelStart = m_selStart;
    m_previousSelLength = m_selLength;
    keepSelection();
    m_text = text;
    runEvent(this, [this] { raiseChange(); });
}

void TextBox::keepSelection()
{
    m_selStart = SelStart();
    m_selLength = SelLength();
}

void TextBox::raiseChange()
{
    boundValueChanged();
    fire(onChange);
}

bool TextBox::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: return dispatchKeyPress(this, onKeyPress, event);
    case QEvent::MouseButtonPress: raiseFromQt(this, onClick); return false;
    case QEvent::MouseButtonDblClick: raiseFromQt(this, onDblClick); return false;
    case QEvent::FocusIn: raiseFromQt(this, onGotFocus); return false;
    case QEvent::FocusOut: raiseFromQt(this, onLostFocus); return false;
    default: return false;
    }
}

// ---- CommandButton ----

CommandButton::CommandButton(QWidget *parent, const QString &caption)
    : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setMouseTracking(true);
    connect(this, &QPushButton::clicked, this, [this] { raiseFromQt(this, onClick); });
}

QWidget *CommandButton::widget()
{
    return this;
}

QString CommandButton::Caption() const
{
    return text();
}

void CommandButton::setCaption(const QString &caption)
{
    setText(caption);
}

void CommandButton::mouseMoveEvent(QMouseEvent *event)
{
    QPushButton::mouseMoveEvent(event);
    raiseFromQt(this, onMouseMove);
}

void CommandButton::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    raiseFromQt(this, onMouseMove);
}

// ---- CheckBox ----

CheckBox::CheckBox(QWidget *parent, const QString &caption)
    : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        runEvent(this, [this, checked] {
            const int before = m_value;
            m_value = checked ? 1 : 0;
            if (m_value != before)
                boundValueChanged();
            fire(onClick);
        });
    });
}

QWidget *CheckBox::widget()
{
    return this;
}

QString CheckBox::Caption() const
{
    return text();
}

void CheckBox::setCaption(const QString &caption)
{
    setText(caption);
}

int CheckBox::Value() const
{
    return m_value;
}

void CheckBox::setValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    {
        const QSignalBlocker blocker(this);
        setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
    }
    boundValueChanged();
    fire(onClick);
}

qm::Value CheckBox::boundValue() const
{
    return qm::Value(m_value == 1 ? 1 : 0);
}

void CheckBox::fillBound(const qm::Value &value)
{
    setValue(!value.isNull() && value.toText() != QLatin1String("0") && !value.toText().isEmpty() ? 1 : 0);
}

// ---- ComboBox ----

ComboBox::ComboBox(QWidget *parent, Style style)
    : ComboBase(parent, style)
{
    setMouseTracking(true);
    connect(this, &QComboBox::activated, this, [this](int index) {
        runEvent(this, [this, index] {
            if (m_locked)
                return;
            showText(itemText(index));
            fire(onClick);
        });
    });
    if (lineEdit()) {
        lineEdit()->installEventFilter(this);
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
            const QString text = takeTypedText(*lineEdit());
            if (text == m_text)
                return;
            m_text = text;
            runEvent(this, [this] { raiseChange(); });
        });
    }
    installEventFilter(this);
}

QWidget *ComboBox::widget()
{
    return this;
}

QString ComboBox::Text() const
{
    return m_text;
}

void ComboBox::setText(const QString &text)
{
    if (m_style == DropdownList && !text.isEmpty() && findText(text, Qt::MatchFixedString) < 0)
        throw Error(ErrorCode::ReadOnlyProperty);
    showText(text);
}

void ComboBox::showText(const QString &text)
{
    const QString before = m_text;
    {
        const QSignalBlocker blocker(this);
        const int index = findText(text, Qt::MatchExactly);
        setCurrentIndex(index);
        if (lineEdit())
            lineEdit()->setText(text);
    }
    m_text = text;
    if (m_text != before)
        raiseChange();
}

void ComboBox::AddItem(const QString &item)
{
    const QSignalBlocker blocker(this);
    addItem(item);
    // Only a new item can change which item matches the shown text (Qt also selects the
    // first item of a list by itself).
    if (currentIndex() >= 0 && itemText(currentIndex()) != m_text)
        setCurrentIndex(-1);
    if (currentIndex() < 0 && item == m_text && !m_text.isEmpty())
        setCurrentIndex(count() - 1);
    if (lineEdit() && lineEdit()->text() != m_text)
        lineEdit()->setText(m_text);
}

void ComboBox::AddItems(const QStringList &items)
{
    const QSignalBlocker blocker(this);
    addItems(items);
    if (currentIndex() < 0 || itemText(currentIndex()) != m_text)
        setCurrentIndex(m_text.isEmpty() ? -1 : findText(m_text, Qt::MatchExactly));
    if (lineEdit() && lineEdit()->text() != m_text)
        lineEdit()->setText(m_text);
}

void ComboBox::RemoveItem(int index)
{
    if (index < 0 || index >= count())
        throw Error(ErrorCode::InvalidProcedureCall);
    const QSignalBlocker blocker(this);
    removeItem(index);
    if (lineEdit())
        lineEdit()->setText(m_text);
}

void ComboBox::Clear()
{
    const QSignalBlocker blocker(this);
    clear();
    if (m_style == DropdownList)
        m_text.clear();
    else if (lineEdit())
        lineEdit()->setText(m_text);
}

int ComboBox::ListCount() const
{
    return count();
}

QString ComboBox::List(int index) const
{
    return itemText(index);
}

int ComboBox::ListIndex() const
{
    return currentIndex() >= 0 && itemText(currentIndex()) == m_text ? currentIndex() : -1;
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        throw Error(ErrorCode::InvalidPropertyValue);
    showText(index < 0 ? QString() : itemText(index));
    fire(onClick);
}

long ComboBox::ItemData(int index) const
{
    return itemData(index).toLongLong();
}

void ComboBox::setItemData(int index, long data)
{
    QComboBox::setItemData(index, QVariant::fromValue<qlonglong>(data));
}

Value ComboBox::boundValue() const
{
    return m_text.isEmpty() ? Value() : Value(m_text);
}

void ComboBox::fillBound(const Value &value)
{
    showText(value.toText());
}

void ComboBox::pick(int index)
{
    if (m_locked || index < 0 || index >= count())
        return;
    showText(itemText(index));
    fire(onClick);
}

void ComboBox::typeText(const QString &text)
{
    if (m_locked || m_style != DropdownCombo)
        return;
    const QString typed = m_text + typedText(text);
    {
        const QSignalBlocker blocker(this);
        lineEdit()->setText(typed);
    }
    m_text = typed;
    raiseChange();
}

void ComboBox::raiseChange()
{
    boundValueChanged();
    fire(onChange);
}

bool ComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == lineEdit() || (watched == this && !lineEdit())))
        return dispatchKeyPress(this, onKeyPress, event);
    if (event->type() == QEvent::MouseMove)
        raiseFromQt(this, onMouseMove);
    if (event->type() == QEvent::MouseButtonDblClick)
        raiseFromQt(this, onDblClick);
    return false;
}

// ---- ListBox ----

ListBox::ListBox(QWidget *parent)
    : QListWidget(parent)
{
    connect(this, &QListWidget::itemClicked, this, [this] { raiseFromQt(this, onClick); });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { raiseFromQt(this, onDblClick); });
}

QWidget *ListBox::widget()
{
    return this;
}

void ListBox::AddItem(const QString &item)
{
    addItem(item);
}

void ListBox::RemoveItem(int index)
{
    delete takeItem(index);
}

void ListBox::Clear()
{
    clear();
}

int ListBox::ListCount() const
{
    return count();
}

QString ListBox::List(int index) const
{
    const QListWidgetItem *it = item(index);
    return it ? it->text() : QString();
}

int ListBox::ListIndex() const
{
    return currentRow();
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        throw Error(ErrorCode::InvalidPropertyValue);
    if (index == currentRow())
        return;
    setCurrentRow(index);
    fire(onClick);
}

QString ListBox::Text() const
{
    return List(currentRow());
}

long ListBox::ItemData(int index) const
{
    const QListWidgetItem *it = item(index);
    return it ? it->data(Qt::UserRole).toLongLong() : 0;
}

void ListBox::setItemData(int index, long data)
{
    if (QListWidgetItem *it = item(index))
        it->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(data));
}

// ---- Frame ----

Frame::Frame(QWidget *parent, const QString &caption)
    : QGroupBox(caption, parent)
{
}

QWidget *Frame::widget()
{
    return this;
}

QString Frame::Caption() const
{
    return title();
}

void Frame::setCaption(const QString &caption)
{
    setTitle(caption);
}

// ---- PictureBox ----

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
{
    setMouseTracking(true);
}

QWidget *PictureBox::widget()
{
    return this;
}

QPixmap PictureBox::Picture() const
{
    return m_picture;
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!m_picture.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
    }
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    QFrame::mousePressEvent(event);
    raiseFromQt(this, onClick);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    QFrame::mouseMoveEvent(event);
    raiseFromQt(this, onMouseMove);
}

void PictureBox::enterEvent(QEnterEvent *event)
{
    QFrame::enterEvent(event);
    raiseFromQt(this, onMouseMove);
}

// ---- Image ----

Image::Image(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
}

QWidget *Image::widget()
{
    return this;
}

QPixmap Image::Picture() const
{
    return m_picture;
}

void Image::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    setPixmap(picture);
}

bool Image::Stretch() const
{
    return hasScaledContents();
}

void Image::setStretch(bool stretch)
{
    setScaledContents(stretch);
}

void Image::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    raiseFromQt(this, onClick);
}

void Image::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    raiseFromQt(this, onMouseMove);
}

void Image::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    raiseFromQt(this, onMouseMove);
}

// ---- SSPanel ----

SSPanel::SSPanel(QWidget *parent, const QString &caption)
    : QFrame(parent)
    , m_caption(caption)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setMouseTracking(true);
}

QWidget *SSPanel::widget()
{
    return this;
}

QString SSPanel::Caption() const
{
    return m_caption;
}

void SSPanel::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void SSPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!m_caption.isEmpty()) {
        QPainter painter(this);
        painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, m_caption);
    }
}

void SSPanel::mousePressEvent(QMouseEvent *event)
{
    QFrame::mousePressEvent(event);
    raiseFromQt(this, onClick);
}

void SSPanel::mouseMoveEvent(QMouseEvent *event)
{
    QFrame::mouseMoveEvent(event);
    raiseFromQt(this, onMouseMove);
}

void SSPanel::enterEvent(QEnterEvent *event)
{
    QFrame::enterEvent(event);
    raiseFromQt(this, onMouseMove);
}

// ---- MenuItem ----

MenuItem::MenuItem(const QString &caption, QWidget *owner)
    : QObject(owner)
    , m_action(new QAction(caption, owner))
    , m_owner(owner)
{
    connect(m_action, &QAction::triggered, this, [this] { raiseFromQt(m_owner, onClick); });
}

QAction *MenuItem::action() const
{
    return m_action;
}

QString MenuItem::Caption() const
{
    return m_action->text();
}

void MenuItem::setCaption(const QString &caption)
{
    m_action->setText(caption);
}

bool MenuItem::Enabled() const
{
    return m_action->isEnabled();
}

void MenuItem::setEnabled(bool enabled)
{
    m_action->setEnabled(enabled);
}

bool MenuItem::Visible() const
{
    return m_action->isVisible();
}

void MenuItem::setVisible(bool visible)
{
    m_action->setVisible(visible);
}

void MenuItem::trigger()
{
    if (m_action->isEnabled())
        m_action->trigger();
}

// ---- Bindable ----

Bindable::~Bindable()
{
    if (m_data)
        m_data->unbind(this);
}

void Bindable::setDataSource(Data *data, const QString &field)
{
    m_data = data;
    m_field = field;
    if (data)
        data->bind(this);
}

Data *Bindable::DataSource() const
{
    return m_data;
}

QString Bindable::DataField() const
{
    return m_field;
}

bool Bindable::isBoundDirty() const
{
    return m_dirty;
}

void Bindable::setBoundDirty(bool dirty)
{
    m_dirty = dirty;
}

void Bindable::boundValueChanged()
{
    if (m_data && !m_data->isFilling())
        m_dirty = true;
}

} // namespace qm
