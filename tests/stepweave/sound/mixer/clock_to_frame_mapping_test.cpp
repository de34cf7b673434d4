#include "stepweave/sound/mixer/clock_to_frame_mapping.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace stepweave;

namespace {

constexpr int kBlockFrames = 256;
constexpr double kBlockMilliseconds = kBlockFrames / 44.1;
constexpr uint32_t kLatency = 20;

// A device asking for one block every 5.8 ms, whose clock readings are the
// whole milliseconds of when each callback runs.
struct SimulatedDevice {
    ClockToFrameMapping mapping{44100};
    int64_t block = 0;

    double IdealTime(int64_t atBlock) const { return 1000.0 + atBlock * kBlockMilliseconds; }
    // One callback, running `delay` ms after its block was due.
    void Callback(double delay = 0.0) {
        mapping.Observe(block * kBlockFrames, static_cast<uint32_t>(std::floor(IdealTime(block) + delay)));
        ++block;
    }
    // How far (ms) a sound stamped at `time` lands from where it belongs.
    double PlacementError(uint32_t time) const {
        const double ideal = (time + kLatency - 1000.0) * 44.1;
        return (static_cast<double>(mapping.FrameFor(time, kLatency)) - ideal) / 44.1;
    }
};

}  // namespace

TEST(ClockToFrameMapping, RegularCallbacksPlaceSoundsWithinAMillisecond) {
    SimulatedDevice device;
    for (int i = 0; i < 2000; ++i) {
        device.Callback(0.3 * (i % 7) / 7.0);  // a little jitter
    }
    EXPECT_LT(std::fabs(device.PlacementError(static_cast<uint32_t>(device.IdealTime(device.block)))), 1.0);
}

TEST(ClockToFrameMapping, ADeviceStallIsForgottenSoonAfterItCaughtUp) {
    SimulatedDevice device;
    for (int i = 0; i < 2000; ++i) {
        device.Callback();
    }
    // The device thread stalls for 66 ms, then renders the blocks it owes at once.
    const int64_t stalled = device.block;
    const double resume = device.IdealTime(stalled) + 66.0;
    while (device.IdealTime(device.block) < resume) {
        device.Callback(resume - device.IdealTime(device.block));
    }
    for (int i = 0; i < 17; ++i) {  // 100 ms of regular callbacks
        device.Callback();
    }
    EXPECT_LT(std::fabs(device.PlacementError(static_cast<uint32_t>(device.IdealTime(device.block)))), 1.0);
}
