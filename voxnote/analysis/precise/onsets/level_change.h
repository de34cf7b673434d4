#pragma once
// How the level moves at an onset, in log units (10 per dB).
//
// LevelRisesAt: the loudest of the onset frame and the two after it stands at
// least `rise` above the quietest of the four frames before it and the onset
// frame. A new attack does; vibrato, tremolo or a held note's drift do not.
//
// LevelFallsAt: four frames after the onset the level lies more than `fall`
// below where it was two frames before it: the spectral smear of a sound
// that stops, not a new sound.
#include <cstdint>
#include <span>

namespace voxnote::precise {

bool LevelRisesAt(std::span<const float> levels, uint32_t onset, float rise);
bool LevelFallsAt(std::span<const float> levels, uint32_t onset, float fall);

}  // namespace voxnote::precise
