#include "stepweave/sound/mixer/decibel_gain.h"

#include <cmath>

namespace stepweave {

float GainOfAttenuation(int32_t hundredthsOfDecibel) {
    if (hundredthsOfDecibel <= kSilentVolume) {
        return 0.0f;
    }
    if (hundredthsOfDecibel >= kFullVolume) {
        return 1.0f;
    }
    return static_cast<float>(std::pow(10.0, hundredthsOfDecibel / 2000.0));
}

StereoGains GainsForVolumeAndPan(int32_t volume, int32_t pan) {
    const float level = GainOfAttenuation(volume);
    StereoGains gains{level, level};
    if (pan > 0) {
        gains.left *= GainOfAttenuation(-pan);
    } else if (pan < 0) {
        gains.right *= GainOfAttenuation(pan);
    }
    return gains;
}

}  // namespace stepweave
