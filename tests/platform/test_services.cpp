// The real services where they meet the machine: the printer a print goes to, and a window
// brought to the front under a real window manager.
#include "data/error.h"
#include "platform/form.h"
#include "platform/reportcontrol.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <functional>

namespace qm::test {

namespace {

// A default printer that prints to a PDF file, or no printer set up when the file is empty.
class PdfPrinters : public Printers
{
public:
    explicit PdfPrinters(QString file)
        : m_file(std::move(file))
    {
    }

    bool aimAtDefault(QPrinter &printer) override
    {
        if (m_file.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        return true;
    }

private:
    QString m_file;
};

// Lets events run until `done` has held for `steady` milliseconds on end, at most `ms`
// milliseconds; whether it did.
bool waitFor(const std::function<bool()> &done, int ms, int steady = 0)
{
    QElapsedTimer timer, held;
    timer.start();
    for (;;) {
        if (!done())
            held.invalidate();
        else if (!held.isValid())
            held.start();
        if (held.isValid() && held.elapsed() >= steady)
            return true;
        if (timer.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

using SystemServicesTest = ScreenTest;

// Two forms larger than half the screen: they overlap wherever a window manager puts them.
class Screen : public Form
{
public:
    Screen()
        : Form(QStringLiteral("Screen"))
    {
        resize(700, 500);
    }
};

class Menu : public Form
{
public:
    Menu()
        : Form(QStringLiteral("Menu"))
    {
        resize(700, 500);
    }
};

// A display of its own, a virtual X server with openbox managing its windows. The two
// processes end with it.
class WindowManagerDisplay
{
public:
    ~WindowManagerDisplay()
    {
        for (QProcess *process : {&m_manager, &m_server}) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished();
            }
        }
    }

    // Starts them on the first free display from :71 to :79 (clear of a desktop's own); empty
    // when none could be started.
    QString start(const QString &server, const QString &manager)
    {
        m_server.setStandardErrorFile(QProcess::nullDevice());
        for (int number = 71; number <= 79; ++number) {
            // With -displayfd the server writes its number once it takes connections; it ends
            // at once when the display is taken.
            const QString display = u':' + QString::number(number);
            m_server.start(server, {display, QStringLiteral("-screen"), QStringLiteral("0"),
                                    QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                    QStringLiteral("-displayfd"), QStringLiteral("1")});
            if (m_server.waitForReadyRead(10000) && m_server.readAll().trimmed() == QByteArray::number(number)) {
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                environment.insert(QStringLiteral("DISPLAY"), display);
                m_manager.setProcessEnvironment(environment);
                m_manager.setStandardOutputFile(QProcess::nullDevice());
                m_manager.setStandardErrorFile(QProcess::nullDevice());
                // It runs its startup command once it manages the display's windows.
                const QString ready = m_folder.filePath(QStringLiteral("ready"));
                m_manager.start(manager, {QStringLiteral("--sm-disable"), QStringLiteral("--startup"),
                                          QStringLiteral("touch '%1'").arg(ready)});
                QElapsedTimer waited;
                waited.start();
                while (!QFile::exists(ready) && waited.elapsed() < 10000 && !m_manager.waitForFinished(20)) {
                }
                return QFile::exists(ready) ? display : QString();
            }
            m_server.kill();
            m_server.waitForFinished();
        }
        return {};
    }

private:
    QTemporaryDir m_folder;
    QProcess m_server;
    QProcess m_manager;
};

} // namespace

// A print goes to the default printer without a question; with no printer set up the system's
// print dialog asks, and cancelled, nothing is printed.
TEST_F(SystemServicesTest, PrintsOnTheDefaultPrinterElseAsks)
{
    struct Case
    {
        const char *what;
        bool defaultPrinter;
        std::function<void()> print;
    };
    QLabel window(QStringLiteral("Payments"));
    window.resize(300, 200);
    ReportRun run;
    run.fileName = QStringLiteral("report1p.rpt");
    run.path = path(run.fileName);
    run.destination = crptToPrinter;
    const Case cases[] = {
        {"a report", true, [&] { services().runReport(run); }},
        {"a report", false, [&] { services().runReport(run); }},
        {"a window", true, [&] { services().printWindow(window); }},
        {"a window", false, [&] { services().printWindow(window); }},
    };
    for (const Case &c : cases) {
        const QString printed = path(QStringLiteral("default-printer.pdf"));
        QFile::remove(printed);
        auto previous = setServices(std::make_unique<FolderSystemServices>(
            m_dir.path(), std::make_unique<PdfPrinters>(c.defaultPrinter ? printed : QString())));
        int asked = 0;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<QPrintDialog *>(top); dialog && dialog->isVisible()) {
                    ++asked;
                    dialog->reject();
                }
            }
        });
        answer.start(10);
        const int error = errorNumber(c.print);
        answer.stop();
        setServices(std::move(previous));

        if (c.defaultPrinter) {
            EXPECT_EQ(error, 0) << c.what;
            EXPECT_EQ(asked, 0) << c.what << ": no question with a default printer";
            QFile pdf(printed);
            ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << c.what << " is not printed on the default printer";
            EXPECT_TRUE(pdf.read(5).startsWith("%PDF")) << c.what;
        } else {
            EXPECT_EQ(error, ErrorCode::PrintCancelled) << c.what;
            EXPECT_EQ(asked, 1) << c.what;
            EXPECT_FALSE(QFile::exists(printed)) << c.what;
        }
    }
}

// The child's side of the window manager test: it only runs when that test starts it, on a
// display of its own with a window manager. As Go Back does, one action shows a new form (the
// main menu) and then an earlier one; the earlier one ends on top with the focus.
TEST(WindowManagerChild, TheFormShownLastEndsOnTop)
{
    if (qEnvironmentVariableIsEmpty("QM_WM_CHILD"))
        GTEST_SKIP() << "started by the window manager test only";
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QTemporaryDir folder;
    setServices(std::make_unique<FolderSystemServices>(folder.path()));

    Screen &screen = Forms::get<Screen>();
    Menu &menu = Forms::get<Menu>();
    // A window the window manager has taken has its frame.
    const auto framed = [](QWidget &w) { return w.frameGeometry() != w.geometry(); };
    // Windows larger than half the screen overlap wherever they are placed.
    const auto screenOnTop = [&] {
        const QRect both = screen.frameGeometry().intersected(menu.frameGeometry());
        return screen.isActiveWindow() && !both.isEmpty() && QApplication::topLevelAt(both.center()) == &screen;
    };

    screen.Show();
    ASSERT_TRUE(waitFor([&] { return framed(screen) && screen.isActiveWindow(); }, 10000))
        << "no window manager took the window";
    menu.Show();
    screen.Show();
    ASSERT_TRUE(waitFor([&] { return framed(menu); }, 5000));
    // The new window may be on top for a moment, until the window manager gives it the focus.
    EXPECT_TRUE(waitFor(screenOnTop, 5000, 300));
    Forms::discardAll();
}

// A form brought to the front by the real services is on top and has the focus under a real
// window manager, which may refuse a window the focus or place it as it likes. The program
// under test runs in a child on a display of its own (this one is offscreen).
TEST(WindowManager, TheFormShownLastEndsOnTop)
{
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString manager = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (server.isEmpty() || manager.isEmpty())
        GTEST_SKIP() << "Xvfb and openbox are not installed: no window manager to bring a window to the front under";
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqxcb.so")))
        GTEST_SKIP() << "Qt's X11 platform plugin is not installed";
    WindowManagerDisplay display;
    const QString name = display.start(server, manager);
    ASSERT_FALSE(name.isEmpty()) << "no X server could be started on the displays :71 to :79";

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), name);
    environment.insert(QStringLiteral("QM_WM_CHILD"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=WindowManagerChild.*")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
}

} // namespace qm::test
