#include "voxnote/analysis/filter_bank.h"

#include <array>

#include "voxnote/analysis/detector_state.h"
#include "voxnote/analysis/period_tracker.h"
#include "voxnote/analysis/smoothing_chain.h"

namespace voxnote {
namespace {

constexpr std::array<SplitKernel, kChannelCount> MakeKernels() {
    std::array<SplitKernel, kChannelCount> kernels{};
    for (int k = 0; k < kChannelCount; ++k) {
        kernels[k] = MakeSplitKernel(kChannelLayouts[k].spacingNumerator,
                                     kChannelLayouts[k].spacingDenominator);
    }
    return kernels;
}

// 1, 3, 3, 1 (or the 7-tap binomial) over the samples up to position.
int32_t SmoothedSample(const SmoothingWrite& smoothing, const int32_t* history, int position) {
    int64_t sum;
    if (smoothing.kind == SmoothingKind::kBinomial7) {
        const int32_t* s = history + position - 6;
        sum = int64_t{s[0]} + 6 * int64_t{s[1]} + 15 * int64_t{s[2]} + 20 * int64_t{s[3]} +
              15 * int64_t{s[4]} + 6 * int64_t{s[5]} + s[6];
    } else {
        int d = smoothing.spacing;
        sum = int64_t{history[position - 3 * d]} + 3 * int64_t{history[position - 2 * d]} +
              3 * int64_t{history[position - d]} + history[position];
    }
    return static_cast<int32_t>(sum >> smoothing.shift);
}

}  // namespace

const SplitKernel& ChannelKernel(int channel) {
    static constexpr std::array<SplitKernel, kChannelCount> kKernels = MakeKernels();
    return kKernels[channel];
}

void RunBandChannel(DetectorState& state, int channel) {
    const ChannelLayout& layout = kChannelLayouts[channel];
    const SplitKernel& kernel = ChannelKernel(channel);
    BandChannel& tracker = state.channels[channel];
    int32_t* history = state.history;
    ChannelTableEntry* table = &state.channelTable[0][0];

    int count = static_cast<int>(state.running.blockBytes / 2);
    int first = kHistorySamples - kPreFilterLookahead - layout.readLag;
    uint32_t position = tracker.resumePosition;
    for (int p = first; p < first + count; ++p, ++position) {
        TrackBandSample(tracker, ApplyKernel(kernel, history, p), position, table);
        if (layout.smoothing.kind != SmoothingKind::kNone) {
            history[p - layout.smoothing.writtenBack] = SmoothedSample(layout.smoothing, history, p);
        }
    }
    tracker.resumePosition = position;
}

}  // namespace voxnote
