// Listening to WAV files: what the audio output is given, to the last
// sample, and how the player ends, stops and fails.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "tests/voxnote/app/test_support.h"
#include "voxnote/app/audio/discarding_audio_output.h"
#include "tests/support/voxnote/manual_audio_output.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/audio/wav_player.h"

namespace voxnote {
namespace {

constexpr unsigned kPull = 480;

std::vector<uint8_t> EightBitWav(const std::vector<uint8_t>& samples, uint16_t channels, uint32_t rate) {
    test::WavShape shape;
    shape.channels = channels;
    shape.sampleRate = rate;
    shape.bitsPerSample = 8;
    return test::RiffWave({test::FmtChunk(shape), test::Chunk("data", samples)});
}

class WavPlayerTest : public testing::Test {
protected:
    void MakePlayer(unsigned deviceRate) {
        auto output = std::make_unique<ManualAudioOutput>(deviceRate);
        device = output.get();
        player = std::make_unique<WavPlayer>(std::move(output));
    }

    std::filesystem::path Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        test::WriteBytes(folder / name, bytes);
        return folder / name;
    }

    // Pulls buffers as the sound card would, topping up the ring between
    // them, until the player reports the end; the number of ends reported.
    int PlayToEnd(size_t largestPulls) {
        int ends = 0;
        for (size_t pull = 0; pull < largestPulls && device->Pull(kPull); ++pull) {
            ends += player->Pump() ? 1 : 0;
        }
        ends += player->Pump() ? 1 : 0;
        return ends;
    }

    // The rendered left and right samples, without the silence after the end.
    std::pair<std::vector<float>, std::vector<float>> RenderedSides() const {
        std::pair<std::vector<float>, std::vector<float>> sides;
        const std::vector<float>& frames = device->Rendered();
        size_t end = frames.size();
        while (end >= 2 && frames[end - 1] == 0.0f && frames[end - 2] == 0.0f) {
            end -= 2;
        }
        for (size_t i = 0; i + 1 < end; i += 2) {
            sides.first.push_back(frames[i]);
            sides.second.push_back(frames[i + 1]);
        }
        return sides;
    }

    test::TemporaryFolder folder;
    test::RecordingReporter reporter;
    ManualAudioOutput* device = nullptr;
    std::unique_ptr<WavPlayer> player;
};

TEST_F(WavPlayerTest, AtTheDeviceRateEverySampleComesThroughInOrderAcrossTheRing) {
    // Ten seconds of stereo: more than the ring holds, so it must be topped up.
    const size_t frames = 10 * 48000;
    std::vector<int16_t> samples;
    for (size_t i = 0; i < frames; ++i) {
        const auto value = static_cast<int16_t>(1 + i % 30000);
        samples.push_back(value);
        samples.push_back(static_cast<int16_t>(-value));
    }
    MakePlayer(48000);
    ASSERT_TRUE(player->Play(Write("long.wav", test::WavImage(samples, 2, 48000)), reporter));
    EXPECT_TRUE(player->IsPlaying());
    EXPECT_TRUE(device->IsRunning());

    EXPECT_EQ(PlayToEnd(frames / kPull + 100), 1);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(device->IsOpen()) << "the output is closed at the end";
    EXPECT_FALSE(player->Pump()) << "the end is reported once";

    auto [left, right] = RenderedSides();
    ASSERT_EQ(left.size(), frames);
    for (size_t i = 0; i < frames; ++i) {
        ASSERT_EQ(left[i], samples[2 * i] / 32768.0f) << "frame " << i;
        ASSERT_EQ(right[i], samples[2 * i + 1] / 32768.0f) << "frame " << i;
    }
    EXPECT_TRUE(reporter.texts.empty());
}

TEST_F(WavPlayerTest, AMainThreadThatFallsBehindDelaysTheSoundButLosesNothing) {
    const size_t frames = 8 * 48000;
    std::vector<int16_t> samples(frames);
    for (size_t i = 0; i < frames; ++i) {
        samples[i] = static_cast<int16_t>(1 + i % 20000);
    }
    MakePlayer(48000);
    ASSERT_TRUE(player->Play(Write("late.wav", test::WavImage(samples, 1, 48000)), reporter));
    // Six seconds pass without a top-up: the ring runs dry and plays silence.
    for (int pull = 0; pull < 600; ++pull) {
        device->Pull(kPull);
    }
    EXPECT_TRUE(player->IsPlaying()) << "a dry ring is no end";
    EXPECT_EQ(PlayToEnd(2000), 1);

    std::vector<float> heard;
    for (size_t i = 0; i < device->Rendered().size(); i += 2) {
        if (device->Rendered()[i] != 0.0f) {
            heard.push_back(device->Rendered()[i]);
        }
    }
    ASSERT_EQ(heard.size(), frames);
    for (size_t i = 0; i < frames; ++i) {
        ASSERT_EQ(heard[i], samples[i] / 32768.0f) << "sample " << i;
    }
}

TEST_F(WavPlayerTest, AnEightBitMonoFileIsResampledToTheDeviceRateOnBothSides) {
    // One second of 440 Hz at 22050 Hz, 8-bit unsigned.
    std::vector<uint8_t> samples(22050);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<uint8_t>(std::lround(128 + 100 * std::sin(2 * M_PI * 440 * i / 22050.0)));
    }
    MakePlayer(48000);
    ASSERT_TRUE(player->Play(Write("a440.wav", EightBitWav(samples, 1, 22050)), reporter));
    EXPECT_EQ(PlayToEnd(200), 1);

    auto [left, right] = RenderedSides();
    EXPECT_NEAR(static_cast<double>(left.size()), 48000.0, 200.0) << "one second at the device's rate";
    EXPECT_EQ(left, right);
    // Count upward zero crossings over the middle half second.
    int crossings = 0;
    for (size_t i = 12001; i < 36000; ++i) {
        crossings += left[i - 1] < 0.0f && left[i] >= 0.0f ? 1 : 0;
    }
    EXPECT_NEAR(crossings, 220, 2);
    float peak = 0;
    for (float sample : left) {
        peak = std::max(peak, std::abs(sample));
    }
    EXPECT_NEAR(peak, 100.0 / 128.0, 0.03);
}

TEST_F(WavPlayerTest, ADataChunkThatClaimsTooMuchPlaysWhatIsThere) {
    std::vector<uint8_t> image = test::WavImage(std::vector<int16_t>(1000, 1234), 1, 48000);
    image[40] = 0xFF;  // the data size field says almost 16 MB
    image[42] = 0xFF;
    MakePlayer(48000);
    ASSERT_TRUE(player->Play(Write("cut.wav", image), reporter));
    EXPECT_EQ(PlayToEnd(100), 1);
    EXPECT_EQ(RenderedSides().first.size(), 1000u);
}

TEST_F(WavPlayerTest, StoppingClosesTheOutputAndAFailedStopIsReported) {
    MakePlayer(44100);
    const auto file = Write("tone.wav", test::WavImage(test::SineSamples(440, 8000, 44100, 44100), 1, 44100));
    ASSERT_TRUE(player->Play(file, reporter));
    device->Pull(kPull);
    player->Stop(reporter);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(device->IsOpen());
    EXPECT_TRUE(reporter.texts.empty());

    ASSERT_TRUE(player->Play(file, reporter));
    device->FailNextStop("device gone");
    player->Stop(reporter);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(device->IsOpen()) << "closed all the same";
    EXPECT_EQ(reporter.texts, std::vector<std::string>{Text(strings::kProblemStoppingAudio)});

    ASSERT_TRUE(player->Play(file, reporter)) << "and it plays again";
}

TEST_F(WavPlayerTest, FilesThatCannotBePlayedAreReportedAndNothingStarts) {
    MakePlayer(48000);
    test::WavShape adpcm;
    adpcm.formatTag = 2;
    test::WavShape wide;
    wide.bitsPerSample = 24;
    const std::pair<std::filesystem::path, int> cases[] = {
        {folder / "missing.wav", strings::kCannotOpenWaveForPlayback},
        {Write("text.wav", {'h', 'e', 'l', 'l', 'o'}), strings::kCannotOpenWaveForPlayback},
        {Write("adpcm.wav", test::RiffWave({test::FmtChunk(adpcm), test::Chunk("data", {1, 2, 3, 4})})),
         strings::kCannotPlayWaveFormat},
        {Write("wide.wav", test::RiffWave({test::FmtChunk(wide), test::Chunk("data", {1, 2, 3})})),
         strings::kCannotPlayWaveFormat},
        {Write("nodata.wav", test::RiffWave({test::FmtChunk({})})), strings::kNoDataChunk},
    };
    for (const auto& [file, message] : cases) {
        reporter.texts.clear();
        EXPECT_FALSE(player->Play(file, reporter)) << file;
        EXPECT_EQ(reporter.texts, std::vector<std::string>{Text(message)}) << file;
        EXPECT_FALSE(player->IsPlaying());
        EXPECT_FALSE(device->IsOpen());
    }
}

TEST_F(WavPlayerTest, AnOutputThatFailsToOpenOrStartIsReportedWithItsReason) {
    MakePlayer(48000);
    const auto file = Write("tone.wav", test::WavImage(test::SineSamples(440, 8000, 4410), 1, 11025));
    device->FailNextOpen("no such card");
    EXPECT_FALSE(player->Play(file, reporter));
    device->FailNextStart("card busy");
    EXPECT_FALSE(player->Play(file, reporter));
    EXPECT_EQ(reporter.texts, (std::vector<std::string>{"no such card", "card busy"}));
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(device->IsOpen());
    EXPECT_TRUE(player->Play(file, reporter));
}

TEST(WavPlayerOnTheNullOutput, PlaysInRealTimeToTheEnd) {
    test::TemporaryFolder folder;
    test::WriteBytes(folder / "short.wav", test::WavImage(test::SineSamples(440, 8000, 2205), 1, 11025));
    test::RecordingReporter reporter;
    WavPlayer player(std::make_unique<DiscardingAudioOutput>());
    ASSERT_TRUE(player.Play(folder / "short.wav", reporter));
    // A fifth of a second of sound; ten seconds is only a guard against a hang.
    int ends = 0;
    for (int tick = 0; tick < 1000 && player.IsPlaying(); ++tick) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ends += player.Pump() ? 1 : 0;
    }
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_TRUE(reporter.texts.empty());
}

}  // namespace
}  // namespace voxnote
