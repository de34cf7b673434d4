#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <vector>

#include "tests/stepweave/sound/output/manual_sound_output.h"
#include "tests/stepweave/sound/mixer/sound_measure.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/voices/voice.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/headless_main_loop.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// A wave of `frames` frames of one constant 16-bit level, mono.
WaveData ConstantWave(int frames, int16_t level, uint32_t rate = 44100) {
    const WaveFormat format = PcmFormat(rate, 16, 1);
    uint8_t record[16];
    const uint16_t fields16[] = {format.formatTag, format.channels};
    std::memcpy(record, fields16, 4);
    std::memcpy(record + 4, &format.samplesPerSec, 4);
    std::memcpy(record + 8, &format.avgBytesPerSec, 4);
    std::memcpy(record + 12, &format.blockAlign, 2);
    std::memcpy(record + 14, &format.bitsPerSample, 2);
    WaveData wave;
    wave.SetFormat(record, 16);
    wave.SetSize(frames * 2);
    const std::vector<int16_t> samples(static_cast<size_t>(frames), level);
    std::memcpy(wave.Data(), samples.data(), samples.size() * 2);
    return wave;
}

struct KitOnManualDevice : ::testing::Test {
    KitOnManualDevice() {
        AddItem("", ConstantWave(441, 0));
        AddItem("Kick      [ ]", ConstantWave(4410, 8000));
        AddItem("Snare     [ ]", ConstantWave(2205, 16384));
    }

    WaveCollectionItem& AddItem(const std::string& name, const WaveData& wave) {
        WaveCollectionItem& item = kit.Items().Add();
        item.SetName(name);
        item.SetWave(wave);
        return item;
    }

    void StartDevice() {
        kit.SetDevice(&device);
        device.Open(output.Open());
    }

    // Voices the mixer holds, once the audio side has given back what it let go.
    size_t MixerVoices() {
        output.clock.Advance(kTestLatency + 10);
        Mixer& mixer = device.Output()->GetMixer();
        mixer.CollectGarbage();
        return mixer.VoiceCount();
    }

    ManualSoundOutput output;
    TimerScheduler timers{output.clock};
    HeadlessMainLoop loop{timers};
    SoundDevice device{timers};
    KitPlayer kit;
};

}  // namespace

TEST_F(KitOnManualDevice, PlayingBeforeTheDeviceIsInitialisedDoesNothing) {
    AddItem("Empty", WaveData());
    EXPECT_NO_THROW(kit.Play(kit.Items().Find("Kick      [ ]")));
    EXPECT_NO_THROW(kit.Play(kit.Items().Find("Empty"), true));
    kit.SetDevice(&device);
    EXPECT_NO_THROW(kit.Play(kit.Items().Find("Kick      [ ]")));
    output.clock.Advance(200);
    EXPECT_EQ(FirstSoundingFrame(output.clock.Output()), -1);
    EXPECT_EQ(kit.Playing().Count(), 0);
}

TEST_F(KitOnManualDevice, ThreeQuickPlaysOfOneVoiceSoundThreeTimesAndTheSweepFreesThemAfterwards) {
    StartDevice();
    WaveCollectionItem& snare = kit.Items().Find("snare     [ ]");
    for (int hit = 0; hit < 3; ++hit) {
        kit.Play(snare);
        output.clock.Advance(10);
    }
    EXPECT_EQ(kit.Playing().Count(), 3);
    output.clock.Advance(100);
    const auto& out = output.clock.Output();
    const int64_t first = FirstSoundingFrame(out);
    const float one = 16384 / 32768.0f;
    // 50 ms each, started 10 ms apart: they overlap and add up.
    EXPECT_FLOAT_EQ(SampleAt(out, first + 100, Side::Left), one);
    EXPECT_FLOAT_EQ(SampleAt(out, first + 441 + 100, Side::Left), 2 * one);
    EXPECT_FLOAT_EQ(SampleAt(out, first + 882 + 100, Side::Left), 3 * one);
    EXPECT_EQ(LastSoundingFrame(out) - first + 1, 882 + 2205);

    const size_t withCopies = MixerVoices();
    loop.RunFor(VoicePool::kSweepMilliseconds);
    EXPECT_EQ(kit.Playing().Count(), 0);
    EXPECT_EQ(MixerVoices(), withCopies - 3);
}

TEST_F(KitOnManualDevice, TheSweepKeepsCopiesThatStillSound) {
    StartDevice();
    kit.Play(kit.Items().Find("Kick      [ ]"));  // 100 ms
    output.clock.Advance(400);
    kit.Play(kit.Items().Find("Kick      [ ]"));
    kit.Play(kit.Items().Find("Snare     [ ]"));
    output.clock.Advance(100);  // the first sweep comes at 500 ms
    kit.Playing().Sweep();
    EXPECT_EQ(kit.Playing().Count(), 1);  // the second kick still sounds
}

TEST_F(KitOnManualDevice, EachPlayTakesTheVoicesVolumeAndPan) {
    StartDevice();
    WaveCollectionItem& snare = kit.Items().Find("Snare     [ ]");
    snare.SetVolume(-500 * 1);
    snare.SetPan(-10000);
    kit.Play(snare);
    output.clock.Advance(100);
    EXPECT_NEAR(DecibelsBetween(Peak(output.clock.Output(), Side::Left), 0.5), -5.0, 0.01);
    EXPECT_EQ(Peak(output.clock.Output(), Side::Right), 0.0f);

    output.clock.ClearOutput();
    snare.SetVolume(-500 * 9);
    snare.SetPan(0);
    kit.Play(snare);
    output.clock.Advance(100);
    EXPECT_NEAR(DecibelsBetween(Peak(output.clock.Output(), Side::Right), 0.5), -45.0, 0.01);

    output.clock.ClearOutput();
    snare.SetVolume(-10000);
    kit.Play(snare);
    output.clock.Advance(100);
    EXPECT_EQ(FirstSoundingFrame(output.clock.Output()), -1);
}

TEST_F(KitOnManualDevice, PlayWithWaitingReturnsWhenTheSoundHasFinished) {
    StartDevice();
    kit.Play(kit.Items().Find("Kick      [ ]"), true);
    const auto& out = output.clock.Output();
    const int64_t first = FirstSoundingFrame(out);
    ASSERT_GE(first, 0);
    EXPECT_EQ(LastSoundingFrame(out) - first + 1, 4410);
    EXPECT_EQ(kit.Playing().Count(), 0);
}

TEST_F(KitOnManualDevice, AnEmptyWaveCannotBePlayedButLeavesTheOtherVoicesPlayable) {
    AddItem("Empty", WaveData());
    StartDevice();
    try {
        kit.Play(kit.Items().Find("Empty"));
        FAIL();
    } catch (const VoiceError& error) {
        EXPECT_STREQ(error.what(), "Sound Buffer cannot be made");
    }
    kit.Play(kit.Items().Find("Kick      [ ]"));
    output.clock.Advance(100);
    EXPECT_GE(FirstSoundingFrame(output.clock.Output()), 0);
}

TEST_F(KitOnManualDevice, AVoiceWhoseBufferWasLostReloadsItWhenPlayed) {
    StartDevice();
    device.Output()->LoseBuffers();
    Voice* snareMaster = kit.Voice(kit.Items().Find("Snare     [ ]")).MasterVoice();
    EXPECT_TRUE(snareMaster->IsLost());
    kit.Play(kit.Items().Find("Kick      [ ]"));
    output.clock.Advance(100);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Left), 8000 / 32768.0f);
    EXPECT_FALSE(kit.Voice(kit.Items().Find("Kick      [ ]")).MasterVoice()->IsLost());
    EXPECT_TRUE(snareMaster->IsLost());  // each voice reloads at its own next play

    output.clock.ClearOutput();
    kit.Play(kit.Items().Find("Snare     [ ]"));
    output.clock.Advance(100);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Left), 0.5f);
}

TEST_F(KitOnManualDevice, ACallThatFindsItsBufferLostRestoresEveryBoundKit) {
    int restores = 0;
    device.OnRestored = [&](SoundDevice&) { ++restores; };
    StartDevice();
    EXPECT_EQ(restores, 1);
    kit.Play(kit.Items().Find("Kick      [ ]"));
    device.Output()->LoseBuffers();
    Voice* kickMaster = kit.Voice(kit.Items().Find("Kick      [ ]")).MasterVoice();
    EXPECT_FALSE(kickMaster->Play());  // reports the voice lost
    EXPECT_EQ(restores, 2);
    EXPECT_FALSE(kit.Voice(kit.Items().Find("Kick      [ ]")).MasterVoice()->IsLost());
    EXPECT_FALSE(kit.Voice(kit.Items().Find("Snare     [ ]")).MasterVoice()->IsLost());
}

TEST_F(KitOnManualDevice, MasterBuffersGoWithTheirItemsAndComeBackLazilyAfterALoad) {
    StartDevice();
    EXPECT_TRUE(kit.Voice(kit.Items().Items(1)).HasMaster());
    EXPECT_EQ(MixerVoices(), 3u);
    kit.Items().Delete(1);
    EXPECT_EQ(MixerVoices(), 2u);

    MemoryStream saved;
    kit.Items().SaveToStream(saved);
    saved.SetPosition(0);
    kit.Items().LoadFromStream(saved);
    EXPECT_EQ(MixerVoices(), 0u);
    EXPECT_FALSE(kit.Voice(kit.Items().Items(1)).HasMaster());
    kit.Play(kit.Items().Find("Snare     [ ]"));
    EXPECT_EQ(MixerVoices(), 2u);  // its master and the copy
    output.clock.Advance(100);
    EXPECT_FLOAT_EQ(Peak(output.clock.Output(), Side::Left), 0.5f);

    kit.Items().Clear();
    EXPECT_EQ(MixerVoices(), 1u);  // the copy stays in the playing list until swept
    loop.RunFor(VoicePool::kSweepMilliseconds);
    EXPECT_EQ(MixerVoices(), 0u);
}

TEST_F(KitOnManualDevice, BindingFollowsTheDevice) {
    device.Open(output.Open());
    kit.SetDevice(&device);  // already open: the kit is ready at once
    EXPECT_NE(kit.Voice(kit.Items().Items(1)).MasterVoice(), nullptr);
    EXPECT_EQ(MixerVoices(), 3u);
    kit.Play(kit.Items().Items(1));

    device.Close();
    EXPECT_FALSE(kit.Voice(kit.Items().Items(1)).HasMaster());
    EXPECT_EQ(kit.Playing().Count(), 0);
    EXPECT_EQ(kit.BoundDevice(), nullptr);
    EXPECT_EQ(kit.Device(), &device);

    KitPlayer other;
    {
        SoundDevice shortLived(timers);
        other.SetDevice(&shortLived);
        shortLived.Open(output.Open());
        EXPECT_TRUE(other.IsBound());
    }
    EXPECT_EQ(other.Device(), nullptr);
}

TEST_F(KitOnManualDevice, ASixteenBitExtensibleWavePlaysAsThePlainPcmItIs) {
    // The same samples under the extensible header: its 40-byte record, PCM sub-format.
    WaveData plain = ConstantWave(441, 12000);
    std::vector<uint8_t> record(plain.Format(), plain.Format() + 16);
    const uint8_t extension[24] = {22, 0, 16, 0, 4, 0, 0, 0, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                                   0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    record[0] = 0xFE;
    record[1] = 0xFF;
    record.insert(record.end(), std::begin(extension), std::end(extension));
    WaveData extensible = plain;
    extensible.SetFormat(record.data(), static_cast<int32_t>(record.size()));
    AddItem("Tom1      [ ]", extensible);
    StartDevice();
    EXPECT_NO_THROW(kit.Play(kit.Items().Find("Tom1      [ ]")));
    output.clock.Advance(100);
    const auto& out = output.clock.Output();
    const int64_t first = FirstSoundingFrame(out);
    ASSERT_GE(first, 0);
    EXPECT_FLOAT_EQ(SampleAt(out, first + 200, Side::Left), 12000 / 32768.0f);
    EXPECT_EQ(LastSoundingFrame(out), first + 440);
}
