#pragma once
// DetectorSettings: the twelve values of one preset, in the units the user
// sees (slider positions, list values, MIDI notes), and their conversion into
// the units the analysis works in.
#include <array>
#include <cstdint>
#include <string_view>

#include "voxnote/analysis/detector/detector_header_settings.h"

namespace voxnote {

// Value ranges of the controls that set them.
inline constexpr int kInputVolumeLargest = 69;
inline constexpr int kGapRatioLargest = 35;
inline constexpr int kNoteStopRatioLargest = 23;
inline constexpr int kOutputVolumeLargest = 60;
inline constexpr int kTuningLargest = 10;  // -10 .. +10
inline constexpr int kLowestMinimumNote = 24;
inline constexpr int kHighestMinimumNote = 100;
inline constexpr int kLowestMaximumNote = 25;
inline constexpr int kHighestMaximumNote = 101;
inline constexpr int kDefaultRhythmNote = 60;

// The member defaults are the values of a preset whose keys are missing.
struct DetectorSettings {
    int inputVolume = 13;
    int gapRatio = 16;
    int tuning = 0;
    int maximumNote = 99;
    int minimumNote = 33;
    int8_t lockToScaleOn = 0;
    int8_t scale = kChromaticScale;
    int8_t fixedVolumeFlag = 0;
    int noteStopRatio = 10;
    int8_t transposition = 0;
    int8_t constantNote = kConstantNoteOff;  // else the note of rhythm mode
    int outputVolume = 50;

    bool operator==(const DetectorSettings&) const = default;
};

// The values the program starts with before any preset is loaded; they are
// also what it stores as the "Default" preset.
DetectorSettings StartUpDetectorSettings();

// The profile keys of a preset, in the order they are written.
inline constexpr std::array<std::string_view, 12> kDetectorSettingKeys = {
    "Input Volume", "GapRatio", "Tuning", "Maximum Note", "Minimum Note", "Lock To Scale On",
    "Scale", "Fixed Volume Flag", "Note Stop Ratio", "Transposition", "Constant Note", "Output Volume",
};

// The analysis units of the slider and list values (log units, 60 per
// doubling of amplitude).
uint32_t InputThresholdOf(int inputVolume);   // 8 v + 350
uint32_t ReattackGapOf(int gapRatio);          // 5 v
uint32_t ReleaseDropOf(int noteStopRatio);     // 10 v + 100
uint32_t VelocityBaseOf(int outputVolume);     // 850 - 10 v
// Output Volume of an analysis velocity base: (1100 - base) div 10 - 25.
int OutputVolumeOf(uint32_t velocityBase);

// Scale lock follows the scale: on for the major scales, off for chromatic.
void ApplyScale(DetectorSettings& settings, int scale);

// The rhythm note shown after loading these settings: the constant note, or
// 60 when rhythm mode is off.
int RhythmNoteOf(const DetectorSettings& settings);

// The settings with every value brought into the range its control allows
// (values read from a file may be anything).
DetectorSettings WithinControlRanges(DetectorSettings settings);

// All values in the analysis's units; the drift target is left at 0 and the
// time-smoothing shift at its start-up value.
DetectorHeaderSettings ToHeaderSettings(const DetectorSettings& settings);

}  // namespace voxnote
