#include "platform/msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qm {

namespace {
MessageSink *g_sink = nullptr;

struct ButtonSpec
{
    QMessageBox::ButtonRole role;
    const char *caption;
    int result;
};

std::vector<ButtonSpec> buttonsFor(int set)
{
    switch (set) {
    case vbOKCancel: return {{QMessageBox::AcceptRole, "OK", vbOK}, {QMessageBox::RejectRole, "Cancel", vbCancel}};
    case vbAbortRetryIgnore:
        return {{QMessageBox::RejectRole, "&Abort", vbAbort},
                {QMessageBox::AcceptRole, "&Retry", vbRetry},
                {QMessageBox::ActionRole, "&Ignore", vbIgnore}};
    case vbYesNoCancel:
        return {{QMessageBox::YesRole, "&Yes", vbYes},
                {QMessageBox::NoRole, "&No", vbNo},
                {QMessageBox::RejectRole, "Cancel", vbCancel}};
    case vbYesNo: return {{QMessageBox::YesRole, "&Yes", vbYes}, {QMessageBox::NoRole, "&No", vbNo}};
    case vbRetryCancel:
        return {{QMessageBox::AcceptRole, "&Retry", vbRetry}, {QMessageBox::RejectRole, "Cancel", vbCancel}};
    default: return {{QMessageBox::AcceptRole, "OK", vbOK}};
    }
}

QMessageBox::Icon iconFor(int icon)
{
    switch (icon) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int showRealBox(const MessageRecord &message)
{
    QMessageBox box(iconFor(message.icon), message.title, message.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<std::pair<QAbstractButton *, int>> results;
    int escapeResult = vbOK;
    for (const ButtonSpec &choice : buttonsFor(message.buttons)) {
        QPushButton *button = box.addButton(QString::fromLatin1(choice.caption), choice.role);
        results.emplace_back(button, choice.result);
        if (choice.result == vbCancel || choice.result == vbNo)
            escapeResult = choice.result;
    }
    box.setDefaultButton(static_cast<QPushButton *>(results.front().first));
    box.exec();
    for (const auto &[button, result] : results)
        if (box.clickedButton() == button)
            return result;
    return results.size() == 1 ? results.front().second : escapeResult;
}
} // namespace

QString appTitle()
{
    return QCoreApplication::applicationName();
}

void exclaim(const QString &text)
{
    MsgBox(text, vbExclamation, appTitle());
}

int MsgBox(const QString &text, int style, const QString &title)
{
    MessageRecord message;
    message.text = text;
    message.title = title.isEmpty() ? appTitle() : title;
    message.buttons = style & 0x7;
    message.icon = style & 0x70;
    if (g_sink)
        return g_sink->show(message);
    return showRealBox(message);
}

MessageSink *setMessageSink(MessageSink *sink)
{
    MessageSink *previous = g_sink;
    g_sink = sink;
    return previous;
}

int RecordingMessageSink::show(const MessageRecord &message)
{
    m_log.push_back(message);
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (message.buttons) {
    case vbYesNo:
    case vbYesNoCancel: return vbYes;
    case vbRetryCancel:
    case vbAbortRetryIgnore: return vbRetry;
    default: return vbOK;
    }
}

void RecordingMessageSink::queueAnswer(int answer)
{
    m_answers.push_back(answer);
}

const std::vector<MessageRecord> &RecordingMessageSink::log() const
{
    return m_log;
}

std::vector<QString> RecordingMessageSink::texts() const
{
    std::vector<QString> result;
    for (const MessageRecord &m : m_log)
        result.push_back(m.text);
    return result;
}

void RecordingMessageSink::clear()
{
    m_log.clear();
    m_answers.clear();
}

} // namespace qm
