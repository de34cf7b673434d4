#include "voxnote/app/settings/detector_settings.h"

#include <algorithm>

namespace voxnote {

DetectorSettings StartUpDetectorSettings() {
    DetectorSettings settings;
    settings.maximumNote = kHighestMaximumNote;
    return settings;
}

uint32_t InputThresholdOf(int inputVolume) {
    return static_cast<uint32_t>(8 * inputVolume + 350);
}

uint32_t ReattackGapOf(int gapRatio) {
    return static_cast<uint32_t>(5 * gapRatio);
}

uint32_t ReleaseDropOf(int noteStopRatio) {
    return static_cast<uint32_t>(10 * noteStopRatio + 100);
}

uint32_t VelocityBaseOf(int outputVolume) {
    return static_cast<uint32_t>(850 - 10 * outputVolume);
}

int OutputVolumeOf(uint32_t velocityBase) {
    return (1100 - static_cast<int>(velocityBase)) / 10 - 25;
}

void ApplyScale(DetectorSettings& settings, int scale) {
    settings.scale = static_cast<int8_t>(scale);
    settings.lockToScaleOn = scale != kChromaticScale ? 1 : 0;
}

int RhythmNoteOf(const DetectorSettings& settings) {
    return settings.constantNote == kConstantNoteOff ? kDefaultRhythmNote : settings.constantNote;
}

DetectorSettings WithinControlRanges(DetectorSettings settings) {
    settings.inputVolume = std::clamp(settings.inputVolume, 0, kInputVolumeLargest);
    settings.gapRatio = std::clamp(settings.gapRatio, 0, kGapRatioLargest);
    settings.noteStopRatio = std::clamp(settings.noteStopRatio, 0, kNoteStopRatioLargest);
    settings.outputVolume = std::clamp(settings.outputVolume, 0, kOutputVolumeLargest);
    settings.tuning = std::clamp(settings.tuning, -kTuningLargest, kTuningLargest);
    // The note range as the window's buttons keep it; a crossed pair cannot
    // be held by either bound alone, so both take their defaults.
    settings.minimumNote = std::clamp(settings.minimumNote, kLowestMinimumNote, kHighestMinimumNote);
    settings.maximumNote = std::clamp(settings.maximumNote, kLowestMaximumNote, kHighestMaximumNote);
    if (settings.minimumNote >= settings.maximumNote) {
        settings.minimumNote = DetectorSettings{}.minimumNote;
        settings.maximumNote = DetectorSettings{}.maximumNote;
    }
    if (settings.scale < 0 || settings.scale > kChromaticScale) {
        settings.scale = kChromaticScale;
    }
    settings.lockToScaleOn = settings.lockToScaleOn != 0 ? 1 : 0;
    settings.fixedVolumeFlag = settings.fixedVolumeFlag != 0 ? 1 : 0;
    if (settings.constantNote < 0) {
        settings.constantNote = kConstantNoteOff;
    }
    return settings;
}

DetectorHeaderSettings ToHeaderSettings(const DetectorSettings& settings) {
    DetectorHeaderSettings header;
    header.velocityBase = VelocityBaseOf(settings.outputVolume);
    header.inputThreshold = InputThresholdOf(settings.inputVolume);
    header.reattackGap = ReattackGapOf(settings.gapRatio);
    header.releaseDrop = ReleaseDropOf(settings.noteStopRatio);
    header.minimumNote = static_cast<uint8_t>(settings.minimumNote);
    header.maximumNote = static_cast<uint8_t>(settings.maximumNote);
    header.tuning = settings.tuning;
    header.transposition = settings.transposition;
    header.scale = static_cast<uint8_t>(settings.scale);
    header.fixedVolume = settings.fixedVolumeFlag != 0;
    header.constantNote = settings.constantNote;
    return header;
}

}  // namespace voxnote
