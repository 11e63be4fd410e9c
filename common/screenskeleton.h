#pragma once

class QPixmap;
class QString;
class QSize;
class QColor;

namespace qm {

class Form;

// What every main screen's menu offers.

// Print > Screen: prints the form's image; "Printer Error" (title Corvane) on any failure.
void printScreen(Form &form);
// Help > Help Topics: starts the help viewer, or says that help is not available.
void showHelpTopics();

// A picture with its label drawn in it, for the picture buttons.
QPixmap labelledPicture(const QString &label, const QSize &size, const QColor &colour);

} // namespace qm
