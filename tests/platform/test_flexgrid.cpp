#include "data/error.h"
#include "platform/flexgrid.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

#include <QApplication>
#include <QKeyEvent>

namespace qm::test {

namespace {
using FlexGridTest = ScreenTest;

} // namespace

TEST_F(FlexGridTest, CurrentCellAndCellsStayInsideTheGrid)
{
    QWidget parent;
    MSFlexGrid grid(&parent, 3, 2);
    EXPECT_EQ(grid.Row(), 1); // the first cell under the heading row
    EXPECT_EQ(grid.Col(), 0);

    EXPECT_EQ(errorNumber([&] { grid.setRow(3); }), ErrorCode::InvalidRow);
    EXPECT_EQ(errorNumber([&] { grid.setRowSel(-1); }), ErrorCode::InvalidRow);
    EXPECT_EQ(errorNumber([&] { grid.setCol(2); }), ErrorCode::InvalidCol);
    EXPECT_EQ(errorNumber([&] { grid.TextMatrix(3, 0); }), ErrorCode::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { grid.setTextMatrix(0, 2, "x"); }), ErrorCode::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { grid.setRowData(3, 1); }), ErrorCode::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { grid.setRows(0); }), ErrorCode::InvalidPropertyValue);

    // Growing by one row makes the next row usable; shrinking pulls the current cell in.
    grid.setRows(grid.Rows() + 1);
    grid.setTextMatrix(3, 1, "last");
    grid.setRow(3);
    grid.setCol(1);
    EXPECT_EQ(grid.Text(), "last");
    grid.setRows(2);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(errorNumber([&] { grid.TextMatrix(2, 0); }), ErrorCode::SubscriptOutOfRange);
}

TEST_F(FlexGridTest, CellsOfARowKeepTheirOwnTextsWhateverTheOrderOfWriting)
{
    QWidget parent;
    MSFlexGrid grid(&parent, 4, 3);
    grid.setTextMatrix(1, 2, "third");
    grid.setTextMatrix(1, 0, "first");
    grid.setTextMatrix(1, 1, "a much longer second");
    grid.setTextMatrix(1, 0, "1");
    grid.setTextMatrix(1, 1, "");
    grid.setTextMatrix(2, 1, "O'Brien");
    EXPECT_EQ(grid.TextMatrix(1, 0), "1");
    EXPECT_EQ(grid.TextMatrix(1, 1), "");
    EXPECT_EQ(grid.TextMatrix(1, 2), "third");
    EXPECT_EQ(grid.TextMatrix(2, 1), "O'Brien");
    EXPECT_EQ(grid.TextMatrix(2, 0), "");

    // Columns added come empty; columns removed take their text with them.
    grid.setCols(4);
    EXPECT_EQ(grid.TextMatrix(1, 3), "");
    grid.setTextMatrix(1, 3, "fourth");
    grid.setCols(2);
    grid.setCols(4);
    EXPECT_EQ(grid.TextMatrix(1, 0), "1");
    EXPECT_EQ(grid.TextMatrix(1, 2), "");
    EXPECT_EQ(grid.TextMatrix(1, 3), "");
}

TEST_F(FlexGridTest, ClearEmptiesTheCellsButKeepsShapeRowDataAndCurrentCell)
{
    QWidget parent;
    MSFlexGrid grid(&parent, 3000, 14);
    grid.setTextMatrix(0, 0, "ID");
    grid.setTextMatrix(2999, 13, "JOB1");
    grid.setRowData(2999, 42);
    grid.setRow(0);
    grid.setCellFontBold(true);
    grid.setRow(2999);
    grid.setCol(13);

    grid.Clear();
    EXPECT_EQ(grid.Rows(), 3000);
    EXPECT_EQ(grid.Cols(), 14);
    EXPECT_EQ(grid.TextMatrix(0, 0), "");
    EXPECT_EQ(grid.Text(), "");
    EXPECT_EQ(grid.RowData(2999), 42);
    EXPECT_EQ(grid.Row(), 2999);
    EXPECT_EQ(grid.Col(), 13);
    grid.setRow(0);
    grid.setCol(0);
    EXPECT_FALSE(grid.CellFontBold());
}

TEST_F(FlexGridTest, AClickMakesTheCellCurrentBeforeClickRunsAndADoubleClickFollows)
{
    QWidget parent;
    MSFlexGrid grid(&parent, 5, 3);
    grid.setTextMatrix(3, 2, "x");
    std::vector<QString> events;
    grid.onClick
        = [&] { events.push_back(QStringLiteral("Click %1,%2 %3").arg(grid.Row()).arg(grid.Col()).arg(grid.Text())); };
    grid.onDblClick = [&] { events.push_back(QStringLiteral("DblClick %1,%2").arg(grid.Row()).arg(grid.Col())); };

    grid.setRowSel(4);
    grid.clickCell(3, 2);
    EXPECT_EQ(grid.RowSel(), 3);
    grid.doubleClickCell(2, 0);
    grid.clickCell(0, 1); // the heading row does not react
    EXPECT_EQ(events, (std::vector<QString>{"Click 3,2 x", "Click 2,0 ", "DblClick 2,0"}));

    // An error in the handler is reported, not thrown at Qt.
    grid.onClick = [] { throw Error(ErrorCode::InvalidProcedureCall, QStringLiteral("Invalid procedure call")); };
    grid.clickCell(1, 1);
    EXPECT_EQ(m_messages.texts(), std::vector<QString>{"Invalid procedure call"});

    // The current cell is what the grid shows marked, and the arrow keys move it.
    const QModelIndex shown = grid.model()->index(0, 1); // row 1: the body starts under the heading
    EXPECT_TRUE(grid.model()->data(shown, Qt::BackgroundRole).isValid());
    EXPECT_FALSE(grid.model()->data(grid.model()->index(1, 1), Qt::BackgroundRole).isValid());
    processEvents();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&grid, &down);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(FlexGridTest, ColumnWidthsAreTwipsAndZeroHidesTheColumn)
{
    QWidget parent;
    MSFlexGrid grid(&parent, 2, 3);
    grid.setColWidth(0, 2100);
    grid.setColWidth(2, 0);
    EXPECT_EQ(grid.columnWidth(0), 140);
    EXPECT_TRUE(grid.isColumnHidden(2));
    grid.setColWidth(2, 800);
    EXPECT_FALSE(grid.isColumnHidden(2));
    EXPECT_EQ(grid.ColWidth(2), 800);
    EXPECT_EQ(errorNumber([&] { grid.setColWidth(3, 800); }), ErrorCode::SubscriptOutOfRange);
}

TEST_F(FlexGridTest, CellFontsApplyToTheSelectionAndTheHeadingShowsThem)
{
    QWidget parent;
    MSFlexGrid grid(&parent, 4, 3);
    grid.setRow(1);
    grid.setCol(0);
    grid.setRowSel(2);
    grid.setColSel(1);
    grid.setCellFontBold(true);
    auto boldAt = [&](int row, int col) {
        grid.setRow(row);
        grid.setCol(col);
        return grid.CellFontBold();
    };
    EXPECT_TRUE(boldAt(1, 0));
    EXPECT_TRUE(boldAt(2, 1));
    EXPECT_FALSE(boldAt(1, 2));
    EXPECT_FALSE(boldAt(3, 0));

    // Moving the current cell collapses the selection, so a heading is set one cell at a time.
    grid.setTextMatrix(0, 1, "Explanation");
    grid.setRow(0);
    grid.setCol(1);
    EXPECT_EQ(grid.ColSel(), 1);
    grid.setCellFontName("Times New Roman");
    grid.setCellFontSize(10);
    grid.setCellFontBold(true);
    EXPECT_EQ(grid.CellFontName(), "Times New Roman");
    EXPECT_EQ(grid.CellFontSize(), 10.0);
    const QFont heading = grid.model()->headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>();
    EXPECT_TRUE(heading.bold());
    EXPECT_EQ(heading.pointSizeF(), 10.0);
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Explanation");
    EXPECT_FALSE(grid.model()->headerData(0, Qt::Horizontal, Qt::FontRole).isValid());
}

} // namespace qm::test
