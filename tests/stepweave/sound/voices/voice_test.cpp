#include "stepweave/sound/voices/voice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "stepweave/sound/backend/audio_backend_choice.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/voices/sound_device.h"
#include "tests/stepweave/sound/mixer/sound_measure.h"
#include "tests/stepweave/sound/output/manual_sound_output.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

struct VoicesOnManualDevice : ::testing::Test {
    VoicesOnManualDevice() { device.Open(output.Open()); }

    // A voice holding `frames` frames of a constant 16-bit mono level.
    std::unique_ptr<Voice> ConstantVoice(int frames, int16_t level, uint32_t rate = 44100) {
        const std::vector<int16_t> samples(static_cast<size_t>(frames), level);
        auto voice = std::make_unique<Voice>(device);
        voice->LoadFromMemory(PcmFormat(rate, 16, 1), reinterpret_cast<const uint8_t*>(samples.data()),
                              static_cast<uint32_t>(frames * 2));
        return voice;
    }

    ManualSoundOutput output;
    SoundDevice device{MainTimers()};
};

}  // namespace

TEST(SoundOutputWithoutDevice, CannotBeInitialized) {
    try {
        OpenAudioOutput(NoSoundDevice());
        FAIL() << "an output was opened";
    } catch (const SoundOutputError& error) {
        EXPECT_STREQ(error.what(), "DirectSound cannot be initialized");
    }
}

TEST(SoundOutputWithoutDevice, TheCauseFollowsTheSystemsMessage) {
    try {
        OpenAudioOutput(AudioBackendNamed("bogus"));
        FAIL() << "an output was opened";
    } catch (const SoundOutputError& error) {
        EXPECT_STREQ(error.what(), kBogusDeviceMessage);
    }
    for (const char* value : {"file:", "rtaudio:", "rtaudio:alsa:", "nul"}) {
        try {
            OpenAudioOutput(AudioBackendNamed(value));
            FAIL() << value << " opened an output";
        } catch (const SoundOutputError& error) {
            EXPECT_EQ(error.what(), "DirectSound cannot be initialized\nSTEPWEAVE_AUDIO=" + std::string(value) +
                                        " names no sound output: use rtaudio, rtaudio:API, rtaudio:API:DEVICE, "
                                        "null or file:PATH");
        }
    }
    try {
        OpenAudioOutput(AudioBackendNamed("file:/missing/dir/x.wav"));
        FAIL() << "a recording was opened in a missing folder";
    } catch (const SoundOutputError& error) {
        EXPECT_STREQ(error.what(), "DirectSound cannot be initialized\n"
                                   "STEPWEAVE_AUDIO=file:/missing/dir/x.wav: Cannot create file /missing/dir/x.wav");
    }
}

TEST(SoundOutputWithoutDevice, ASoundSystemTheProgramLacksIsNamedWithTheWayOut) {
    try {
        OpenAudioOutput(AudioBackendNamed("rtaudio:coreaudio"));
        FAIL() << "an output was opened";
    } catch (const SoundOutputError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.substr(0, message.find('\n')), "DirectSound cannot be initialized");
        EXPECT_NE(message.find("\nSTEPWEAVE_AUDIO=rtaudio:coreaudio: this program knows no sound system 'coreaudio'"),
                  std::string::npos)
            << message;
        EXPECT_TRUE(message.ends_with("; set STEPWEAVE_AUDIO=null to run silent, or file:OUT.wav to record")) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    }
}

TEST(SoundOutputWithoutDevice, AnUnknownBackendNameOpensNothing) {
    EXPECT_THROW(OpenAudioOutput(AudioBackendNamed("speakers")), SoundOutputError);
}

TEST_F(VoicesOnManualDevice, VolumeIsAttenuationInHundredthsOfADecibel) {
    const int16_t level = 16384;  // 0.5
    auto full = ConstantVoice(4410, level);
    auto half = ConstantVoice(4410, level);
    auto silent = ConstantVoice(4410, level);
    half->SetVolume(-600);
    silent->SetVolume(-10000);
    EXPECT_EQ(half->Volume(), -600);

    full->Play();
    output.clock.Advance(200);
    const float fullPeak = Peak(output.clock.Output(), Side::Left);
    EXPECT_FLOAT_EQ(fullPeak, 0.5f);

    output.clock.ClearOutput();
    half->Play();
    output.clock.Advance(200);
    const float halfPeak = Peak(output.clock.Output(), Side::Left);
    EXPECT_NEAR(DecibelsBetween(halfPeak, fullPeak), -6.0, 0.01);
    EXPECT_NEAR(halfPeak / fullPeak, 0.5, 0.002);

    output.clock.ClearOutput();
    silent->Play();
    output.clock.Advance(200);
    EXPECT_EQ(Peak(output.clock.Output(), Side::Left), 0.0f);
    EXPECT_EQ(Peak(output.clock.Output(), Side::Right), 0.0f);
}

TEST_F(VoicesOnManualDevice, PanAttenuatesTheFarSide) {
    auto voice = ConstantVoice(4410, 16384);
    voice->SetPan(-10000);
    voice->Play();
    output.clock.Advance(200);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Left), 0.5f);
    EXPECT_EQ(Peak(output.clock.Output(), Side::Right), 0.0f);

    output.clock.ClearOutput();
    voice->SetPan(1200);  // 12 dB off the left side
    voice->Play();
    output.clock.Advance(200);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Right), 0.5f);
    EXPECT_NEAR(DecibelsBetween(Peak(output.clock.Output(), Side::Left), 0.5), -12.0, 0.01);
}

TEST_F(VoicesOnManualDevice, DuplicatesShareTheBytesAndPlayOnTheirOwn) {
    auto master = ConstantVoice(441, 1000);
    master->SetVolume(-600);
    Voice first(device);
    Voice second(device);
    ASSERT_TRUE(first.Duplicate(*master));
    ASSERT_TRUE(second.Duplicate(*master));
    EXPECT_EQ(first.Memory().get(), master->Memory().get());
    EXPECT_EQ(first.Volume(), -600);  // a duplicate starts with the original's settings

    first.SetVolume(0);
    second.SetVolume(0);
    first.Play();
    output.clock.Advance(5);
    second.Play();
    EXPECT_FALSE(master->Playing());
    output.clock.Advance(100);
    const auto& out = output.clock.Output();
    const int64_t firstStart = FirstSoundingFrame(out);
    // Where they overlap, the two add up.
    EXPECT_FLOAT_EQ(SampleAt(out, firstStart + 300, Side::Left), 2000 / 32768.0f);
    EXPECT_FLOAT_EQ(SampleAt(out, firstStart + 100, Side::Left), 1000 / 32768.0f);
}

TEST_F(VoicesOnManualDevice, ReportsPlayingAndLoopingUntilTheSoundEnds) {
    auto voice = ConstantVoice(4410, 1000);
    EXPECT_EQ(voice->Status(), VoiceStatus{});
    voice->Play(true);
    EXPECT_EQ(voice->Status(), (VoiceStatus{true, true, false}));
    output.clock.Advance(100);
    voice->Stop();
    EXPECT_EQ(voice->Status(), VoiceStatus{});

    voice->SetPosition(0);
    voice->Play();
    EXPECT_EQ(voice->Status(), (VoiceStatus{true, false, false}));
    output.clock.Advance(kTestLatency + 50);
    EXPECT_TRUE(voice->Playing());
    output.clock.Advance(60);
    EXPECT_FALSE(voice->Playing());
}

TEST_F(VoicesOnManualDevice, WritesOneRegionOrTwoWhenTheyWrap) {
    Voice ring(device);
    ASSERT_TRUE(ring.Create(PcmFormat(44100, 16, 2), 4000));
    EXPECT_EQ(ring.Size(), 4000u);

    std::vector<std::pair<uint8_t*, uint32_t>> regions;
    const auto note = [&](uint8_t* bytes, uint32_t count) { regions.emplace_back(bytes, count); };
    ASSERT_EQ(ring.Write(3000, 1600, note), SoundResult::Ok);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0].second, 1000u);
    EXPECT_EQ(regions[1].second, 600u);
    EXPECT_EQ(regions[0].first - regions[1].first, 3000);
    EXPECT_EQ(regions[1].first, ring.Memory()->Bytes());

    EXPECT_EQ(ring.Write(4000, 4, note), SoundResult::InvalidParameter);
    EXPECT_EQ(ring.Write(0, 4004, note), SoundResult::InvalidParameter);
    EXPECT_EQ(ring.Write(0, 0, note), SoundResult::InvalidParameter);
    EXPECT_EQ(regions.size(), 2u);
}

TEST_F(VoicesOnManualDevice, RefusesBadFormatsAndRecordsControlFailuresWithoutRaising) {
    Voice voice(device);
    const WaveFormat format = PcmFormat(22050, 8, 1);
    EXPECT_FALSE(voice.Create(format, 0));  // an empty wave
    EXPECT_EQ(voice.LastResult(), SoundResult::InvalidParameter);

    WaveFormat compressed = format;
    compressed.formatTag = 2;
    EXPECT_FALSE(voice.Create(compressed, 100));
    EXPECT_EQ(voice.LastResult(), SoundResult::BadFormat);

    try {
        voice.Play();
        FAIL();
    } catch (const VoiceError& error) {
        EXPECT_STREQ(error.what(), "IDirectSoundBuffer not made");
    }
    try {
        std::vector<uint8_t> nothing;
        voice.LoadFromMemory(format, nothing.data(), 0);
        FAIL();
    } catch (const VoiceError& error) {
        EXPECT_STREQ(error.what(), "Sound Buffer cannot be made");
    }

    // A control value out of range: the call fails quietly, with its result kept.
    ASSERT_TRUE(voice.Create(format, 100));
    voice.SetVolume(-20000);
    EXPECT_EQ(voice.LastResult(), SoundResult::InvalidParameter);
    EXPECT_EQ(voice.Volume(), 0);
    voice.SetPan(10001);
    EXPECT_EQ(voice.LastResult(), SoundResult::InvalidParameter);
    EXPECT_EQ(voice.Pan(), 0);
}

TEST_F(VoicesOnManualDevice, TheFrequencyControlResamplesAndGoesBackToTheOriginal) {
    auto voice = ConstantVoice(441, 1000, 22050);
    EXPECT_EQ(voice->Frequency(), 22050u);
    voice->Play();
    output.clock.Advance(100);
    const auto& slow = output.clock.Output();
    EXPECT_NEAR(LastSoundingFrame(slow) - FirstSoundingFrame(slow), 882, 2);

    voice->SetFrequency(44100);
    voice->Play();
    output.clock.ClearOutput();
    output.clock.Advance(100);
    const auto& quick = output.clock.Output();
    EXPECT_NEAR(LastSoundingFrame(quick) - FirstSoundingFrame(quick), 441, 2);

    voice->SetFrequency(0);  // the format's own rate
    EXPECT_EQ(voice->Frequency(), 22050u);
    voice->SetFrequency(50);
    EXPECT_EQ(voice->LastResult(), SoundResult::InvalidParameter);
    EXPECT_EQ(voice->Frequency(), 22050u);
}

TEST_F(VoicesOnManualDevice, PositionsAreBytesOfWholeFramesAndTheWriteCursorLeadsThePlayCursor) {
    auto voice = ConstantVoice(44100, 1000);
    voice->SetPosition(1001);
    EXPECT_EQ(voice->Position(), 1000u);
    voice->SetPosition(88200);
    EXPECT_EQ(voice->LastResult(), SoundResult::InvalidParameter);
    voice->Play(true);
    output.clock.Advance(kTestLatency + 100);
    const uint32_t play = voice->Position();
    EXPECT_NEAR(play, 1000 + 2 * 4410, 2 * 441);
    EXPECT_GT(voice->WritePosition(), play);
}

TEST_F(VoicesOnManualDevice, RewritingAStoppedRingNeverTouchesBytesTheMixerMayStillRead) {
    auto ring = ConstantVoice(4410, 1000);
    ring->Play(true);
    output.clock.Advance(100);
    const SoundMemory* playedBytes = ring->Memory().get();

    ring->Stop();
    const std::vector<int16_t> louder(4410, 3000);
    ASSERT_EQ(ring->Write(0, ring->Size(),
                          [&](uint8_t* bytes, uint32_t count) { std::memcpy(bytes, louder.data(), count); }),
              SoundResult::Ok);
    EXPECT_NE(ring->Memory().get(), playedBytes);

    ring->SetPosition(0);
    ring->Play(true);
    output.clock.ClearOutput();
    output.clock.Advance(100);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Left), 3000 / 32768.0f);

    // Once the mixer is done with a stopped voice, Write writes in place.
    ring->Stop();
    output.clock.Advance(20);
    const SoundMemory* current = ring->Memory().get();
    ASSERT_EQ(ring->Write(0, 4, [](uint8_t*, uint32_t) {}), SoundResult::Ok);
    EXPECT_EQ(ring->Memory().get(), current);
}

TEST_F(VoicesOnManualDevice, ALostVoiceStopsReportsItselfAndAsksForARestoreOnce) {
    auto voice = ConstantVoice(4410, 1000);
    int restores = 0;
    device.OnRestored = [&](SoundDevice&) {
        ++restores;
        voice->Play();  // a call made while restoring does not ask again
    };
    voice->Play(true);
    output.clock.Advance(50);
    device.Output()->LoseBuffers();
    EXPECT_EQ(voice->Status(), (VoiceStatus{false, false, true}));
    EXPECT_FALSE(voice->Play());
    EXPECT_EQ(voice->LastResult(), SoundResult::VoiceLost);
    EXPECT_EQ(restores, 1);
    output.clock.ClearOutput();
    output.clock.Advance(50);
    EXPECT_EQ(FirstSoundingFrame(output.clock.Output()), -1);

    EXPECT_TRUE(voice->Restore());
    EXPECT_EQ(voice->Status(), VoiceStatus{});
    EXPECT_TRUE(voice->Play());
}

TEST_F(VoicesOnManualDevice, TheDeviceHoldsTheOutputFormat) {
    EXPECT_EQ(device.SetOutputFormat(PcmFormat(44100, 8, 2)), SoundResult::Ok);
    EXPECT_EQ(device.OutputFormat().bitsPerSample, 8);
    EXPECT_EQ(device.OutputFormat().blockAlign, 2);
    EXPECT_EQ(device.SetOutputFormat(PcmFormat(44100, 12, 2)), SoundResult::BadFormat);
    EXPECT_EQ(device.OutputFormat().bitsPerSample, 8);
}

TEST_F(VoicesOnManualDevice, AllDevicesOfAnOutputShareIt) {
    SoundDevice other;
    other.Open(device.SharedOutput());
    auto mine = ConstantVoice(441, 1000);
    Voice theirs(other);
    ASSERT_TRUE(theirs.Duplicate(*mine));
    mine->Play();
    theirs.Play();
    output.clock.Advance(50);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Left), 2000 / 32768.0f);
}
