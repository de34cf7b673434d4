// Playback heard through the sound output: the engine with the real kit
// voices and user sample streams, on the hand-pumped device.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "tests/stepweave/sequencer/playback/sound_test_support.h"
#include "stepweave/data/default_kit.h"
#include "stepweave/sequencer/playback/application_idle.h"
#include "stepweave/sequencer/playback/kit_and_sample_sounds.h"
#include "stepweave/sequencer/playback/playback_engine.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/timing/headless_main_loop.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {


int64_t FramesIn(uint32_t milliseconds) { return static_cast<int64_t>(milliseconds) * 441 / 10; }

std::filesystem::path PreparedFolder() {
    const auto folder = FreshFolder();
    BlankWave().SaveToFile((folder / "Blank.wav").string());
    std::filesystem::create_directories(folder / "temp");
    SaveMonoWave(folder / "sample.wav", 44100, std::vector<int16_t>(441 * 3, 4000));  // 30 ms
    return folder;
}

void AddKitItem(KitPlayer& kit, const std::string& name, const std::vector<int16_t>& samples) {
    WaveCollectionItem& item = kit.Items().Add();
    item.SetName(name);
    item.SetWave(MonoPcmWave(samples));
}

class PlaybackOnADevice : public ::testing::Test {
protected:
    PlaybackOnADevice() {
        AddKitItem(kit, "", std::vector<int16_t>(441, 0));
        AddKitItem(kit, "Kick      [ ]", std::vector<int16_t>(FramesIn(50), 8000));   // 50 ms
        AddKitItem(kit, "Snare     [ ]", std::vector<int16_t>(FramesIn(10), 16000));  // 10 ms
        kit.SetDevice(&sound);
        samples.Load(1, "sample.wav");
        document.grid.UpdateTime("4", "4");
        document.SetDelay(10);  // 20 ms steps
    }

    const std::vector<float>& Output() const { return output.clock.Output(); }
    float Left(int64_t frame) const { return SampleAt(Output(), frame, Side::Left); }

    std::filesystem::path folder = PreparedFolder();
    ManualSoundOutput output;
    TimerScheduler timers{output.clock};
    HeadlessMainLoop loop{timers};
    SoundDevice sound{timers};
    bool deviceStarted = (sound.Open(output.Open()), true);
    KitPlayer kit;
    UserSamples samples{sound, folder.string()};
    bool blankFilesOpen = (samples.OpenBlankFiles(), true);
    SequencerDocument document{folder.string(), samples};
    KitAndSampleSounds sounds{kit, samples};
    ApplicationIdle idle{timers};
    PlaybackEngine engine{document, sounds, idle};
};

}  // namespace

TEST_F(PlaybackOnADevice, StepsLandOnTheirFramesAndAKitSoundTwiceOverlaps) {
    document.grid.SetCell(PatternGrid::StepRow(1), 1, "Kick      [ ]");
    document.grid.SetCell(PatternGrid::StepRow(2), 3, "Kick      [3]");
    document.grid.SetCell(PatternGrid::StepRow(3), 2, "Snare     [1]");
    engine.PlayPattern();
    loop.RunUntil([&] { return !engine.Playing(); });
    loop.RunFor(200);

    const int64_t first = FirstSoundingFrame(Output());
    ASSERT_GE(first, 0);
    const float kick = 8000 / 32768.0f;
    const float level1 = std::pow(10.0f, -500 / 2000.0f);
    const float level3 = std::pow(10.0f, -1500 / 2000.0f);
    const int64_t step = FramesIn(20);
    EXPECT_FLOAT_EQ(Left(first), kick * level1);
    EXPECT_FLOAT_EQ(Left(first + step - 1), kick * level1);
    EXPECT_FLOAT_EQ(Left(first + step), kick * (level1 + level3)) << "the second kick joins the first one's tail";
    EXPECT_FLOAT_EQ(Left(first + 2 * step), kick * (level1 + level3) + 16000 / 32768.0f * level1);
    EXPECT_FLOAT_EQ(Left(first + FramesIn(50)), kick * level3) << "the first kick has ended";
    EXPECT_EQ(LastSoundingFrame(Output()), first + step + FramesIn(50) - 1);
    EXPECT_EQ(kit.Items().Find("Snare     [ ]").Volume(), -500) << "the item keeps the last level played";
}

TEST_F(PlaybackOnADevice, ACellWhoseLabelTheKitLacksIsSkipped) {
    document.grid.SetCell(PatternGrid::StepRow(1), 1, "Tom1      [ ]");
    document.grid.SetCell(PatternGrid::StepRow(1), 2, "Snare     [ ]");
    document.grid.SetCell(PatternGrid::StepRow(2), 1, "Tom1      [ ]");
    document.grid.SetCell(PatternGrid::StepRow(4), 1, "Kick      [ ]");
    engine.PlayPattern();
    loop.RunUntil([&] { return !engine.Playing(); });
    loop.RunFor(200);

    const int64_t first = FirstSoundingFrame(Output());
    ASSERT_GE(first, 0);
    EXPECT_FLOAT_EQ(Left(first), 16000 / 32768.0f * std::pow(10.0f, -500 / 2000.0f)) << "the snare of the same step";
    EXPECT_EQ(FirstSoundingFrame(Output(), first + FramesIn(10)), first + FramesIn(60)) << "the kick of step 4";
}

TEST_F(PlaybackOnADevice, AUserSampleOnConsecutiveStepsRestarts) {
    for (int row = 1; row <= 2; ++row) {
        document.grid.SetCell(PatternGrid::StepRow(row), 1, "Sample1");
    }
    engine.PlayPattern();
    loop.RunUntil([&] { return !engine.Playing(); });
    loop.RunUntil([&] { return !samples.Playing(1); });
    loop.RunFor(100);

    const int64_t first = FirstSoundingFrame(Output());
    ASSERT_GE(first, 0);
    const float level = 4000 / 32768.0f;
    EXPECT_FLOAT_EQ(Left(first + FramesIn(20)), level) << "restarted on time, never doubled";
    EXPECT_EQ(LastSoundingFrame(Output()), first + FramesIn(20) + FramesIn(30) - 1) << "the second play runs whole";
}

TEST_F(PlaybackOnADevice, StopCutsTheUserSamplesButLetsKitSoundsRingOut) {
    document.grid.SetCell(PatternGrid::StepRow(1), 1, "Kick      [ ]");
    document.grid.SetCell(PatternGrid::StepRow(1), 2, "Sample1");
    engine.PlayPattern();
    loop.RunFor(25);  // the first step has played
    engine.Stop();
    loop.RunFor(200);
    const int64_t first = FirstSoundingFrame(Output());
    ASSERT_GE(first, 0);
    EXPECT_EQ(LastSoundingFrame(Output()), first + FramesIn(50) - 1) << "the kick plays to its end";
    EXPECT_FALSE(samples.Playing(1));
}

TEST_F(PlaybackOnADevice, AStepStartedALittleLateStillSoundsOnItsGrid) {
    for (int row = 1; row <= 3; ++row) {
        document.grid.SetCell(PatternGrid::StepRow(row), 1, "Snare     [ ]");
    }
    const uint32_t start = output.clock.Now();
    engine.PlayPattern();
    output.clock.Advance(23);  // the main thread wakes 3 ms after the first step was due
    ASSERT_TRUE(idle.RunIdle());
    loop.RunUntil([&] { return !engine.Playing(); });
    loop.RunFor(100);

    const auto& out = Output();
    const int64_t first = FirstSoundingFrame(out);
    ASSERT_GE(first, 0);
    EXPECT_EQ(first, FramesIn(start + 20 + kTestLatency)) << "due at 20 ms, heard the latency later";
    EXPECT_EQ(FirstSoundingFrame(out, first + FramesIn(10)), first + FramesIn(20));
    EXPECT_EQ(FirstSoundingFrame(out, first + FramesIn(30)), first + FramesIn(40));
}
