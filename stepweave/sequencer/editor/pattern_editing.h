#pragma once
// The edits the pattern editor makes to the grid with the mouse and the keys:
// placing the chosen instrument, stepping and typing a kit cell's level, and
// clearing a selection. Each works on the grid's texts only; playing the
// preview of a placed instrument is the caller's.
#include <string>

#include "stepweave/sequencer/model/pattern_grid.h"

namespace stepweave {

struct GridCell {
    int row = 0;
    int column = 0;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// A rectangle of cells, corners included, in any order.
struct GridRange {
    GridCell from;
    GridCell to;
    int Top() const { return from.row < to.row ? from.row : to.row; }
    int Bottom() const { return from.row < to.row ? to.row : from.row; }
    int Left() const { return from.column < to.column ? from.column : to.column; }
    int Right() const { return from.column < to.column ? to.column : from.column; }
};

// Whether a cell is one the user edits: a channel column of a step row or the
// trailing row, never the header, the channel names or the step labels.
bool IsEditableCell(const PatternGrid& grid, GridCell cell);

// A click: a cell whose text differs from the chooser's (exactly) takes it,
// a cell that already holds it becomes empty. Returns whether the cell took a
// kit label, which the editor then plays once as a preview.
bool PlaceInstrument(PatternGrid& grid, GridCell cell, const std::string& chooserText);

// A right click on a kit cell: its level goes up by one, after 9 back to 1
// (a blank counts as 1). Other cells are left alone. Returns whether the cell
// changed.
bool StepLevelUp(PatternGrid& grid, GridCell cell);

// A digit key 1..9: an empty cell first takes the chooser's text; a kit cell
// then takes the digit as its level. Returns the row the cursor moves to:
// cellJump rows down when the level was set and that row is still shown,
// otherwise the row it was on. Other digits change nothing.
int TypeLevel(PatternGrid& grid, GridCell cell, char digit, const std::string& chooserText, int cellJump);

// Delete: every editable cell of the range becomes empty.
void ClearCells(PatternGrid& grid, const GridRange& range);

}  // namespace stepweave
