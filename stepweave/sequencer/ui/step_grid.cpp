#include "stepweave/sequencer/ui/step_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "stepweave/sequencer/ui/stepweave_look.h"

namespace stepweave {

StepGrid::StepGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::PointingHandCursor);
    verticalScrollBar()->setSingleStep(1);
    setFrameShape(QFrame::NoFrame);
}

void StepGrid::SetCellSource(std::function<QString(int, int)> source) {
    source_ = std::move(source);
    Refresh();
}

void StepGrid::SetCellLook(std::function<CellLook(int, int, const QString&)> look) {
    look_ = std::move(look);
    Refresh();
}

void StepGrid::SetColCount(int columns) {
    colCount_ = std::max(1, columns);
    SetCurrentCell(current_);
}

void StepGrid::SetRowCount(int rows) {
    rowCount_ = std::max(1, rows);
    current_ = Limited(current_);
    anchor_ = Limited(anchor_);
    UpdateScrollBar();
    Refresh();
}

void StepGrid::SetFixedRows(int rows) {
    fixedRows_ = std::max(0, rows);
    SetCurrentCell(current_);
}

void StepGrid::SetFixedCols(int columns) {
    fixedCols_ = std::max(0, columns);
    SetCurrentCell(current_);
}

void StepGrid::SetDefaultColWidth(int width) {
    defaultColWidth_ = std::max(1, width);
    Refresh();
}

void StepGrid::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(1, height);
    UpdateScrollBar();
    Refresh();
}

void StepGrid::SetCurrentCell(Cell cell) {
    current_ = Limited(cell);
    anchor_ = current_;
    ScrollIntoView(current_.row);
    Refresh();
}

void StepGrid::SetHighlightedRow(int row) {
    if (row != highlightedRow_) {
        highlightedRow_ = row;
        ScrollIntoView(row);
        Refresh();
    }
}

void StepGrid::Refresh() { viewport()->update(); }

StepGrid::Cell StepGrid::Limited(Cell cell) const {
    const int lastRow = std::max(fixedRows_, rowCount_ - 1);
    const int lastColumn = std::max(fixedCols_, colCount_ - 1);
    return {std::clamp(cell.row, fixedRows_, lastRow), std::clamp(cell.column, fixedCols_, lastColumn)};
}

int StepGrid::ScrollableRows() const { return std::max(0, rowCount_ - fixedRows_); }

int StepGrid::VisibleScrollableRows() const {
    const int height = viewport()->height() - fixedRows_ * defaultRowHeight_;
    return std::max(1, height / defaultRowHeight_);
}

int StepGrid::TopRow() const { return fixedRows_ + verticalScrollBar()->value(); }

void StepGrid::UpdateScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, ScrollableRows() - VisibleScrollableRows()));
    bar->setPageStep(VisibleScrollableRows());
}

void StepGrid::ScrollIntoView(int row) {
    if (row < fixedRows_) {
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const int first = TopRow();
    const int visible = VisibleScrollableRows();
    if (row < first) {
        bar->setValue(row - fixedRows_);
    } else if (row >= first + visible) {
        bar->setValue(row - fixedRows_ - visible + 1);
    }
}

int StepGrid::ColumnWidth(int column) const {
    // Columns share out any width beyond their default, so the grid fills its window.
    const int extra = std::max(0, viewport()->width() - colCount_ * defaultColWidth_);
    return defaultColWidth_ + extra / colCount_ + (column < extra % colCount_ ? 1 : 0);
}

int StepGrid::ColumnLeft(int column) const {
    int left = 0;
    for (int c = 0; c < column; ++c) {
        left += ColumnWidth(c);
    }
    return left;
}

int StepGrid::ColumnAtX(int x) const {
    int left = 0;
    for (int column = 0; column < colCount_; ++column) {
        left += ColumnWidth(column);
        if (x < left) {
            return x >= 0 ? column : -1;
        }
    }
    return -1;
}

int StepGrid::RowAtY(int y) const {
    if (y < 0) {
        return -1;
    }
    const int line = y / defaultRowHeight_;
    const int row = line < fixedRows_ ? line : TopRow() + line - fixedRows_;
    return row < rowCount_ ? row : -1;
}

StepGrid::Cell StepGrid::CellAt(QPoint point) const {
    const int row = RowAtY(point.y());
    const int column = ColumnAtX(point.x());
    if (row < 0 || column < 0) {
        return {-1, -1};
    }
    return {row, column};
}

QRect StepGrid::CellRect(Cell cell) const {
    const int line = cell.row < fixedRows_ ? cell.row : cell.row - TopRow() + fixedRows_;
    return {ColumnLeft(cell.column), line * defaultRowHeight_, ColumnWidth(cell.column), defaultRowHeight_};
}

bool StepGrid::Selected(Cell cell) const {
    const auto [top, bottom] = std::minmax(anchor_.row, current_.row);
    const auto [left, right] = std::minmax(anchor_.column, current_.column);
    return cell.row >= top && cell.row <= bottom && cell.column >= left && cell.column <= right;
}

void StepGrid::PaintCell(QPainter& painter, Cell cell, const QRect& rect) const {
    const bool fixed = cell.row < fixedRows_ || cell.column < fixedCols_;
    const QString text = source_ ? source_(cell.row, cell.column) : QString();
    painter.fillRect(rect, fixed ? look::kFixedCell : look::kStepRow);
    CellLook cellLook{{}, fixed ? look::kDimText : look::kText, {}, {}};
    if (look_) {
        cellLook = look_(cell.row, cell.column, text);
    }
    if (cellLook.fill.isValid()) {
        painter.fillRect(rect, cellLook.fill);
    }
    if (!fixed && cell.row == highlightedRow_) {
        QColor playhead = look::kAccent;
        playhead.setAlpha(70);
        painter.fillRect(rect, playhead);
    }
    if (!fixed && Selected(cell)) {
        QColor selection = look::kSelection;
        selection.setAlpha(cell.row == current_.row && cell.column == current_.column ? 150 : 90);
        painter.fillRect(rect, selection);
    }
    painter.setPen(look::kGridLine);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.setPen(cellLook.text.isValid() ? cellLook.text : look::kText);
    const QRect inside = rect.adjusted(4, 0, -4, 0);
    painter.drawText(inside, Qt::AlignVCenter | Qt::AlignLeft, cellLook.shown.isEmpty() ? text : cellLook.shown);
    if (!cellLook.badge.isEmpty()) {
        QFont bold = painter.font();
        bold.setBold(true);
        painter.save();
        painter.setFont(bold);
        painter.drawText(inside, Qt::AlignVCenter | Qt::AlignRight, cellLook.badge);
        painter.restore();
    }
}

void StepGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), look::kWindow);
    QFont font = painter.font();
    font.setFamily("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(std::max(8, defaultRowHeight_ - 5));
    painter.setFont(font);
    const int lines = viewport()->height() / defaultRowHeight_ + 1;
    for (int line = 0; line < lines; ++line) {
        const int row = line < fixedRows_ ? line : TopRow() + line - fixedRows_;
        if (row >= rowCount_) {
            break;
        }
        for (int column = 0; column < colCount_; ++column) {
            PaintCell(painter, {row, column}, CellRect({row, column}));
        }
    }
    if (hasFocus()) {
        painter.setPen(QPen(look::kSelection.lighter(140), 1));
        painter.drawRect(CellRect(current_).adjusted(0, 0, -1, -1));
    }
}

void StepGrid::PressAt(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const Cell cell = CellAt(event->position().toPoint());
    if (cell.row < fixedRows_ || cell.column < fixedCols_) {
        return;  // fixed cells and the space below the rows are never current
    }
    // A left press starts a new selection; another button keeps the
    // selection when it presses inside it (as for Delete) and moves it otherwise.
    const bool insideSelection = Selected(cell);
    current_ = cell;
    if (event->button() == Qt::LeftButton || !insideSelection) {
        anchor_ = cell;
    }
    selecting_ = event->button() == Qt::LeftButton;
    Refresh();
}

void StepGrid::mousePressEvent(QMouseEvent* event) { PressAt(event); }

// A quick second click arrives as press, release, double click, release: the
// double click is the second press.
void StepGrid::mouseDoubleClickEvent(QMouseEvent* event) { PressAt(event); }

void StepGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const Cell cell = CellAt(event->position().toPoint());
    if (cell.row >= fixedRows_ && cell.column >= fixedCols_) {
        current_ = cell;
        ScrollIntoView(cell.row);
        Refresh();
    }
}

void StepGrid::mouseReleaseEvent(QMouseEvent* event) {
    selecting_ = false;
    const Cell cell = CellAt(event->position().toPoint());
    if (cell.row < fixedRows_ || cell.column < fixedCols_) {
        return;  // released over a fixed cell or outside the rows
    }
    emit MouseReleased(event->button(), current_);
}

void StepGrid::MoveCurrent(Cell cell, bool extend) {
    current_ = Limited(cell);
    if (!extend) {
        anchor_ = current_;
    }
    ScrollIntoView(current_.row);
    Refresh();
}

bool StepGrid::MoveByKey(int key, bool extend) {
    Cell target = current_;
    switch (key) {
        case Qt::Key_Up: --target.row; break;
        case Qt::Key_Down: ++target.row; break;
        case Qt::Key_Left: --target.column; break;
        case Qt::Key_Right: ++target.column; break;
        case Qt::Key_PageUp: target.row -= VisibleScrollableRows(); break;
        case Qt::Key_PageDown: target.row += VisibleScrollableRows(); break;
        case Qt::Key_Home: target.column = fixedCols_; break;
        case Qt::Key_End: target.column = colCount_ - 1; break;
        default: return false;
    }
    MoveCurrent(target, extend);
    return true;
}

void StepGrid::keyPressEvent(QKeyEvent* event) {
    if (MoveByKey(event->key(), event->modifiers() & Qt::ShiftModifier)) {
        return;
    }
    emit KeyPressed(event);
}

void StepGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
}

void StepGrid::scrollContentsBy(int, int) { Refresh(); }

}  // namespace stepweave
