#pragma once
// From a signal in doubles to the analysis format's 16-bit samples, and the
// noise floor of a poor recording.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "bench/voxnote/analysis/precise/set_random.h"

namespace voxnote::evaluation {

inline std::vector<int16_t> ToSamples(const std::vector<double>& signal) {
    std::vector<int16_t> samples(signal.size());
    for (size_t i = 0; i < signal.size(); ++i) {
        samples[i] = static_cast<int16_t>(std::lround(std::clamp(signal[i], -32768.0, 32767.0)));
    }
    return samples;
}

// The signal scaled so that its loudest sample is `peak`.
inline std::vector<int16_t> ToSamplesPeakingAt(std::vector<double> signal, double peak) {
    double loudest = 0;
    for (double value : signal) loudest = std::max(loudest, std::fabs(value));
    if (loudest > 0) {
        for (double& value : signal) value *= peak / loudest;
    }
    return ToSamples(signal);
}

// White noise `snrDb` below the signal's RMS where it sounds.
inline void AddNoise(std::vector<double>& signal, SetRandom& random, double snrDb) {
    double energy = 0;
    size_t sounding = 0;
    for (double value : signal) {
        energy += value * value;
        if (value != 0.0) ++sounding;
    }
    const double rms = std::sqrt(energy / std::max<size_t>(1, sounding));
    const double noise = rms * std::pow(10.0, -snrDb / 20.0);
    for (double& value : signal) value += noise * random.Gaussian();
}

}  // namespace voxnote::evaluation
