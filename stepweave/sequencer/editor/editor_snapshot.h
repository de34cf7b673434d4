#pragma once
// What an undoable edit of the editor changes: the grid's texts and shown
// rows, the name field, and (for a loaded pattern or Clear Pattern) the tempo
// and repeat count. Undo puts the state before the edit back, Redo the state
// after it.
#include <string>

#include "stepweave/sequencer/model/pattern_grid.h"

namespace stepweave {

class SequencerDocument;

struct EditorSnapshot {
    PatternGrid grid;
    std::string nameField;
    int delay = 0;
    int loop = 0;

    static EditorSnapshot Of(const SequencerDocument& document);
    // Whether the two differ in no more than cell texts.
    bool SameEditorFields(const EditorSnapshot& other) const {
        return grid.RowCount() == other.grid.RowCount() && nameField == other.nameField && delay == other.delay &&
               loop == other.loop;
    }
    void RestoreInto(SequencerDocument& document) const;
};

}  // namespace stepweave
