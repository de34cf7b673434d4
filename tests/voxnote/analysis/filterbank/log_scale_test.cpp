#include "voxnote/analysis/filterbank/log_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace voxnote {
namespace {

TEST(CoarseLog, WorkedValues) {
    EXPECT_EQ(CoarseLog(674), 0u);
    EXPECT_EQ(CoarseLog(1000), 34u);
    EXPECT_EQ(CoarseLog(65536), 396u);
    EXPECT_EQ(CoarseLog(44187388), 960u);
    EXPECT_EQ(CoarseLog(1u << 30), 960u);
    EXPECT_EQ(CoarseLog(0), 0u);
    EXPECT_EQ(CoarseLog(0xFFFFFFFFu), 960u);
}

TEST(CoarseLog, SixtyStepsPerDoublingAndNeverFalls) {
    for (uint32_t x = 1000; x < 20000000; x = x * 3 / 2) {
        EXPECT_EQ(CoarseLog(2 * x), CoarseLog(x) + 60) << x;
    }
    uint32_t previous = 0;
    for (uint64_t x = 0; x < 50000000; x += 97) {
        uint32_t value = CoarseLog(static_cast<uint32_t>(x));
        ASSERT_GE(value, previous) << x;
        previous = value;
    }
}

TEST(FineLog, WorkedValues) {
    EXPECT_EQ(FineLog(400 * 65536), 100);
    EXPECT_EQ(FineLog(50 * 65536), 460);
}

TEST(FineLog, FollowsTheLogarithmToHalfAStep) {
    // F(v) = 1136.66 - 120*log2(v / 65536), rounded up to the next step (intervals
    // below 2.63 samples all give 969, beyond the 790 pitch steps).
    for (double interval = 2.7; interval < 520.0; interval *= 1.003) {
        uint32_t v = static_cast<uint32_t>(interval * 65536);
        double ideal = 1136.656 - 120.0 * std::log2(v / 65536.0);
        int32_t value = FineLog(v);
        EXPECT_GE(value, ideal - 0.02) << interval;
        EXPECT_LT(value, ideal + 1.02) << interval;
    }
}

}  // namespace
}  // namespace voxnote
