#include "stepweave/sequencer/playback/playhead.h"

#include "stepweave/sequencer/model/pattern_grid.h"
#include "stepweave/sequencer/playback/playback_engine.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr size_t kLinesPerStep = PatternGrid::kChannels;
constexpr size_t kTempoMarkerLines = 2;

}  // namespace

std::optional<int> SongPlayheadRow(const std::vector<std::string>& songLines, size_t position, int lastPatternLength) {
    if (lastPatternLength < 1 || position > songLines.size()) {
        return std::nullopt;
    }
    size_t marker = songLines.size();
    for (size_t line = songLines.size(); line-- > 0;) {
        if (songLines[line] == kTempoMarker) {
            marker = line;
            break;
        }
    }
    const size_t firstCell = marker + kTempoMarkerLines;
    if (marker == songLines.size() || position < firstCell + kLinesPerStep) {
        return std::nullopt;
    }
    const size_t step = (position - firstCell) / kLinesPerStep - 1;
    return PatternGrid::kFirstStepRow + static_cast<int>(step % static_cast<size_t>(lastPatternLength));
}

std::optional<int> PlayheadRow(PlaybackEngine& engine, const PatternGrid& grid) {
    if (engine.PlayingPattern()) {
        const int row = engine.Pattern().PlayedRow();
        return row == PatternPlayer::kNoRow ? std::nullopt : std::optional<int>(row);
    }
    if (engine.PlayingSong()) {
        try {
            return SongPlayheadRow(engine.Song().Lines(), engine.Song().Position(), grid.Length());
        } catch (const StepweaveError&) {
            return std::nullopt;  // a header length being typed is no length yet
        }
    }
    return std::nullopt;
}

}  // namespace stepweave
