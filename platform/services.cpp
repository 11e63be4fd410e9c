#include "platform/services.h"

#include "data/error.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QWidget>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace qm {

namespace {
std::unique_ptr<Services> &currentServices()
{
    static std::unique_ptr<Services> current = std::make_unique<SystemServices>();
    return current;
}

QSize screenPixels()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}
} // namespace

Services &services()
{
    return *currentServices();
}

std::unique_ptr<Services> setServices(std::unique_ptr<Services> replacement)
{
    std::unique_ptr<Services> previous = std::move(currentServices());
    currentServices() = std::move(replacement);
    setProgramFolderSource(currentServices().get());
    return previous;
}

bool Printers::aimAtDefault(QPrinter &printer)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    printer.setPrinterName(info.printerName());
    return true;
}

SystemServices::SystemServices(std::unique_ptr<Printers> printers)
    : m_printers(std::move(printers))
{
}

QString SystemServices::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString SystemServices::logonName() const
{
    const passwd *entry = getpwuid(geteuid());
    if (!entry || !entry->pw_name)
        throw Error(ErrorCode::UserNameUnavailable);
    return QString::fromLocal8Bit(entry->pw_name);
}

double SystemServices::screenWidthTwips() const
{
    return screenPixels().width() * TwipsPerPixel;
}

double SystemServices::screenHeightTwips() const
{
    return screenPixels().height() * TwipsPerPixel;
}

void SystemServices::bringToFront(QWidget &window)
{
    window.raise();
    window.activateWindow();
}

void printWindowImage(QWidget &window)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!services().choosePrinter(printer))
        throw Error(ErrorCode::PrintCancelled);
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error(ErrorCode::PrinterError);
    const QPixmap image = window.grab();
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
    if (!painter.end())
        throw Error(ErrorCode::PrinterError);
}

void SystemServices::printWindow(QWidget &window)
{
    printWindowImage(window);
}

bool SystemServices::choosePrinter(QPrinter &printer)
{
    if (m_printers->aimAtDefault(printer))
        return true;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

bool SystemServices::startProgram(const QString &commandLine)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words, QDir::currentPath());
}

bool SystemServices::readRegistry(const QString &, const QString &, const QString &, QString &value)
{
    value.clear();
    return false; // Linux has no registry
}

void SystemServices::quit()
{
    // Ends at once: no unload handling runs and no pending row is written.
    std::_Exit(0);
}

void SystemServices::exitNormally()
{
    QCoreApplication::exit(0);
}

} // namespace qm
