#include "voxnote/analysis/precise/level_rise.h"

#include <algorithm>

namespace voxnote::precise {

namespace {

constexpr uint32_t kDipReach = 4;       // frames before the onset searched for the low point
constexpr uint32_t kAttackReach = 2;    // frames after the onset searched for the new level

}  // namespace

bool LevelRisesAt(std::span<const float> levels, uint32_t onset, float rise) {
    if (onset >= levels.size()) return false;
    const uint32_t first = onset >= kDipReach ? onset - kDipReach : 0;
    const uint32_t last = std::min<uint32_t>(static_cast<uint32_t>(levels.size()) - 1, onset + kAttackReach);
    float low = levels[first];
    for (uint32_t f = first; f <= onset; ++f) low = std::min(low, levels[f]);
    float high = levels[onset];
    for (uint32_t f = onset; f <= last; ++f) high = std::max(high, levels[f]);
    return high - low >= rise;
}

}  // namespace voxnote::precise
