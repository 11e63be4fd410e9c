// bench_reports_search [folder] [--fresh]
// The reports form over a qm.mdb of 1,000,000 payments spread over the financial years
// starting 2000 to 2009 (inserted in date order), shown offscreen:
//  - Go with "All purchases" between 01/07/2003 and 30/06/2005, which finds 200,000 of them:
//    the time from the press to the grid filled and drawn, the first press and four more (each
//    press adds its rows to the grid's row count, as the form does), and the peak RSS;
//  - Generate Report on "Expenses by Category" for the financial year starting 2004 (100,000
//    payments): the time from the press to the pages laid out (the preview is left out), the
//    first press and the median of ten more.
// The file is built once in the folder (default /tmp/qm-bench-reports) and reused; --fresh
// builds it again.
#include "bench/support/benchservices.h"
#include "bench/support/benchtools.h"
#include "db/dbinit.h"
#include "platform/flexgrid.h"
#include "platform/msgbox.h"
#include "report/reportlayout.h"
#include "reports/reports2.h"
#include "shell/module1.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cmath>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

using namespace qm::bench;

constexpr int Payments = 1'000'000;

// Payments in date order over 1/jul/2000 to 30/jun/2010: a thousand suppliers, the form's
// categories, forty jobs, invoice numbers and dates, GST-free ones among them.
void build(const QString &folder)
{
    const QString file = QDir(folder).filePath(QStringLiteral("qm.mdb"));
    removeDatabase(file);
    qm::layOutProgramFolder(folder);
    sqlite3 *db = nullptr;
    check(sqlite3_open(QFile::encodeName(file).constData(), &db), db, "open");
    check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db, "begin");
    static const char *const categories[]
        = {"Phone", "Electricity", "Gas",         "Car",      "Equipment", "Financial Charges", "Postage", "Other",
           "WAGES", "GST Tax",     "Maintenance", "Services", "Goods",     "Advertising"};
    static const char *const methods[] = {"Cheque", "Credit Card", "Cash", "Direct"};
    sqlite3_stmt *supplier = nullptr;
    check(sqlite3_prepare_v2(db, "insert into s (ID, l) values (?, ?)", -1, &supplier, nullptr), db, "prepare");
    for (int id = 1; id <= 1000; ++id) {
        const QByteArray name = QStringLiteral("Supplier %1 Pty Ltd").arg(id).toUtf8();
        sqlite3_bind_int(supplier, 1, id);
        sqlite3_bind_text(supplier, 2, name.constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(supplier), db, "insert supplier");
        sqlite3_reset(supplier);
    }
    sqlite3_finalize(supplier);

    const QDate first(2000, 7, 1);
    const qint64 days = first.daysTo(QDate(2010, 6, 30)) + 1;
    std::mt19937 random(7);
    sqlite3_stmt *insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into p (a, b, p, t, c, d, e, f, g, h, j, l, m, q, s, u, v) "
                             "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'STD', ?)",
                             -1, &insert, nullptr),
          db, "prepare");
    for (int i = 0; i < Payments; ++i) {
        const QDate day = first.addDays(qint64(i) * days / Payments);
        const int party = int(random() % 1000) + 1;
        const QByteArray name = QStringLiteral("Supplier %1 Pty Ltd").arg(party).toUtf8();
        const bool gstFree = random() % 5 == 0;
        const double total = double(random() % 500000 + 1) / 100;
        const double gst = gstFree ? 0 : std::round(total / 11 * 10000) / 10000;
        const QByteArray paid = day.toString(Qt::ISODate).toLatin1();
        const QByteArray invoiced = day.addDays(-qint64(random() % 30)).toString(Qt::ISODate).toLatin1();
        const QByteArray invoice = QStringLiteral("INV-%1").arg(i).toLatin1();
        const QByteArray job = QStringLiteral("JOB%1").arg(random() % 40).toLatin1();
        sqlite3_bind_text(insert, 1, "Stationery and supplies", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, 2, party);
        sqlite3_bind_int(insert, 3, party);
        sqlite3_bind_text(insert, 4, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 5, total - gst);
        sqlite3_bind_double(insert, 6, gst);
        sqlite3_bind_double(insert, 7, total);
        sqlite3_bind_text(insert, 8, random() % 10 == 0 ? "Capital" : "Expense", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 9, methods[random() % 4], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 10, categories[random() % 14], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 11, paid.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 12, invoice.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 13, invoiced.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 14, gstFree ? "0" : "10", -1, SQLITE_STATIC);
        sqlite3_bind_double(insert, 15, random() % 10 == 0 ? 25 : 0);
        sqlite3_bind_text(insert, 16, job.constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db, "commit");
    check(sqlite3_exec(db, "pragma wal_checkpoint(truncate)", nullptr, nullptr, nullptr), db, "checkpoint");
    sqlite3_close(db);
}

// The system's services, with a report run that only selects and lays out its pages.
class LayoutOnlyServices : public qm::BenchServices
{
public:
    using BenchServices::BenchServices;
    void runReport(const qm::ReportRun &run) override
    {
        const qm::ReportDocument document = qm::layoutReportFile(run.path, run.formula, run.sortFields);
        pages = int(document.pages.size());
        lines = 0;
        grandTotal.clear();
        for (int page = 0; page < pages; ++page) {
            const QStringList text = document.pageLines(page);
            lines += int(text.size());
            for (const QString &line : text)
                if (line.startsWith(QLatin1String("Grand Total")))
                    grandTotal = line;
        }
    }
    int pages = 0;
    int lines = 0;
    QString grandTotal;
};

long peakRssMb()
{
    return peakRssKb() / 1024;
}

} // namespace

int main(int argc, char **argv)
{
    qm::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    qm::initialiseApplication();
    const auto [folder, fresh] = folderArguments(argc, argv, QStringLiteral("/tmp/qm-bench-reports"));
    try {
        QDir().mkpath(folder);
        if (fresh || !QFile::exists(QDir(folder).filePath(QStringLiteral("qm.mdb")))) {
            std::printf("building %s ...\n", qPrintable(folder));
            std::fflush(stdout);
            const double ms = timed([&path = folder] { build(path); });
            std::printf("built in %.1f s\n", ms / 1000);
        }
        // The report files the build installed beside this program.
        const QDir programs(QCoreApplication::applicationDirPath());
        for (const QString &name : programs.entryList({QStringLiteral("*.rpt")}, QDir::Files)) {
            QFile::remove(QDir(folder).filePath(name));
            QFile::copy(programs.filePath(name), QDir(folder).filePath(name));
        }

        auto services = std::make_unique<LayoutOnlyServices>(folder);
        LayoutOnlyServices *reports = services.get();
        qm::setServices(std::move(services));
        qm::RecordingMessageSink messages;
        qm::setMessageSink(&messages);
        QDir::setCurrent(folder);

        qm::reports2 &form = qm::Forms::get<qm::reports2>();
        form.Show();
        QApplication::processEvents();
        std::printf("%d payments; the form shown, peak RSS %ld MB\n", Payments, peakRssMb());

        // The search: two financial years between two dates.
        form.basfor->pick(form.basfor->findText(QStringLiteral("Select Dates")));
        form.pay1[0]->setText(QStringLiteral("01/07/2003"));
        form.pay1[7]->setText(QStringLiteral("30/06/2005"));
        std::printf("Go, All purchases 01/07/2003 to 30/06/2005 (ms to the grid filled and drawn):\n");
        for (int press = 0; press < 5; ++press) {
            const double ms = timed([&] {
                form.Command8_Click();
                QApplication::processEvents();
            });
            int rows = 0;
            while (rows + 1 < form.flex->Rows() && !form.flex->TextMatrix(rows + 1, 0).isEmpty())
                ++rows;
            std::printf("  press %d: %8.1f ms, %d rows found, grid of %d rows, totals %s / %s / %s, peak RSS %ld MB\n",
                        press + 1, ms, rows, form.flex->Rows(), qPrintable(form.net->Text()),
                        qPrintable(form.gst->Text()), qPrintable(form.tot->Text()), peakRssMb());
        }
        form.Command7_Click();

        // Expenses by Category for one financial year.
        form.typeoftrans->pick(form.typeoftrans->findText(QStringLiteral("Expenses by Category")));
        form.basfor->pick(form.basfor->findText(QStringLiteral("Financial Year")));
        form.basyear->setText(QStringLiteral("2004"));
        const Timing generate = timeRuns(11, [&] { form.Command10_Click(); });
        std::printf("Generate Report, Expenses by Category, year starting 2004 (ms to the pages laid out):\n"
                    "  first %.1f ms, median of ten %.1f ms; %d page(s), %d lines; %s\n",
                    generate.first, generate.warm, reports->pages, reports->lines, qPrintable(reports->grandTotal));
        for (const qm::MessageRecord &message : messages.log())
            std::printf("message: %s\n", qPrintable(message.text));
        std::printf("peak RSS %ld MB\n", peakRssMb());
        qm::Forms::discardAll();
        qm::setMessageSink(nullptr);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_reports_search: %s\n", e.what());
        return 1;
    }
    return 0;
}
