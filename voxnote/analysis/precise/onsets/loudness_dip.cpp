#include "voxnote/analysis/precise/onsets/loudness_dip.h"

#include <algorithm>

namespace voxnote::precise {

namespace {

constexpr uint32_t kReach = 12;         // frames either side: 140 ms
constexpr float kDeepest = 50.0f;       // 5 dB
constexpr float kWidestShallow = 4.0f;  // frames (46 ms) below half the depth, at 5 dB
constexpr float kDepthPerWiderFrame = 20.0f;  // a deeper dip may be wider: a frame for every 2 dB
constexpr float kLargestResumingDrop = 90.0f;  // 9 dB: a sound that comes back this much quieter is fading

// The median of the frame and its neighbours: a notch of one frame is no dip.
float SmoothedLevel(std::span<const float> fineLevels, uint32_t frame) {
    if (frame == 0 || frame + 1 >= fineLevels.size()) return fineLevels[frame];
    const float a = fineLevels[frame - 1], b = fineLevels[frame], c = fineLevels[frame + 1];
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

}  // namespace

LoudnessDip MeasureDip(std::span<const float> fineLevels, uint32_t frame, uint32_t from, uint32_t to) {
    to = std::min<uint32_t>(to, static_cast<uint32_t>(fineLevels.size()));
    if (frame <= from || frame + 1 >= to) return {};
    auto level = [&](uint32_t f) { return SmoothedLevel(fineLevels, f); };
    const float bottom = level(frame);
    if (!(bottom < level(frame - 1) && bottom <= level(frame + 1))) return {};
    const uint32_t first = frame - std::min(frame - from, kReach);
    const uint32_t last = std::min(to - 1, frame + kReach);
    float before = bottom, after = bottom;
    for (uint32_t f = first; f < frame; ++f) before = std::max(before, level(f));
    for (uint32_t f = frame + 1; f <= last; ++f) after = std::max(after, level(f));
    LoudnessDip dip;
    if (after < before - kLargestResumingDrop) return dip;
    dip.depth = std::min(before, after) - bottom;
    const float half = bottom + 0.5f * dip.depth;
    uint32_t left = frame, right = frame;
    while (left > first && level(left - 1) < half) --left;
    while (right < last && level(right + 1) < half) ++right;
    dip.width = right - left + 1;
    return dip;
}

bool PartsNotes(const LoudnessDip& dip) {
    return dip.depth >= kDeepest &&
           static_cast<float>(dip.width) <= kWidestShallow + (dip.depth - kDeepest) / kDepthPerWiderFrame;
}

}  // namespace voxnote::precise
