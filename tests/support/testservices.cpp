#include "tests/support/testservices.h"

#include "data/error.h"
#include "platform/form.h"
#include "platform/reportcontrol.h"
#include "report/reportlayout.h"
#include "shell/module1.h"
#include "tests/support/data/dbhelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPrinter>
#include <stdexcept>

namespace qm::test {

QString TestServices::programFolder() const
{
    return folder;
}

QString TestServices::logonName() const
{
    if (!logon)
        throw Error(ErrorCode::NoDllEntryPoint, QStringLiteral("Can't find DLL entry point GetUserNameA in advapi32"));
    return *logon;
}

double TestServices::screenWidthTwips() const
{
    return screenWidth;
}

double TestServices::screenHeightTwips() const
{
    return screenHeight;
}

void TestServices::bringToFront(QWidget &window)
{
    broughtToFront << window.objectName();
    window.raise();
    window.activateWindow();
}

void TestServices::printWindow(QWidget &window)
{
    if (!printerWorks)
        throw Error(ErrorCode::PrinterError);
    printWindowImage(window);
    ++printed;
}

bool TestServices::choosePrinter(QPrinter &printer)
{
    QString file = QStringLiteral("printed-%1.pdf").arg(printFiles.size() + 1);
    if (!defaultPrinter) {
        ++printDialogs;
        file = dialogAnswers.isEmpty() ? QString() : dialogAnswers.takeFirst();
        if (file.isEmpty())
            return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir(folder).filePath(file));
    printFiles << file;
    return true;
}

bool TestServices::startProgram(const QString &commandLine)
{
    started << commandLine;
    return programsStart;
}

bool TestServices::readRegistry(const QString &, const QString &key, const QString &valueName, QString &value)
{
    const auto it = registry.find(key + QLatin1Char('\\') + valueName);
    if (it == registry.end())
        return false;
    value = *it;
    return true;
}

void TestServices::quit()
{
    ++quitCalls;
    throw QuitRequested{};
}

void TestServices::exitNormally()
{
    ++normalExits;
}

void TestServices::runReport(const ReportRun &run)
{
    reports.push_back({run, QString()});
    const ReportDocument document = layoutReportFile(run.path, run.formula, run.sortFields);
    reports.back().pages = document.text();
    if (run.destination != crptToPrinter)
        return;
    if (!printerWorks)
        throw Error(ErrorCode::PrinterError);
    printReport(document);
}

FolderSystemServices::FolderSystemServices(QString folder, std::unique_ptr<Printers> printers)
    : SystemServices(std::move(printers))
    , m_folder(std::move(folder))
{
}

QString FolderSystemServices::programFolder() const
{
    return m_folder;
}

ChildProgram::ChildProgram(const QString &folder)
{
    auto services = std::make_unique<TestServices>();
    services->folder = folder;
    setServices(std::move(services));
    m_previousSink = setMessageSink(&messages);
}

ChildProgram::~ChildProgram()
{
    setMessageSink(m_previousSink);
}

void installReportFiles(const QString &folder)
{
    const QString sources = QStringLiteral(QM_SOURCE_DIR);
    for (const char *dir : {"reports", "invoicing"}) {
        const QDir from(sources + u'/' + QLatin1String(dir));
        for (const QString &name : from.entryList({QStringLiteral("*.rpt")}, QDir::Files)) {
            const QString target = folder + u'/' + name;
            QFile::remove(target);
            if (!QFile::copy(from.filePath(name), target))
                throw std::runtime_error("cannot copy the report file " + name.toStdString());
        }
    }
}

void ScreenTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    auto services = std::make_unique<TestServices>();
    services->folder = m_dir.path();
    m_services = services.get();
    m_previousServices = setServices(std::move(services));
    m_previousSink = setMessageSink(&m_messages);
    for (const char *file : {"qm.mdb", "qm1.mdb", "db1.mdb"})
        createProgramDatabase(m_dir.path(), QLatin1String(file));
    installReportFiles(m_dir.path());
    resetModule1();
}

void ScreenTest::TearDown()
{
    Forms::discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    resetModule1();
    setMessageSink(m_previousSink);
    setServices(std::move(m_previousServices));
}

void ScreenTest::processEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString ScreenTest::path(const QString &file) const
{
    return m_dir.filePath(file);
}

int ScreenTest::run(const QString &file, const QString &sql)
{
    return runSql(path(file), sql);
}

QStringList ScreenTest::rows(const QString &file, const QString &select)
{
    return rowsOf(path(file), select);
}

QString ScreenTest::row(const QString &file, const QString &select)
{
    return rows(file, select).value(0, QStringLiteral("<none>"));
}

QStringList ScreenTest::messages() const
{
    QStringList texts;
    for (const QString &text : m_messages.texts())
        texts << text;
    return texts;
}

QStringList ScreenTest::takeMessages()
{
    const QStringList texts = messages();
    m_messages.clear();
    return texts;
}

} // namespace qm::test
