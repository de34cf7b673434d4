#include "stepweave/sound/device/direct_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/stepweave/sound/output/manual_sound_output.h"
#include "tests/stepweave/sound/mixer/sound_measure.h"
#include "stepweave/sound/device/direct_sound_buffer.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

constexpr uint32_t kVoiceFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;

struct DirectSoundOnManualDevice : ::testing::Test {
    // A buffer holding `frames` frames of a constant 16-bit mono level.
    std::unique_ptr<TDirectSoundBuffer> ConstantBuffer(int frames, int16_t level, uint32_t rate = 44100) {
        const std::vector<int16_t> samples(static_cast<size_t>(frames), level);
        auto buffer = std::make_unique<TDirectSoundBuffer>(sound);
        buffer->LoadFromMemory(MakePcmFormat(rate, 16, 1), reinterpret_cast<const uint8_t*>(samples.data()),
                               static_cast<uint32_t>(frames * 2), kVoiceFlags);
        return buffer;
    }

    ManualSoundOutput output;
    TDirectSound sound;
};

}  // namespace

TEST(DirectSoundWithoutDevice, CannotBeInitialized) {
    NoSoundDevice noDevice;
    try {
        TDirectSound sound;
        FAIL() << "a device was opened";
    } catch (const EDirectSoundError& error) {
        EXPECT_STREQ(error.what(), "DirectSound cannot be initialized");
    }
}

TEST(DirectSoundWithoutDevice, TheCauseFollowsTheSystemsMessage) {
    {
        ScopedEnvironment bogus("STEPWEAVE_AUDIO", "bogus");
        try {
            TDirectSound sound;
            FAIL() << "a device was opened";
        } catch (const EDirectSoundError& error) {
            EXPECT_STREQ(error.what(), kBogusDeviceMessage);
        }
    }
    for (const char* value : {"file:", "rtaudio:", "rtaudio:alsa:", "nul"}) {
        ScopedEnvironment unknown("STEPWEAVE_AUDIO", value);
        try {
            TDirectSound sound;
            FAIL() << value << " opened a device";
        } catch (const EDirectSoundError& error) {
            EXPECT_EQ(error.what(), "DirectSound cannot be initialized\nSTEPWEAVE_AUDIO=" + std::string(value) +
                                        " names no sound output: use rtaudio, rtaudio:API, rtaudio:API:DEVICE, "
                                        "null or file:PATH");
        }
    }
    ScopedEnvironment missingFolder("STEPWEAVE_AUDIO", "file:/missing/dir/x.wav");
    try {
        TDirectSound sound;
        FAIL() << "a recording was opened in a missing folder";
    } catch (const EDirectSoundError& error) {
        EXPECT_STREQ(error.what(), "DirectSound cannot be initialized\n"
                                   "STEPWEAVE_AUDIO=file:/missing/dir/x.wav: Cannot create file /missing/dir/x.wav");
    }
}

TEST(DirectSoundWithoutDevice, ASoundSystemTheProgramLacksIsNamedWithTheWayOut) {
    ScopedEnvironment unknown("STEPWEAVE_AUDIO", "rtaudio:coreaudio");
    try {
        TDirectSound sound;
        FAIL() << "a device was opened";
    } catch (const EDirectSoundError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.substr(0, message.find('\n')), "DirectSound cannot be initialized");
        EXPECT_NE(message.find("\nSTEPWEAVE_AUDIO=rtaudio:coreaudio: this program knows no sound system 'coreaudio'"),
                  std::string::npos)
            << message;
        EXPECT_TRUE(message.ends_with("; set STEPWEAVE_AUDIO=null to run silent, or file:OUT.wav to record")) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    }
}

TEST(DirectSoundWithoutDevice, AnUnknownBackendNameOpensNothing) {
    ScopedEnvironment unknown("STEPWEAVE_AUDIO", "speakers");
    EXPECT_THROW(TDirectSound(), EDirectSoundError);
}

TEST_F(DirectSoundOnManualDevice, VolumeIsAttenuationInHundredthsOfADecibel) {
    const int16_t level = 16384;  // 0.5
    auto full = ConstantBuffer(4410, level);
    auto half = ConstantBuffer(4410, level);
    auto silent = ConstantBuffer(4410, level);
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

TEST_F(DirectSoundOnManualDevice, PanAttenuatesTheFarSide) {
    auto buffer = ConstantBuffer(4410, 16384);
    buffer->SetPan(-10000);
    buffer->Play();
    output.clock.Advance(200);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Left), 0.5f);
    EXPECT_EQ(Peak(output.clock.Output(), Side::Right), 0.0f);

    output.clock.ClearOutput();
    buffer->SetPan(1200);  // 12 dB off the left side
    buffer->Play();
    output.clock.Advance(200);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Right), 0.5f);
    EXPECT_NEAR(DecibelsBetween(Peak(output.clock.Output(), Side::Left), 0.5), -12.0, 0.01);
}

TEST_F(DirectSoundOnManualDevice, DuplicatesShareTheBytesAndPlayOnTheirOwn) {
    auto master = ConstantBuffer(441, 1000);
    master->SetVolume(-600);
    TDirectSoundBuffer first(sound);
    TDirectSoundBuffer second(sound);
    ASSERT_TRUE(first.Duplicate(*master));
    ASSERT_TRUE(second.Duplicate(*master));
    EXPECT_EQ(first.IBuffer().Memory().get(), master->IBuffer().Memory().get());
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

TEST_F(DirectSoundOnManualDevice, ReportsPlayingAndLoopingUntilTheSoundEnds) {
    auto buffer = ConstantBuffer(4410, 1000);
    EXPECT_EQ(buffer->Status(), 0u);
    buffer->Play(true);
    EXPECT_EQ(buffer->Status(), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    output.clock.Advance(100);
    buffer->Stop();
    EXPECT_EQ(buffer->Status(), 0u);

    buffer->SetPosition(0);
    buffer->Play();
    EXPECT_EQ(buffer->Status(), DSBSTATUS_PLAYING);
    output.clock.Advance(kTestLatency + 50);
    EXPECT_TRUE(buffer->Playing());
    output.clock.Advance(60);
    EXPECT_FALSE(buffer->Playing());
}

TEST_F(DirectSoundOnManualDevice, LocksOneRegionOrTwoWhenTheyWrap) {
    TDirectSoundBuffer ring(sound);
    const TWaveFormatEx format = MakePcmFormat(44100, 16, 2);
    TDSBufferDesc description;
    description.dwFlags = kVoiceFlags | DSBCAPS_GETCURRENTPOSITION2;
    description.dwBufferBytes = 4000;
    description.lpwfxFormat = &format;
    ASSERT_TRUE(ring.CreateBuffer(description));
    EXPECT_EQ(ring.Size(), 4000u);

    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstBytes = 0;
    uint32_t secondBytes = 0;
    ASSERT_EQ(ring.Lock(3000, 1600, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    EXPECT_EQ(firstBytes, 1000u);
    EXPECT_EQ(secondBytes, 600u);
    EXPECT_EQ(static_cast<uint8_t*>(first) - static_cast<uint8_t*>(second), 3000);
    EXPECT_EQ(ring.Lock(0, 4, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDCALL);  // still locked
    EXPECT_EQ(ring.Unlock(first, firstBytes, second, secondBytes), DS_OK);

    EXPECT_EQ(ring.Lock(4000, 4, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(ring.Lock(0, 4004, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(ring.Unlock(first, 4, nullptr, 0), DSERR_INVALIDCALL);
}

TEST_F(DirectSoundOnManualDevice, RefusesBadDescriptionsAndRecordsControlFailuresWithoutRaising) {
    TDirectSoundBuffer buffer(sound);
    TDSBufferDesc description;
    description.dwFlags = kVoiceFlags;
    description.dwBufferBytes = 0;  // an empty wave
    const TWaveFormatEx format = MakePcmFormat(22050, 8, 1);
    description.lpwfxFormat = &format;
    EXPECT_FALSE(buffer.CreateBuffer(description));
    EXPECT_EQ(buffer.DXResult(), DSERR_INVALIDPARAM);

    TWaveFormatEx compressed = format;
    compressed.wFormatTag = 2;
    description.dwBufferBytes = 100;
    description.lpwfxFormat = &compressed;
    EXPECT_FALSE(buffer.CreateBuffer(description));
    EXPECT_EQ(buffer.DXResult(), DSERR_BADFORMAT);

    try {
        buffer.Play();
        FAIL();
    } catch (const EDirectSoundBufferError& error) {
        EXPECT_STREQ(error.what(), "IDirectSoundBuffer not made");
    }
    try {
        std::vector<uint8_t> nothing;
        buffer.LoadFromMemory(format, nothing.data(), 0, kVoiceFlags);
        FAIL();
    } catch (const EDirectSoundBufferError& error) {
        EXPECT_STREQ(error.what(), "Sound Buffer cannot be made");
    }

    // A buffer without a pan control: the call fails quietly, with its result kept.
    description.dwFlags = DSBCAPS_CTRLVOLUME;
    description.lpwfxFormat = &format;
    ASSERT_TRUE(buffer.CreateBuffer(description));
    buffer.SetPan(-3000);
    EXPECT_EQ(buffer.DXResult(), DSERR_CONTROLUNAVAIL);
    buffer.SetVolume(-20000);
    EXPECT_EQ(buffer.DXResult(), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer.Volume(), 0);
}

TEST_F(DirectSoundOnManualDevice, TheFrequencyControlResamplesAndGoesBackToTheOriginal) {
    auto buffer = ConstantBuffer(441, 1000, 22050);
    EXPECT_EQ(buffer->Frequency(), 22050u);
    buffer->Play();
    output.clock.Advance(100);
    const auto& slow = output.clock.Output();
    EXPECT_NEAR(LastSoundingFrame(slow) - FirstSoundingFrame(slow), 882, 2);

    buffer->SetFrequency(44100);
    buffer->Play();
    output.clock.ClearOutput();
    output.clock.Advance(100);
    const auto& quick = output.clock.Output();
    EXPECT_NEAR(LastSoundingFrame(quick) - FirstSoundingFrame(quick), 441, 2);

    buffer->SetFrequency(DSBFREQUENCY_ORIGINAL);
    EXPECT_EQ(buffer->Frequency(), 22050u);
    buffer->SetFrequency(50);
    EXPECT_EQ(buffer->DXResult(), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Frequency(), 22050u);
}

TEST_F(DirectSoundOnManualDevice, PositionsAreBytesOfWholeFramesAndTheWriteCursorLeadsThePlayCursor) {
    auto buffer = ConstantBuffer(44100, 1000);
    buffer->SetPosition(1001);
    EXPECT_EQ(buffer->Position(), 1000u);
    buffer->SetPosition(88200);
    EXPECT_EQ(buffer->DXResult(), DSERR_INVALIDPARAM);
    buffer->Play(true);
    output.clock.Advance(kTestLatency + 100);
    const uint32_t play = buffer->Position();
    EXPECT_NEAR(play, 1000 + 2 * 4410, 2 * 441);
    EXPECT_GT(buffer->WritePosition(), play);
}

TEST_F(DirectSoundOnManualDevice, RewritingAStoppedRingNeverTouchesBytesTheMixerMayStillRead) {
    auto ring = ConstantBuffer(4410, 1000);
    ring->Play(true);
    output.clock.Advance(100);
    const SoundMemory* playedBytes = ring->IBuffer().Memory().get();

    ring->Stop();
    void* first = nullptr;
    uint32_t firstBytes = 0;
    ASSERT_EQ(ring->Lock(0, 0, &first, &firstBytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_NE(ring->IBuffer().Memory().get(), playedBytes);
    std::vector<int16_t> louder(4410, 3000);
    std::memcpy(first, louder.data(), firstBytes);
    ring->Unlock(first, firstBytes, nullptr, 0);

    ring->SetPosition(0);
    ring->Play(true);
    output.clock.ClearOutput();
    output.clock.Advance(100);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Left), 3000 / 32768.0f);

    // Once the mixer is done with a stopped buffer, Lock writes in place.
    ring->Stop();
    output.clock.Advance(20);
    const SoundMemory* current = ring->IBuffer().Memory().get();
    ASSERT_EQ(ring->Lock(0, 4, &first, &firstBytes, nullptr, nullptr, 0), DS_OK);
    ring->Unlock(first, firstBytes, nullptr, 0);
    EXPECT_EQ(ring->IBuffer().Memory().get(), current);
}

TEST_F(DirectSoundOnManualDevice, ALostBufferStopsReportsItselfAndAsksForARestoreOnce) {
    auto buffer = ConstantBuffer(4410, 1000);
    int restores = 0;
    sound.OnBufferLost = [&] {
        ++restores;
        buffer->Play();  // a call made while restoring does not ask again
    };
    buffer->Play(true);
    output.clock.Advance(50);
    sound.IDSound().Output().LoseBuffers();
    EXPECT_EQ(buffer->Status(), DSBSTATUS_BUFFERLOST);
    EXPECT_FALSE(buffer->Play());
    EXPECT_EQ(buffer->DXResult(), DSERR_BUFFERLOST);
    EXPECT_EQ(restores, 1);
    output.clock.ClearOutput();
    output.clock.Advance(50);
    EXPECT_EQ(FirstSoundingFrame(output.clock.Output()), -1);

    EXPECT_TRUE(buffer->Restore());
    EXPECT_EQ(buffer->Status(), 0u);
    EXPECT_TRUE(buffer->Play());
}

TEST_F(DirectSoundOnManualDevice, ThePrimaryBufferHoldsTheOutputFormat) {
    TDirectSoundBuffer primary(sound);
    TDSBufferDesc description;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    ASSERT_TRUE(primary.CreateBuffer(description));
    primary.SetFormat(MakePcmFormat(44100, 8, 2));
    EXPECT_EQ(primary.DXResult(), DS_OK);
    EXPECT_EQ(primary.Format().wBitsPerSample, 8);
    EXPECT_EQ(primary.Format().nBlockAlign, 2);
    TWaveFormatEx odd = MakePcmFormat(44100, 12, 2);
    primary.SetFormat(odd);
    EXPECT_EQ(primary.DXResult(), DSERR_BADFORMAT);
    primary.SetVolume(-100);
    EXPECT_EQ(primary.DXResult(), DSERR_CONTROLUNAVAIL);

    TDirectSoundBuffer copy(sound);
    EXPECT_FALSE(copy.Duplicate(primary));
    EXPECT_EQ(copy.DXResult(), DSERR_INVALIDCALL);
}

TEST_F(DirectSoundOnManualDevice, AllDevicesShareOneOutput) {
    TDirectSound other;
    EXPECT_EQ(&other.IDSound().Output(), &sound.IDSound().Output());
}
