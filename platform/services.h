#pragma once

#include "data/programfolder.h"

#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;
class QWidget;

// What the program asks of the machine, each behind an interface that tests replace.
namespace qm {

// One run of a report control, with the properties it was given.
struct ReportRun
{
    QString fileName;       // as the form named it ("invoice.rpt")
    QString path;           // that file in the program folder
    QString formula;        // the selection formula; empty selects every row
    QStringList sortFields; // "+{p.j}", ...; the first is SortFields(0)
    int destination = 0;    // 0 a preview window, 1 the default printer
};

// The program folder (programFolder) comes from the data library's seam: installed services
// are its source.
class Services : public ProgramFolder
{
public:
    // The logon name of the user; throws qm::Error when it cannot be read.
    virtual QString logonName() const = 0;
    // Screen size in twips (15 twips per pixel at 96 dpi).
    virtual double screenWidthTwips() const = 0;
    virtual double screenHeightTwips() const = 0;
    // Puts a shown window above the others and gives it the focus (a window manager may
    // do so after the window is on screen).
    virtual void bringToFront(QWidget &window) = 0;
    // Prints the image of a window on the printer choosePrinter gives; throws qm::Error on any
    // failure, PrintCancelled when the user cancelled the choice.
    virtual void printWindow(QWidget &window) = 0;
    // The printer a print goes to: the default printer when one is set up, else the one the
    // user picks in the system's print dialog (which offers printing to a PDF file). False
    // when the user cancelled the dialog: nothing is to be printed.
    virtual bool choosePrinter(QPrinter &printer) = 0;
    // Starts a program from a command line; false when it could not be started.
    virtual bool startProgram(const QString &commandLine) = 0;
    // Reads a text value from the system registry; false when there is none (always, on Linux).
    virtual bool readRegistry(const QString &root, const QString &key, const QString &valueName, QString &value) = 0;
    // Ends the process at once, writing nothing.
    [[noreturn]] virtual void quit() = 0;
    // The program ends normally (the last form was unloaded).
    virtual void exitNormally() = 0;
    // Reads the report file, selects and lays out its pages and shows them in a modeless
    // preview window (destination 0) or prints them on the printer choosePrinter gives (1).
    // Throws qm::Error on any failure: the file, the formula, the database, the printer;
    // PrintCancelled when the user cancelled the choice of printer.
    virtual void runReport(const ReportRun &run) = 0;
};

Services &services();
// Prints the image of a window, scaled to the page, on the printer the services choose.
// Throws Error PrinterError when it fails, PrintCancelled when the choice was cancelled.
void printWindowImage(QWidget &window);
// Installs replacement services (tests); returns the previous ones.
std::unique_ptr<Services> setServices(std::unique_ptr<Services> replacement);

// The printers the machine has set up, as the real services find them; tests replace them
// to have a default printer, or none, whatever the machine has.
class Printers
{
public:
    virtual ~Printers() = default;
    // Aims `printer` at the default printer; false when none is set up.
    virtual bool aimAtDefault(QPrinter &printer);
};

// The real services of a desktop session.
class SystemServices : public Services
{
public:
    explicit SystemServices(std::unique_ptr<Printers> printers = std::make_unique<Printers>());
    QString programFolder() const override;
    QString logonName() const override;
    double screenWidthTwips() const override;
    double screenHeightTwips() const override;
    void bringToFront(QWidget &window) override;
    void printWindow(QWidget &window) override;
    bool choosePrinter(QPrinter &printer) override;
    bool startProgram(const QString &commandLine) override;
    bool readRegistry(const QString &root, const QString &key, const QString &valueName, QString &value) override;
    [[noreturn]] void quit() override;
    void exitNormally() override;
    void runReport(const ReportRun &run) override; // with the report control (reportcontrol.cpp)

private:
    std::unique_ptr<Printers> m_printers;
};

constexpr double TwipsPerPixel = 15.0;

} // namespace qm

namespace qm {
// Thrown by test services' quit() so that a handler calling QuitApp stops where the real
// program would have ended. It is not a qm::Error: no handler's trap catches it.
struct QuitRequested
{
};
} // namespace qm
