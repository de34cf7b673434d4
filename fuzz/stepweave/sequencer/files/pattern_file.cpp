// Feeds arbitrary bytes to the pattern file reader and loads what it accepts
// into an editor; a pattern that loads must write and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "stepweave/sequencer/model/cell_resolution.h"
#include "stepweave/sequencer/files/pattern_file.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/user_sample_table.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TextLines lines(std::string(reinterpret_cast<const char*>(data), size));
    UserSampleTable samples;
    SequencerDocument document("/nonexistent", samples);
    try {
        const PatternFileContents pattern = ParsePatternFile(lines);
        LoadPatternIntoEditor(pattern, document);
    } catch (const StepweaveError&) {
        return 0;  // a damaged file: reported to the user, nothing else
    }
    for (int step = 1; step <= document.grid.Length(); ++step) {
        for (int channel = 1; channel <= PatternGrid::kChannels; ++channel) {
            ResolveCell(document.grid.StepCell(step, channel));
        }
    }
    const std::string written = PatternFileText(document.grid, document.Delay(), document.Loop(), samples);
    const PatternFileContents reread = ParsePatternFile(TextLines(written));
    if (reread.length != document.grid.Length() || reread.Tempo() != document.Delay() ||
        reread.Repeat() != document.Loop() || reread.sampleLines.size() != 2u * kUserSampleCount) {
        std::abort();
    }
    return 0;
}
