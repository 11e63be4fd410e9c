#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

// The report control a form holds as Report1, and where its reports go: a preview window or
// the default printer.
namespace qm {

class ReportDocument;

enum ReportDestination { crptToWindow = 0, crptToPrinter = 1 };

// Keeps every property it was given for as long as its form stays loaded (it is the form's
// child and goes with it); a run uses them as they then stand.
class CrystalReport : public QObject
{
    Q_OBJECT

public:
    explicit CrystalReport(QObject *form);

    QString ReportFileName; // found in the program folder
    QString SelectionFormula;
    QString Connect; // accepted and not used: a report file names its own database
    int Destination = crptToWindow;

    QString SortFields(int index) const;
    void setSortFields(int index, const QString &field);

    // The action last set.
    int Action() const;
    // 1 runs the report once through the services; any failure is a qm::Error thrown to the
    // caller (no file named or found, a bad file, a refused formula or sort field, an
    // unreachable database, no printer). Other actions do nothing.
    void setAction(int action);

private:
    QStringList m_sortFields;
    int m_action = 0;
};

// A modeless preview window of the pages, with the print button of a preview.
void previewReport(std::shared_ptr<const ReportDocument> document);
// Prints the pages on the printer the services choose; Error PrinterError when it fails,
// PrintCancelled when the choice was cancelled.
void printReport(const ReportDocument &document);

} // namespace qm
