#include "stepweave/sequencer/editor/editor_snapshot.h"

#include "stepweave/sequencer/model/sequencer_document.h"

namespace stepweave {

EditorSnapshot EditorSnapshot::Of(const SequencerDocument& document) {
    return {document.grid, document.PatternNameField(), document.Delay(), document.Loop()};
}

void EditorSnapshot::RestoreInto(SequencerDocument& document) const {
    document.grid = grid;
    document.RestoreNameField(nameField);
    document.SetDelay(delay);
    document.SetLoop(loop);
}

}  // namespace stepweave
