#include "stepweave/sequencer/ui/editor_undo_commands.h"

#include "stepweave/sequencer/model/sequencer_document.h"

namespace stepweave {

std::vector<CellChange> ChangedCells(const PatternGrid& before, const PatternGrid& after) {
    std::vector<CellChange> changes;
    for (int row = 0; row < PatternGrid::kKeptRows; ++row) {
        for (int column = 0; column < PatternGrid::kColumns; ++column) {
            if (before.Cell(row, column) != after.Cell(row, column)) {
                changes.push_back({{row, column}, before.Cell(row, column), after.Cell(row, column)});
            }
        }
    }
    return changes;
}

CellEditCommand::CellEditCommand(const QString& text, SequencerDocument& document, std::vector<CellChange> changes,
                                 std::function<void()> shown)
    : QUndoCommand(text), document_(document), changes_(std::move(changes)), shown_(std::move(shown)) {}

void CellEditCommand::undo() {
    for (const CellChange& change : changes_) {
        document_.grid.SetCell(change.cell.row, change.cell.column, change.before);
    }
    shown_();
}

// The first redo comes as the command is pushed, after the edit was made:
// writing the texts again changes nothing then.
void CellEditCommand::redo() {
    for (const CellChange& change : changes_) {
        document_.grid.SetCell(change.cell.row, change.cell.column, change.after);
    }
    shown_();
}

EditorStateCommand::EditorStateCommand(const QString& text, SequencerDocument& document, EditorSnapshot before,
                                       EditorSnapshot after, std::function<void()> shown)
    : QUndoCommand(text),
      document_(document),
      before_(std::move(before)),
      after_(std::move(after)),
      shown_(std::move(shown)) {}

void EditorStateCommand::undo() {
    before_.RestoreInto(document_);
    shown_();
}

void EditorStateCommand::redo() {
    after_.RestoreInto(document_);
    shown_();
}

}  // namespace stepweave
