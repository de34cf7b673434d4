#include "voxnote/analysis/filterbank/band_kernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "voxnote/analysis/filterbank/filter_bank.h"
#include "voxnote/analysis/filterbank/smoothing_chain.h"

namespace voxnote {
namespace {

TEST(BandKernel, WholeThirdAndHalfSpacingsSplitTheirTaps) {
    SplitKernel whole = MakeSplitKernel(14, 1);
    EXPECT_EQ(whole.tapCount, 16);
    EXPECT_EQ(whole.reach, 210);
    SplitKernel half = MakeSplitKernel(21, 2);
    EXPECT_EQ(half.tapCount, 24);
    EXPECT_EQ(half.reach, 158);
    SplitKernel third = MakeSplitKernel(7, 3);
    EXPECT_EQ(third.tapCount, 26);
    EXPECT_EQ(third.reach, 35);
    // 7/3 samples: the tap one spacing back sits at 2 1/3, two thirds on sample 2.
    EXPECT_EQ(third.offsets[0], 35);
    EXPECT_EQ(third.weights[0], -7 * 3);
}

TEST(BandKernel, GroupedEvaluationEqualsTapByTap) {
    // Full-range samples, so the sums wrap: the grouping must agree modulo 2^32.
    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> any(std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max());
    std::vector<int32_t> history(2000);
    for (int32_t& sample : history) sample = any(random);
    for (int k = 0; k < kChannelCount; ++k) {
        const ChannelLayout& layout = kChannelLayouts[k];
        GroupedKernel grouped = GroupKernelTaps(layout.spacingNumerator, layout.spacingDenominator);
        EXPECT_EQ(grouped.pairCount + grouped.halfCount + grouped.thirdCount, 8) << "channel " << k;
        int first = ChannelKernel(k).reach;
        int count = 100;  // three vector runs and a tail of four
        std::vector<int32_t> out(count);
        FilterBlock(grouped, history.data(), first, count, out.data());
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(out[i], ApplyKernel(ChannelKernel(k), history.data(), first + i)) << "channel " << k;
        }
    }
}

TEST(BandKernel, PassesItsBandAndBlocksSteadyInput) {
    for (int k = 0; k < kChannelCount; ++k) {
        const SplitKernel& kernel = ChannelKernel(k);
        int32_t sum = 0;
        for (int i = 0; i < kernel.tapCount; ++i) sum += kernel.weights[i];
        EXPECT_EQ(sum, 0) << "channel " << k;
        // Strongest response at 11025 / (2 D) Hz rather than an octave away.
        const ChannelLayout& layout = kChannelLayouts[k];
        double centre = 11025.0 * layout.spacingDenominator / (2.0 * layout.spacingNumerator);
        auto gain = [&](double hertz) {
            double re = 0, im = 0;
            for (int i = 0; i < kernel.tapCount; ++i) {
                double phase = 2 * 3.14159265358979 * hertz * kernel.offsets[i] / 11025.0;
                re += kernel.weights[i] * std::cos(phase);
                im += kernel.weights[i] * std::sin(phase);
            }
            return std::hypot(re, im);
        };
        EXPECT_GT(gain(centre), 4 * gain(centre / 2)) << "channel " << k;
        if (centre * 2 < 5500) {
            EXPECT_GT(gain(centre), 4 * gain(centre * 2)) << "channel " << k;
        }
    }
}

TEST(SmoothingChain, EachWriteLandsJustBeyondItsGroupAndFeedsTheNext) {
    for (int k = 0; k < kChannelCount; ++k) {
        const ChannelLayout& layout = kChannelLayouts[k];
        if (layout.smoothing.kind == SmoothingKind::kNone) continue;
        int groupReach = 0;
        for (int j = k; j < kChannelCount && kChannelLayouts[j].readLag == layout.readLag; ++j) {
            groupReach = std::max(groupReach, ChannelKernel(j).reach);
        }
        EXPECT_GE(layout.smoothing.writtenBack, groupReach) << "channel " << k;
        ASSERT_GT(k, 0);
        EXPECT_EQ(kChannelLayouts[k - 1].readLag, layout.readLag + layout.smoothing.writtenBack)
            << "channel " << k;
    }
    // The slowest channels reach exactly to the oldest sample of the history.
    EXPECT_EQ(kChannelLayouts[0].readLag + ChannelKernel(0).reach + kPreFilterLookahead, 4378);
}

}  // namespace
}  // namespace voxnote
