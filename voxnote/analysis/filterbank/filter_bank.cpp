#include "voxnote/analysis/filterbank/filter_bank.h"

#include <array>
#include <cstring>

#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/filterbank/period_tracker.h"
#include "voxnote/analysis/filterbank/smoothing_chain.h"

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
void FilterRuns(const GroupedKernel& kernel, const int32_t* history, int first, int runs, int32_t* out) {
    for (int run = 0; run < runs; ++run) {
        int p = first + run * kRun;
        Lanes sum0{}, sum1{}, sum2{}, sum3{};
        for (int t = 0; t < kernel.pairCount; ++t) {
            const int32_t* a = history + p - kernel.pairA[t];
            const int32_t* b = history + p - kernel.pairB[t];
            Lanes weight = Lanes{} + kernel.pairWeight[t];
            sum0 += weight * (LoadLanes(a) - LoadLanes(b));
            sum1 += weight * (LoadLanes(a + kLanes) - LoadLanes(b + kLanes));
            sum2 += weight * (LoadLanes(a + 2 * kLanes) - LoadLanes(b + 2 * kLanes));
            sum3 += weight * (LoadLanes(a + 3 * kLanes) - LoadLanes(b + 3 * kLanes));
        }
        for (int t = 0; t < kernel.halfCount; ++t) {
            // The split tap's two samples: a and the one before it, a - 1.
            const int32_t* a = history + p - kernel.halfSplit[t];
            const int32_t* b = history + p - kernel.halfWhole[t];
            Lanes weight = Lanes{} + kernel.halfWeight[t];
            sum0 += weight * (LoadLanes(a) + LoadLanes(a - 1) - (LoadLanes(b) << 1));
            sum1 += weight * (LoadLanes(a + kLanes) + LoadLanes(a - 1 + kLanes) - (LoadLanes(b + kLanes) << 1));
            sum2 += weight *
                    (LoadLanes(a + 2 * kLanes) + LoadLanes(a - 1 + 2 * kLanes) - (LoadLanes(b + 2 * kLanes) << 1));
            sum3 += weight *
                    (LoadLanes(a + 3 * kLanes) + LoadLanes(a - 1 + 3 * kLanes) - (LoadLanes(b + 3 * kLanes) << 1));
        }
        for (int t = 0; t < kernel.thirdCount; ++t) {
            const int* offsets = kernel.thirdOffsets[t];
            const int32_t* a = history + p - offsets[0];
            const int32_t* b = history + p - offsets[1];
            const int32_t* e = history + p - offsets[2];
            const int32_t* f = history + p - offsets[3];
            Lanes weight = Lanes{} + kernel.thirdWeight[t];
            sum0 += weight * (((LoadLanes(a) - LoadLanes(b)) << 1) + (LoadLanes(e) - LoadLanes(f)));
            sum1 += weight * (((LoadLanes(a + kLanes) - LoadLanes(b + kLanes)) << 1) +
                              (LoadLanes(e + kLanes) - LoadLanes(f + kLanes)));
            sum2 += weight * (((LoadLanes(a + 2 * kLanes) - LoadLanes(b + 2 * kLanes)) << 1) +
                              (LoadLanes(e + 2 * kLanes) - LoadLanes(f + 2 * kLanes)));
            sum3 += weight * (((LoadLanes(a + 3 * kLanes) - LoadLanes(b + 3 * kLanes)) << 1) +
                              (LoadLanes(e + 3 * kLanes) - LoadLanes(f + 3 * kLanes)));
        }
        int32_t* target = out + run * kRun;
        std::memcpy(target, &sum0, sizeof sum0);
        std::memcpy(target + kLanes, &sum1, sizeof sum1);
        std::memcpy(target + 2 * kLanes, &sum2, sizeof sum2);
        std::memcpy(target + 3 * kLanes, &sum3, sizeof sum3);
    }
}
#pragma GCC diagnostic pop

int32_t FilterOne(const GroupedKernel& kernel, const int32_t* history, int p) {
    auto at = [&](int offset) { return static_cast<uint32_t>(history[p - offset]); };
    uint32_t sum = 0;
    for (int t = 0; t < kernel.pairCount; ++t) {
        sum += kernel.pairWeight[t] * (at(kernel.pairA[t]) - at(kernel.pairB[t]));
    }
    for (int t = 0; t < kernel.halfCount; ++t) {
        uint32_t split = at(kernel.halfSplit[t]) + at(kernel.halfSplit[t] + 1);
        sum += kernel.halfWeight[t] * (split - (at(kernel.halfWhole[t]) << 1));
    }
    for (int t = 0; t < kernel.thirdCount; ++t) {
        const int* offsets = kernel.thirdOffsets[t];
        uint32_t twice = (at(offsets[0]) - at(offsets[1])) << 1;
        sum += kernel.thirdWeight[t] * (twice + (at(offsets[2]) - at(offsets[3])));
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

// 1, 3, 3, 1 (or the 7-tap binomial) over the samples up to each position,
// eight outputs at a time, the rest one by one. History samples stay below
// 2^22 in magnitude, so the sums fit 32 bits and the shift is arithmetic.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
using SignedLanes = int32_t __attribute__((vector_size(kLanes * sizeof(int32_t))));

VOXNOTE_VECTOR_CLONES
void SmoothBinomial4(const int32_t* s, int count, int d, int shift, int32_t* out) {
    int i = 0;
    for (; count - i >= kLanes; i += kLanes) {
        Lanes sum = LoadLanes(s + i - 3 * d) + 3 * LoadLanes(s + i - 2 * d) + 3 * LoadLanes(s + i - d) +
                    LoadLanes(s + i);
        SignedLanes smoothed = reinterpret_cast<SignedLanes>(sum) >> shift;
        std::memcpy(out + i, &smoothed, sizeof smoothed);
    }
    for (; i < count; ++i) out[i] = (s[i - 3 * d] + 3 * s[i - 2 * d] + 3 * s[i - d] + s[i]) >> shift;
}

VOXNOTE_VECTOR_CLONES
void SmoothBinomial7(const int32_t* s, int count, int shift, int32_t* out) {
    int i = 0;
    for (; count - i >= kLanes; i += kLanes) {
        const int32_t* t = s + i - 6;
        Lanes sum = LoadLanes(t) + 6 * LoadLanes(t + 1) + 15 * LoadLanes(t + 2) + 20 * LoadLanes(t + 3) +
                    15 * LoadLanes(t + 4) + 6 * LoadLanes(t + 5) + LoadLanes(t + 6);
        SignedLanes smoothed = reinterpret_cast<SignedLanes>(sum) >> shift;
        std::memcpy(out + i, &smoothed, sizeof smoothed);
    }
    for (; i < count; ++i) {
        const int32_t* t = s + i - 6;
        out[i] = (t[0] + 6 * t[1] + 15 * t[2] + 20 * t[3] + 15 * t[4] + 6 * t[5] + t[6]) >> shift;
    }
}
#pragma GCC diagnostic pop

void SmoothRun(const SmoothingWrite& smoothing, const int32_t* history, int first, int count, int32_t* out) {
    const int32_t* s = history + first;
    if (smoothing.kind == SmoothingKind::kBinomial7) {
        SmoothBinomial7(s, count, smoothing.shift, out);
    } else {
        SmoothBinomial4(s, count, smoothing.spacing, smoothing.shift, out);
    }
}

constexpr std::array<SplitKernel, kChannelCount> kKernels = MakeKernels();

constexpr std::array<GroupedKernel, kChannelCount> MakeGroupedKernels() {
    std::array<GroupedKernel, kChannelCount> grouped{};
    for (int k = 0; k < kChannelCount; ++k) {
        grouped[k] = GroupKernelTaps(kChannelLayouts[k].spacingNumerator, kChannelLayouts[k].spacingDenominator);
    }
    return grouped;
}

constexpr std::array<GroupedKernel, kChannelCount> kGroupedKernels = MakeGroupedKernels();

}  // namespace

const SplitKernel& ChannelKernel(int channel) { return kKernels[channel]; }

void FilterBlock(const GroupedKernel& kernel, const int32_t* history, int first, int count, int32_t* out) {
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
    FilterBlock(kGroupedKernels[channel], history, first, count, band);
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
