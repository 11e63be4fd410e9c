#include "platform/form.h"

#include "data/error.h"
#include "platform/controls.h"
#include "platform/datacontrol.h"
#include "platform/services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace qm {

namespace {
struct Registry
{
    std::vector<std::pair<std::type_index, Form *>> forms; // in loading order
    int eventPassDepth = 0;
    QPointer<Form> front; // the form shown last by the action under way
    bool frontPending = false;
    bool endCheckPending = false;
    bool endCheckAfterPass = false;
};

Registry &registry()
{
    static Registry r;
    return r;
}
} // namespace

// ---- Form ----

Form::Form(const QString &name)
    : m_name(name)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    qApp->installEventFilter(this);
}

Form::~Form()
{
    delete m_mouseIcon;
}

QWidget *Form::widget()
{
    return this;
}

QString Form::Name() const
{
    return m_name;
}

QString Form::Caption() const
{
    return windowTitle();
}

void Form::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void Form::Show()
{
    if (m_unloaded)
        return;
    if (m_opensMaximised && !m_shown)
        setGeometry(this->screen()->availableGeometry()); // also where no window manager maximises
    if (m_opensCentred && !m_shown) {
        const QRect screen = this->screen()->availableGeometry();
        move(screen.center() - QPoint(width() / 2, height() / 2));
    }
    m_shown = true;
    if (m_opensMaximised)
        showMaximized();
    else
        show();
    raise();
    Forms::bringToFrontLater(*this);
}

void Form::Hide()
{
    hide();
}

int Form::MousePointer() const
{
    return m_mousePointer;
}

void Form::setMousePointer(int style)
{
    m_mousePointer = style;
    switch (style) {
    case vbHourglass: setCursor(Qt::WaitCursor); break;
    case vbArrow: setCursor(Qt::ArrowCursor); break;
    case vbCustom: setCursor(m_mouseIcon ? *m_mouseIcon : QCursor(Qt::PointingHandCursor)); break;
    default: unsetCursor(); break;
    }
}

void Form::setMouseIcon(const QCursor &cursor)
{
    delete m_mouseIcon;
    m_mouseIcon = new QCursor(cursor);
}

bool Form::isUnloaded() const
{
    return m_unloaded;
}

FormRef Form::Me() const
{
    return FormRef(m_type, m_getter);
}

Form *Form::of(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (auto *form = qobject_cast<Form *>(w))
            return form;
    }
    return nullptr;
}

void Form::addDataControl(Data *data)
{
    m_dataControls.push_back(data);
}

void Form::Form_Load() {}

void Form::Form_QueryUnload(int &, int) {}

void Form::Form_Unload(int &) {}

void Form::Form_KeyPress(int &) {}

void Form::setOpensMaximised(bool maximised)
{
    m_opensMaximised = maximised;
}

void Form::setOpensCentred(bool centred)
{
    m_opensCentred = centred;
}

QMenu *Form::addMenu(const QString &caption)
{
    return menuBar()->addMenu(caption);
}

MenuItem *Form::addMenuItem(QMenu *menu, const QString &caption)
{
    auto *item = new MenuItem(caption, this);
    if (menu)
        menu->addAction(item->action());
    else
        menuBar()->addAction(item->action());
    return item;
}

void Form::load()
{
    Form_Load();
    m_loaded = true;
    // Data controls that know their database and records open by themselves, unless
    // Form_Load already refreshed them.
    for (Data *data : m_dataControls) {
        if (data && !data->isOpen() && !data->wasRefreshed() && !data->DatabaseName.isEmpty()
            && !data->RecordSource.isEmpty())
            data->Refresh();
    }
}

bool Form::unload(int unloadMode)
{
    int cancel = 0;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel != 0)
        return false;
    Form_Unload(cancel);
    if (cancel != 0)
        return false;
    for (Data *data : m_dataControls)
        if (data)
            data->releaseOnUnload();
    return true;
}

void Form::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (m_unloaded)
        return;
    runEvent(this, [this] {
        if (unload(vbFormControlMenu))
            Forms::remove(this);
    });
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (!KeyPreview || m_unloaded || event->type() != QEvent::KeyPress)
        return false;
    auto *target = qobject_cast<QWidget *>(watched);
    if (!target || target->window() != this)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    // Tab and Shift+Tab move the focus; like the other keys that type nothing, they are no
    // key press of the form.
    if (key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    int keyAscii = key->text().at(0).unicode();
    runEvent(this, [&] { Form_KeyPress(keyAscii); });
    // A key the form took (or that unloaded it) goes no further.
    return keyAscii == 0 || m_unloaded;
}

// ---- FormRef ----

FormRef::FormRef(std::type_index type, Form &(*getter)())
    : m_type(type)
    , m_getter(getter)
{
}

bool FormRef::isNothing() const
{
    return m_getter == nullptr;
}

Form &FormRef::get() const
{
    if (!m_getter)
        throw Error(ErrorCode::ObjectNotSet);
    return m_getter();
}

bool FormRef::operator==(const FormRef &other) const
{
    return m_type == other.m_type;
}

// ---- Forms ----

Form *Forms::find(std::type_index type)
{
    for (const auto &[t, form] : registry().forms)
        if (t == type)
            return form;
    return nullptr;
}

void Forms::add(std::type_index type, Form *form, Form &(*getter)())
{
    form->m_type = type;
    form->m_getter = getter;
    registry().forms.emplace_back(type, form);
}

void Forms::loadNew(std::type_index type, Form *form, Form &(*getter)())
{
    add(type, form, getter);
    try {
        form->load();
    } catch (...) {
        auto &forms = registry().forms;
        forms.erase(std::remove_if(forms.begin(), forms.end(), [form](const auto &e) { return e.second == form; }),
                    forms.end());
        form->m_unloaded = true;
        form->deleteLater();
        throw;
    }
}

bool Forms::isLoaded(const Form &form)
{
    for (const auto &entry : registry().forms)
        if (entry.second == &form)
            return true;
    return false;
}

bool Forms::Unload(Form &form)
{
    if (!isLoaded(form))
        return true;
    if (!form.unload(vbFormCode))
        return false;
    remove(&form);
    return true;
}

void Forms::remove(Form *form)
{
    auto &forms = registry().forms;
    forms.erase(std::remove_if(forms.begin(), forms.end(), [form](const auto &e) { return e.second == form; }),
                forms.end());
    form->m_unloaded = true;
    form->hide();
    qApp->removeEventFilter(form);
    // The handler that unloaded it may still be running on it.
    form->deleteLater();
    scheduleEndCheck();
}

int Forms::loadedCount()
{
    return static_cast<int>(registry().forms.size());
}

std::vector<Form *> Forms::loaded()
{
    std::vector<Form *> result;
    for (const auto &entry : registry().forms)
        result.push_back(entry.second);
    return result;
}

void Forms::DoEvents()
{
    Registry &r = registry();
    ++r.eventPassDepth;
    QCoreApplication::processEvents();
    if (--r.eventPassDepth == 0 && r.endCheckAfterPass) {
        r.endCheckAfterPass = false;
        scheduleEndCheck();
    }
}

void Forms::discardAll()
{
    auto forms = registry().forms;
    registry().forms.clear();
    for (auto &entry : forms) {
        entry.second->m_unloaded = true;
        for (Data *data : entry.second->m_dataControls)
            if (data)
                data->discard();
        qApp->removeEventFilter(entry.second);
        delete entry.second;
    }
    registry().endCheckPending = false;
}

// The focus goes to the form shown last, once the action that showed it is done. A form
// asked for the focus before it is on screen takes it when the window manager has put it
// there: a form shown earlier in the same action (the main menu before the screen that Go
// Back returns to) would then end on top of the one the user is to see.
void Forms::bringToFrontLater(Form &form)
{
    Registry &r = registry();
    r.front = &form;
    if (r.frontPending)
        return;
    r.frontPending = true;
    QTimer::singleShot(0, qApp, [] {
        Registry &r = registry();
        r.frontPending = false;
        Form *form = r.front;
        r.front = nullptr;
        if (form && !form->isUnloaded() && form->isVisible())
            services().bringToFront(*form);
    });
}

void Forms::scheduleEndCheck()
{
    if (registry().endCheckPending)
        return;
    registry().endCheckPending = true;
    QTimer::singleShot(0, qApp, [] { checkForEnd(); });
}

void Forms::checkForEnd()
{
    Registry &r = registry();
    r.endCheckPending = false;
    if (r.eventPassDepth > 0) {
        // Inside a form's reload: it is about to come back; look again after the pass.
        r.endCheckAfterPass = true;
        return;
    }
    if (r.forms.empty())
        services().exitNormally();
}

} // namespace qm
