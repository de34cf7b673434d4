#include "voxnote/analysis/precise/onsets/level_change.h"

#include <algorithm>

namespace voxnote::precise {

namespace {

constexpr uint32_t kDipReach = 4;       // frames before the onset searched for the low point
constexpr uint32_t kAttackReach = 2;    // frames after the onset searched for the new level
constexpr uint32_t kFallFrom = 2;       // frames before the onset: the level a fall is measured from
constexpr uint32_t kFallTo = 4;         // frames after it: where the level is looked at

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

bool LevelFallsAt(std::span<const float> levels, uint32_t onset, float fall) {
    if (onset >= levels.size()) return false;
    const uint32_t before = onset >= kFallFrom ? onset - kFallFrom : 0;
    const uint32_t after = std::min<uint32_t>(static_cast<uint32_t>(levels.size()) - 1, onset + kFallTo);
    return levels[after] < levels[before] - fall;
}

}  // namespace voxnote::precise
