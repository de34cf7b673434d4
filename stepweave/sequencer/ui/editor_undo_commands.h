#pragma once
// The editor's undoable edits for the Edit menu's Undo and Redo. A cell edit
// (placing, a level, Delete) keeps the texts of the cells it changed; an edit
// of the whole editor (Clear Pattern, Update Time, loading a pattern) keeps
// the editor's state before and after. Undo and Redo put the texts back and
// then tell the window to show them.
#include <QUndoCommand>
#include <functional>
#include <string>
#include <vector>

#include "stepweave/sequencer/editor/editor_snapshot.h"
#include "stepweave/sequencer/editor/pattern_editing.h"

namespace stepweave {

class SequencerDocument;

struct CellChange {
    GridCell cell;
    std::string before;
    std::string after;
};

// The cells whose texts differ between two grids.
std::vector<CellChange> ChangedCells(const PatternGrid& before, const PatternGrid& after);

class CellEditCommand : public QUndoCommand {
public:
    CellEditCommand(const QString& text, SequencerDocument& document, std::vector<CellChange> changes,
                    std::function<void()> shown);
    void undo() override;
    void redo() override;

private:
    SequencerDocument& document_;
    std::vector<CellChange> changes_;
    std::function<void()> shown_;
};

class EditorStateCommand : public QUndoCommand {
public:
    EditorStateCommand(const QString& text, SequencerDocument& document, EditorSnapshot before, EditorSnapshot after,
                       std::function<void()> shown);
    void undo() override;
    void redo() override;

private:
    SequencerDocument& document_;
    EditorSnapshot before_;
    EditorSnapshot after_;
    std::function<void()> shown_;
};

}  // namespace stepweave
