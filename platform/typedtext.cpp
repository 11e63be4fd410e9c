#include "platform/typedtext.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace qm {

namespace {
const QChar Nul(u'\0');

// Where `position` of `text` stands once its NUL characters are gone.
int positionWithoutNul(const QString &text, int position)
{
    return position - static_cast<int>(text.first(position).count(Nul));
}
} // namespace

QString typedText(const QString &text)
{
    QString typed = text;
    typed.remove(Nul);
    return typed;
}

QString takeTypedText(QLineEdit &edit)
{
    const QString text = edit.text();
    if (!text.contains(Nul))
        return text;
    const int cursor = positionWithoutNul(text, edit.cursorPosition());
    const QSignalBlocker blocker(&edit);
    edit.setText(typedText(text));
    edit.setCursorPosition(cursor);
    return edit.text();
}

QString takeTypedText(QPlainTextEdit &edit)
{
    const QString text = edit.toPlainText();
    if (!text.contains(Nul))
        return text;
    QTextCursor cursor = edit.textCursor();
    const int position = positionWithoutNul(text, cursor.position());
    const QSignalBlocker blocker(&edit);
    edit.setPlainText(typedText(text));
    cursor = edit.textCursor();
    cursor.setPosition(position);
    edit.setTextCursor(cursor);
    return edit.toPlainText();
}

} // namespace qm
