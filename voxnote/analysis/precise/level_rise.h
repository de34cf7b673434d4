#pragma once
// Whether the level rises at an onset: the loudest of the onset frame and the
// two after it stands at least `rise` (log units, 10 per dB) above the
// quietest of the four frames before it and the onset frame. A new attack
// does; the spectral smear of a sound's end, vibrato or a held note's drift
// do not.
#include <cstdint>
#include <span>

namespace voxnote::precise {

bool LevelRisesAt(std::span<const float> levels, uint32_t onset, float rise);

}  // namespace voxnote::precise
