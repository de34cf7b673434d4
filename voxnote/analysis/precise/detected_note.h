#pragma once
// A note as the precise detector hears it, before the user's note rules:
// where it starts and ends, its pitch and how loud it got.
#include <cstdint>

namespace voxnote {

struct DetectedNote {
    uint32_t startMs = 0;
    uint32_t endMs = 0;
    float pitch = 0;         // median pitch, MIDI semitones (fractional); unused for a rhythm hit
    uint32_t peakLevel = 0;  // loudest level, log units of the exact detector's scale
};

}  // namespace voxnote
