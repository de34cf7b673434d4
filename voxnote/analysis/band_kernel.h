#pragma once
// The band-pass kernel every channel shares: 16 antisymmetric integer taps,
// spread over the history with the channel's tap spacing D (whole, thirds or
// halves of a sample). A fractional tap is split linearly between its two
// neighbouring samples and all coefficients are scaled by D's denominator, so
// the result stays an exact integer.
#include <cstdint>

namespace voxnote {

constexpr int kKernelTaps = 16;
constexpr int kMaxSplitTaps = 26;  // thirds: 6 whole taps + 10 split ones

// The kernel laid out for one spacing: sample offsets back from the read
// position and their integer weights.
struct SplitKernel {
    int tapCount = 0;
    int offsets[kMaxSplitTaps] = {};
    int32_t weights[kMaxSplitTaps] = {};
    int reach = 0;  // the largest offset
};

constexpr int32_t kKernelCoefficients[kKernelTaps] = {-7,   23,  -42,  63, -84, 103, -117, 125,
                                                      -125, 117, -103, 84, -63, 42,  -23,  7};

constexpr void AddKernelTap(SplitKernel& kernel, int offset, int32_t weight) {
    for (int i = 0; i < kernel.tapCount; ++i) {
        if (kernel.offsets[i] == offset) {
            kernel.weights[i] += weight;
            return;
        }
    }
    kernel.offsets[kernel.tapCount] = offset;
    kernel.weights[kernel.tapCount] = weight;
    ++kernel.tapCount;
    if (offset > kernel.reach) kernel.reach = offset;
}

// spacingNumerator / spacingDenominator = D; the denominator is 1, 2 or 3.
constexpr SplitKernel MakeSplitKernel(int spacingNumerator, int spacingDenominator) {
    SplitKernel kernel;
    for (int i = 0; i < kKernelTaps; ++i) {
        // Tap i sits D*(15-i) samples back: whole part and remainder in denominators.
        int scaled = spacingNumerator * (kKernelTaps - 1 - i);
        int whole = scaled / spacingDenominator;
        int remainder = scaled % spacingDenominator;
        int32_t coefficient = kKernelCoefficients[i];
        if (remainder == 0) {
            AddKernelTap(kernel, whole, coefficient * spacingDenominator);
        } else {
            // Linear split: the nearer sample gets the larger share.
            AddKernelTap(kernel, whole, coefficient * (spacingDenominator - remainder));
            AddKernelTap(kernel, whole + 1, coefficient * remainder);
        }
    }
    return kernel;
}

// The same kernel regrouped for speed: taps whose mirror carries the negated
// weight become pairs, weight * (s[p - a] - s[p - b]); the others stay single.
// Modulo 2^32 the sum is the same.
struct PairedKernel {
    int pairCount = 0;
    int pairNear[kMaxSplitTaps] = {};
    int pairFar[kMaxSplitTaps] = {};
    uint32_t pairWeight[kMaxSplitTaps] = {};
    int singleCount = 0;
    int singleOffset[kMaxSplitTaps] = {};
    uint32_t singleWeight[kMaxSplitTaps] = {};
};

constexpr PairedKernel PairKernelTaps(const SplitKernel& kernel) {
    PairedKernel paired;
    bool used[kMaxSplitTaps] = {};
    for (int i = 0; i < kernel.tapCount; ++i) {
        if (used[i]) continue;
        int mirror = -1;
        for (int j = i + 1; j < kernel.tapCount; ++j) {
            if (!used[j] && kernel.offsets[i] + kernel.offsets[j] == kernel.reach &&
                kernel.weights[j] == -kernel.weights[i]) {
                mirror = j;
                break;
            }
        }
        if (mirror >= 0) {
            used[i] = used[mirror] = true;
            paired.pairNear[paired.pairCount] = kernel.offsets[i];
            paired.pairFar[paired.pairCount] = kernel.offsets[mirror];
            paired.pairWeight[paired.pairCount] = static_cast<uint32_t>(kernel.weights[i]);
            ++paired.pairCount;
        } else {
            used[i] = true;
            paired.singleOffset[paired.singleCount] = kernel.offsets[i];
            paired.singleWeight[paired.singleCount] = static_cast<uint32_t>(kernel.weights[i]);
            ++paired.singleCount;
        }
    }
    return paired;
}

// out[p] = sum of weight * s[p - offset]. Wraps like 32-bit arithmetic would.
inline int32_t ApplyKernel(const SplitKernel& kernel, const int32_t* samples, int position) {
    uint32_t sum = 0;
    for (int i = 0; i < kernel.tapCount; ++i) {
        sum += static_cast<uint32_t>(kernel.weights[i]) *
               static_cast<uint32_t>(samples[position - kernel.offsets[i]]);
    }
    return static_cast<int32_t>(sum);
}

}  // namespace voxnote
