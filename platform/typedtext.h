#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace qm {

// What typing or pasting leaves in a box: the text without NUL characters. A NUL is nothing a
// user means to type, and no text that reaches a database may hold one.
QString typedText(const QString &text);

// The text a line edit holds after the user edited it, as typedText gives it; NUL characters
// are taken out of the line edit too, the cursor staying where it was among the rest.
QString takeTypedText(QLineEdit &edit);
QString takeTypedText(QPlainTextEdit &edit);

} // namespace qm
