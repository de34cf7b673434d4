#include "voxnote/app/settings/current_detector_settings.h"

namespace voxnote {

CurrentDetectorSettings::CurrentDetectorSettings()
    : values_(StartUpDetectorSettings()), header_(kStartUpDetectorSettings) {}

void CurrentDetectorSettings::Load(const DetectorSettings& preset) {
    values_ = WithinControlRanges(preset);
    DetectorHeaderSettings header = ToHeaderSettings(values_);
    header.timeOffsetTargetMs = header_.timeOffsetTargetMs;
    header.timeSmoothingShift = header_.timeSmoothingShift;
    header_ = header;
}

void CurrentDetectorSettings::SetInputVolume(int position) {
    values_.inputVolume = position;
    header_.inputThreshold = InputThresholdOf(position);
}

void CurrentDetectorSettings::SetGapRatio(int position) {
    values_.gapRatio = position;
    header_.reattackGap = ReattackGapOf(position);
}

void CurrentDetectorSettings::SetNoteStopRatio(int position) {
    values_.noteStopRatio = position;
    header_.releaseDrop = ReleaseDropOf(position);
}

void CurrentDetectorSettings::SetOutputVolume(int volume) {
    values_.outputVolume = volume;
    header_.velocityBase = VelocityBaseOf(volume);
}

void CurrentDetectorSettings::SetTuning(int tuning) {
    values_.tuning = tuning;
    header_.tuning = tuning;
}

void CurrentDetectorSettings::SetMinimumNote(int note) {
    values_.minimumNote = note;
    header_.minimumNote = static_cast<uint8_t>(note);
}

void CurrentDetectorSettings::SetMaximumNote(int note) {
    values_.maximumNote = note;
    header_.maximumNote = static_cast<uint8_t>(note);
}

void CurrentDetectorSettings::SetScale(int scale) {
    ApplyScale(values_, scale);
    header_.scale = static_cast<uint8_t>(scale);
}

void CurrentDetectorSettings::SetTransposition(int semitones) {
    values_.transposition = static_cast<int8_t>(semitones);
    header_.transposition = static_cast<int8_t>(semitones);
}

void CurrentDetectorSettings::SetFixedVolume(bool fixed) {
    values_.fixedVolumeFlag = fixed ? 1 : 0;
    header_.fixedVolume = fixed;
}

void CurrentDetectorSettings::SetConstantNote(int note) {
    values_.constantNote = static_cast<int8_t>(note < 0 ? kConstantNoteOff : note);
    header_.constantNote = values_.constantNote;
}

}  // namespace voxnote
