#pragma once

#include "data/error.h"
#include "platform/bindable.h"
#include "platform/combobase.h"
#include "platform/control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <functional>
#include <map>

class QAction;
class QLineEdit;
class QPlainTextEdit;

// The controls the screens are built from. Their events are plain callbacks: a change made
// by code raises the event at once, nested in the statement that made it; an event that
// starts in Qt (a click, typing) runs through runEvent so that errors never reach Qt.
namespace qm {

using Handler = std::function<void()>;
using KeyHandler = std::function<void(int &keyAscii)>;

// Loads a picture file; a file that is not a picture is Error 481 "Invalid picture".
QPixmap LoadPicture(const QString &path);

class Label : public QLabel, public Control
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent, const QString &caption = {});
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;
    QString Caption() const;
    void setCaption(const QString &caption);

    Handler onClick, onDblClick, onMouseMove;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // A pointer that lands on the control from outside has moved over it too.
    void enterEvent(QEnterEvent *event) override;
};

class TextBox : public QWidget, public Control, public Bindable
{
    Q_OBJECT
public:
    enum Alignment { LeftJustify = 0, RightJustify = 1, Center = 2 };
    explicit TextBox(QWidget *parent, bool multiLine = false);
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    QString Text() const;
    // Raises Change when the text differs from what the box holds.
    void setText(const QString &text);
    // The text the box held before its latest change, typed or set: a Change handler compares
    // it with Text() to see what was typed.
    QString PreviousText() const;
    // Where the selection (or, with none, the cursor) stood before that change: with
    // PreviousText it tells what was taken out how, Backspace from Delete. A single-line box.
    int PreviousSelStart() const;
    int PreviousSelLength() const;
    // Limits typing only: code may load a longer text.
    int MaxLength() const;
    void setMaxLength(int length);
    bool Locked() const;
    void setLocked(bool locked);
    int SelStart() const;
    void setSelStart(int position);
    int SelLength() const;
    void setSelLength(int length);
    bool isMultiLine() const;
    // Where the text stands in the box (a column of money stands right).
    int Alignment() const;
    void setAlignment(int alignment);
    // The box is never narrower than what shows `sample` whole: in its font, inside its
    // frame and margins as they are drawn. A width set smaller, or a later change of font
    // or style, widens it again (a total fits the largest sum it is to show on any machine).
    void fitText(const QString &sample);
    // Whether `text` is drawn whole in the box as it stands, not scrolled out of sight (a
    // multi-line box wraps: it always is).
    bool showsWhole(const QString &text) const;
    // A single-line box stays as high as its line in a layout that would stretch it (a box
    // paints its colour over all of its area); its width goes as before.
    void keepOneLineHigh();

    Value boundValue() const override;
    void fillBound(const Value &value) override;

    // Tests: what the user typing or pasting `text` into the box does: it replaces the
    // selection or goes in at the cursor, and the cursor ends after it.
    void typeText(const QString &text);

    Handler onChange, onClick, onDblClick, onGotFocus, onLostFocus;
    KeyHandler onKeyPress;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void userEdited(const QString &text);
    void raiseChange();
    // Keeps the selection as it stands: the editor reports a typed change before it moves the
    // cursor, so what was kept last is where the change was made.
    void keepSelection();
    // Pixels the box needs to show `text` whole.
    int pixelsFor(const QString &text) const;
    void applyFit();

    QLineEdit *m_line = nullptr;
    QPlainTextEdit *m_multi = nullptr;
    QString m_text;
    QString m_previous;
    int m_selStart = 0, m_selLength = 0;
    int m_previousSelStart = 0, m_previousSelLength = 0;
    int m_maxLength = 0;
    QString m_fitSample;
};

class CommandButton : public QPushButton, public Control
{
    Q_OBJECT
public:
    explicit CommandButton(QWidget *parent, const QString &caption = {});
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;
    QString Caption() const;
    void setCaption(const QString &caption);

    Handler onClick, onMouseMove;
    KeyHandler onKeyPress;

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    // A pointer that lands on the control from outside has moved over it too.
    void enterEvent(QEnterEvent *event) override;
};

class CheckBox : public QCheckBox, public Control, public Bindable
{
    Q_OBJECT
public:
    explicit CheckBox(QWidget *parent, const QString &caption = {});
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;
    QString Caption() const;
    void setCaption(const QString &caption);

    // 0 unchecked, 1 checked. Setting a different value raises Click.
    int Value() const;
    void setValue(int value);

    qm::Value boundValue() const override;
    void fillBound(const qm::Value &value) override;

    Handler onClick;

private:
    int m_value = 0;
};

// A combo box of the items code adds; its text is what it shows.
class ComboBox : public ComboBase, public Control, public Bindable
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent, Style style = DropdownCombo);
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    QString Text() const;
    // On a list, the text must be an item's (Error 383 otherwise); on a combo any text
    // goes, and an item's text selects that item. Raises Change when the text differs.
    void setText(const QString &text);
    void AddItem(const QString &item);
    // Appends many items at once; the text stays as it is and no event is raised. AddItem
    // looks the text up among all items for every item, which thousands of items feel.
    void AddItems(const QStringList &items);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    QString List(int index) const;
    int ListIndex() const;
    // Selecting by code raises Click, as a pick from the list does.
    void setListIndex(int index);
    long ItemData(int index) const;
    void setItemData(int index, long data);

    Value boundValue() const override;
    void fillBound(const Value &value) override;

    // Tests: the user picks item `index` from the list / types into the box.
    void pick(int index);
    void typeText(const QString &text);

    Handler onClick, onChange, onDblClick, onMouseMove;
    KeyHandler onKeyPress;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showText(const QString &text);
    void raiseChange();

    QString m_text;
};

class ListBox : public QListWidget, public Control
{
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent);
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    void AddItem(const QString &item);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    QString List(int index) const;
    int ListIndex() const;
    void setListIndex(int index); // raises Click
    QString Text() const;
    long ItemData(int index) const;
    void setItemData(int index, long data);

    Handler onClick, onDblClick;
};

class Frame : public QGroupBox, public Control
{
    Q_OBJECT
public:
    explicit Frame(QWidget *parent, const QString &caption = {});
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;
    QString Caption() const;
    void setCaption(const QString &caption);
};

// A container with an optional picture; clicks and mouse moves are events.
class PictureBox : public QFrame, public Control
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent);
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    QPixmap Picture() const;
    void setPicture(const QPixmap &picture);

    Handler onClick, onMouseMove;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // A pointer that lands on the control from outside has moved over it too.
    void enterEvent(QEnterEvent *event) override;

private:
    QPixmap m_picture;
};

class Image : public QLabel, public Control
{
    Q_OBJECT
public:
    explicit Image(QWidget *parent);
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    QPixmap Picture() const;
    void setPicture(const QPixmap &picture);
    bool Stretch() const;
    void setStretch(bool stretch);

    Handler onClick, onMouseMove;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // A pointer that lands on the control from outside has moved over it too.
    void enterEvent(QEnterEvent *event) override;

private:
    QPixmap m_picture;
};

// A raised 3-D panel with a caption, holding other controls.
class SSPanel : public QFrame, public Control
{
    Q_OBJECT
public:
    explicit SSPanel(QWidget *parent, const QString &caption = {});
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;
    QString Caption() const;
    void setCaption(const QString &caption);

    Handler onClick, onMouseMove;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // A pointer that lands on the control from outside has moved over it too.
    void enterEvent(QEnterEvent *event) override;

private:
    QString m_caption;
};

class MenuItem : public QObject
{
    Q_OBJECT
public:
    MenuItem(const QString &caption, QWidget *owner);
    QAction *action() const;
    QString Caption() const;
    void setCaption(const QString &caption);
    bool Enabled() const;
    void setEnabled(bool enabled);
    bool Visible() const;
    void setVisible(bool visible);
    // Tests: what a click on the item does.
    void trigger();

    Handler onClick;

private:
    QAction *m_action;
    QWidget *m_owner;
};

// Controls that share a name and are told apart by index.
template <class T>
class ControlArray
{
public:
    T *operator[](int index) const
    {
        auto it = m_items.find(index);
        if (it == m_items.end())
            throw Error(ErrorCode::NoSuchArrayElement,
                        QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        return it->second;
    }
    void add(int index, T *control) { m_items[index] = control; }
    bool contains(int index) const { return m_items.count(index) != 0; }
    int count() const { return static_cast<int>(m_items.size()); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::map<int, T *> m_items;
};

} // namespace qm
