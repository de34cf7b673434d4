#include "stepweave/sequencer/playback/user_samples.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "tests/stepweave/sequencer/playback/sound_test_support.h"
#include "stepweave/data/default_kit.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_commands.h"
#include "stepweave/sound/voices/audio_file_stream.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/timing/headless_main_loop.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

// A start folder with the blank file, "temp" and two sounds: 100 ms at
// 22050 Hz and 200 ms at 44100 Hz.
std::filesystem::path PreparedFolder() {
    const auto folder = FreshFolder();
    BlankWave().SaveToFile((folder / "Blank.wav").string());
    std::filesystem::create_directories(folder / "temp");
    SaveMonoWave(folder / "low.wav", 22050, RampSamples(2205));
    SaveMonoWave(folder / "ramp.wav", 44100, RampSamples(8820));
    return folder;
}

class UserSampleSlotsOnADevice : public ::testing::Test {
protected:
    const std::vector<float>& Output() const { return output.clock.Output(); }

    std::filesystem::path folder = PreparedFolder();
    ManualSoundOutput output;
    TimerScheduler timers{output.clock};
    HeadlessMainLoop loop{timers};
    SoundDevice sound{timers};
    bool deviceStarted = (sound.Open(output.Open()), true);
    UserSamples samples{sound, folder.string()};
    bool blankFilesOpen = (samples.OpenBlankFiles(), true);
};

}  // namespace

TEST(SemitoneRule, RoundsTheBaseFrequencyTimesTheTwelfthRootOfTwoPerStep) {
    EXPECT_EQ(SemitoneFrequency(22050, 200), 24750);
    EXPECT_EQ(SemitoneFrequency(44100, 0), 44100);
    EXPECT_EQ(SemitoneFrequency(44100, 1200), 88200);
    EXPECT_EQ(SemitoneFrequency(44100, -1200), 22050);
    EXPECT_EQ(SemitoneFrequency(44100, 300), 52444);
}

TEST_F(UserSampleSlotsOnADevice, EverySlotStartsWithTheBlankFile) {
    for (int sample = 1; sample <= 32; ++sample) {
        EXPECT_EQ(samples.FileName(sample), "Blank.wav");
        EXPECT_EQ(samples.Frequency(sample), 44100);
        EXPECT_EQ(samples.BaseFrequency(sample), 44100);
        EXPECT_EQ(samples.SemitoneOffset(sample), 0);
        EXPECT_FALSE(samples.HoldsSample(sample));
    }
    EXPECT_THROW(samples.FileName(33), std::out_of_range);
}

TEST_F(UserSampleSlotsOnADevice, TwoSemitonesUpFromTwentyTwoKilohertz) {
    samples.Load(2, "low.wav");
    EXPECT_EQ(samples.BaseFrequency(2), 22050);
    EXPECT_TRUE(samples.SemitoneUp(2));
    EXPECT_TRUE(samples.SemitoneUp(2));
    EXPECT_EQ(samples.SemitoneOffset(2), 200);
    EXPECT_EQ(samples.Frequency(2), 24750);
    EXPECT_TRUE(samples.Playing(2)) << "each step plays the sample";
    EXPECT_TRUE(samples.SemitoneDown(2));
    EXPECT_EQ(samples.Frequency(2), SemitoneFrequency(22050, 100));

    samples.Load(2, "ramp.wav");
    EXPECT_EQ(samples.SemitoneOffset(2), 0) << "a new file starts at its own pitch";
    EXPECT_TRUE(samples.SemitoneUp(2));
    EXPECT_EQ(samples.Frequency(2), SemitoneFrequency(44100, 100));
}

TEST_F(UserSampleSlotsOnADevice, TheArrowsDoNothingWithTheBlankFile) {
    EXPECT_FALSE(samples.SemitoneUp(1));
    EXPECT_FALSE(samples.SemitoneDown(1));
    EXPECT_EQ(samples.SemitoneOffset(1), 0);
    EXPECT_EQ(samples.Frequency(1), 44100);
    EXPECT_FALSE(samples.Playing(1));
}

TEST_F(UserSampleSlotsOnADevice, ASampleRestartedWhileSoundingStartsOverFromItsBeginning) {
    samples.Load(3, "ramp.wav");
    samples.Restart(3);
    loop.RunFor(100);
    samples.Restart(3);
    loop.RunUntil([&] { return !samples.Playing(3); });

    const auto& out = Output();
    const std::vector<int16_t> ramp = RampSamples(8820);
    const int64_t first = FirstSoundingFrame(out);
    ASSERT_GE(first, 0);
    const int64_t second = first + 4410;  // 100 ms later, on time
    for (int i = 0; i < 2205; i += 441) {
        ASSERT_FLOAT_EQ(SampleAt(out, first + i, Side::Left), ramp[static_cast<size_t>(i)] / 32768.0f) << i;
    }
    EXPECT_EQ(FirstSoundingFrame(out, second - 1), second) << "the first play was cut off before the restart";
    for (int i = 0; i < 8820; i += 441) {
        ASSERT_FLOAT_EQ(SampleAt(out, second + i, Side::Left), ramp[static_cast<size_t>(i)] / 32768.0f) << i;
    }
    EXPECT_EQ(LastSoundingFrame(out), second + 8819) << "one voice per sample: no overlap";
}

TEST_F(UserSampleSlotsOnADevice, StopSilencesTheSample) {
    samples.Load(1, "ramp.wav");
    samples.Restart(1);
    loop.RunFor(50);
    samples.Stop(1);
    EXPECT_FALSE(samples.Playing(1));
    output.clock.ClearOutput();
    loop.RunFor(300);
    EXPECT_EQ(FirstSoundingFrame(Output()), -1);
}

TEST_F(UserSampleSlotsOnADevice, AFileThatCannotBeOpenedLeavesTheSlotSilentButKeepsItsName) {
    samples.Load(5, "ramp.wav");
    EXPECT_THROW(samples.Load(5, "missing.wav"), FileOpenError);
    EXPECT_EQ(samples.FileName(5), "missing.wav") << "saving the song again keeps the reference";
    EXPECT_NO_THROW(samples.Restart(5));
    loop.RunFor(300);
    EXPECT_EQ(FirstSoundingFrame(Output()), -1);

    WriteText(folder / "text.wav", "not a wave");
    EXPECT_THROW(samples.Load(6, "text.wav"), WaveStreamError);
}

TEST_F(UserSampleSlotsOnADevice, OpeningAFileCopiesItToTheTempFolder) {
    const auto elsewhere = folder / "elsewhere";
    std::filesystem::create_directories(elsewhere);
    SaveMonoWave(elsewhere / "clap.wav", 44100, RampSamples(441));
    samples.OpenFile(7, (elsewhere / "clap.wav").string());
    EXPECT_EQ(FileText(folder / "temp" / "Sample1.wav"), FileText(elsewhere / "clap.wav"));
    EXPECT_EQ(samples.FileName(7), (elsewhere / "clap.wav").string());
    EXPECT_TRUE(samples.HoldsSample(7));
}

TEST_F(UserSampleSlotsOnADevice, ASongFileLoadsRealSamples) {
    std::vector<std::string> lines{"Verse", "<*sam1", "low.wav", "23000", "//", "-800", "<*sam2", "Blank.wav", "44100"};
    for (int sample = 3; sample <= 8; ++sample) {
        lines.insert(lines.end(), {"<*sam" + std::to_string(sample), "Blank.wav", "44100", "//", "0"});
    }
    WriteText(folder / "Song.sng", CrLfText(lines));
    samples.Load(2, "ramp.wav");
    SequencerDocument document(folder.string(), samples);
    ASSERT_TRUE(OpenSong(document, (folder / "Song.sng").string()));
    EXPECT_EQ(samples.FileName(1), "low.wav");
    EXPECT_EQ(samples.Frequency(1), 23000);
    EXPECT_EQ(samples.BaseFrequency(1), 22050);
    EXPECT_EQ(samples.Pan(1), -800);
    EXPECT_EQ(samples.Stream(1).FileName(), (folder / "low.wav").string()) << "found in the start folder";
    EXPECT_FALSE(samples.HoldsSample(2)) << "the blank file empties the slot";

    samples.Restart(1);
    EXPECT_TRUE(samples.Playing(1));
}

TEST_F(UserSampleSlotsOnADevice, ASlotKeepsItsPanAndVolumeWhenASongOrPatternLoadsAFileIntoIt) {
    samples.Load(1, "low.wav");
    samples.SetPan(1, -4000);
    samples.SetVolume(1, -1200);
    samples.SetFrequency(1, 30000);
    samples.Load(1, "low.wav");
    EXPECT_EQ(samples.Pan(1), -4000);
    EXPECT_EQ(samples.Volume(1), -1200);
    EXPECT_EQ(samples.Frequency(1), 22050) << "the pitch is the file's own again";
    samples.Load(1, "ramp.wav");
    EXPECT_EQ(samples.Pan(1), -4000) << "the files carry no pan: it is the slot's";
    EXPECT_EQ(samples.Volume(1), -1200);
    EXPECT_EQ(samples.BaseFrequency(1), 44100);

    // Heard 40 dB quieter on the right, 12 dB down on the left.
    samples.Restart(1);
    loop.RunUntil([&] { return !samples.Playing(1); });
    const std::vector<int16_t> ramp = RampSamples(8820);
    const float peak = *std::max_element(ramp.begin(), ramp.end()) / 32768.0f;
    EXPECT_NEAR(DecibelsBetween(Peak(Output(), Side::Left), peak), -12.0, 0.1);
    EXPECT_NEAR(DecibelsBetween(Peak(Output(), Side::Right), peak), -52.0, 0.1);
}

TEST_F(UserSampleSlotsOnADevice, OpeningTheSameFileAgainKeepsPanAndVolumeAndAnotherStartsCentred) {
    samples.OpenFile(2, "low.wav");
    samples.SetPan(2, 2500);
    samples.SetVolume(2, -800);
    samples.OpenFile(2, (folder / "low.wav").string());
    EXPECT_EQ(samples.Pan(2), 2500);
    EXPECT_EQ(samples.Volume(2), -800);
    samples.OpenFile(2, "ramp.wav");
    EXPECT_EQ(samples.Pan(2), 0);
    EXPECT_EQ(samples.Volume(2), 0);
}

TEST_F(UserSampleSlotsOnADevice, AFileTheUserCannotOpenLeavesTheSlotAsItWas) {
    samples.OpenFile(5, "low.wav");
    samples.SetPan(5, -3000);
    samples.SetFrequency(5, 23000);
    const std::string copy = FileText(folder / "temp" / "Sample1.wav");
    WriteText(folder / "notwav.wav", "not a wave at all");
    try {
        samples.OpenFile(5, (folder / "notwav.wav").string());
        FAIL() << "a text file is no wave";
    } catch (const WaveStreamError& error) {
        EXPECT_EQ(CommandLineMessage(error), "notwav.wav: Wave is invalid");
    }
    EXPECT_THROW(samples.OpenFile(5, "missing.wav"), FileOpenError);
    EXPECT_EQ(samples.FileName(5), "low.wav");
    EXPECT_EQ(samples.Pan(5), -3000);
    EXPECT_EQ(samples.Frequency(5), 23000);
    EXPECT_EQ(FileText(folder / "temp" / "Sample1.wav"), copy) << "only a sound that opens is copied";
    samples.Restart(5);
    EXPECT_TRUE(samples.Playing(5)) << "and it still sounds";
}
