#pragma once
// Turns a synthesised sound into the 16-bit samples of the kit: down to
// 44100 Hz, DC removed, a short fade-in from exact zero and a fade-out to
// exact zero (no clicks where the sound starts and stops), and scaled so its
// peak sits just below full scale.
#include <cstdint>
#include <vector>

#include "stepweave/data/synth/oversampled_sound.h"

namespace stepweave {

// About -0.9 dBFS: loud, with room for the resampling of the sound output.
inline constexpr int kDrumPeakLevel = 29500;

std::vector<int16_t> FinishSound(const OversampledSound& sound);

}  // namespace stepweave
