#include "stepweave/sequencer/midi_input/midi_recording.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "stepweave/sequencer/model/cell_resolution.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/model/step_level.h"

namespace stepweave {

namespace {

struct NearestStep {
    int row = 0;
    bool stillToPlay = false;
};

// Rows run from the first step row to the last and round again.
int WrapRow(int row, int length) {
    const int index = ((row - PatternGrid::kFirstStepRow) % length + length) % length;
    return PatternGrid::kFirstStepRow + index;
}

NearestStep NearestStepOf(uint32_t struck, const PatternTiming& timing) {
    // Before the first step, the step "before" it would have fired one interval before the first.
    const bool started = timing.playedRow >= PatternGrid::kFirstStepRow;
    const int playedRow = started ? timing.playedRow : PatternGrid::kFirstStepRow - 1;
    const double heardAt = static_cast<double>(timing.playedAt) + timing.latency;
    const double offset = static_cast<int32_t>(struck - static_cast<uint32_t>(heardAt));
    const auto steps = static_cast<int>(std::lround(offset / std::max<uint32_t>(timing.interval, 1)));
    if (!started) {
        return {PatternGrid::kFirstStepRow, true};  // nothing has played yet: the first step
    }
    return {WrapRow(playedRow + steps, timing.length), steps > 0};
}

}  // namespace

std::string RecordedCellText(int slot, int level) {
    std::string text(InstrumentList::Label(slot));
    text[StepLevel::kCharacterPosition] = static_cast<char>('0' + level);
    return text;
}

std::optional<GridCell> PlaceRecordedHit(PatternGrid& grid, const RecordedHit& hit) {
    std::optional<GridCell> empty;
    for (int column = 1; column <= PatternGrid::kChannels; ++column) {
        const std::string& text = grid.Cell(hit.row, column);
        if (ResolveCell(text).instrument == hit.slot) {
            grid.SetCell(hit.row, column, RecordedCellText(hit.slot, hit.level));
            return GridCell{hit.row, column};
        }
        if (text.empty() && !empty) {
            empty = GridCell{hit.row, column};
        }
    }
    if (empty) {
        grid.SetCell(empty->row, empty->column, RecordedCellText(hit.slot, hit.level));
    }
    return empty;
}

std::optional<RecordedHit> MidiRecording::Add(const LiveHit& hit, const PatternTiming& timing) {
    if (timing.length < 1) {
        return std::nullopt;
    }
    const NearestStep step = NearestStepOf(hit.receivedAt, timing);
    const RecordedHit recorded{step.row, hit.slot, hit.level};
    if (step.stillToPlay) {
        waiting_.push_back(recorded);
        return std::nullopt;
    }
    return recorded;
}

std::vector<RecordedHit> MidiRecording::StepPlayed(int row) {
    std::vector<RecordedHit> due;
    std::vector<RecordedHit> still;
    for (const RecordedHit& hit : waiting_) {
        (hit.row == row ? due : still).push_back(hit);
    }
    waiting_ = std::move(still);
    return due;
}

std::vector<RecordedHit> MidiRecording::TakeWaiting() { return std::exchange(waiting_, {}); }

}  // namespace stepweave
