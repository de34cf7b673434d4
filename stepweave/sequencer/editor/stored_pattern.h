#pragma once
// The editor's pattern as the pattern file of its name holds it, for telling
// whether the pattern in the editor is stored as it stands.
#include <optional>

#include "stepweave/sequencer/model/pattern_grid.h"

namespace stepweave {

class SequencerDocument;

struct StoredPattern {
    PatternGrid grid;  // the editor's grid with the file's rows in their place
    int loop = 0;
    int delay = 0;
};

// None for a name Store cannot use, and for a file that is missing or damaged.
std::optional<StoredPattern> StoredEditorPattern(const SequencerDocument& document);

}  // namespace stepweave
