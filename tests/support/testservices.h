#pragma once

#include "platform/msgbox.h"
#include "platform/services.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

// Failures show texts as texts.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace qm::test {

// Services that record what the program asked of the machine.
class TestServices : public Services
{
public:
    QString folder;
    std::optional<QString> logon = QStringLiteral("tester"); // nullopt: the call fails
    double screenWidth = 15360, screenHeight = 11520;        // 1024 x 768 pixels
    bool printerWorks = true;
    // A print goes through the program's own printing to a PDF file in the program folder:
    // "printed-<n>.pdf" as if the default printer took it; with no default printer, the print
    // dialog asks, and the first of `dialogAnswers` answers it: a file name prints to that
    // file, an empty text (or none left) cancels.
    bool defaultPrinter = true;
    QStringList dialogAnswers;
    int printDialogs = 0;
    QStringList printFiles; // the files prints went to, in order
    bool programsStart = false;
    QMap<QString, QString> registry; // "key\\value" -> text

    QStringList broughtToFront; // the windows' object names, in order
    int printed = 0;
    QStringList started;
    // Every report run, in order: what the control was given, and its pages laid out as the
    // real run lays them out, as text (empty when the run failed before they were laid out).
    // With printerWorks false a run to the printer fails after the layout; else it prints.
    struct ReportRecord
    {
        ReportRun run;
        QString pages;
    };
    std::vector<ReportRecord> reports;
    int quitCalls = 0;
    int normalExits = 0;

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
    void runReport(const ReportRun &run) override;
};

// The real services, with the test's program folder and the printers it gives them.
class FolderSystemServices : public SystemServices
{
public:
    explicit FolderSystemServices(QString folder, std::unique_ptr<Printers> printers = std::make_unique<Printers>());
    QString programFolder() const override;

private:
    QString m_folder;
};

// A test started in a child process (the crash, two-copies and one-copy tests): the program
// works on `folder` with recorded services, and its message boxes are recorded, not shown.
class ChildProgram
{
public:
    explicit ChildProgram(const QString &folder);
    ChildProgram(const ChildProgram &) = delete;
    ChildProgram &operator=(const ChildProgram &) = delete;
    ~ChildProgram();

    RecordingMessageSink messages;

private:
    MessageSink *m_previousSink;
};

// Copies the program's report files (*.rpt) from the sources into a program folder.
void installReportFiles(const QString &folder);

// A program folder of its own with fresh databases and the report files, recorded services
// and message boxes, and no form loaded before or after.
class ScreenTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Lets queued events run (the end-of-program check among them).
    static void processEvents();
    QString path(const QString &file) const;

    // SQL run straight on a file of the program folder, past the screens and the database
    // layer (fixtures, and changes behind a screen's back); the rows the last statement changed.
    int run(const QString &file, const QString &sql);
    // The rows of a select on a file of the program folder as the program reads them, each
    // as its fields' texts joined by "|".
    QStringList rows(const QString &file, const QString &select);
    // The first of those rows; "<none>" when there is none.
    QString row(const QString &file, const QString &select);

    // The texts of the message boxes shown so far; take also forgets them.
    QStringList messages() const;
    QStringList takeMessages();

    QTemporaryDir m_dir;
    TestServices *m_services = nullptr;
    RecordingMessageSink m_messages;

private:
    std::unique_ptr<Services> m_previousServices;
    MessageSink *m_previousSink = nullptr;
};

} // namespace qm::test
