#include "voxnote/analysis/detector/detector.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "voxnote/analysis/detector/analysis_stages.h"
#include "voxnote/analysis/notes/event_queue.h"
#include "voxnote/analysis/filterbank/frame_measurement.h"
#include "voxnote/analysis/notes/note_segmenter.h"
#include "voxnote/analysis/filterbank/period_tracker.h"

namespace voxnote {
namespace {

constexpr uint32_t kFlushBytes = 2304;  // 1152 samples, eight frames

}  // namespace

void ResetDetector(DetectorState& state, uint32_t startTimeMs) {
    auto* record = reinterpret_cast<unsigned char*>(&state);
    size_t headerBytes = offsetof(DetectorState, results);
    std::memset(record + headerBytes, 0, sizeof(DetectorState) - headerBytes);

    state.results.ok = 1;
    DetectorRunningState& running = state.running;
    running.segmenter.phase = SegmenterPhase::kIdle;
    running.segmenter.runningMinimum = kQuietLevel;
    running.clock.milliseconds = startTimeMs;
    running.previousPitch = kNoPitch;
    ResetFrameMeasurement(running.measurement);
    for (int k = 0; k < kChannelCount; ++k) InitialiseBandChannel(state.channels[k], kBandTable[k]);
}

uint8_t AnalyseBlock(DetectorState& state, uint32_t byteCount) {
    byteCount = std::min(byteCount, kInputAreaBytes);
    if (byteCount < 2) return state.results.ok;
    AnalysisStage1(state, byteCount);
    AnalysisStage2(state);
    AnalysisStage3(state);
    AnalysisStage4(state);
    return AnalysisStage5(state);
}

uint8_t FlushDetector(DetectorState& state) {
    std::memset(state.input, 0, kFlushBytes);
    AnalyseBlock(state, kFlushBytes);
    if (state.running.segmenter.phase != SegmenterPhase::kIdle) {
        EndNote(state, state.running.segmenter.position);
    }
    return state.results.ok;
}

bool DrainEvents(DetectorState& state, NoteEvent& slot) { return TakeEvent(state, slot); }

int16_t* InputArea(DetectorState& state) { return state.input; }

void RefreshDetectorSettings(DetectorState& state, const DetectorHeaderSettings& settings) {
    DetectorSettingsHeader& header = state.header;
    header.timeOffsetTargetMs = settings.timeOffsetTargetMs;
    header.velocityBase = settings.velocityBase;
    header.inputThreshold = settings.inputThreshold;
    header.reattackGap = settings.reattackGap;
    header.releaseDrop = settings.releaseDrop;
    header.minimumNote = settings.minimumNote;
    header.maximumNote = settings.maximumNote;
    header.tuning = settings.tuning;
    header.transposition = settings.transposition;
    header.scale = settings.scale;
    header.scaleLock = settings.scale != kChromaticScale ? 1 : 0;
    header.fixedVolume = settings.fixedVolume ? 1 : 0;
    header.constantNote = settings.constantNote;
    header.timeSmoothingShift = settings.timeSmoothingShift;
}

DetectorHeaderSettings ReadDetectorSettings(const DetectorState& state) {
    const DetectorSettingsHeader& header = state.header;
    DetectorHeaderSettings settings;
    settings.timeOffsetTargetMs = header.timeOffsetTargetMs;
    settings.velocityBase = header.velocityBase;
    settings.inputThreshold = header.inputThreshold;
    settings.reattackGap = header.reattackGap;
    settings.releaseDrop = header.releaseDrop;
    settings.minimumNote = static_cast<uint8_t>(header.minimumNote);
    settings.maximumNote = static_cast<uint8_t>(header.maximumNote);
    settings.tuning = header.tuning;
    settings.transposition = header.transposition;
    settings.scale = header.scale;
    settings.fixedVolume = header.fixedVolume != 0;
    settings.constantNote = header.constantNote;
    settings.timeSmoothingShift = header.timeSmoothingShift;
    return settings;
}

void SetTimeOffsetTarget(DetectorState& state, int32_t targetMs) {
    state.header.timeOffsetTargetMs = targetMs;
}

uint8_t CurrentNote(const DetectorState& state) { return state.results.currentNote; }
uint8_t CurrentFineStep(const DetectorState& state) { return state.results.fineStep; }
bool InputClipped(const DetectorState& state) { return state.results.inputClipped != 0; }
bool VelocityClipped(const DetectorState& state) { return state.results.velocityClipped != 0; }
uint8_t OkFlag(const DetectorState& state) { return state.results.ok; }
uint8_t LevelMeter(const DetectorState& state) { return state.results.levelMeter; }

void SetFrameObserver(DetectorState& state, FrameObserver observer, void* context) {
    state.header.frameObserver = observer;
    state.header.frameObserverContext = context;
}

}  // namespace voxnote
