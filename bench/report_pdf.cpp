// bench_report_pdf [rows] [pdf]
// Times the payments report ("report1p.rpt", as the build installs it next to this program)
// over a qm.mdb of `rows` payments (default 5,000): the rows selected and laid out into pages,
// then the pages written to a PDF file (default: in the benchmark's own folder). Eleven runs:
// the first, then the median of the ten after it.
#include "bench/support/benchservices.h"
#include "bench/support/benchtools.h"
#include "report/reportlayout.h"
#include "shell/module1.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

using namespace qm::bench;

constexpr int Runs = 11;

// Payments over one financial year with the descriptions, suppliers and categories of a
// small business's book.
void fillPayments(const QString &file, int rows)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(file.toUtf8().constData(), &db), db, "open");
    check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db, "begin");
    sqlite3_stmt *insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into p (a, c, d, e, f, g, h, j, l, t, v) "
                             "values (?, ?, ?, ?, ?, 'Cheque', ?, ?, ?, ?, ?)",
                             -1, &insert, nullptr),
          db, "prepare");
    static const char *suppliers[] = {"Office Supplies Pty Ltd", "O'Brien's Hardware", "City Power",
                                      "Telco Australia",         "Fuel Stop",          "Print & Post"};
    static const char *categories[] = {"OFFICE", "REPAIRS", "ELECTRICITY", "TELEPHONE", "MOTOR VEHICLE", "POSTAGE"};
    std::mt19937 random(7);
    const QDate first(2004, 7, 1);
    for (int i = 0; i < rows; ++i) {
        const int k = int(random() % 6);
        const double total = double(random() % 200000 + 1) / 100;
        const double gst = double(qRound64(total / 11 * 100)) / 100;
        const QByteArray description = QStringLiteral("Payment %1 for goods and services").arg(i + 1).toUtf8();
        const QByteArray day = first.addDays(i * 365 / std::max(rows, 1)).toString(Qt::ISODate).toUtf8();
        const QByteArray invoice = QByteArray::number(100000 + i);
        const QByteArray job = QByteArray("JOB") + QByteArray::number(i % 40);
        sqlite3_bind_text(insert, 1, description.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 2, total - gst);
        sqlite3_bind_double(insert, 3, gst);
        sqlite3_bind_double(insert, 4, total);
        sqlite3_bind_text(insert, 5, i % 5 ? "Expense" : "Capital", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 6, categories[k], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 7, day.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 8, invoice.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 9, suppliers[k], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 10, job.constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
}

} // namespace

int main(int argc, char **argv)
{
    qm::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    qm::initialiseApplication();
    const int rows = argc > 1 ? std::atoi(argv[1]) : 5000;
    QTemporaryDir dir;
    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("payments.pdf"));
    qm::layOutProgramFolder(dir.path());
    const QString report = dir.filePath(QStringLiteral("report1p.rpt"));
    if (!QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/report1p.rpt"), report)) {
        std::fprintf(stderr, "report1p.rpt is not in the program folder: build the project first\n");
        return 1;
    }
    fillPayments(dir.filePath(QStringLiteral("qm.mdb")), rows);
    qm::setServices(std::make_unique<qm::BenchServices>(dir.path()));

    const QString formula = QStringLiteral("{p.j} >= Date(2004,7,1) AND {p.j} <= Date(2005,6,30)");
    const QStringList sort{QStringLiteral("+{p.j}")};
    std::vector<double> layout, write, total;
    size_t pages = 0;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const qm::ReportDocument document = qm::layoutReportFile(report, formula, sort);
        const double laidOut = milliseconds(timer);
        document.writePdf(pdf);
        const double all = milliseconds(timer);
        layout.push_back(laidOut);
        write.push_back(all - laidOut);
        total.push_back(all);
        pages = document.pages.size();
    }
    std::printf("%d payments, %zu pages, PDF %lld bytes\n", rows, pages, QFileInfo(pdf).size());
    std::printf("%-32s %10s %10s\n", "step (ms)", "first", "median");
    auto row = [](const char *name, const std::vector<double> &v) {
        const Timing timing = firstAndMedian(v);
        std::printf("%-32s %10.1f %10.1f\n", name, timing.first, timing.warm);
    };
    row("select and lay out", layout);
    row("write the PDF", write);
    row("total", total);
    return 0;
}
