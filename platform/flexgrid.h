#pragma once

#include "platform/control.h"

#include <QTableView>
#include <functional>
#include <vector>

namespace qm {

class GridModel;

// The text grid of the screens. Rows and columns count from 0 and include the fixed
// (heading) row, which is drawn as the view's header so it stays put while the body
// scrolls. Cells live in a model of our own, packed one string per row, so a grid of
// hundreds of thousands of rows stays small and grows a row at a time cheaply.
//
// Row/Col is the current cell; RowSel/ColSel the other corner of the selection. Setting
// Row or Col collapses the selection onto the current cell. Text works on the current
// cell; the CellFont setters work on every selected cell and the getters read the current
// cell. The current cell and the selection are highlighted.
//
// A left click on a cell makes it current and then raises Click; a double-click raises
// DblClick after that. The header row does not react to the mouse. Arrow keys move the
// current cell.
class MSFlexGrid : public QTableView, public Control
{
    Q_OBJECT
public:
    explicit MSFlexGrid(QWidget *parent, int rows = 2, int cols = 2);
    ~MSFlexGrid() override;

    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    int Rows() const;
    void setRows(int rows); // at least 1 and at least FixedRows
    int Cols() const;
    void setCols(int cols); // at least 1
    int FixedRows() const;
    void setFixedRows(int rows); // 0 or 1
    int FixedCols() const;
    void setFixedCols(int cols); // 0 only

    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);
    int RowSel() const;
    void setRowSel(int row);
    int ColSel() const;
    void setColSel(int col);

    QString Text() const;
    void setText(const QString &text);
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);
    long RowData(int row) const;
    void setRowData(int row, long data);
    // Twips; 0 hides the column.
    long ColWidth(int col) const;
    void setColWidth(int col, long twips);
    // The column is never drawn narrower than `sample` needs in a body cell: in the grid's
    // font, with the cell's margins and grid line as the view draws them. A width set
    // smaller, or a later change of font or style, widens it again (columns of money fit
    // the largest amount they show, whatever font the machine has).
    void fitColumnTo(int col, const QString &sample);
    // Whether `text` in a body cell of the column is drawn whole, not cut short with "…".
    bool showsWhole(int col, const QString &text) const;

    // Empties every cell and drops cell fonts; the shape, row data and current cell stay.
    void Clear();

    bool CellFontBold() const;
    void setCellFontBold(bool bold);
    QString CellFontName() const;
    void setCellFontName(const QString &name);
    double CellFontSize() const;
    void setCellFontSize(double points);

    std::function<void()> onClick, onDblClick;

    // Tests: what the user clicking / double-clicking the cell does.
    void clickCell(int row, int col);
    void doubleClickCell(int row, int col);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyboardSearch(const QString &search) override;
    void changeEvent(QEvent *event) override;

private:
    void checkCell(int row, int col) const;
    void checkRow(int row) const;
    void checkCol(int col) const;
    void moveTo(int row, int col);
    template <class Change>
    void changeSelectedFonts(Change change);
    void userClick(int row, int col);
    void userDoubleClick();
    void keyMoved(const QModelIndex &current);
    void changed();
    void syncView();
    // Pixels a body cell needs to draw `text` whole.
    int pixelsFor(const QString &text) const;
    void applyColWidth(int col);

    GridModel *m_model;
    int m_row = 0, m_col = 0, m_rowSel = 0, m_colSel = 0;
    std::vector<long> m_colTwips;      // as set; -1 while the column has its default width
    std::vector<QString> m_fitSamples; // per column: the text it must show whole, if any
    bool m_syncPending = false;
    bool m_keyMoving = false;
};

} // namespace qm
