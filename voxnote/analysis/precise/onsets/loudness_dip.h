#pragma once
// A re-sung syllable on a held pitch, or a note played again before the one
// before has died away: the loudness dips and rises again. The dip is
// measured on the fine level envelope (23 ms windows, every frame): its
// depth below the lower of the loudest frames up to 140 ms either side of
// it, and its width, the frames on which it stays below half that depth.
// A vibrato's or a tremolo's wobble, and the swell of a held note, dip
// slowly: wide for their depth.
#include <cstdint>
#include <span>

namespace voxnote::precise {

struct LoudnessDip {
    float depth = 0;     // log units (10 per dB)
    uint32_t width = 0;  // frames
};

// The dip whose lowest frame is `frame`, looked at within [from, to) (the
// note it lies in); depth 0 where `frame` is no dip's lowest point.
LoudnessDip MeasureDip(std::span<const float> fineLevels, uint32_t frame, uint32_t from, uint32_t to);

// A dip deep and narrow enough to part two notes: 5 dB deep and at most 46
// ms wide, or a frame wider for every 2 dB that it is deeper (a note let
// go and played again falls and rises more slowly than a syllable).
bool PartsNotes(const LoudnessDip& dip);

}  // namespace voxnote::precise
