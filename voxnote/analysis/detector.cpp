#include "voxnote/analysis/detector.h"

#include <algorithm>
#include <cstring>

namespace voxnote {

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
