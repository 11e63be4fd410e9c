// The payments and receipts screens on large tables.
// Prints, for a qm.mdb with 1,000,000 payments and 1,000,000 receipts (1,000 suppliers and
// clients) and a qm1.mdb with 1,000 jobs and 10,000 unpaid invoices: the first run and the
// median of ten warm runs of opening PRC and RRC to the first row shown, of Add + typing a
// row + OK, and of search_Click on an ID.
#include "bench/support/benchservices.h"
#include "bench/support/benchtools.h"
#include "db/dbinit.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/form.h"
#include "platform/msgbox.h"
#include "platform/services.h"
#include "shell/module1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

void exec(sqlite3 *db, const char *sql)
{
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// Valid transactions: a date, a party from the list, a total with its rate and GST.
void fillTransactions(sqlite3 *db, const char *table, int rows)
{
    sqlite3_stmt *insert = nullptr;
    const QByteArray sql
        = QStringLiteral("insert into %1 (j, a, b, p, t, c, d, e, f, g, h, q, s, u) "
                         "values (?, 'Stationery', ?, ?, ?, ?, ?, ?, 'Expense', 'Cheque', 'Other', ?, 0, 'STD')")
              .arg(QLatin1String(table))
              .toUtf8();
    sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr);
    for (int i = 0; i < rows; ++i) {
        const int party = i % 1000 + 1;
        const bool taxed = i % 7 != 0;
        const double total = 11.0 + (i % 5000) / 100.0;
        const double nett = taxed ? total / 1.1 : total;
        const QByteArray day = QDate(2000, 7, 1).addDays(i / 300).toString(Qt::ISODate).toUtf8();
        const QByteArray name = QStringLiteral("Party %1").arg(party, 4, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_text(insert, 1, day.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 2, party);
        sqlite3_bind_int(insert, 3, party);
        sqlite3_bind_text(insert, 4, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 5, std::round(nett * 10000) / 10000);
        sqlite3_bind_double(insert, 6, std::round((total - nett) * 10000) / 10000);
        sqlite3_bind_double(insert, 7, total);
        sqlite3_bind_text(insert, 8, taxed ? "10" : "0", -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

void fillMain(const QString &path, int rows)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    exec(db, "begin");
    for (int i = 1; i <= 1000; ++i) {
        const QByteArray name = QStringLiteral("Party %1").arg(i, 4, 10, QLatin1Char('0')).toUtf8();
        for (const char *table : {"s", "c"}) {
            const QByteArray sql = QStringLiteral("insert into %1 (l, o) values ('%2', '%3')")
                                       .arg(QLatin1String(table), QString::fromUtf8(name))
                                       .arg(i)
                                       .toUtf8();
            exec(db, sql.constData());
        }
    }
    fillTransactions(db, "p", rows);
    fillTransactions(db, "r", rows);
    exec(db, "commit");
    sqlite3_close(db);
}

void fillInvoices(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    exec(db, "begin");
    for (int i = 1; i <= 1000; ++i)
        exec(
            db,
            QStringLiteral("insert into jac (jac, exp) values ('JOB%1', 'job number %1')").arg(i).toUtf8().constData());
    for (int i = 1; i <= 10000; ++i)
        exec(db,
             QStringLiteral("insert into inv (a, b, i, xtotal, paid) values ('A%1', '2001-03-05', 'Party 0001', %2, 0)")
                 .arg(i)
                 .arg(100 + i % 900)
                 .toUtf8()
                 .constData());
    exec(db, "commit");
    sqlite3_close(db);
}

// Runs `prepare` untimed and `action` timed, eleven times; prints the first and the median of the rest.
void measure(const char *what, const std::function<void()> &prepare, const std::function<void()> &action,
             const std::function<void()> &after)
{
    std::vector<double> times;
    for (int run = 0; run < 11; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(qm::bench::milliseconds(timer));
        after();
    }
    const qm::bench::Timing timing = qm::bench::firstAndMedian(times);
    std::printf("%-34s first %8.1f ms   median %8.1f ms\n", what, timing.first, timing.warm);
}

void settle()
{
    qm::Forms::discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

template <class F>
void openScreen()
{
    F &form = qm::Forms::get<F>();
    form.Show();
    QApplication::processEvents();
}

template <class F>
void closeScreen()
{
    if (qm::Forms::isLoaded<F>())
        qm::Forms::Unload(qm::Forms::get<F>());
    settle();
}

template <class F>
void addTypeAndOk()
{
    F &form = qm::Forms::get<F>();
    form.Command1_Click(qm::LedgerButton::Add);
    form.pay1[1]->typeText(QStringLiteral("Benchmark row"));
    form.pay1[0]->typeText(QStringLiteral("05/mar/01"));
    form.combo1->pickRow(500);
    form.Combo3->pick(0);
    form.Text2[3]->typeText(QStringLiteral("123.45"));
    form.Combo2[2]->pick(1);
    form.Command1_Click(qm::LedgerButton::OK);
    QApplication::processEvents();
}

template <class F>
void searchOne(int id)
{
    F &form = qm::Forms::get<F>();
    form.searchtext->setText(QString::number(id));
    form.search_Click();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    qm::useOffscreenUnlessSet();
    QTemporaryDir dir;
    qm::layOutProgramFolder(dir.path());
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    std::printf("generating %d payments and %d receipts, 10,000 invoices...\n", rows, rows);
    fillMain(dir.filePath("qm.mdb"), rows);
    fillInvoices(dir.filePath("qm1.mdb"));

    QApplication app(argc, argv);
    qm::initialiseApplication();
    qm::setServices(std::make_unique<qm::BenchServices>(dir.path()));
    qm::RecordingMessageSink messages;
    qm::setMessageSink(&messages);

    auto nothing = [] {};
    measure("open PRC to the first row", nothing, openScreen<qm::PRC>, closeScreen<qm::PRC>);
    measure("open RRC to the first row", nothing, openScreen<qm::RRC>, closeScreen<qm::RRC>);
    measure("PRC: Add + type a row + OK", openScreen<qm::PRC>, addTypeAndOk<qm::PRC>, settle);
    measure("RRC: Add + type a row + OK", openScreen<qm::RRC>, addTypeAndOk<qm::RRC>, settle);
    int id = 1;
    measure(
        "PRC: search_Click on an ID", openScreen<qm::PRC>, [&] { searchOne<qm::PRC>(id += 99991); },
        closeScreen<qm::PRC>);
    measure(
        "RRC: search_Click on an ID", openScreen<qm::RRC>, [&] { searchOne<qm::RRC>(id += 99991); },
        closeScreen<qm::RRC>);
    if (!messages.log().empty())
        std::printf("message boxes: %zu (first: %s)\n", messages.log().size(), qPrintable(messages.log().front().text));
    settle();
    return 0;
}
