#pragma once
// A grid of texts with fixed header rows and columns, a current cell, a range
// selection and a vertical scroll bar: the kind of control the pattern editor
// is. It holds no texts of its own; it asks its source for them, so the
// document stays in the core and the grid only shows it.
//
// The mouse press over a cell that is not fixed makes it the current cell (a
// left press also starts the selection there, and dragging extends it); the
// release is reported with its button. The arrow and page keys move the
// current cell (with Shift they extend the selection); every other key is
// reported.
#include <QAbstractScrollArea>
#include <QColor>
#include <functional>

namespace stepweave {

class StepGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    struct Cell {
        int row = 0;
        int column = 0;
    };

    // How a cell is drawn: its fill (none: the grid's own background), its
    // text colour, and optionally what it shows in place of its text, with a
    // badge at its right edge.
    struct CellLook {
        QColor fill;
        QColor text;
        QString shown;
        QString badge;
    };

    explicit StepGrid(QWidget* parent = nullptr);

    // Where the texts come from; called for every cell painted.
    void SetCellSource(std::function<QString(int row, int column)> source);
    // How cells look; without one every cell is plain text.
    void SetCellLook(std::function<CellLook(int row, int column, const QString& text)> look);

    int ColCount() const { return colCount_; }
    void SetColCount(int columns);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int rows);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int rows);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int columns);
    // The narrowest a column gets; wider when the grid is wider than its columns.
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);

    Cell CurrentCell() const { return current_; }
    // Moves the current cell (and collapses the selection onto it), scrolled into view.
    void SetCurrentCell(Cell cell);
    // The selection's corners: the anchor and the current cell.
    Cell SelectionAnchor() const { return anchor_; }

    // The row a playhead marks, or -1 for none; a row newly marked is
    // scrolled into view.
    int HighlightedRow() const { return highlightedRow_; }
    void SetHighlightedRow(int row);

    // The cell under a point of the viewport, or row -1 when there is none.
    Cell CellAt(QPoint viewportPoint) const;
    // Where a cell is drawn in the viewport's coordinates.
    QRect CellRect(Cell cell) const;
    int ColumnWidth(int column) const;
    int TopRow() const;

    // Repaints after the source's texts changed.
    void Refresh();

signals:
    void MouseReleased(Qt::MouseButton button, stepweave::StepGrid::Cell cell);
    void KeyPressed(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void PressAt(QMouseEvent* event);
    bool MoveByKey(int key, bool extend);
    void MoveCurrent(Cell cell, bool extend);
    Cell Limited(Cell cell) const;
    int ScrollableRows() const;
    int VisibleScrollableRows() const;
    int RowAtY(int y) const;
    int ColumnAtX(int x) const;
    int ColumnLeft(int column) const;
    void UpdateScrollBar();
    void ScrollIntoView(int row);
    void PaintCell(QPainter& painter, Cell cell, const QRect& rect) const;
    bool Selected(Cell cell) const;

    std::function<QString(int, int)> source_;
    std::function<CellLook(int, int, const QString&)> look_;
    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    Cell current_{1, 1};
    Cell anchor_{1, 1};
    int highlightedRow_ = -1;
    bool selecting_ = false;
};

}  // namespace stepweave

Q_DECLARE_METATYPE(stepweave::StepGrid::Cell)
