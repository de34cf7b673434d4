#include "stepweave/sequencer/render/song_timeline.h"

#include <array>

#include "stepweave/sequencer/model/cell_resolution.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sequencer/model/pattern_grid.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/model/tempo.h"

namespace stepweave {

namespace {

// The compiler writes tempos within the Delay slider's range; one from
// elsewhere is held to it as the slider would hold it.
double StepSeconds(const std::string& tempoText) { return 2.0 * LimitDelay(ParseInteger(tempoText)) / 1000.0; }

}  // namespace

SongTimeline ReadSongTimeline(const std::vector<std::string>& songLines) {
    SongTimeline timeline;
    std::array<bool, InstrumentList::kCount> used{};
    double time = 0.0;
    double step = 0.0;
    int channel = -1;
    for (size_t index = 0; index < songLines.size(); ++index) {
        const std::string& text = songLines[index];
        TimelineLine line;
        if (text == kTempoMarker) {
            ++index;
            step = StepSeconds(index < songLines.size() ? songLines[index] : std::string());
            line.instrument = InstrumentList::kNotFound;
        } else {
            if (++channel == PatternGrid::kChannels) {
                channel = 0;
                time = time + step;
            }
            const ResolvedCell cell = ResolveCell(text);
            line.instrument = cell.instrument;
            line.level = cell.level.Value();
            used[static_cast<size_t>(cell.instrument)] = true;
        }
        line.lineIndex = static_cast<int>(index);
        line.time = time;
        timeline.lines.push_back(line);
        if (text == kSongEndMarker) {
            break;
        }
    }
    for (int instrument = 1; instrument < InstrumentList::kCount; ++instrument) {
        if (used[static_cast<size_t>(instrument)]) {
            timeline.usedInstruments.push_back(instrument);
        }
    }
    return timeline;
}

}  // namespace stepweave
