#pragma once
// The settings the analysis reads from the head of its record, in its own units
// (log units of 60 per doubling, pitch steps of a tenth of a semitone, MIDI notes).
// Mapping user-interface positions to these values is the application's business.
#include <cstdint>

namespace voxnote {

constexpr uint8_t kChromaticScale = 12;  // scale 0..11 = major scale on C..B, 12 = chromatic
constexpr int8_t kConstantNoteOff = -1;  // constant note -1 = pitch mode, else the rhythm note

struct DetectorHeaderSettings {
    int32_t timeOffsetTargetMs = 0;  // event clock follows this drift target
    uint32_t velocityBase = 350;     // peak level that gives velocity 0
    uint32_t inputThreshold = 450;   // quieter notes are dropped
    uint32_t reattackGap = 80;       // rise that starts or re-attacks a note
    uint32_t releaseDrop = 150;      // fall below the peak that ends a note
    uint8_t minimumNote = 33;
    uint8_t maximumNote = 101;
    int32_t tuning = 0;              // -10..10 tenths of a semitone
    int8_t transposition = 0;        // semitones
    uint8_t scale = kChromaticScale;
    bool fixedVolume = false;        // every note gets velocity 64
    int8_t constantNote = kConstantNoteOff;
    uint8_t timeSmoothingShift = 8;  // event clock lag: 2^shift blocks
};

// What the main window writes into a fresh record before any preset is loaded.
constexpr DetectorHeaderSettings kStartUpDetectorSettings{};

}  // namespace voxnote
