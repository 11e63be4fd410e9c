// bench_bas_go [folder] [--fresh]
// Times Go on the BAS form over a qm.mdb with 1,000,000 payments and 1,000,000 receipts in
// the financial years 2000 to 2009, inserted in date order, for one quarter on each basis:
// the first press and the median of ten warm ones. Beside them, the sqlite3 shell's time
// for the same eleven selections summed in SQL on the same file. The file is built once in
// the folder (default /tmp/qm-bench-bas) and reused; --fresh builds it again.
#include "bas/bas.h"
#include "bench/support/benchservices.h"
#include "bench/support/benchtools.h"
#include "common/bascompute.h"
#include "data/jetsql.h"
#include "db/dbinit.h"
#include "platform/msgbox.h"
#include "platform/services.h"
#include "shell/module1.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

using namespace qm::bench;

constexpr int RowsPerTable = 1'000'000;
constexpr int Presses = 10;
const QString Quarter = QStringLiteral("1st Quarter");
const QString Year = QStringLiteral("2004");

// Rows of one table in date order over 1/jul/2000 to 30/jun/2010, with the codes, types,
// categories, GST and personal-use shares a small business's book has.
void fill(sqlite3 *db, const char *table, bool payments)
{
    const QDate first(2000, 7, 1);
    const qint64 days = first.daysTo(QDate(2010, 6, 30)) + 1;
    std::mt19937 random(payments ? 1 : 2);
    const QByteArray sql = QByteArray("insert into ") + table
                           + " (a, b, c, d, e, f, g, h, j, m, q, s, t, u) values (?, 1, ?, ?, ?, ?, 'Cheque', ?, ?, ?, "
                             "'10', ?, 'Someone', ?)";
    sqlite3_stmt *insert = nullptr;
    check(sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr), db, "prepare");
    for (int i = 0; i < RowsPerTable; ++i) {
        const QDate day = first.addDays(qint64(i) * days / RowsPerTable);
        const int kind = int(random() % 100);
        const char *code = "STD", *category = payments ? "OFFICE" : "SALES", *type = "Expense";
        bool gstFree = random() % 5 == 0;
        if (kind < 8) {
            code = payments ? "NOT" : "ITS";
            category = payments ? "WAGES" : "RESIDENTIAL PROPERTY RENT";
            gstFree = true;
        } else if (kind < 13) {
            code = payments ? "ITS" : "EXP";
            category = payments ? "FINANCIAL SUPPLIES" : "EXPORT";
            gstFree = true;
        } else if (kind < 15) {
            code = "NEW";
            category = "NEW CAR";
            type = "Capital";
        } else if (kind < 25) {
            type = "Capital";
        }
        const double total = double(random() % 500000 + 1) / 100;
        const double gst = gstFree ? 0 : std::round(total / 11 * 10000) / 10000;
        sqlite3_bind_text(insert, 1, "bench row", -1, SQLITE_STATIC);
        sqlite3_bind_double(insert, 2, total - gst);
        sqlite3_bind_double(insert, 3, gst);
        sqlite3_bind_double(insert, 4, total);
        sqlite3_bind_text(insert, 5, payments ? type : "Income", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 6, category, -1, SQLITE_STATIC);
        const QByteArray paid = day.toString(Qt::ISODate).toLatin1();
        sqlite3_bind_text(insert, 7, paid.constData(), -1, SQLITE_TRANSIENT);
        if (random() % 10 == 0) {
            sqlite3_bind_null(insert, 8);
        } else {
            const QByteArray invoiced = day.addDays(-qint64(random() % 30)).toString(Qt::ISODate).toLatin1();
            sqlite3_bind_text(insert, 8, invoiced.constData(), -1, SQLITE_TRANSIENT);
        }
        sqlite3_bind_double(insert, 9, payments && random() % 10 == 0 ? 25 : 0);
        sqlite3_bind_text(insert, 10, code, -1, SQLITE_STATIC);
        check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

void build(const QString &file)
{
    removeDatabase(file);
    qm::dbinit::createDatabase(file, QStringLiteral(QM_DB_DIR "/qm.sql"));
    sqlite3 *db = nullptr;
    check(sqlite3_open(QFile::encodeName(file).constData(), &db), db, "open");
    check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db, "begin");
    fill(db, "p", true);
    fill(db, "r", false);
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db, "commit");
    check(sqlite3_exec(db, "pragma wal_checkpoint(truncate)", nullptr, nullptr, nullptr), db, "checkpoint");
    sqlite3_close(db);
}

Timing timeGo(qm::bas &form, const QString &basis)
{
    form.paymentson->pick(form.paymentson->findText(basis));
    return timeRuns(Presses + 1, [&] { form.Command1_Click(4); });
}

// The same eleven selections summed in SQL, ten rounds after a first one, in one session of
// the sqlite3 shell; its .timer figures per round.
Timing timeShell(const QString &file, const QString &column)
{
    qm::BasRequest request;
    request.dateColumn = column;
    request.period = qm::PeriodBounds(Quarter, Year);
    QStringList statements;
    for (const QString &jet : qm::basQueries(request)) {
        QString sql = qm::translateJetSql(jet);
        sql.remove(QStringLiteral(" order by j"));
        const bool personalUse = sql.contains(QStringLiteral("s > 0"));
        static const QRegularExpression selectList(QStringLiteral("^select .*? from "));
        sql.replace(selectList, personalUse ? QStringLiteral("select total(s * e / 100) from ")
                                            : QStringLiteral("select total(e) from "));
        statements << sql + u';';
    }
    QString script = QStringLiteral(".timer on\n");
    for (int round = 0; round <= Presses; ++round)
        script += statements.join(u'\n') + u'\n';

    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {file});
    if (!shell.waitForStarted())
        throw std::runtime_error("the sqlite3 shell could not be started (apt-get install -y sqlite3)");
    shell.write(script.toUtf8());
    shell.closeWriteChannel();
    shell.waitForFinished(-1);
    const QString output = QString::fromUtf8(shell.readAllStandardOutput());
    static const QRegularExpression runTime(QStringLiteral("Run Time: real ([0-9.]+)"));
    std::vector<double> perStatement;
    for (auto it = runTime.globalMatch(output); it.hasNext();)
        perStatement.push_back(it.next().captured(1).toDouble() * 1000);
    if (perStatement.size() != size_t(statements.size()) * (Presses + 1))
        throw std::runtime_error("unexpected sqlite3 output:\n" + output.toStdString());
    std::vector<double> rounds;
    for (size_t i = 0; i < perStatement.size(); i += size_t(statements.size())) {
        double sum = 0;
        for (qsizetype j = 0; j < statements.size(); ++j)
            sum += perStatement[i + size_t(j)];
        rounds.push_back(sum);
    }
    return firstAndMedian(rounds);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qm::initialiseApplication();
    const auto [folder, fresh] = folderArguments(argc, argv, QStringLiteral("/tmp/qm-bench-bas"));
    try {
        QDir().mkpath(folder);
        const QString file = QDir(folder).filePath(QStringLiteral("qm.mdb"));
        if (fresh || !QFile::exists(file)) {
            std::printf("building %s ...\n", QFile::encodeName(file).constData());
            std::fflush(stdout);
            const double ms = timed([&] { build(file); });
            std::printf("built in %.1f s\n", ms / 1000);
        }

        qm::setServices(std::make_unique<qm::BenchServices>(folder));
        qm::RecordingMessageSink messages;
        qm::setMessageSink(&messages);
        QDir::setCurrent(folder);

        qm::bas &form = qm::Forms::get<qm::bas>();
        form.basfor->pick(form.basfor->findText(Quarter));
        form.basyear->pick(form.basyear->findText(Year));

        std::printf("%s %s, %d payments and %d receipts (ms)\n", qPrintable(Quarter), qPrintable(Year), RowsPerTable,
                    RowsPerTable);
        std::printf("%-14s %10s %10s %12s %12s %8s\n", "basis", "Go first", "Go median", "shell first", "shell median",
                    "ratio");
        for (const auto &[basis, column] : {std::pair{QStringLiteral("Receipt Date"), QStringLiteral("j")},
                                            std::pair{QStringLiteral("Invoice Date"), QStringLiteral("m")}}) {
            const Timing go = timeGo(form, basis);
            const QString g1 = form.g[1]->Text(), g12 = form.g[12]->Text();
            const Timing shell = timeShell(file, column);
            std::printf("%-14s %10.1f %10.1f %12.1f %12.1f %8.2f   (G1 %s, G12 %s)\n", qPrintable(basis), go.first,
                        go.warm, shell.first, shell.warm, go.warm / shell.warm, qPrintable(g1), qPrintable(g12));
        }
        for (const qm::MessageRecord &message : messages.log())
            std::printf("message: %s\n", qPrintable(message.text));
        qm::Forms::discardAll();
        qm::setMessageSink(nullptr);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_bas_go: %s\n", e.what());
        return 1;
    }
    return 0;
}
