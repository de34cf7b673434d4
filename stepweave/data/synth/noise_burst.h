#pragma once
// Band-limited noise with an attack and an exponential decay: the snare's
// wires, a stick's click, a shaker's rattle. The noise is seeded, so the
// burst is the same every time.
#include <cstdint>

#include "stepweave/data/synth/oversampled_sound.h"

namespace stepweave {

struct NoiseBurst {
    uint64_t seed = 1;
    double amplitude = 1.0;
    double startSeconds = 0.0;
    double attackSeconds = 0.0005;
    double decaySeconds = 0.05;
    // The noise is high-passed at lowCutHz and low-passed at highCutHz.
    double lowCutHz = 20.0;
    double highCutHz = 20000.0;
};

void AddNoiseBurst(OversampledSound& sound, const NoiseBurst& burst);

}  // namespace stepweave
