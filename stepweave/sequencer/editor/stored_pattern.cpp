#include "stepweave/sequencer/editor/stored_pattern.h"

#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/pattern_library.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

std::optional<StoredPattern> StoredEditorPattern(const SequencerDocument& document) {
    const std::string& name = document.grid.Name();
    if (!IsPatternName(name)) {
        return std::nullopt;
    }
    try {
        const PatternFileContents file = ReadPatternFile(document.StartDirectory(), name);
        StoredPattern stored{document.grid, file.Repeat(), file.Tempo()};
        stored.grid.SetRowCount(file.length + 2);
        CopyPatternRows(file, stored.grid);
        return stored;
    } catch (const StepweaveError&) {
        return std::nullopt;
    }
}

}  // namespace stepweave
