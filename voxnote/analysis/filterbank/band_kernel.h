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

// The same kernel regrouped for speed, one multiplication per coefficient.
// Tap i and its mirror 15 - i carry opposite coefficients c, so each such
// couple becomes one group, c times a sum of the samples both taps reach:
//  - whole spacing, or both taps on whole samples: c * d * (s[p - a] - s[p - b]);
//  - halves (one tap on a whole sample, the other split 1:1):
//    c * (s[p - a] + s[p - a - 1] - 2 * s[p - b]);
//  - thirds (the taps split 2:1 and 1:2):
//    c * (2 * (s[p - a] - s[p - b]) + (s[p - e] - s[p - f])).
// Modulo 2^32 every group is the sum of its taps' weighted samples, so the
// total is the same as tap by tap.
constexpr int kTapCouples = kKernelTaps / 2;

struct GroupedKernel {
    int pairCount = 0;
    int pairA[kTapCouples] = {};
    int pairB[kTapCouples] = {};
    uint32_t pairWeight[kTapCouples] = {};
    int halfCount = 0;
    int halfSplit[kTapCouples] = {};  // a: the split tap's nearer sample
    int halfWhole[kTapCouples] = {};  // b
    uint32_t halfWeight[kTapCouples] = {};
    int thirdCount = 0;
    int thirdOffsets[kTapCouples][4] = {};  // a, b, e, f
    uint32_t thirdWeight[kTapCouples] = {};
};

// spacingNumerator / spacingDenominator = D; the denominator is 1, 2 or 3.
constexpr GroupedKernel GroupKernelTaps(int spacingNumerator, int spacingDenominator) {
    GroupedKernel grouped;
    int d = spacingDenominator;
    for (int i = 0; i < kTapCouples; ++i) {
        int mirror = kKernelTaps - 1 - i;
        // Whole part and remainder (in denominators) of each tap's distance back.
        int scaled = spacingNumerator * (kKernelTaps - 1 - i);
        int scaledMirror = spacingNumerator * (kKernelTaps - 1 - mirror);
        int w = scaled / d, r = scaled % d;
        int m = scaledMirror / d, rm = scaledMirror % d;
        int32_t c = kKernelCoefficients[i];  // the mirror carries -c
        if (r == 0 && rm == 0) {
            grouped.pairA[grouped.pairCount] = w;
            grouped.pairB[grouped.pairCount] = m;
            grouped.pairWeight[grouped.pairCount] = static_cast<uint32_t>(c * d);
            ++grouped.pairCount;
        } else if (d == 2) {
            // c * (s[w] + s[w+1]) - 2c * s[m], or 2c * s[w] - c * (s[m] + s[m+1]).
            bool tapSplit = r != 0;
            grouped.halfSplit[grouped.halfCount] = tapSplit ? w : m;
            grouped.halfWhole[grouped.halfCount] = tapSplit ? m : w;
            grouped.halfWeight[grouped.halfCount] = static_cast<uint32_t>(tapSplit ? c : -c);
            ++grouped.halfCount;
        } else {
            // Remainder 1 weighs 2:1 on (w, w+1), remainder 2 weighs 1:2; the
            // mirror's remainder is the other one.
            int* offsets = grouped.thirdOffsets[grouped.thirdCount];
            if (r == 1) {
                // c * (2 s[w] + s[w+1] - s[m] - 2 s[m+1])
                offsets[0] = w, offsets[1] = m + 1, offsets[2] = w + 1, offsets[3] = m;
            } else {
                // c * (s[w] + 2 s[w+1] - 2 s[m] - s[m+1])
                offsets[0] = w + 1, offsets[1] = m, offsets[2] = w, offsets[3] = m + 1;
            }
            grouped.thirdWeight[grouped.thirdCount] = static_cast<uint32_t>(c);
            ++grouped.thirdCount;
        }
    }
    return grouped;
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
