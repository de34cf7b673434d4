#include "voxnote/analysis/filter_bank.h"

#include <array>
#include <cstring>

#include "voxnote/analysis/detector_state.h"
#include "voxnote/analysis/period_tracker.h"
#include "voxnote/analysis/smoothing_chain.h"

namespace voxnote {
namespace {

// Outputs are computed in runs of 32: four vectors of eight lanes whose sums
// stay in registers while the taps go by.
constexpr int kLanes = 8;
constexpr int kRun = 4 * kLanes;
using Lanes = uint32_t __attribute__((vector_size(kLanes * sizeof(uint32_t))));

// Internal and always inlined, so the vector return never crosses a call
// boundary whose convention could differ between the clones below.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
[[gnu::always_inline]] inline Lanes LoadLanes(const int32_t* samples) {
    Lanes lanes;
    std::memcpy(&lanes, samples, sizeof lanes);
    return lanes;
}

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define VOXNOTE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VOXNOTE_VECTOR_CLONES
#endif

VOXNOTE_VECTOR_CLONES
void FilterRuns(const PairedKernel& kernel, const int32_t* history, int first, int runs, int32_t* out) {
    for (int run = 0; run < runs; ++run) {
        int p = first + run * kRun;
        Lanes sum0{}, sum1{}, sum2{}, sum3{};
        for (int t = 0; t < kernel.pairCount; ++t) {
            const int32_t* near = history + p - kernel.pairNear[t];
            const int32_t* far = history + p - kernel.pairFar[t];
            Lanes weight = Lanes{} + kernel.pairWeight[t];
            sum0 += weight * (LoadLanes(near) - LoadLanes(far));
            sum1 += weight * (LoadLanes(near + kLanes) - LoadLanes(far + kLanes));
            sum2 += weight * (LoadLanes(near + 2 * kLanes) - LoadLanes(far + 2 * kLanes));
            sum3 += weight * (LoadLanes(near + 3 * kLanes) - LoadLanes(far + 3 * kLanes));
        }
        for (int t = 0; t < kernel.singleCount; ++t) {
            const int32_t* tap = history + p - kernel.singleOffset[t];
            Lanes weight = Lanes{} + kernel.singleWeight[t];
            sum0 += weight * LoadLanes(tap);
            sum1 += weight * LoadLanes(tap + kLanes);
            sum2 += weight * LoadLanes(tap + 2 * kLanes);
            sum3 += weight * LoadLanes(tap + 3 * kLanes);
        }
        int32_t* target = out + run * kRun;
        std::memcpy(target, &sum0, sizeof sum0);
        std::memcpy(target + kLanes, &sum1, sizeof sum1);
        std::memcpy(target + 2 * kLanes, &sum2, sizeof sum2);
        std::memcpy(target + 3 * kLanes, &sum3, sizeof sum3);
    }
}
#pragma GCC diagnostic pop

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

// 1, 3, 3, 1 (or the 7-tap binomial) over the samples up to each position.
// History samples stay below 2^22 in magnitude, so the sums fit 32 bits.
void SmoothRun(const SmoothingWrite& smoothing, const int32_t* history, int first, int count, int32_t* out) {
    const int32_t* s = history + first;
    int shift = smoothing.shift;
    if (smoothing.kind == SmoothingKind::kBinomial7) {
        for (int i = 0; i < count; ++i) {
            const int32_t* t = s + i - 6;
            out[i] = (t[0] + 6 * t[1] + 15 * t[2] + 20 * t[3] + 15 * t[4] + 6 * t[5] + t[6]) >> shift;
        }
        return;
    }
    int d = smoothing.spacing;
    for (int i = 0; i < count; ++i) {
        out[i] = (s[i - 3 * d] + 3 * s[i - 2 * d] + 3 * s[i - d] + s[i]) >> shift;
    }
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
    TrackBandBlock(tracker, band, count, position, table);
    tracker.resumePosition = position + static_cast<uint32_t>(count);

    const SmoothingWrite& smoothing = layout.smoothing;
    if (smoothing.kind == SmoothingKind::kNone) return;
    // Every smoothed sample is taken before any is written: in sample order a
    // write always lands behind the samples the later positions read.
    int32_t* smoothed = band;
    SmoothRun(smoothing, history, first, count, smoothed);
    std::copy(smoothed, smoothed + count, history + first - smoothing.writtenBack);
}

}  // namespace voxnote
