#pragma once
// One analysis frame: what the filter bank measured over 144 input samples.
#include <cstdint>

namespace voxnote {

// Pitch value of a frame (or of a channel-table entry) that carries no pitch.
constexpr int16_t kNoPitch = -16384;

struct PitchFrame {
    uint16_t weight = 0;     // total movement of the frame's 144 samples, divided by 1024
    uint16_t level = 0;      // coarse log of half the largest movement sum ending two frames on
    uint16_t bandLevel = 0;  // sustained level in the window that suits the pitch
    int16_t pitch = kNoPitch;  // 0..789, 120 steps per octave, or kNoPitch
};
static_assert(sizeof(PitchFrame) == 8);

}  // namespace voxnote
