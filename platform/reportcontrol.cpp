#include "platform/reportcontrol.h"

#include "data/error.h"
#include "platform/services.h"
#include "report/reportlayout.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace qm {

namespace {

[[noreturn]] void printerError(const QString &reason)
{
    throw Error(ErrorCode::PrinterError, reason);
}

void preparePrinter(QPrinter &printer, const ReportDocument &document)
{
    // The pages are laid out on the whole sheet; the margins are the report's own.
    printer.setFullPage(true);
    printer.setDocName(document.title);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

} // namespace

CrystalReport::CrystalReport(QObject *form)
    : QObject(form)
{
    setObjectName(QStringLiteral("Report1"));
}

QString CrystalReport::SortFields(int index) const
{
    return index >= 0 && index < m_sortFields.size() ? m_sortFields[index] : QString();
}

void CrystalReport::setSortFields(int index, const QString &field)
{
    if (index < 0)
        throw Error(ErrorCode::IndexOutOfRange);
    while (m_sortFields.size() <= index)
        m_sortFields << QString();
    m_sortFields[index] = field;
}

int CrystalReport::Action() const
{
    return m_action;
}

void CrystalReport::setAction(int action)
{
    m_action = action;
    if (action != 1)
        return;
    if (ReportFileName.trimmed().isEmpty())
        throw Error(ErrorCode::ReportFileNotFound, QStringLiteral("No report file is named."));
    if (Destination != crptToWindow && Destination != crptToPrinter)
        throw Error(
            ErrorCode::InvalidPropertyValue,
            QStringLiteral("The report cannot go to destination %1: 0 is a window, 1 the printer.").arg(Destination));
    ReportRun run;
    run.fileName = ReportFileName;
    run.path = programFile(ReportFileName.trimmed());
    run.formula = SelectionFormula;
    for (const QString &field : m_sortFields) {
        if (!field.trimmed().isEmpty())
            run.sortFields << field;
    }
    run.destination = Destination;
    services().runReport(run);
}

void previewReport(std::shared_ptr<const ReportDocument> document)
{
    // The printer outlives the window that draws on it.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    preparePrinter(*printer, *document);
    auto *window = new QPrintPreviewDialog(printer.get());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(document->title.isEmpty() ? QStringLiteral("Report") : document->title);
    window->setWindowModality(Qt::NonModal);
    QObject::connect(window, &QPrintPreviewDialog::paintRequested, window,
                     [document](QPrinter *target) { document->render(*target); });
    QObject::connect(window, &QObject::destroyed, [printer]() {});
    const QSize screen = window->screen()->availableGeometry().size();
    window->resize(std::min(900, screen.width() * 9 / 10), screen.height() * 9 / 10);
    window->show();
}

void printReport(const ReportDocument &document)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, document);
    if (!services().choosePrinter(printer))
        throw Error(ErrorCode::PrintCancelled);
    if (!printer.isValid() || !document.render(printer)) {
        const QString name = printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName();
        printerError(QStringLiteral("The printer %1 could not print the report.").arg(name));
    }
}

void SystemServices::runReport(const ReportRun &run)
{
    auto document = std::make_shared<ReportDocument>(layoutReportFile(run.path, run.formula, run.sortFields));
    if (run.destination == crptToPrinter)
        printReport(*document);
    else
        previewReport(std::move(document));
}

} // namespace qm
