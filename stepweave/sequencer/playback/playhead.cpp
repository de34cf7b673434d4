#include "stepweave/sequencer/playback/playhead.h"

#include <algorithm>

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

std::vector<size_t> PatternStartLines(const std::vector<std::string>& songLines) {
    std::vector<size_t> starts;
    size_t line = 0;
    while (line < songLines.size() && songLines[line] != kSongEndMarker) {
        if (songLines[line] == kTempoMarker) {
            starts.push_back(line);
            line += kTempoMarkerLines;
        } else {
            line += kLinesPerStep;
        }
    }
    return starts;
}

std::optional<int> PatternPlayedAt(const std::vector<size_t>& patternStarts, size_t position) {
    if (patternStarts.empty()) {
        return std::nullopt;
    }
    const size_t lastLinePlayed = position == 0 ? 0 : position - 1;
    const auto after = std::upper_bound(patternStarts.begin(), patternStarts.end(), lastLinePlayed);
    return after == patternStarts.begin() ? 0 : static_cast<int>(after - patternStarts.begin()) - 1;
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
