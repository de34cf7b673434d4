#include "stepweave/sequencer/editor/pattern_editing.h"

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/model/step_level.h"

namespace stepweave {

namespace {

constexpr size_t kKitLabelLength = 13;
constexpr int kHighestLevel = 9;

// A cell holding a kit label carries a level: 13 characters that are a kit
// label once the level character is blanked.
bool HoldsKitLabel(const std::string& text) {
    if (text.size() != kKitLabelLength) {
        return false;
    }
    std::string blanked = text;
    blanked[StepLevel::kCharacterPosition] = ' ';
    return InstrumentList::IsKitInstrument(InstrumentList::IndexOf(blanked));
}

void SetLevelCharacter(PatternGrid& grid, GridCell cell, char level) {
    std::string text = grid.Cell(cell.row, cell.column);
    text[StepLevel::kCharacterPosition] = level;
    grid.SetCell(cell.row, cell.column, std::move(text));
}

}  // namespace

bool IsEditableCell(const PatternGrid& grid, GridCell cell) {
    return cell.row >= PatternGrid::kFirstStepRow && cell.row < grid.RowCount() && cell.column >= 1 &&
           cell.column <= PatternGrid::kChannels;
}

bool PlaceInstrument(PatternGrid& grid, GridCell cell, const std::string& chooserText) {
    if (grid.Cell(cell.row, cell.column) == chooserText) {
        grid.SetCell(cell.row, cell.column, "");
        return false;
    }
    grid.SetCell(cell.row, cell.column, chooserText);
    return InstrumentList::IsKitInstrument(InstrumentList::IndexOf(chooserText));
}

bool StepLevelUp(PatternGrid& grid, GridCell cell) {
    const std::string& text = grid.Cell(cell.row, cell.column);
    if (!HoldsKitLabel(text)) {
        return false;
    }
    const int level = StepLevel::FromCharacter(text[StepLevel::kCharacterPosition]).Value();
    const int next = level >= kHighestLevel ? 1 : level + 1;
    SetLevelCharacter(grid, cell, static_cast<char>('0' + next));
    return true;
}

int TypeLevel(PatternGrid& grid, GridCell cell, char digit, const std::string& chooserText, int cellJump) {
    if (digit < '1' || digit > '9') {
        return cell.row;
    }
    if (grid.Cell(cell.row, cell.column).empty()) {
        grid.SetCell(cell.row, cell.column, chooserText);
    }
    if (!HoldsKitLabel(grid.Cell(cell.row, cell.column))) {
        return cell.row;
    }
    SetLevelCharacter(grid, cell, digit);
    const int jumped = cell.row + cellJump;
    return jumped < grid.RowCount() ? jumped : cell.row;
}

void ClearCells(PatternGrid& grid, const GridRange& range) {
    for (int row = range.Top(); row <= range.Bottom(); ++row) {
        for (int column = range.Left(); column <= range.Right(); ++column) {
            if (IsEditableCell(grid, {row, column})) {
                grid.SetCell(row, column, "");
            }
        }
    }
}

}  // namespace stepweave
