#include "voxnote/analysis/filter_bank.h"

#include <array>

#include "voxnote/analysis/detector_state.h"
#include "voxnote/analysis/period_tracker.h"
#include "voxnote/analysis/smoothing_chain.h"

namespace voxnote {
namespace {

// Outputs are computed in runs of this many; a run's sums stay in registers.
constexpr int kRun = 64;

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define VOXNOTE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VOXNOTE_VECTOR_CLONES
#endif

VOXNOTE_VECTOR_CLONES
void FilterRuns(const PairedKernel& kernel, const int32_t* history, int first, int runs, int32_t* out) {
    for (int run = 0; run < runs; ++run) {
        int p = first + run * kRun;
        uint32_t sum[kRun] = {};
        for (int t = 0; t < kernel.pairCount; ++t) {
            const int32_t* near = history + p - kernel.pairNear[t];
            const int32_t* far = history + p - kernel.pairFar[t];
            uint32_t weight = kernel.pairWeight[t];
            for (int j = 0; j < kRun; ++j) {
                sum[j] += weight * (static_cast<uint32_t>(near[j]) - static_cast<uint32_t>(far[j]));
            }
        }
        for (int t = 0; t < kernel.singleCount; ++t) {
            const int32_t* tap = history + p - kernel.singleOffset[t];
            uint32_t weight = kernel.singleWeight[t];
            for (int j = 0; j < kRun; ++j) sum[j] += weight * static_cast<uint32_t>(tap[j]);
        }
        for (int j = 0; j < kRun; ++j) out[run * kRun + j] = static_cast<int32_t>(sum[j]);
    }
}

int32_t FilterOne(const PairedKernel& kernel, const int32_t* history, int p) {
    uint32_t sum = 0;
    for (int t = 0; t < kernel.pairCount; ++t) {
        sum += kernel.pairWeight[t] * (static_cast<uint32_t>(history[p - kernel.pairNear[t]]) -
                                       static_cast<uint32_t>(history[p - kernel.pairFar[t]]));
    }
    for (int t = 0; t < kernel.singleCount; ++t) {
        sum += kernel.singleWeight[t] * static_cast<uint32_t>(history[p - kernel.singleOffset[t]]);
    }
    return static_cast<int32_t>(sum);
}

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

constexpr std::array<SplitKernel, kChannelCount> kKernels = MakeKernels();

constexpr std::array<PairedKernel, kChannelCount> MakePairedKernels() {
    std::array<PairedKernel, kChannelCount> paired{};
    for (int k = 0; k < kChannelCount; ++k) paired[k] = PairKernelTaps(kKernels[k]);
    return paired;
}

constexpr std::array<PairedKernel, kChannelCount> kPairedKernels = MakePairedKernels();

}  // namespace

const SplitKernel& ChannelKernel(int channel) { return kKernels[channel]; }

void FilterBlock(const PairedKernel& kernel, const int32_t* history, int first, int count, int32_t* out) {
    int runs = count / kRun;
    FilterRuns(kernel, history, first, runs, out);
    for (int i = runs * kRun; i < count; ++i) out[i] = FilterOne(kernel, history, first + i);
}

void RunBandChannel(DetectorState& state, int channel) {
    const ChannelLayout& layout = kChannelLayouts[channel];
    BandChannel& tracker = state.channels[channel];
    int32_t* history = state.history;
    ChannelTableEntry* table = &state.channelTable[0][0];

    int count = static_cast<int>(state.running.blockBytes / 2);
    int first = kHistorySamples - kPreFilterLookahead - layout.readLag;
    int32_t band[kBlockSamples];
    FilterBlock(kPairedKernels[channel], history, first, count, band);
    uint32_t position = tracker.resumePosition;
    for (int i = 0; i < count; ++i) TrackBandSample(tracker, band[i], position + static_cast<uint32_t>(i), table);
    tracker.resumePosition = position + static_cast<uint32_t>(count);

    const SmoothingWrite& smoothing = layout.smoothing;
    if (smoothing.kind == SmoothingKind::kNone) return;
    // Every smoothed sample is taken before any is written: in sample order a
    // write always lands behind the samples the later positions read.
    int32_t* smoothed = band;
    for (int i = 0; i < count; ++i) smoothed[i] = SmoothedSample(smoothing, history, first + i);
    std::copy(smoothed, smoothed + count, history + first - smoothing.writtenBack);
}

}  // namespace voxnote
