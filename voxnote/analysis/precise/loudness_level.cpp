#include "voxnote/analysis/precise/loudness_level.h"

#include <algorithm>
#include <cmath>

namespace voxnote::precise {

namespace {

constexpr double kUnitsPerDoubling = 60.0;
constexpr double kLevelOfUnitAmplitude = -78.0;

}  // namespace

float LevelOfMeanSquare(double meanSquare) {
    // A sine's amplitude is its RMS times sqrt(2): log2(A) = 0.5 * log2(2 * meanSquare).
    if (meanSquare <= 0.5) return 0.0f;
    const double level = kUnitsPerDoubling * 0.5 * std::log2(2.0 * meanSquare) + kLevelOfUnitAmplitude;
    return static_cast<float>(std::max(0.0, level));
}

float WindowLevel(std::span<const int16_t> samples, int64_t from, int count) {
    const int64_t size = static_cast<int64_t>(samples.size());
    const int64_t first = std::clamp<int64_t>(from, 0, size);
    const int64_t last = std::clamp<int64_t>(from + count, 0, size);
    double sum = 0.0;
    for (int64_t i = first; i < last; ++i) {
        const double value = samples[static_cast<size_t>(i)];
        sum += value * value;
    }
    return LevelOfMeanSquare(count > 0 ? sum / count : 0.0);
}

}  // namespace voxnote::precise
