#pragma once

#include <QString>
#include <deque>
#include <vector>

// Message boxes: the only modal windows of the program.
namespace qm {

enum MsgBoxStyle {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};

enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

struct MessageRecord
{
    QString text;
    QString title;
    int buttons = vbOKOnly; // the button set (low bits of the style)
    int icon = 0;           // vbExclamation, vbQuestion, ... or 0
};

// Shows `text`; the title is the application's when none is given. Returns the button pressed.
int MsgBox(const QString &text, int style = vbOKOnly, const QString &title = {});
// A notice: the exclamation icon, OK, under the application's title.
void exclaim(const QString &text);

// The application's title (QUILLMARK), used where a box has no title of its own.
QString appTitle();

// Where message boxes go. The default shows real boxes; tests install a recorder.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual int show(const MessageRecord &message) = 0;
};

// Installs a sink (nullptr restores real boxes); returns the previous one. Not owned.
MessageSink *setMessageSink(MessageSink *sink);

// A sink for tests: logs every box and answers from a queue (OK / Yes when it is empty).
class RecordingMessageSink : public MessageSink
{
public:
    int show(const MessageRecord &message) override;

    void queueAnswer(int answer);
    const std::vector<MessageRecord> &log() const;
    // The texts shown so far, in order.
    std::vector<QString> texts() const;
    void clear();

private:
    std::vector<MessageRecord> m_log;
    std::deque<int> m_answers;
};

} // namespace qm
