#include "stepweave/sound/backend/paced_backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "stepweave/sound/mixer/mixer.h"
#include "tests/stepweave/sound/mixer/sound_measure.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// The clock of a busy machine, moved by the device's own thread: every
// seventh sleep ends 40 ms after it was due, as a scheduler that gave the
// core to other work would end it. It never really waits.
class LateWakingClock : public MillisecondClock {
public:
    uint32_t Now() override { return now_.load(); }
    void SleepUntil(uint32_t due) override {
        const int sleep = ++sleeps_;
        now_ = due + (sleep % 7 == 3 ? 40 : 0);
    }

private:
    std::atomic<uint32_t> now_{1000};
    std::atomic<int> sleeps_{0};
};

// A paced device on that clock that keeps what it renders (room for it is
// made before it starts).
class KeepingPacedDevice : public PacedBackend {
public:
    static constexpr size_t kFrames = 2 * 44100;

    KeepingPacedDevice() { kept_.reserve(kFrames * Mixer::kChannels); }
    bool Open() override { return true; }
    MillisecondClock& Clock() override { return clock_; }
    const std::vector<float>& Kept() const { return kept_; }
    bool Full() const { return full_.load(); }

protected:
    void Deliver(const float* interleaved, int frames) override {
        const size_t values = static_cast<size_t>(frames) * Mixer::kChannels;
        if (kept_.size() + values <= kept_.capacity()) {
            kept_.insert(kept_.end(), interleaved, interleaved + values);
        } else {
            full_ = true;
        }
    }

private:
    LateWakingClock clock_;
    std::vector<float> kept_;
    std::atomic<bool> full_{false};
};

}  // namespace

TEST(PacedBackend, AThreadWokenLateMovesNoSoundInWhatItRenders) {
    KeepingPacedDevice device;
    Mixer mixer(device.Clock(), device.LatencyMilliseconds());
    auto memory = std::make_shared<SoundMemory>(100, 0);
    std::vector<int16_t> pulse(50, 8000);
    std::memcpy(memory->Bytes(), pulse.data(), 100);
    memory->Publish();
    // Steps 120 ms apart from 1600 ms on (the device has run a while by
    // then), stamped before the device runs.
    for (uint32_t step = 0; step < 6; ++step) {
        mixer.SetStampTime(1600 + 120 * step);
        mixer.CreateVoice(memory, PcmLayout{1, 16}, 44100)->Play(false);
    }
    mixer.SetStampTime(std::nullopt);
    ASSERT_TRUE(device.Start(mixer));
    while (!device.Full()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    device.Stop();

    // The device started at 1000 ms: a sound stamped t sounds at frame
    // (t - 1000 + latency) x 44.1, within the millisecond of the stamp.
    int64_t onset = -1;
    for (uint32_t step = 0; step < 6; ++step) {
        const int64_t previous = onset;
        onset = FirstSoundingFrame(device.Kept(), previous + 100);
        const double expected = (600.0 + 120.0 * step + device.LatencyMilliseconds()) * 44.1;
        EXPECT_NEAR(static_cast<double>(onset), expected, 44.1) << "step " << step;
        if (previous >= 0) {
            EXPECT_NEAR(onset - previous, 5292, 1) << "step " << step;
        }
    }
}
