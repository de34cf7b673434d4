#pragma once
// What both mixing-wave targets do with a wave that loaded: read every sample
// the loader accepted, and one frame and one channel past each end.
#include <algorithm>
#include <cstdint>

#include "stepweave/sound/mixdown/mixing_wave.h"

namespace stepweave::fuzzing {

inline void ReadEverySample(wavaudio::MixingWave& wave) {
    const int channels = std::min<int>(wave.Format().channels, 3);
    for (int64_t frame = -1; frame <= wave.Frames(); ++frame) {
        for (int channel = -1; channel <= channels; ++channel) {
            volatile int16_t sample = wave.GetSample(channel, frame);
            (void)sample;
        }
    }
}

}  // namespace stepweave::fuzzing
