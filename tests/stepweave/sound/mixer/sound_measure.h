#pragma once
// Measurements on rendered interleaved stereo output, for tests that listen.
#include <cmath>
#include <cstdint>
#include <vector>

namespace stepweave::testing {

enum class Side { Left = 0, Right = 1 };

inline float SampleAt(const std::vector<float>& output, int64_t frame, Side side) {
    return output[static_cast<size_t>(frame) * 2 + static_cast<size_t>(side)];
}

inline int64_t FrameCount(const std::vector<float>& output) { return static_cast<int64_t>(output.size() / 2); }

// First frame at or after `from` where either side exceeds the threshold; -1 if none.
inline int64_t FirstSoundingFrame(const std::vector<float>& output, int64_t from = 0, float threshold = 1e-6f) {
    for (int64_t frame = from; frame < FrameCount(output); ++frame) {
        if (std::fabs(SampleAt(output, frame, Side::Left)) > threshold ||
            std::fabs(SampleAt(output, frame, Side::Right)) > threshold) {
            return frame;
        }
    }
    return -1;
}

// Last frame where either side exceeds the threshold; -1 if none.
inline int64_t LastSoundingFrame(const std::vector<float>& output, float threshold = 1e-6f) {
    for (int64_t frame = FrameCount(output) - 1; frame >= 0; --frame) {
        if (std::fabs(SampleAt(output, frame, Side::Left)) > threshold ||
            std::fabs(SampleAt(output, frame, Side::Right)) > threshold) {
            return frame;
        }
    }
    return -1;
}

inline float Peak(const std::vector<float>& output, Side side, int64_t from = 0, int64_t to = -1) {
    if (to < 0) {
        to = FrameCount(output);
    }
    float peak = 0.0f;
    for (int64_t frame = from; frame < to; ++frame) {
        peak = std::fmax(peak, std::fabs(SampleAt(output, frame, side)));
    }
    return peak;
}

inline double DecibelsBetween(double amplitude, double reference) { return 20.0 * std::log10(amplitude / reference); }

// Upward zero crossings of one side in [from, to): one per cycle of a tone.
inline int UpwardZeroCrossings(const std::vector<float>& output, Side side, int64_t from, int64_t to) {
    int crossings = 0;
    for (int64_t frame = from + 1; frame < to; ++frame) {
        if (SampleAt(output, frame - 1, side) < 0.0f && SampleAt(output, frame, side) >= 0.0f) {
            ++crossings;
        }
    }
    return crossings;
}

// Interleaved 16-bit PCM frames of a sine, `channels` channels.
inline std::vector<int16_t> Sine16(int frames, double cyclesPerFrame, double amplitude, int channels = 1) {
    std::vector<int16_t> samples;
    for (int frame = 0; frame < frames; ++frame) {
        const auto value = static_cast<int16_t>(std::lround(amplitude * 32767.0 * std::sin(2 * M_PI * cyclesPerFrame * frame)));
        for (int channel = 0; channel < channels; ++channel) {
            samples.push_back(value);
        }
    }
    return samples;
}

}  // namespace stepweave::testing
