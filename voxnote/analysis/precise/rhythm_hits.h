#pragma once
// Rhythm mode after the frame pass: every onset of the spectral flux that
// starts a sound is a hit. It starts where the level envelope says the sound
// began, is as loud as its short-term peak, and lasts until the frame level
// has fallen by the release drop below its peak, or the next hit comes.
#include <cstdint>
#include <span>

#include "voxnote/analysis/precise/detector_work.h"

namespace voxnote::precise {

// Writes work.notes / work.noteCount; releaseDrop in log units.
void FindRhythmHits(std::span<const int16_t> samples, size_t frameCount, uint32_t releaseDrop, DetectorWork& work);

}  // namespace voxnote::precise
