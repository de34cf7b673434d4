#include "voxnote/analysis/precise/onsets/onset_picking.h"

#include <algorithm>
#include <array>

namespace voxnote::precise {

namespace {

constexpr int kLongestMedianReach = 32;

float LocalMedian(std::span<const float> flux, size_t centre, int reach) {
    std::array<float, 2 * kLongestMedianReach + 1> values{};
    const size_t first = centre >= static_cast<size_t>(reach) ? centre - static_cast<size_t>(reach) : 0;
    const size_t last = std::min(flux.size() - 1, centre + static_cast<size_t>(reach));
    size_t count = 0;
    for (size_t i = first; i <= last; ++i) values[count++] = flux[i];
    auto middle = values.begin() + static_cast<long>(count / 2);
    std::nth_element(values.begin(), middle, values.begin() + static_cast<long>(count));
    return *middle;
}

bool IsLocalPeak(std::span<const float> flux, size_t centre, int reach) {
    const size_t first = centre >= static_cast<size_t>(reach) ? centre - static_cast<size_t>(reach) : 0;
    const size_t last = std::min(flux.size() - 1, centre + static_cast<size_t>(reach));
    for (size_t i = first; i <= last; ++i) {
        // Of equal values on a plateau the first is the peak.
        if (i < centre && flux[i] >= flux[centre]) return false;
        if (i > centre && flux[i] > flux[centre]) return false;
    }
    return true;
}

}  // namespace

size_t PickOnsets(std::span<const float> flux, std::span<Onset> onsets, const OnsetPickingSettings& settings) {
    const int medianReach = std::min(settings.medianReach, kLongestMedianReach);
    size_t count = 0;
    int64_t last = -static_cast<int64_t>(settings.shortestGap);
    for (size_t t = 0; t < flux.size() && count < onsets.size(); ++t) {
        if (flux[t] < settings.floor) continue;
        if (static_cast<int64_t>(t) - last < settings.shortestGap) continue;
        if (!IsLocalPeak(flux, t, settings.peakReach)) continue;
        const float median = LocalMedian(flux, t, medianReach);
        if (flux[t] < settings.floor + settings.medianMultiple * median) continue;
        onsets[count++] = {static_cast<uint32_t>(t), flux[t] / (settings.floor + median)};
        last = static_cast<int64_t>(t);
    }
    return count;
}

}  // namespace voxnote::precise
