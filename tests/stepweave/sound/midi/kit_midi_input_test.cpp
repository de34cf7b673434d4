// The kit played from MIDI on a hand-pumped output: a hit from an input
// thread sounds from the first frame of the next block, at its level and the
// slot's pan, and reaches the main thread too.
#include "stepweave/sound/midi/kit_midi_input.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <thread>

#include "tests/stepweave/sound/output/manual_sound_output.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/voices/sound_device.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

constexpr int16_t kKickLevel = 8000;

WaveData ConstantWave(int frames, int16_t level) {
    const WaveFormatRecord record = EncodeWaveFormat(PcmFormat(44100, 16, 1));
    WaveData wave;
    wave.SetFormat(record.data(), static_cast<int32_t>(record.size()));
    wave.SetSize(frames * 2);
    const std::vector<int16_t> samples(static_cast<size_t>(frames), level);
    std::memcpy(wave.Data(), samples.data(), samples.size() * 2);
    return wave;
}

struct LiveKit : ::testing::Test {
    LiveKit() {
        for (const char* name : {"", "Kick      [ ]"}) {
            WaveCollectionItem& item = kit.Items().Add();
            item.SetName(name);
            item.SetWave(ConstantWave(4410, kKickLevel));
        }
        kit.SetDevice(&device);
        device.Open(output.Open());
        input = std::make_unique<KitMidiInput>(device.SharedOutput(), kit, timers);
    }
    ~LiveKit() override {
        input.reset();
        device.Close();
    }

    // A hit as an input port hands it on, from a thread of its own.
    void Strike(int slot, int level) {
        std::thread port([&] {
            LiveHit hit;
            hit.slot = static_cast<uint8_t>(slot);
            hit.level = static_cast<uint8_t>(level);
            hit.note = 36;
            hit.receivedAt = output.clock.Now();
            input->Receive(hit);
        });
        port.join();
    }

    // The first frame of the output that is not silent, or -1.
    int64_t FirstSound() const {
        const std::vector<float>& out = output.clock.Output();
        for (size_t i = 0; i < out.size(); ++i) {
            if (out[i] != 0.0f) return static_cast<int64_t>(i / 2);
        }
        return -1;
    }
    float At(int64_t frame, int side) const { return output.clock.Output()[static_cast<size_t>(2 * frame + side)]; }

    ManualSoundOutput output;
    TimerScheduler timers{output.clock};
    SoundDevice device{timers};
    KitPlayer kit;
    std::unique_ptr<KitMidiInput> input;
};

}  // namespace

TEST_F(LiveKit, AHitSoundsFromTheNextBlocksFirstFrameAtItsLevelAndReachesTheMainThread) {
    output.clock.Advance(25);  // blocks of 10 ms: the next one starts at 30
    const int64_t nextBlock = output.clock.RenderedFrames();
    Strike(1, 3);
    output.clock.Advance(20);

    ASSERT_EQ(FirstSound(), nextBlock);
    const float gain = static_cast<float>(std::pow(10.0, -1500 / 2000.0));
    EXPECT_NEAR(At(nextBlock, 0), kKickLevel / 32768.0f * gain, 1e-4);
    EXPECT_NEAR(At(nextBlock, 1), kKickLevel / 32768.0f * gain, 1e-4);
    HeardHit heard;
    ASSERT_TRUE(input->TakeHeard(heard));
    EXPECT_EQ(heard.hit.slot, 1);
    EXPECT_EQ(heard.delay, 5);  // from 25 ms to the block at 30
    LiveHit hit;
    ASSERT_TRUE(input->TakeHit(hit));
    EXPECT_EQ(hit.level, 3);
    EXPECT_FALSE(input->TakeHit(hit));
}

TEST_F(LiveKit, TheSlotsPanIsHeardOnceTheKitIsLookedAtAndASlotTheKitLacksIsSilent) {
    kit.Items().Find("Kick      [ ]").SetPan(-2000);  // 20 dB off the right
    input->LookAtKit();
    output.clock.Advance(10);
    const int64_t nextBlock = output.clock.RenderedFrames();
    Strike(1, 1);
    Strike(3, 1);  // the snare: not in this kit
    output.clock.Advance(20);
    ASSERT_EQ(FirstSound(), nextBlock);
    const float left = kKickLevel / 32768.0f * static_cast<float>(std::pow(10.0, -500 / 2000.0));
    EXPECT_NEAR(At(nextBlock, 0), left, 1e-4);
    EXPECT_NEAR(At(nextBlock, 1), left * 0.1f, 1e-4);
    HeardHit heard;
    ASSERT_TRUE(input->TakeHeard(heard));
    EXPECT_FALSE(input->TakeHeard(heard)) << "the snare was heard";
}

TEST_F(LiveKit, EightCopiesOfASlotSoundAtOnceAndANinthRestartsTheOldest) {
    for (int hit = 0; hit < 9; ++hit) {
        Strike(1, 1);
        output.clock.Advance(10);
    }
    const int64_t last = output.clock.RenderedFrames() - output.clock.BlockFrames();
    // In the ninth block eight copies sound: the first was restarted.
    const float one = kKickLevel / 32768.0f * static_cast<float>(std::pow(10.0, -500 / 2000.0));
    EXPECT_NEAR(At(last, 0), 8 * one, 1e-3);
}
