#pragma once
// A deterministic test signal: a sung-like melody (notes with a few harmonics,
// vibrato, soft attacks and releases, short rests) over a little noise.
#include <cmath>
#include <cstdint>
#include <vector>

namespace voxnote::testing {

// The tune, repeated: one note every 0.53 s (0.45 s sounding, 0.08 s rest).
inline constexpr int kSyntheticMelodyNotes[] = {57, 60, 64, 67, 69, 67, 64, 62, 60, 55, 48, 52, 59, 71, 74, 72};

inline std::vector<int16_t> SyntheticMelody(double seconds) {
    constexpr double kRate = 11025.0;
    constexpr double kTwoPi = 6.28318530717958647692;
    const int total = static_cast<int>(seconds * kRate);
    std::vector<int16_t> signal;
    signal.reserve(static_cast<size_t>(total));
    uint32_t noise = 12345;
    double phase = 0.0;
    const int noteSamples = static_cast<int>(0.45 * kRate);
    const int restSamples = static_cast<int>(0.08 * kRate);
    for (int n = 0; n < total; ++n) {
        int slot = n / (noteSamples + restSamples);
        int within = n % (noteSamples + restSamples);
        double value = 0.0;
        if (within < noteSamples) {
            int note = kSyntheticMelodyNotes[slot % 16];
            double hertz = 440.0 * std::pow(2.0, (note - 69) / 12.0);
            double vibrato = 1.0 + 0.012 * std::sin(kTwoPi * 5.5 * n / kRate);
            phase += kTwoPi * hertz * vibrato / kRate;
            double envelope = std::fmin(1.0, std::fmin(within / 400.0, (noteSamples - within) / 600.0));
            double loudness = 5000.0 + 2500.0 * ((slot * 7) % 5);
            value = envelope * loudness *
                    (std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.3 * std::sin(3 * phase) + 0.15 * std::sin(4 * phase));
        }
        noise = noise * 1664525u + 1013904223u;
        value += static_cast<double>(static_cast<int32_t>(noise >> 16) - 32768) / 32768.0 * 300.0;
        signal.push_back(static_cast<int16_t>(std::lround(std::fmax(-32768.0, std::fmin(32767.0, value)))));
    }
    return signal;
}

}  // namespace voxnote::testing
