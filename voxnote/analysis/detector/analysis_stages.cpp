#include "voxnote/analysis/detector/analysis_stages.h"

#include <algorithm>
#include <cstring>

#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/filterbank/filter_bank.h"
#include "voxnote/analysis/filterbank/input_conditioning.h"
#include "voxnote/analysis/pitch/pitch_decision.h"

namespace voxnote {
namespace {

void RunChannels(DetectorState& state, int highest, int lowest) {
    for (int k = highest; k >= lowest; --k) RunBandChannel(state, k);
}

// Frames whose level (written two frames late) and pitch are both final.
int32_t FinishedFrames(const DetectorState& state) {
    return std::min(state.running.frameDecided, state.running.frameWrite - kLevelLagFrames);
}

void ShowFrames(const DetectorState& state, int32_t from, int32_t to) {
    FrameObserver observer = state.header.frameObserver;
    if (observer == nullptr) return;
    for (int32_t f = from; f < to; ++f) {
        observer(state.header.frameObserverContext,
                 state.running.framesBeforeStream + static_cast<uint32_t>(f), state.frames[f]);
    }
}

void UpdateLevelMeter(DetectorState& state) {
    FrameMeasurementState& m = state.running.measurement;
    uint8_t blockMeter = static_cast<uint8_t>(m.blockLargestLevel / 10);
    state.results.levelMeter = std::max(blockMeter, m.previousBlockMeter);
    m.previousBlockMeter = blockMeter;
    m.blockLargestLevel = 0;
}

// Keeps the last 4378 samples at the start of the history for the next block.
void MoveHistory(DetectorState& state) {
    int count = static_cast<int>(state.running.blockBytes / 2);
    std::memmove(state.history, state.history + count, kHistorySamples * sizeof(int32_t));
}

}  // namespace

void AnalysisStage1(DetectorState& state, uint32_t byteCount) {
    ConvertInput(state, byteCount);
    SmoothTimeOffset(state.running.clock, state.header.timeOffsetTargetMs,
                     state.header.timeSmoothingShift);
    PreFilter(state);
    RunBandChannel(state, 28);
    MeasureFrames(state);
    RunChannels(state, 27, 24);
}

void AnalysisStage2(DetectorState& state) { RunChannels(state, 23, 18); }
void AnalysisStage3(DetectorState& state) { RunChannels(state, 17, 12); }
void AnalysisStage4(DetectorState& state) { RunChannels(state, 11, 6); }

uint8_t AnalysisStage5(DetectorState& state) {
    RunChannels(state, 5, 0);
    return FinishBlock(state);
}

uint8_t FinishBlock(DetectorState& state) {
    DecideCompletedRows(state);
    int32_t finished = FinishedFrames(state);
    ShowFrames(state, state.running.segmenter.position, finished);
    uint8_t ok = RunNoteSegmenter(state, finished);
    CompactFrameStream(state);
    UpdateLevelMeter(state);
    MoveHistory(state);
    return ok;
}

}  // namespace voxnote
