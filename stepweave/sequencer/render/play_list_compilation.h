#pragma once
// Play Song's compilation of the play list, which the song renderer repeats
// exactly: the entries from the selected one (the first when none is
// selected) to the end are compiled into the song's lines, and the editor is
// left as a Play Song leaves it.
#include <optional>
#include <string>
#include <vector>

namespace stepweave {

class SequencerDocument;

// Compiles the play list from its selected entry on. Afterwards the editor
// holds the last pattern compiled (its rows, with the grid's row count left
// alone), the Delay and Loop values are that pattern's tempo and repeat count
// and the name field shows its name; the play list's selection moves to the
// entry before the start (none when the start was the first). With Global
// checked (`globalTempo` set) the Delay value then returns to the global
// tempo. Nothing for an empty play list. A missing or damaged pattern file
// fails with its error before anything changes.
std::optional<std::vector<std::string>> CompilePlayListFromSelection(SequencerDocument& document,
                                                                     std::optional<int> globalTempo);

}  // namespace stepweave
