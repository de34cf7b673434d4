#include "stepweave/sequencer/midi_export/song_steps.h"

#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sequencer/model/pattern_grid.h"
#include "stepweave/sequencer/model/tempo.h"
#include "stepweave/sequencer/render/song_timeline.h"

namespace stepweave {

namespace {

// The timeline hands a tempo marker over as its tempo line.
bool IsTempoLine(const TimelineLine& line, const std::vector<std::string>& songLines) {
    const auto at = static_cast<size_t>(line.lineIndex);
    return line.instrument == InstrumentList::kNotFound && at >= 1 && at < songLines.size() &&
           songLines[at - 1] == kTempoMarker;
}

bool IsSounding(int instrument) {
    return instrument >= InstrumentList::kFirstKitInstrument && instrument <= InstrumentList::kLastUserSample;
}

class StepReader {
public:
    void TempoMarker(const std::string& tempoText) {
        tempo_ = LimitDelay(ParseInteger(tempoText));
        ++pattern_;
        index_ = 0;
    }

    // False at the song's end.
    bool Cell(const TimelineLine& line, const std::string& text) {
        if (cells_++ % PatternGrid::kChannels == 0) {
            EndStep();
            if (text == kSongEndMarker) {
                return false;
            }
            steps_.push_back({line.time, pattern_, index_++, 0, {}});
        }
        if (text == kSongEndMarker) {
            return false;
        }
        if (IsSounding(line.instrument)) {
            steps_.back().hits.push_back({line.instrument, line.level});
        }
        return true;
    }

    std::vector<SongStep> Finish() {
        EndStep();
        return std::move(steps_);
    }

private:
    void EndStep() {
        if (!steps_.empty() && steps_.back().tempo == 0) {
            steps_.back().tempo = tempo_;
        }
    }

    std::vector<SongStep> steps_;
    long long cells_ = 0;
    int pattern_ = -1;
    int index_ = 0;
    int tempo_ = kDefaultDelay;
};

}  // namespace

std::vector<SongStep> ReadSongSteps(const std::vector<std::string>& songLines) {
    const SongTimeline timeline = ReadSongTimeline(songLines);
    StepReader reader;
    for (const TimelineLine& line : timeline.lines) {
        const std::string& text = songLines[static_cast<size_t>(line.lineIndex)];
        if (IsTempoLine(line, songLines)) {
            reader.TempoMarker(text);
        } else if (!reader.Cell(line, text)) {
            break;
        }
    }
    return reader.Finish();
}

}  // namespace stepweave
