#pragma once
// Volume and pan in hundredths of a decibel, as linear gains.
// Volume is attenuation: 0 is full level, -10000 is silence.
// Pan attenuates the far side by |pan|: -10000 leaves only the left side,
// 10000 only the right, 0 both at full level.
#include <cstdint>

namespace stepweave {

// The ranges of the two controls.
inline constexpr int32_t kSilentVolume = -10000;
inline constexpr int32_t kFullVolume = 0;
inline constexpr int32_t kPanLeft = -10000;
inline constexpr int32_t kPanRight = 10000;

struct StereoGains {
    float left = 1.0f;
    float right = 1.0f;
};

// 10^(hundredths / 2000); exactly 0 at -10000 or below.
float GainOfAttenuation(int32_t hundredthsOfDecibel);

StereoGains GainsForVolumeAndPan(int32_t volume, int32_t pan);

}  // namespace stepweave
