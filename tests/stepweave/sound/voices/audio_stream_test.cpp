#include "tests/support/scratch_folder.h"
#include "tests/support/stepweave/manual_millisecond_clock.h"
#include "stepweave/sound/voices/audio_file_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "tests/stepweave/sound/output/manual_sound_output.h"
#include "tests/stepweave/sound/mixer/sound_measure.h"
#include "stepweave/sound/voices/voice.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/headless_main_loop.h"
#include "stepweave/sound/files/little_endian.h"
#include "stepweave/sound/wav/wave_data.h"
#include "stepweave/sound/wav/wave_stream.h"

namespace fs = std::filesystem;
using namespace stepweave;
using namespace stepweave::testing;

namespace {

fs::path Folder() {
    static const fs::path folder = [] {
        const fs::path made = ScratchFolder("stepweave_audio_stream_test");
        fs::remove_all(made);
        fs::create_directories(made);
        return made;
    }();
    return folder;
}

std::string SaveWave(const std::string& name, uint16_t channels, uint32_t rate, uint16_t bits,
                     const std::vector<uint8_t>& data) {
    uint8_t record[16];
    const auto blockAlign = static_cast<uint16_t>(channels * bits / 8);
    StoreLittleEndian16(record, 1);
    StoreLittleEndian16(record + 2, channels);
    StoreLittleEndian32(record + 4, rate);
    StoreLittleEndian32(record + 8, rate * blockAlign);
    StoreLittleEndian16(record + 12, blockAlign);
    StoreLittleEndian16(record + 14, bits);
    WaveData wave;
    wave.SetFormat(record, 16);
    wave.SetSize(static_cast<int32_t>(data.size()));
    std::memcpy(wave.Data(), data.data(), data.size());
    const std::string path = (Folder() / name).string();
    wave.SaveToFile(path);
    return path;
}

// A 16-bit mono ramp that never repeats within `frames`, so any sample out
// of place shows.
std::vector<int16_t> Ramp(int frames) {
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        samples[static_cast<size_t>(i)] = static_cast<int16_t>((i * 7) % 30011 - 15000);
    }
    return samples;
}

std::string SaveRamp(const std::string& name, int frames) {
    const std::vector<int16_t> ramp = Ramp(frames);
    std::vector<uint8_t> bytes(ramp.size() * 2);
    std::memcpy(bytes.data(), ramp.data(), bytes.size());
    return SaveWave(name, 1, 44100, 16, bytes);
}

struct StreamOnManualDevice : ::testing::Test {
    StreamOnManualDevice() { device.Open(output.Open()); }

    // Runs the loop until the stream stops by itself, noting after each
    // refill the position and whether it still plays.
    void RunUntilStopped() {
        ASSERT_TRUE(loop.RunUntil([&] {
            history.emplace_back(stream.Position(), stream.Playing());
            return !stream.Playing();
        }));
    }

    // The output holds the ramp whole, from where the sound starts, and nothing after.
    void ExpectRampPlayedOnce(int frames) {
        const auto& out = output.clock.Output();
        const std::vector<int16_t> ramp = Ramp(frames);
        const int64_t start = FirstSoundingFrame(out);
        ASSERT_GE(start, 0);
        ASSERT_GE(FrameCount(out), start + frames);
        for (int i = 0; i < frames; ++i) {
            ASSERT_FLOAT_EQ(SampleAt(out, start + i, Side::Left), ramp[static_cast<size_t>(i)] / 32768.0f) << i;
        }
        EXPECT_EQ(LastSoundingFrame(out), start + frames - 1);
    }

    ManualSoundOutput output;
    TimerScheduler timers{output.clock};
    HeadlessMainLoop loop{timers};
    SoundDevice device{timers};
    AudioFileStream stream{device};
    std::vector<std::pair<int64_t, bool>> history;
};

}  // namespace

TEST_F(StreamOnManualDevice, NeedsAWaveStream) {
    for (auto use : {+[](AudioStream& s) { s.Play(); }, +[](AudioStream& s) { s.SetPosition(4); },
                     +[](AudioStream& s) { (void)s.Format(); }}) {
        try {
            use(stream);
            FAIL();
        } catch (const AudioStreamError& error) {
            EXPECT_STREQ(error.what(), "WaveStream not set");
        }
    }
}

TEST_F(StreamOnManualDevice, PositionsAreWholeBlocksWithinTheData) {
    stream.SetFileName(SaveWave("stereo.wav", 2, 44100, 16, std::vector<uint8_t>(4000)));
    EXPECT_EQ(stream.BufferSize(), 176400u);
    stream.SetPosition(1003);
    EXPECT_EQ(stream.Position(), 1000);
    stream.SetPosition(1000000);  // past the end: the last whole block
    EXPECT_EQ(stream.Position(), 3996);
    stream.SetPosition(-5);
    EXPECT_EQ(stream.Position(), 0);

    stream.SetFileName(SaveWave("mono8.wav", 1, 11025, 8, std::vector<uint8_t>(101, 128)));
    stream.SetPosition(1000);
    EXPECT_EQ(stream.Position(), 100);
}

TEST_F(StreamOnManualDevice, AFileShorterThanTheRingPlaysOnceThenSilenceAndStopsAtTheNextRefill) {
    const int frames = 8820;  // 200 ms in a ring of one second
    stream.SetFileName(SaveRamp("short.wav", frames));
    stream.Play();
    EXPECT_TRUE(stream.Playing());
    RunUntilStopped();
    ExpectRampPlayedOnce(frames);

    // It stops at the first refill that finds the data all played.
    const int64_t size = frames * 2;
    const auto consumed = std::find_if(history.begin(), history.end(), [&](auto& h) { return h.first == size; });
    ASSERT_NE(consumed, history.end());
    EXPECT_TRUE(consumed->second);
    ASSERT_NE(consumed + 1, history.end());
    EXPECT_FALSE((consumed + 1)->second);

    output.clock.ClearOutput();
    loop.RunFor(500);
    EXPECT_EQ(FirstSoundingFrame(output.clock.Output()), -1);
}

TEST_F(StreamOnManualDevice, AFileLongerThanTheRingPlaysWholeAndStopsByItself) {
    const int frames = 44100 * 5 / 2;  // 2.5 rings
    stream.SetFileName(SaveRamp("long.wav", frames));
    stream.Play();
    RunUntilStopped();
    ExpectRampPlayedOnce(frames);
    EXPECT_EQ(stream.Position(), frames * 2);
}

TEST_F(StreamOnManualDevice, EightBitSilenceAfterTheDataIsTrueSilence) {
    std::vector<uint8_t> data(2205, 192);
    stream.SetFileName(SaveWave("short8.wav", 1, 22050, 8, data));
    stream.Play();
    RunUntilStopped();
    const auto& out = output.clock.Output();
    const int64_t start = FirstSoundingFrame(out);
    EXPECT_NEAR(LastSoundingFrame(out) - start, 4410, 2);  // 100 ms at 22050 Hz
    EXPECT_FLOAT_EQ(Peak(out, Side::Left), 0.5f);
}

TEST_F(StreamOnManualDevice, ALoopedStreamStartsOverAfterItsData) {
    stream.SetFileName(SaveRamp("loop.wav", 4410));
    stream.SetLooped(true);
    stream.Play();
    loop.RunFor(1000);
    EXPECT_TRUE(stream.Playing());
    const auto& out = output.clock.Output();
    const int64_t first = FirstSoundingFrame(out);
    // The ramp's first non-zero sample comes round again after the first pass.
    int starts = 0;
    for (int64_t frame = first; frame < FrameCount(out); ++frame) {
        if (SampleAt(out, frame, Side::Left) == SampleAt(out, first, Side::Left) &&
            SampleAt(out, frame + 1, Side::Left) == SampleAt(out, first + 1, Side::Left)) {
            ++starts;
        }
    }
    EXPECT_GE(starts, 3);
    stream.Stop();
    EXPECT_FALSE(stream.Playing());
}

TEST_F(StreamOnManualDevice, SettingThePositionWhilePlayingGoesOnFromThere) {
    const int frames = 44100 * 2;
    stream.SetFileName(SaveRamp("jump.wav", frames));
    stream.Play();
    loop.RunFor(200);
    stream.SetPosition(60000 * 2);
    output.clock.ClearOutput();
    loop.RunFor(200);
    const auto& out = output.clock.Output();
    const std::vector<int16_t> ramp = Ramp(frames);
    // Somewhere in the new output the ramp runs on from frame 60000.
    int64_t at = -1;
    for (int64_t frame = 0; frame < FrameCount(out); ++frame) {
        if (SampleAt(out, frame, Side::Left) == ramp[60000] / 32768.0f &&
            SampleAt(out, frame + 1, Side::Left) == ramp[60001] / 32768.0f) {
            at = frame;
            break;
        }
    }
    ASSERT_GE(at, 0);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_FLOAT_EQ(SampleAt(out, at + i, Side::Left), ramp[60000 + static_cast<size_t>(i)] / 32768.0f);
    }
}

TEST_F(StreamOnManualDevice, ForwardsFrequencyPanAndVolumeAndKeepsThemThroughARecreate) {
    stream.SetFileName(SaveRamp("controls.wav", 4410));
    stream.SetPan(-10000);
    stream.SetVolume(-600);
    stream.SetFrequency(22050);
    EXPECT_EQ(stream.Ring()->Pan(), -10000);
    EXPECT_EQ(stream.Frequency(), 22050u);
    stream.SetPosition(200);
    stream.RecreateRing();
    EXPECT_EQ(stream.Position(), 200);
    EXPECT_EQ(stream.Ring()->Volume(), -600);
    EXPECT_EQ(stream.Ring()->Frequency(), 22050u);

    stream.Play();
    stream.RecreateRing();
    EXPECT_TRUE(stream.Playing());
    RunUntilStopped();
    const auto& out = output.clock.Output();
    EXPECT_EQ(Peak(out, Side::Right), 0.0f);
    EXPECT_NEAR(LastSoundingFrame(out) - FirstSoundingFrame(out), 2 * (4410 - 100), 4);  // half speed
    EXPECT_NEAR(Peak(out, Side::Left), 15000 / 32768.0 * 0.5012, 0.001);

    stream.SetFileName(SaveRamp("fresh.wav", 441));  // a new file starts centred at full level
    EXPECT_EQ(stream.Pan(), 0);
    EXPECT_EQ(stream.Volume(), 0);
    EXPECT_EQ(stream.Frequency(), 44100u);
}

TEST_F(StreamOnManualDevice, ABadFileLeavesTheStreamClosed) {
    const std::string text = (Folder() / "text.wav").string();
    WriteFileSafely(text, std::string("this is no wave"));
    try {
        stream.SetFileName(text);
        FAIL();
    } catch (const WaveStreamError& error) {
        EXPECT_STREQ(error.what(), "Wave is invalid");
    }
    EXPECT_EQ(stream.Source(), nullptr);
    EXPECT_EQ(stream.FileName(), "");

    try {
        stream.SetFileName(std::string(TEST_DATA_DIR) + "/waves/float.wav");
        FAIL();
    } catch (const VoiceError& error) {
        EXPECT_STREQ(error.what(), "Sound Buffer cannot be made");
    }
    EXPECT_EQ(stream.Source(), nullptr);
    EXPECT_THROW(stream.SetFileName((Folder() / "missing.wav").string()), FileOpenError);
}

TEST_F(StreamOnManualDevice, AFileCutShortPlaysWhatItHolds) {
    const std::string path = SaveRamp("cut.wav", 4410);
    fs::resize_file(path, fs::file_size(path) - 4001);  // the header still promises 8820 bytes
    stream.SetFileName(path);
    EXPECT_EQ(stream.Size(), 8820 - 4000);
    stream.Play();
    RunUntilStopped();
    ExpectRampPlayedOnce(2410);
}

TEST_F(StreamOnManualDevice, FollowsTheDeviceThroughClosingAndOpening) {
    stream.SetFileName(SaveRamp("device.wav", 44100));
    stream.Play();
    loop.RunFor(100);
    const std::shared_ptr<AudioOutput> sound = device.SharedOutput();
    device.Close();
    EXPECT_FALSE(stream.Playing());
    EXPECT_EQ(stream.Ring(), nullptr);
    EXPECT_NO_THROW(stream.Play());  // no device: silent
    EXPECT_FALSE(stream.Playing());
    device.Open(sound);
    ASSERT_NE(stream.Ring(), nullptr);
    stream.SetPosition(0);
    stream.Play();
    EXPECT_TRUE(stream.Playing());
}

TEST(StreamWithoutDevice, OpensFilesAndPlaysSilently) {
    ManualMillisecondClock clock;
    TimerScheduler timers(clock);
    SoundDevice device(timers);  // never opened: the program runs silent
    AudioFileStream stream(device);
    stream.SetFileName(SaveRamp("silent.wav", 441));
    stream.SetPosition(0);
    EXPECT_NO_THROW(stream.Play());
    EXPECT_FALSE(stream.Playing());
}
