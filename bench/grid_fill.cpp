// The search results grid at its largest: 14 columns, created with 3,000 rows, shown
// (offscreen), filled with 200,000 matches the way the search fills it (current row, each
// column made current and its text written, the row's data set, one row added per match),
// then cleared and filled again, then read back cell by cell.
// Prints the time of each fill and of the read, and the process's peak resident size.
#include "bench/support/benchservices.h"
#include "bench/support/benchtools.h"
#include "platform/flexgrid.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

namespace {

using qm::bench::peakRssKb;

constexpr int Columns = 14;

void writeHeadings(qm::MSFlexGrid &grid)
{
    static const char *const headings[Columns]
        = {"ID",       "Date",        "For",   "Supplier/ClientID", "Supplier", " $ Nett",    " $ GST", " $ Total",
           "Category", "Subcategory", "Inv #", "Inv date",          "Type",     "Job/Account"};
    static const long widths[Columns] = {800, 800, 1500, 0, 1600, 1000, 1000, 1000, 1300, 1300, 1500, 1000, 1000, 1200};
    for (int col = 0; col < Columns; ++col)
        grid.setTextMatrix(0, col, QString::fromLatin1(headings[col]));
    grid.setRow(0);
    for (int col = 0; col < Columns; ++col) {
        grid.setCol(col);
        grid.setColSel(col);
        grid.setCellFontSize(10);
        grid.setCellFontName(QStringLiteral("Times New Roman"));
        grid.setCellFontBold(true);
    }
    for (int col = 0; col < Columns; ++col)
        grid.setColWidth(col, widths[col]);
}

// One match's cells, as the search writes them from a payment's fields.
void writeMatch(qm::MSFlexGrid &grid, int row, int id)
{
    static const QString names[] = {"Officeworks",       "Bunnings Warehouse", "Telstra",       "Origin Energy",
                                    "Caltex Woolworths", "Australia Post",     "Harvey Norman", "Jaycar Electronics"};
    static const QString categories[] = {"OFFICE", "MOTOR VEHICLE", "TELEPHONE", "ELECTRICITY", "POSTAGE"};
    const QDate day = QDate(2001, 7, 1).addDays(id % 730);
    const QString date = day.toString(QStringLiteral("dd/MM/yyyy"));
    const double total = 11.0 + (id % 5000) / 100.0;
    const QString supplierId = QString::number(id % 800 + 1);
    const QString texts[Columns] = {QString::number(id),
                                    date,
                                    QStringLiteral("Stationery and supplies"),
                                    supplierId,
                                    names[id % 8] + QLatin1Char(' ') + supplierId,
                                    QString::number(total / 1.1, 'g', 15),
                                    QString::number(total - total / 1.1, 'g', 15),
                                    QString::number(total, 'f', 2),
                                    categories[id % 5],
                                    QStringLiteral("Consumables"),
                                    QStringLiteral("INV-%1").arg(id),
                                    date,
                                    QStringLiteral("Expense"),
                                    QStringLiteral("JOB%1").arg(id % 40)};
    grid.setRow(row);
    for (int col = 0; col < Columns; ++col) {
        grid.setCol(col);
        grid.setText(texts[col]);
    }
    grid.setRowData(row, id);
    grid.setRows(grid.Rows() + 1);
}

double fill(qm::MSFlexGrid &grid, int matches)
{
    QElapsedTimer timer;
    timer.start();
    grid.Clear();
    writeHeadings(grid);
    for (int i = 0; i < matches; ++i)
        writeMatch(grid, i + 1, 100000 + i);
    QApplication::processEvents(); // the view catches up: repaint, scroll range
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qm::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    const int matches = argc > 1 ? std::atoi(argv[1]) : 200000;

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *grid = new qm::MSFlexGrid(&window, 3000, Columns);
    layout->addWidget(grid);
    window.resize(1200, 800);
    window.show();
    QApplication::processEvents();
    std::printf("grid of %d x %d shown; peak RSS so far %ld MB\n", grid->Rows(), grid->Cols(), peakRssKb() / 1024);

    std::printf("first fill, %d matches:       %8.1f ms\n", matches, fill(*grid, matches));
    std::printf("clear and fill again:         %8.1f ms\n", fill(*grid, matches));

    QElapsedTimer reading;
    reading.start();
    qint64 characters = 0;
    for (int row = 0; row < grid->Rows(); ++row) {
        for (int col = 0; col < Columns; ++col)
            characters += grid->TextMatrix(row, col).size();
    }
    const double readMs = reading.nsecsElapsed() / 1e6;
    std::printf("read back %d rows x %d cells: %8.1f ms (%lld characters)\n", grid->Rows(), Columns, readMs,
                static_cast<long long>(characters));
    std::printf("peak RSS:                     %8ld MB\n", peakRssKb() / 1024);
    return 0;
}
