#pragma once
// Onsets from the spectral flux: a frame is an onset when its flux is the
// largest within three frames either side and stands above an adaptive
// threshold, a multiple of the median flux around it plus a floor, and when
// the onset before it is at least three frames (35 ms) back.
#include <cstddef>
#include <cstdint>
#include <span>

namespace voxnote::precise {

struct OnsetPickingSettings {
    float medianMultiple = 2.0f;
    float floor = 8.0f;    // flux units: a rise this small is never an onset
    int medianReach = 8;   // frames either side for the median
    int peakReach = 3;     // frames either side that must be lower
    int shortestGap = 3;   // frames from one onset to the next
};

struct Onset {
    uint32_t frame = 0;
    float strength = 0;  // flux over (floor + local median): 2 at the threshold
};

// Writes the onsets in order to onsets; returns how many (at most
// onsets.size()).
size_t PickOnsets(std::span<const float> flux, std::span<Onset> onsets, const OnsetPickingSettings& settings = {});

}  // namespace voxnote::precise
