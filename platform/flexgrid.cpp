#include "platform/flexgrid.h"

#include "data/error.h"
#include "platform/services.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRect>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace qm {

// The cells of the grid. Each row's cells are stored one after another in a single
// string, with the end of each cell kept beside it: one allocation per row rather than
// one per cell. Model rows are the body rows; the fixed row is the horizontal header.
class GridModel final : public QAbstractTableModel
{
public:
    GridModel(QObject *parent, int rows, int cols);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    int fixedRows() const { return m_fixedRows; }
    void setRows(int rows);
    void setCols(int cols);
    void setFixedRows(int rows);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    long rowData(int row) const { return m_rowData[static_cast<size_t>(row)]; }
    void setRowData(int row, long data) { m_rowData[static_cast<size_t>(row)] = data; }
    void clear();

    QFont font(int row, int col, const QFont &fallback) const;
    void setFont(int row, int col, const QFont &font);
    void fontsChanged(int firstRow, int lastRow, int firstCol, int lastCol);

    // The highlighted cells (x = column, y = row, in grid coordinates) and their colours.
    void setMarked(const QRect &cells) { m_marked = cells; }
    void setMarkColours(const QBrush &background, const QBrush &foreground);
    // Tells the view that any body cell may have changed.
    void refresh();

private:
    static quint64 key(int row, int col) { return (static_cast<quint64>(row) << 32) | static_cast<quint32>(col); }
    quint32 *endsOf(int row) { return m_ends.data() + static_cast<size_t>(row) * static_cast<size_t>(m_cols); }
    const quint32 *endsOf(int row) const
    {
        return m_ends.data() + static_cast<size_t>(row) * static_cast<size_t>(m_cols);
    }
    void dropFontsOutside(int rows, int cols);

    int m_rows, m_cols, m_fixedRows = 1;
    std::vector<QString> m_lines; // per row: its cells' texts one after another
    std::vector<quint32> m_ends;  // per cell, row-major: where its text ends in the row's line
    std::vector<long> m_rowData;
    int m_lastWritten = 0;
    std::unordered_map<quint64, QFont> m_fonts; // only cells given a font of their own
    QRect m_marked;
    QBrush m_markBackground, m_markForeground;
};

GridModel::GridModel(QObject *parent, int rows, int cols)
    : QAbstractTableModel(parent)
    , m_rows(rows)
    , m_cols(cols)
    , m_lines(static_cast<size_t>(rows))
    , m_ends(static_cast<size_t>(rows) * static_cast<size_t>(cols), 0)
    , m_rowData(static_cast<size_t>(rows), 0)
{
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows - m_fixedRows;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + m_fixedRows;
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole: return text(row, col);
    case Qt::FontRole: {
        const auto it = m_fonts.find(key(row, col));
        return it == m_fonts.end() ? QVariant() : QVariant(it->second);
    }
    case Qt::BackgroundRole: return m_marked.contains(col, row) ? QVariant(m_markBackground) : QVariant();
    case Qt::ForegroundRole: return m_marked.contains(col, row) ? QVariant(m_markForeground) : QVariant();
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || m_fixedRows == 0 || section < 0 || section >= m_cols)
        return {};
    if (role == Qt::DisplayRole)
        return text(0, section);
    if (role == Qt::FontRole) {
        const auto it = m_fonts.find(key(0, section));
        return it == m_fonts.end() ? QVariant() : QVariant(it->second);
    }
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void GridModel::setRows(int rows)
{
    if (rows > m_rows) {
        beginInsertRows({}, m_rows - m_fixedRows, rows - m_fixedRows - 1);
        m_lines.resize(static_cast<size_t>(rows));
        m_ends.resize(static_cast<size_t>(rows) * static_cast<size_t>(m_cols), 0);
        m_rowData.resize(static_cast<size_t>(rows), 0);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows - m_fixedRows, m_rows - m_fixedRows - 1);
        m_lines.resize(static_cast<size_t>(rows));
        m_ends.resize(static_cast<size_t>(rows) * static_cast<size_t>(m_cols));
        m_rowData.resize(static_cast<size_t>(rows));
        m_rows = rows;
        dropFontsOutside(m_rows, m_cols);
        endRemoveRows();
    }
}

void GridModel::setCols(int cols)
{
    if (cols == m_cols)
        return;
    if (cols > m_cols)
        beginInsertColumns({}, m_cols, cols - 1);
    else
        beginRemoveColumns({}, cols, m_cols - 1);
    const int kept = std::min(cols, m_cols);
    std::vector<quint32> ends(static_cast<size_t>(m_rows) * static_cast<size_t>(cols));
    for (int row = 0; row < m_rows; ++row) {
        const quint32 *from = endsOf(row);
        quint32 *to = ends.data() + static_cast<size_t>(row) * static_cast<size_t>(cols);
        std::copy(from, from + kept, to);
        // New cells are empty: they end where the last kept one does.
        std::fill(to + kept, to + cols, from[kept - 1]);
        m_lines[static_cast<size_t>(row)].truncate(static_cast<qsizetype>(from[kept - 1]));
    }
    m_ends.swap(ends);
    const bool removing = cols < m_cols;
    m_cols = cols;
    if (removing) {
        dropFontsOutside(m_rows, m_cols);
        endRemoveColumns();
    } else {
        endInsertColumns();
    }
}

void GridModel::setFixedRows(int rows)
{
    beginResetModel();
    m_fixedRows = rows;
    endResetModel();
}

QString GridModel::text(int row, int col) const
{
    const quint32 *ends = endsOf(row);
    const quint32 start = col == 0 ? 0 : ends[col - 1];
    const quint32 end = ends[col];
    if (start == end)
        return {};
    return m_lines[static_cast<size_t>(row)].mid(static_cast<qsizetype>(start), static_cast<qsizetype>(end - start));
}

void GridModel::setText(int row, int col, const QString &text)
{
    quint32 *ends = endsOf(row);
    const quint32 start = col == 0 ? 0 : ends[col - 1];
    const quint32 length = ends[col] - start;
    const auto newLength = static_cast<quint32>(text.size());
    if (length == 0 && newLength == 0)
        return;
    // A row is written cell after cell, each write growing its line with room to spare;
    // the spare room goes once the writing moves on to another row.
    if (row != m_lastWritten && m_lastWritten < m_rows)
        m_lines[static_cast<size_t>(m_lastWritten)].squeeze();
    m_lastWritten = row;
    m_lines[static_cast<size_t>(row)].replace(static_cast<qsizetype>(start), static_cast<qsizetype>(length), text);
    if (newLength != length) {
        // Unsigned wrap-around makes the same step work for a shorter text.
        const quint32 delta = newLength - length;
        for (int c = col; c < m_cols; ++c)
            ends[c] += delta;
    }
    if (row < m_fixedRows)
        emit headerDataChanged(Qt::Horizontal, col, col);
}

void GridModel::clear()
{
    for (QString &line : m_lines)
        line = QString();
    std::fill(m_ends.begin(), m_ends.end(), 0);
    m_fonts.clear();
    if (m_fixedRows > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
}

QFont GridModel::font(int row, int col, const QFont &fallback) const
{
    const auto it = m_fonts.find(key(row, col));
    return it == m_fonts.end() ? fallback : it->second;
}

void GridModel::setFont(int row, int col, const QFont &font)
{
    m_fonts[key(row, col)] = font;
}

void GridModel::fontsChanged(int firstRow, int lastRow, int firstCol, int lastCol)
{
    if (firstRow < m_fixedRows)
        emit headerDataChanged(Qt::Horizontal, firstCol, lastCol);
    if (lastRow >= m_fixedRows)
        emit dataChanged(index(std::max(firstRow, m_fixedRows) - m_fixedRows, firstCol),
                         index(lastRow - m_fixedRows, lastCol), {Qt::FontRole});
}

void GridModel::setMarkColours(const QBrush &background, const QBrush &foreground)
{
    m_markBackground = background;
    m_markForeground = foreground;
}

void GridModel::refresh()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, m_cols - 1));
}

void GridModel::dropFontsOutside(int rows, int cols)
{
    std::erase_if(m_fonts, [&](const auto &entry) {
        return static_cast<int>(entry.first >> 32) >= rows || static_cast<int>(entry.first & 0xFFFFFFFFu) >= cols;
    });
}

// ---- MSFlexGrid ----

namespace {
[[noreturn]] void invalidValue()
{
    throw Error(ErrorCode::InvalidPropertyValue);
}

int toPixels(long twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

int checkedShape(int rows, int cols)
{
    if (rows < 1 || cols < 1)
        invalidValue();
    return rows;
}
} // namespace

MSFlexGrid::MSFlexGrid(QWidget *parent, int rows, int cols)
    : QTableView(parent)
    , m_model(new GridModel(this, checkedShape(rows, cols), cols))
    , m_colTwips(static_cast<size_t>(cols), -1)
    , m_fitSamples(static_cast<size_t>(cols))
{
    setModel(m_model);
    setSelectionMode(NoSelection); // the model draws the grid's own selection
    setEditTriggers(NoEditTriggers);
    setAutoScroll(false);       // code moving the current cell does not scroll
    setTabKeyNavigation(false); // Tab leaves the grid, as on every other control
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    m_model->setMarkColours(palette().brush(QPalette::Highlight), palette().brush(QPalette::HighlightedText));
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { keyMoved(current); });
    moveTo(std::min(m_model->fixedRows(), rows - 1), 0);
}

MSFlexGrid::~MSFlexGrid() = default;

QWidget *MSFlexGrid::widget()
{
    return this;
}

int MSFlexGrid::Rows() const
{
    return m_model->rows();
}

void MSFlexGrid::setRows(int rows)
{
    if (rows < 1 || rows < m_model->fixedRows())
        invalidValue();
    m_model->setRows(rows);
    if (m_row >= rows || m_rowSel >= rows)
        moveTo(std::min(m_row, rows - 1), m_col);
}

int MSFlexGrid::Cols() const
{
    return m_model->cols();
}

void MSFlexGrid::setCols(int cols)
{
    if (cols < 1)
        invalidValue();
    m_model->setCols(cols);
    m_colTwips.resize(static_cast<size_t>(cols), -1);
    m_fitSamples.resize(static_cast<size_t>(cols));
    if (m_col >= cols || m_colSel >= cols)
        moveTo(m_row, std::min(m_col, cols - 1));
}

int MSFlexGrid::FixedRows() const
{
    return m_model->fixedRows();
}

void MSFlexGrid::setFixedRows(int rows)
{
    if (rows < 0 || rows > 1 || rows > m_model->rows())
        invalidValue();
    if (rows == m_model->fixedRows())
        return;
    m_model->setFixedRows(rows);
    horizontalHeader()->setVisible(rows > 0);
    // The reset gave every column its default width back.
    for (int col = 0; col < Cols(); ++col) {
        if (m_colTwips[static_cast<size_t>(col)] >= 0)
            setColWidth(col, m_colTwips[static_cast<size_t>(col)]);
    }
    changed();
}

int MSFlexGrid::FixedCols() const
{
    return 0;
}

void MSFlexGrid::setFixedCols(int cols)
{
    if (cols != 0)
        invalidValue();
}

int MSFlexGrid::Row() const
{
    return m_row;
}

void MSFlexGrid::setRow(int row)
{
    checkRow(row);
    moveTo(row, m_col);
}

int MSFlexGrid::Col() const
{
    return m_col;
}

void MSFlexGrid::setCol(int col)
{
    checkCol(col);
    moveTo(m_row, col);
}

int MSFlexGrid::RowSel() const
{
    return m_rowSel;
}

void MSFlexGrid::setRowSel(int row)
{
    checkRow(row);
    m_rowSel = row;
    changed();
}

int MSFlexGrid::ColSel() const
{
    return m_colSel;
}

void MSFlexGrid::setColSel(int col)
{
    checkCol(col);
    m_colSel = col;
    changed();
}

QString MSFlexGrid::Text() const
{
    return m_model->text(m_row, m_col);
}

void MSFlexGrid::setText(const QString &text)
{
    m_model->setText(m_row, m_col, text);
    changed();
}

QString MSFlexGrid::TextMatrix(int row, int col) const
{
    checkCell(row, col);
    return m_model->text(row, col);
}

void MSFlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    checkCell(row, col);
    m_model->setText(row, col, text);
    changed();
}

long MSFlexGrid::RowData(int row) const
{
    checkCell(row, 0);
    return m_model->rowData(row);
}

void MSFlexGrid::setRowData(int row, long data)
{
    checkCell(row, 0);
    m_model->setRowData(row, data);
}

long MSFlexGrid::ColWidth(int col) const
{
    checkCell(0, col);
    const long set = m_colTwips[static_cast<size_t>(col)];
    const int pixels = isColumnHidden(col) ? 0 : columnWidth(col);
    // The twips that were set, while the column still has the width they gave it.
    if (set >= 0 && toPixels(set) == pixels)
        return set;
    return std::lround(pixels * TwipsPerPixel);
}

void MSFlexGrid::setColWidth(int col, long twips)
{
    checkCell(0, col);
    if (twips < 0)
        invalidValue();
    m_colTwips[static_cast<size_t>(col)] = twips;
    applyColWidth(col);
}

void MSFlexGrid::fitColumnTo(int col, const QString &sample)
{
    checkCell(0, col);
    m_fitSamples[static_cast<size_t>(col)] = sample;
    applyColWidth(col);
}

bool MSFlexGrid::showsWhole(int col, const QString &text) const
{
    checkCell(0, col);
    return !isColumnHidden(col) && pixelsFor(text) <= columnWidth(col);
}

int MSFlexGrid::pixelsFor(const QString &text) const
{
    ensurePolished();
    // What the view's delegate asks of the style for a cell of this text (its margins
    // included), and the grid line, which the view draws inside the cell.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = text;
    const QSize size = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    return size.width() + (showGrid() ? 1 : 0);
}

void MSFlexGrid::applyColWidth(int col)
{
    const long twips = m_colTwips[static_cast<size_t>(col)];
    if (twips == 0) {
        setColumnHidden(col, true);
        return;
    }
    int pixels = twips > 0 ? toPixels(twips) : columnWidth(col);
    const QString &sample = m_fitSamples[static_cast<size_t>(col)];
    if (!sample.isEmpty())
        pixels = std::max(pixels, pixelsFor(sample));
    setColumnHidden(col, false);
    setColumnWidth(col, pixels);
}

void MSFlexGrid::Clear()
{
    m_model->clear();
    changed();
}

bool MSFlexGrid::CellFontBold() const
{
    return m_model->font(m_row, m_col, font()).bold();
}

void MSFlexGrid::setCellFontBold(bool bold)
{
    changeSelectedFonts([bold](QFont &f) { f.setBold(bold); });
}

QString MSFlexGrid::CellFontName() const
{
    return m_model->font(m_row, m_col, font()).family();
}

void MSFlexGrid::setCellFontName(const QString &name)
{
    changeSelectedFonts([&name](QFont &f) { f.setFamilies({name}); });
}

double MSFlexGrid::CellFontSize() const
{
    return m_model->font(m_row, m_col, font()).pointSizeF();
}

void MSFlexGrid::setCellFontSize(double points)
{
    if (!(points > 0))
        invalidValue();
    changeSelectedFonts([points](QFont &f) { f.setPointSizeF(points); });
}

template <class Change>
void MSFlexGrid::changeSelectedFonts(Change change)
{
    const int firstRow = std::min(m_row, m_rowSel), lastRow = std::max(m_row, m_rowSel);
    const int firstCol = std::min(m_col, m_colSel), lastCol = std::max(m_col, m_colSel);
    const QFont base = font();
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = firstCol; col <= lastCol; ++col) {
            QFont cellFont = m_model->font(row, col, base);
            change(cellFont);
            m_model->setFont(row, col, cellFont);
        }
    }
    m_model->fontsChanged(firstRow, lastRow, firstCol, lastCol);
}

void MSFlexGrid::clickCell(int row, int col)
{
    checkCell(row, col);
    // The heading row is not clickable; a disabled grid takes no clicks.
    if (row < FixedRows() || !isEnabled())
        return;
    userClick(row, col);
}

void MSFlexGrid::doubleClickCell(int row, int col)
{
    checkCell(row, col);
    if (row < FixedRows() || !isEnabled())
        return;
    userClick(row, col);
    userDoubleClick();
}

void MSFlexGrid::mousePressEvent(QMouseEvent *event)
{
    // The base class would move its own current index and start a drag selection; the
    // grid keeps its current cell itself.
    setFocus(Qt::MouseFocusReason);
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        userClick(index.row() + FixedRows(), index.column());
}

void MSFlexGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        userDoubleClick();
}

void MSFlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging does not select a range.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void MSFlexGrid::keyPressEvent(QKeyEvent *event)
{
    m_keyMoving = true;
    QTableView::keyPressEvent(event);
    m_keyMoving = false;
}

void MSFlexGrid::focusInEvent(QFocusEvent *event)
{
    // The base class makes the first cell current when none is; the grid's own stays.
    QTableView::focusInEvent(event);
    syncView();
}

void MSFlexGrid::keyboardSearch(const QString &)
{
    // Typing a letter does not jump to a cell starting with it.
}

void MSFlexGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    // Another font or style draws the samples at another width.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        for (int col = 0; col < Cols(); ++col)
            if (!m_fitSamples[static_cast<size_t>(col)].isEmpty())
                applyColWidth(col);
    }
}

void MSFlexGrid::checkCell(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        throw Error(ErrorCode::SubscriptOutOfRange);
}

void MSFlexGrid::checkRow(int row) const
{
    if (row < 0 || row >= Rows())
        throw Error(ErrorCode::InvalidRow);
}

void MSFlexGrid::checkCol(int col) const
{
    if (col < 0 || col >= Cols())
        throw Error(ErrorCode::InvalidCol);
}

void MSFlexGrid::moveTo(int row, int col)
{
    m_row = m_rowSel = row;
    m_col = m_colSel = col;
    changed();
}

void MSFlexGrid::userClick(int row, int col)
{
    moveTo(row, col);
    if (onClick)
        runEvent(this, onClick);
}

void MSFlexGrid::userDoubleClick()
{
    if (onDblClick)
        runEvent(this, onDblClick);
}

void MSFlexGrid::keyMoved(const QModelIndex &current)
{
    // Only the user's keys move the grid's cell; the view also moves its index on its own.
    if (!m_keyMoving || !current.isValid())
        return;
    moveTo(current.row() + FixedRows(), current.column());
    scrollTo(current);
}

// Marks the new selection at once and leaves the repaint and the view's own current
// index to one queued call, so that a fill setting cells by the million stays cheap.
void MSFlexGrid::changed()
{
    m_model->setMarked(QRect(QPoint(std::min(m_col, m_colSel), std::min(m_row, m_rowSel)),
                             QPoint(std::max(m_col, m_colSel), std::max(m_row, m_rowSel))));
    if (m_syncPending)
        return;
    m_syncPending = true;
    QMetaObject::invokeMethod(
        this, [this] { syncView(); }, Qt::QueuedConnection);
}

void MSFlexGrid::syncView()
{
    m_syncPending = false;
    m_model->refresh();
    const int fixed = FixedRows();
    if (m_row >= fixed)
        selectionModel()->setCurrentIndex(m_model->index(m_row - fixed, m_col), QItemSelectionModel::NoUpdate);
    else
        selectionModel()->clearCurrentIndex();
}

} // namespace qm
