#pragma once

#include "platform/control.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <typeindex>
#include <vector>

class QMenu;

namespace qm {

class Data;
class MenuItem;
class FormRef;

// Mouse pointer styles.
enum MousePointer { vbDefault = 0, vbArrow = 1, vbHourglass = 11, vbCustom = 99 };

// Why a form is being unloaded.
enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1 };

// A screen. Each form class has one instance, created and loaded on first use through
// Forms::get<F>() and destroyed by Unload; a later use creates a fresh one.
class Form : public QMainWindow, public Control
{
    Q_OBJECT

public:
    explicit Form(const QString &name);
    ~Form() override;

    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;
    QString Name() const;
    QString Caption() const;
    void setCaption(const QString &caption);

    // Shows the form modeless (maximised when it opens so). Once the action under way is
    // done, the form shown last comes to the front and takes the focus.
    void Show();
    void Hide();

    int MousePointer() const;
    void setMousePointer(int style);
    // The picture of the custom pointer (style 99).
    void setMouseIcon(const QCursor &cursor);

    // The form sees every character key before its controls (Form_KeyPress).
    bool KeyPreview = false;

    bool isUnloaded() const;
    // This form as a reference that outlives the instance (for "the form to go back to").
    FormRef Me() const;
    // The form a widget sits on, or nullptr.
    static Form *of(QWidget *widget);

    // Data controls on the form, in the order they were created; they are opened after
    // Form_Load and released when the form unloads.
    void addDataControl(Data *data);

    // A menu on the bar, and items under it (or on the bar itself when `menu` is null).
    QMenu *addMenu(const QString &caption);
    MenuItem *addMenuItem(QMenu *menu, const QString &caption);

protected:
    virtual void Form_Load();
    virtual void Form_QueryUnload(int &cancel, int unloadMode);
    virtual void Form_Unload(int &cancel);
    virtual void Form_KeyPress(int &keyAscii);

    // Main screens open maximised; dialogs open in the middle of the screen.
    void setOpensMaximised(bool maximised);
    void setOpensCentred(bool centred);
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class Forms;
    void load();
    // Runs the unload handling; false when a handler refused.
    bool unload(int unloadMode);

    QString m_name;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_opensMaximised = false;
    bool m_opensCentred = false;
    bool m_shown = false;
    int m_mousePointer = vbDefault;
    QCursor *m_mouseIcon = nullptr;
    std::vector<QPointer<Data>> m_dataControls;
    std::type_index m_type = typeid(void);
    Form &(*m_getter)() = nullptr;
};

// The hourglass on a form while it works; the default pointer after, however the work ends.
class Hourglass
{
public:
    explicit Hourglass(Form &form)
        : m_form(form)
    {
        m_form.setMousePointer(vbHourglass);
    }
    ~Hourglass() { done(); }
    // Before a message: the user is asked to act, not to wait.
    void done() { m_form.setMousePointer(vbDefault); }
    Hourglass(const Hourglass &) = delete;
    Hourglass &operator=(const Hourglass &) = delete;

private:
    Form &m_form;
};

// Names a form class, not an instance: what it shows is the live instance, loading a
// fresh one when the old was unloaded.
class FormRef
{
public:
    FormRef() = default;
    template <class F>
    static FormRef of();

    bool isNothing() const;
    Form &get() const;
    bool operator==(const FormRef &other) const;

private:
    friend class Form;
    FormRef(std::type_index type, Form &(*getter)());
    std::type_index m_type = typeid(void);
    Form &(*m_getter)() = nullptr;
};

// The loaded forms.
class Forms
{
public:
    template <class F>
    static F &get();
    template <class F>
    static bool isLoaded();

    static bool isLoaded(const Form &form);
    // Unloads a form (code unload). Returns false when the form's handlers refused.
    static bool Unload(Form &form);
    static int loadedCount();
    static std::vector<Form *> loaded();

    // Lets queued window events run once; the program does not end meanwhile.
    static void DoEvents();

    // Tests: unload every form without running handlers or writing anything.
    static void discardAll();

private:
    friend class Form;
    friend class FormRef;
    static Form *find(std::type_index type);
    static void add(std::type_index type, Form *form, Form &(*getter)());
    static void loadNew(std::type_index type, Form *form, Form &(*getter)());
    static void remove(Form *form);
    static void bringToFrontLater(Form &form);
    static void scheduleEndCheck();
    static void checkForEnd();
};

template <class F>
FormRef FormRef::of()
{
    return FormRef(typeid(F), []() -> Form & { return Forms::get<F>(); });
}

template <class F>
F &Forms::get()
{
    if (Form *existing = find(typeid(F)))
        return static_cast<F &>(*existing);
    F *form = new F();
    loadNew(typeid(F), form, []() -> Form & { return Forms::get<F>(); });
    return *form;
}

template <class F>
bool Forms::isLoaded()
{
    return find(typeid(F)) != nullptr;
}

} // namespace qm
