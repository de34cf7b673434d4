// Where and how loud the render puts each note: step times from the
// patterns' tempos, volumes from the cells' levels, pans from the kit.
#include <gtest/gtest.h>

#include "tests/stepweave/sequencer/render/render_test_support.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/render/song_renderer.h"
#include "stepweave/sequencer/model/user_sample_table.h"

using namespace stepweave;
using namespace stepweave::render_testing;

namespace {

constexpr int kKick = 1;
constexpr int kSnare = 3;
constexpr int16_t kClick = 8000;

struct RenderFixture {
    std::filesystem::path folder = StartFolder();
    UserSampleTable table;
    SequencerDocument document{folder.string(), table};
    WaveCollection kit;
    ScriptedRenderUser user;

    RenderFixture() { user.outputPath = (folder / "song.wav").string(); }

    RenderedWav Render(const std::vector<std::string>& playList) {
        for (const auto& name : playList) document.playList.Append(name);
        SongRenderer renderer(document, kit, user);
        EXPECT_EQ(renderer.Render(RenderSampleSettingsFrom(table)), RenderOutcome::Completed);
        return ReadRenderedWav(user.outputPath);
    }
};

std::vector<PatternCell> EveryStep(int length, const std::string& text, int channel = 1) {
    std::vector<PatternCell> cells;
    for (int step = 1; step <= length; ++step) cells.push_back({step, channel, text});
    return cells;
}

}  // namespace

TEST(RenderTiming, KickOnEveryStepAtTempo60StartsEvery120Milliseconds) {
    RenderFixture render;
    KitSounds sounds;
    sounds[kKick] = ClickSound(kClick);
    BuildKit(render.kit, render.folder, sounds);
    WritePattern(render.folder, "Four", 16, 60, 1, EveryStep(16, KitCell(kKick)));

    const RenderedWav wav = render.Render({"Four"});
    std::vector<int64_t> expected;
    for (int step = 0; step < 16; ++step) expected.push_back(step * 5292);  // 0.12 s at 44100 Hz
    EXPECT_EQ(wav.SoundingFrames(), expected);
    EXPECT_EQ(wav.Left(79380), 7000);  // 1.80 s, level 1: 8000 x 0.875
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.rate, 44100u);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.dataSize, (79380u + 64) * 4);
}

TEST(RenderTiming, ATempoChangeSetsTheLengthOfThePreviousPatternsLastStep) {
    RenderFixture render;
    KitSounds sounds;
    sounds[kKick] = ClickSound(kClick);
    BuildKit(render.kit, render.folder, sounds);
    WritePattern(render.folder, "Slow", 4, 60, 1, EveryStep(4, KitCell(kKick)));
    WritePattern(render.folder, "Fast", 4, 30, 2, EveryStep(4, KitCell(kKick), 6));

    const RenderedWav wav = render.Render({"Slow", "Fast"});
    // Steps of 0.12 s, then 0.06 s; the last slow step already lasts 0.06 s.
    const std::vector<double> seconds{0, 0.12, 0.24, 0.36, 0.42, 0.48, 0.54, 0.60, 0.66, 0.72, 0.78, 0.84};
    std::vector<int64_t> expected;
    for (const double time : seconds) expected.push_back(std::lround(time * 44100));
    EXPECT_EQ(wav.SoundingFrames(), expected);
}

TEST(RenderTiming, LevelsSetTheVolumeAndKitPansTheSides) {
    RenderFixture render;
    KitSounds sounds;
    sounds[kKick] = ClickSound(kClick);
    sounds[kSnare] = ClickSound(kClick);
    KitPans pans{};
    pans[kSnare] = 1000;  // 0.5: the left side at half level
    BuildKit(render.kit, render.folder, sounds, pans);
    WritePattern(render.folder, "Levels", 4, 60, 1,
                 {{1, 1, KitCell(kKick, 9)}, {2, 1, KitCell(kKick)}, {3, 2, KitCell(kKick, 0)},
                  {4, 3, KitCell(kSnare, 4)}});

    const RenderedWav wav = render.Render({"Levels"});
    EXPECT_EQ(wav.Left(0), -1000);  // level 9: 8000 x -0.125, inverted and quiet
    EXPECT_EQ(wav.Right(0), -1000);
    EXPECT_EQ(wav.Left(5292), 7000);  // a blank level is level 1: 0.875
    EXPECT_EQ(wav.Left(2 * 5292), 8000);  // level 0: full volume
    EXPECT_EQ(wav.Left(3 * 5292), 2000);  // level 4: 0.5, pan 0.5: left x 0.5
    EXPECT_EQ(wav.Right(3 * 5292), 4000);
}

TEST(RenderTiming, UserSamplesPlayAtTheirFrequencyPanAndVolume) {
    RenderFixture render;
    BuildKit(render.kit, render.folder, {});
    WriteWav(render.folder / "tone.wav", ConstantSound(10000, 2205));  // 50 ms at 44100 Hz
    WritePattern(render.folder, "Samples", 2, 60, 1, {{1, 1, SampleCell(2)}, {2, 1, SampleCell(2)}});
    RenderSampleSettings samples = RenderSampleSettingsFrom(render.table);
    samples[1] = {(render.folder / "tone.wav").string(), 22050, -1000, -2000};

    render.document.playList.Append("Samples");
    SongRenderer renderer(render.document, render.kit, render.user);
    ASSERT_EQ(renderer.Render(samples), RenderOutcome::Completed);
    const RenderedWav wav = ReadRenderedWav(render.user.outputPath);
    // Half the file's rate: twice as long. Volume -20 dB: 0.5. Pan -0.5: the
    // right side at half that.
    EXPECT_EQ(wav.Left(0), 5000);
    EXPECT_EQ(wav.Right(0), 2500);
    EXPECT_EQ(wav.Left(4409), 5000);
    EXPECT_EQ(wav.Left(4410), 0);
    EXPECT_EQ(wav.Left(5292), 5000);
    EXPECT_EQ(wav.dataSize, (5292u + 4410) * 4);
    EXPECT_EQ(render.user.added, (std::vector<std::string>{"Sample 2", "Sample 2"}));
}
