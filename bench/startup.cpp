// Start-up and data-control figures on a large payments table.
// Prints: start to main menu shown (offscreen), opening a data control on table p with its
// first row shown, MoveFirst + MoveLast, and the average time of one move.
#include "bench/support/benchservices.h"
#include "bench/support/benchtools.h"
#include "db/dbinit.h"
#include "platform/datacontrol.h"
#include "platform/form.h"
#include "platform/msgbox.h"
#include "platform/services.h"
#include "shell/frmsplash.h"
#include "shell/menu2.h"
#include "shell/module1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

using qm::bench::milliseconds;

void fillPayments(const QString &path, int rows)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into p (j, a, b, p, t, c, d, e, f, g, h, q, s, u) "
                       "values (?, 'Stationery', ?, ?, ?, ?, ?, ?, 'Expense', 'Cheque', 'OFFICE', '10', 0, 'STD')",
                       -1, &insert, nullptr);
    for (int i = 0; i < rows; ++i) {
        const int supplier = i % 1000 + 1;
        const double total = 11.0 + (i % 5000) / 100.0;
        const QByteArray day = QDate(2000, 7, 1).addDays(i / 300).toString(Qt::ISODate).toUtf8();
        const QByteArray name = QStringLiteral("Supplier %1").arg(supplier).toUtf8();
        sqlite3_bind_text(insert, 1, day.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 2, supplier);
        sqlite3_bind_int(insert, 3, supplier);
        sqlite3_bind_text(insert, 4, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 5, total / 1.1);
        sqlite3_bind_double(insert, 6, total - total / 1.1);
        sqlite3_bind_double(insert, 7, total);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

int main(int argc, char **argv)
{
    qm::useOffscreenUnlessSet();
    QTemporaryDir dir;
    qm::layOutProgramFolder(dir.path());
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    std::printf("generating %d payments...\n", rows);
    fillPayments(dir.filePath("qm.mdb"), rows);

    QElapsedTimer startUp;
    startUp.start();
    QApplication app(argc, argv);
    qm::initialiseApplication();
    qm::setServices(std::make_unique<qm::BenchServices>(dir.path()));
    qm::RecordingMessageSink messages;
    qm::setMessageSink(&messages);
    qm::Main();
    qm::Forms::get<qm::frmSplash>().Command2_Click();
    QApplication::processEvents();
    const bool menuShown = qm::Forms::isLoaded<qm::Menu2>() && qm::Forms::get<qm::Menu2>().isVisible();
    std::printf("start to main menu shown:        %8.1f ms%s\n", milliseconds(startUp),
                menuShown ? "" : " (menu not shown!)");

    QWidget host;
    qm::Data data(&host);
    data.DatabaseName = QStringLiteral("qm.mdb");
    data.RecordSource = QStringLiteral("P");
    QElapsedTimer open;
    open.start();
    data.Refresh();
    std::printf("open data control on p:         %8.1f ms\n", milliseconds(open));

    QElapsedTimer ends;
    ends.start();
    data.Recordset().MoveFirst();
    data.Recordset().MoveLast();
    std::printf("MoveFirst + MoveLast:            %8.2f ms\n", milliseconds(ends));

    constexpr int moves = 2000;
    data.Recordset().MoveFirst();
    QElapsedTimer stepping;
    stepping.start();
    for (int i = 0; i < moves; ++i)
        data.Recordset().MoveNext();
    std::printf("one move (average of %d):      %8.3f ms\n", moves, milliseconds(stepping) / moves);
    data.discard();
    qm::Forms::discardAll();
    qm::resetModule1(); // lets go of the books before their folder is removed
    return 0;
}
