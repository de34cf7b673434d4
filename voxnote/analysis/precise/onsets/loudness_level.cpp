#include "voxnote/analysis/precise/onsets/loudness_level.h"

#include <algorithm>
#include <cmath>

namespace voxnote::precise {

namespace {

constexpr double kUnitsPerDoubling = 60.0;
// A sine of amplitude A at 440 Hz moves by D = 2 A sin(pi 440 / 11025) = A / 4
// per sample: 60 log2(A) - 78 = 60 log2(D) + 42.
constexpr double kLevelOfUnitMovement = 42.0;

}  // namespace

float LevelOfMovement(double meanSquareDifference) {
    // A sine's peak is its RMS times sqrt(2): log2(D) = 0.5 * log2(2 * meanSquare).
    if (meanSquareDifference <= 0.5) return 0.0f;
    const double level = kUnitsPerDoubling * 0.5 * std::log2(2.0 * meanSquareDifference) + kLevelOfUnitMovement;
    return static_cast<float>(std::max(0.0, level));
}

float WindowLevel(std::span<const int16_t> samples, int64_t from, int count) {
    const int64_t size = static_cast<int64_t>(samples.size());
    auto at = [&](int64_t i) { return i >= 0 && i < size ? static_cast<double>(samples[static_cast<size_t>(i)]) : 0.0; };
    double sum = 0.0;
    double previous = at(from - 1);
    for (int64_t i = from; i < from + count; ++i) {
        const double value = at(i);
        sum += (value - previous) * (value - previous);
        previous = value;
    }
    return LevelOfMovement(count > 0 ? sum / count : 0.0);
}

}  // namespace voxnote::precise
