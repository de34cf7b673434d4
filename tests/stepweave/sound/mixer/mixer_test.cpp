#include "stepweave/sound/mixer/mixer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/stepweave/sound/mixer/sound_measure.h"
#include "tests/support/stepweave/manual_audio_backend.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

constexpr uint32_t kLatency = 20;

SharedSoundMemory MemoryOf(const std::vector<int16_t>& samples) {
    auto memory = std::make_shared<SoundMemory>(static_cast<uint32_t>(samples.size() * 2), 0);
    std::memcpy(memory->Bytes(), samples.data(), samples.size() * 2);
    memory->Publish();
    return memory;
}

// A constant 16-bit mono level, so gains can be read straight off the output.
SharedSoundMemory ConstantMono(int frames, int16_t level) {
    return MemoryOf(std::vector<int16_t>(static_cast<size_t>(frames), level));
}

const PcmLayout kMono16{1, 16};

struct MixerOnManualDevice : ::testing::Test {
    explicit MixerOnManualDevice(int blockFrames = 441) : clock(blockFrames), mixer(clock, kLatency) {
        clock.Attach(&mixer);
    }
    ~MixerOnManualDevice() override { clock.Attach(nullptr); }

    int64_t FrameOfTime(uint32_t milliseconds) const { return std::llround(milliseconds * 44.1); }

    ManualAudioClock clock;
    Mixer mixer;
};

}  // namespace

TEST_F(MixerOnManualDevice, PlaysTheSamplesUnchangedAtTheRequestTimePlusTheLatency) {
    const auto tone = Sine16(2000, 1.0 / 50, 0.5);
    MixerVoice* voice = mixer.CreateVoice(MemoryOf(tone), kMono16, 44100);
    clock.Advance(30);
    ASSERT_TRUE(voice->Play(false));
    clock.Advance(200);

    const auto& out = clock.Output();
    const int64_t start = FrameOfTime(30 + kLatency);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_FLOAT_EQ(SampleAt(out, start + i, Side::Left), tone[i] / 32768.0f) << i;
        ASSERT_FLOAT_EQ(SampleAt(out, start + i, Side::Right), tone[i] / 32768.0f) << i;
    }
    EXPECT_EQ(FirstSoundingFrame(out), start + 1);  // the sine's first sample is 0
    EXPECT_EQ(LastSoundingFrame(out), start + 1999);
    EXPECT_FALSE(voice->IsPlaying());
}

TEST_F(MixerOnManualDevice, StartsInsideABlockAtTheFrameOfTheRequest) {
    MixerVoice* first = mixer.CreateVoice(ConstantMono(1000, 1000), kMono16, 44100);
    MixerVoice* second = mixer.CreateVoice(ConstantMono(1000, 2000), kMono16, 44100);
    // Both land inside the one 441-frame block that starts at 50 ms.
    clock.Advance(33);
    first->Play(false);
    clock.Advance(4);
    second->Play(false);
    clock.Advance(100);

    const auto& out = clock.Output();
    const int64_t firstStart = FrameOfTime(33 + kLatency);
    const int64_t secondStart = FrameOfTime(37 + kLatency);
    EXPECT_EQ(FirstSoundingFrame(out), firstStart);
    EXPECT_FLOAT_EQ(SampleAt(out, secondStart - 1, Side::Left), 1000 / 32768.0f);
    EXPECT_FLOAT_EQ(SampleAt(out, secondStart, Side::Left), 3000 / 32768.0f);
}

struct MixerOnJitteryDevice : MixerOnManualDevice {
    MixerOnJitteryDevice() : MixerOnManualDevice(256) {}
};

TEST_F(MixerOnJitteryDevice, RegularRequestsLandAtRegularFramesWhateverTheBlockBoundaries) {
    // 256-frame blocks are 5.8 ms long, so the clock read at each block is a
    // whole millisecond off by a varying fraction. Steps 120 ms apart must
    // still start 5292 frames apart, give or take a frame.
    std::vector<MixerVoice*> voices;
    for (int step = 0; step < 12; ++step) {
        voices.push_back(mixer.CreateVoice(ConstantMono(50, 8000), kMono16, 44100));
    }
    clock.Advance(500);  // a device that has been running a while
    for (MixerVoice* voice : voices) {
        voice->Play(false);
        clock.Advance(120);
    }
    const auto& out = clock.Output();
    int64_t previous = FirstSoundingFrame(out);
    ASSERT_GE(previous, 0);
    for (int step = 1; step < 12; ++step) {
        const int64_t onset = FirstSoundingFrame(out, previous + 100);
        EXPECT_NEAR(onset - previous, 5292, 1) << "step " << step;
        previous = onset;
    }
}

TEST_F(MixerOnManualDevice, ABufferAtHalfTheOutputRateLastsTwiceAsLongAtHalfThePitch) {
    // 441 frames of 10 cycles at 22050 Hz: 20 ms, 500 Hz.
    MixerVoice* voice = mixer.CreateVoice(MemoryOf(Sine16(441, 10.0 / 441, 0.5)), kMono16, 22050);
    voice->Play(false);
    clock.Advance(100);
    const auto& out = clock.Output();
    const int64_t first = FrameOfTime(kLatency);
    const int64_t last = LastSoundingFrame(out);
    EXPECT_NEAR(last - first, 882, 2);
    EXPECT_EQ(UpwardZeroCrossings(out, Side::Left, first, last + 1), 9);  // 10 cycles, the first starts at 0

    // Played at 88200 Hz instead, it takes half the time.
    clock.ClearOutput();
    voice->SetFrequency(88200);
    voice->Play(false);
    clock.Advance(100);
    const int64_t quickFirst = FirstSoundingFrame(clock.Output());
    EXPECT_NEAR(LastSoundingFrame(clock.Output()) - quickFirst, 220, 2);
}

TEST_F(MixerOnManualDevice, AppliesTheGainsOfEachSide) {
    MixerVoice* voice = mixer.CreateVoice(ConstantMono(4410, 16384), kMono16, 44100);
    voice->SetGains(0.25f, 0.0f);
    voice->Play(false);
    clock.Advance(200);
    EXPECT_FLOAT_EQ(Peak(clock.Output(), Side::Left), 0.125f);
    EXPECT_EQ(Peak(clock.Output(), Side::Right), 0.0f);
}

TEST_F(MixerOnManualDevice, MixesStereoEightBitBuffersAroundTheirMiddleValue) {
    // Left at 192 (+0.5), right at 64 (-0.5): silence is 128 for 8-bit data.
    auto memory = std::make_shared<SoundMemory>(200, 128);
    for (int frame = 0; frame < 100; ++frame) {
        memory->Bytes()[2 * frame] = 192;
        memory->Bytes()[2 * frame + 1] = 64;
    }
    MixerVoice* voice = mixer.CreateVoice(memory, PcmLayout{2, 8}, 44100);
    voice->Play(false);
    clock.Advance(100);
    const int64_t start = FrameOfTime(kLatency);
    EXPECT_FLOAT_EQ(SampleAt(clock.Output(), start + 10, Side::Left), 0.5f);
    EXPECT_FLOAT_EQ(SampleAt(clock.Output(), start + 10, Side::Right), -0.5f);
}

TEST_F(MixerOnManualDevice, ALoopingVoicePlaysUntilStoppedAndKeepsItsCursor) {
    MixerVoice* voice = mixer.CreateVoice(ConstantMono(441, 3000), kMono16, 44100);
    voice->Play(true);
    clock.Advance(1000);
    EXPECT_TRUE(voice->IsLooping());
    EXPECT_EQ(LastSoundingFrame(clock.Output()), FrameCount(clock.Output()) - 1);
    voice->Stop();
    EXPECT_FALSE(voice->IsPlaying());
    const uint32_t stoppedAt = voice->CursorFrame();
    clock.ClearOutput();
    clock.Advance(100);
    EXPECT_EQ(FirstSoundingFrame(clock.Output()), -1);
    EXPECT_EQ(voice->CursorFrame(), stoppedAt);
    EXPECT_TRUE(voice->IsQuiet());
}

TEST_F(MixerOnManualDevice, AStopBeforeThePlaySoundsCancelsIt) {
    MixerVoice* voice = mixer.CreateVoice(ConstantMono(441, 3000), kMono16, 44100);
    voice->Play(false);
    EXPECT_TRUE(voice->IsPlaying());
    voice->Stop();
    clock.Advance(200);
    EXPECT_EQ(FirstSoundingFrame(clock.Output()), -1);
    EXPECT_TRUE(voice->IsQuiet());
}

TEST_F(MixerOnManualDevice, ReportsTheCursorAskedForAtOnceAndRewindsAFinishedOneShot) {
    MixerVoice* voice = mixer.CreateVoice(ConstantMono(4410, 3000), kMono16, 44100);
    voice->SetCursor(3000);
    EXPECT_EQ(voice->CursorFrame(), 3000u);
    voice->Play(false);
    clock.Advance(kLatency + 5);
    EXPECT_GT(voice->CursorFrame(), 3000u);
    clock.Advance(50);
    EXPECT_FALSE(voice->IsPlaying());
    EXPECT_EQ(voice->CursorFrame(), 0u);
    EXPECT_NEAR(LastSoundingFrame(clock.Output()) - FirstSoundingFrame(clock.Output()), 1409, 1);
}

TEST_F(MixerOnManualDevice, ReleasedVoicesComeBackToTheMainThreadToBeFreed) {
    auto memory = ConstantMono(441, 3000);
    MixerVoice* playing = mixer.CreateVoice(memory, kMono16, 44100);
    MixerVoice* idle = mixer.CreateVoice(memory, kMono16, 44100);
    playing->Play(true);
    clock.Advance(50);
    EXPECT_EQ(memory.use_count(), 3);
    mixer.ReleaseVoice(playing);
    mixer.ReleaseVoice(idle);
    EXPECT_EQ(mixer.VoiceCount(), 2u);  // the audio thread still holds them
    clock.Advance(50);
    mixer.CollectGarbage();
    EXPECT_EQ(mixer.VoiceCount(), 0u);
    EXPECT_EQ(memory.use_count(), 1);
    clock.ClearOutput();
    clock.Advance(50);
    EXPECT_EQ(FirstSoundingFrame(clock.Output()), -1);
}

TEST_F(MixerOnManualDevice, ANewMemoryBlockIsHeardOnceTheAudioThreadTookIt) {
    auto first = ConstantMono(441, 1000);
    MixerVoice* voice = mixer.CreateVoice(first, kMono16, 44100);
    voice->Play(true);
    clock.Advance(50);
    EXPECT_FALSE(voice->IsQuiet());
    voice->ReplaceMemory(ConstantMono(441, 2000));
    EXPECT_EQ(first.use_count(), 2);  // kept until the audio thread lets go
    clock.ClearOutput();
    clock.Advance(20);
    mixer.CollectGarbage();
    EXPECT_EQ(first.use_count(), 1);
    EXPECT_FLOAT_EQ(Peak(clock.Output(), Side::Left), 2000 / 32768.0f);
}
