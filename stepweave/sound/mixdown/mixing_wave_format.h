#pragma once
// The format a mixing wave starts with: 16-bit stereo PCM at 44100 Hz, the
// renderer's output.
#include "stepweave/sound/wav/wave_format.h"

namespace stepweave::wavaudio {

inline constexpr WaveFormat kMixingWaveFormat = PcmFormat(44100, 16, 2);

}  // namespace stepweave::wavaudio
