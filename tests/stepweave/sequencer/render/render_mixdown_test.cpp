// The mixdown's order and its exactness: instruments are added one pass at a
// time in ascending order, which decides where sums clip, and every output
// sample is what the plain arithmetic gives.
#include <gtest/gtest.h>

#include "tests/stepweave/sequencer/render/render_test_support.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/commands/song_compiler.h"
#include "stepweave/sequencer/render/song_renderer.h"
#include "stepweave/sequencer/model/user_sample_table.h"

using namespace stepweave;
using namespace stepweave::render_testing;

namespace {

constexpr int kKick = 1;
constexpr int kSnare = 3;
constexpr int kTom1 = 6;

struct Mixdown {
    std::filesystem::path folder = StartFolder();
    UserSampleTable table;
    SequencerDocument document{folder.string(), table};
    WaveCollection kit;
    ScriptedRenderUser user;
    RenderSampleSettings samples = RenderSampleSettingsFrom(table);

    Mixdown() { user.outputPath = (folder / "song.wav").string(); }

    // The sample's file is written into the start folder under its own name.
    void SetSample(int sample, const TestSound& sound, int frequency, int pan, int volume) {
        const std::string name = "user" + std::to_string(sample) + ".wav";
        WriteWav(folder / name, sound);
        samples[static_cast<size_t>(sample - 1)] = {name, frequency, pan, volume};
    }

    RenderOutcome Render(const std::vector<std::string>& playList) {
        for (const auto& name : playList) document.playList.Append(name);
        SongRenderer renderer(document, kit, user);
        return renderer.Render(samples);
    }
};

}  // namespace

TEST(RenderMixdown, InstrumentsAreAddedInAscendingOrderKitBeforeSamples) {
    Mixdown mix;
    KitSounds sounds;
    sounds[kKick] = ConstantSound(20000, 10);
    sounds[kSnare] = ConstantSound(20000, 10);
    sounds[kTom1] = ConstantSound(-20000, 10);
    BuildKit(mix.kit, mix.folder, sounds);
    mix.SetSample(1, ConstantSound(-30000, 10), 44100, 0, 0);
    // Channel order is the reverse of instrument order, so only the
    // instrument order gives these sums.
    WritePattern(mix.folder, "Clip", 2, 60, 1,
                 {{1, 1, KitCell(kTom1, 0)}, {1, 2, KitCell(kSnare, 0)}, {1, 3, KitCell(kKick, 0)},
                  {2, 1, SampleCell(1)}, {2, 2, KitCell(kSnare, 0)}, {2, 3, KitCell(kKick, 0)}});

    ASSERT_EQ(mix.Render({"Clip"}), RenderOutcome::Completed);
    const RenderedWav wav = ReadRenderedWav(mix.user.outputPath);
    EXPECT_EQ(wav.Left(0), 32767 - 20000);         // kick + snare clip, then the tom
    EXPECT_EQ(wav.Left(5292), 32767 - 30000);      // the kit clips before the sample comes in
    EXPECT_EQ(mix.user.passes, (std::vector<int>{kKick, kSnare, kTom1, 17}));
}

TEST(RenderMixdown, EqualsThePlainArithmeticForKitAndSamplesAtSeveralRatesAndPans) {
    Mixdown mix;
    KitSounds sounds;
    sounds[kKick] = ToneSound(44100, 1, 5000, 55, 30000);
    sounds[kSnare] = ToneSound(22050, 1, 3000, 180, 26000);
    sounds[kTom1] = ToneSound(44100, 2, 4000, 110, 24000);
    sounds[12] = ToneSound(11025, 1, 1500, 700, 20000, 8);
    KitPans pans{};
    pans[kKick] = 0;
    pans[kSnare] = -700;
    pans[kTom1] = 1300;
    pans[12] = 2000;
    BuildKit(mix.kit, mix.folder, sounds, pans);
    const TestSound first = ToneSound(22050, 1, 4000, 300, 28000);
    const TestSound second = ToneSound(44100, 2, 3000, 440, 25000);
    const TestSound third = ToneSound(48000, 2, 2500, 90, 30000);
    mix.SetSample(1, first, 22050, 0, 0);
    mix.SetSample(2, second, 39270, -3000, -600);
    mix.SetSample(9, third, 53000, 2600, -1500);

    WritePattern(mix.folder, "Verse", 8, 60, 2,
                 {{1, 1, KitCell(kKick)}, {1, 2, SampleCell(1)}, {2, 3, KitCell(kSnare, 3)},
                  {3, 1, KitCell(kKick, 9)}, {3, 4, SampleCell(2)}, {4, 2, KitCell(kTom1, 2)},
                  {5, 1, KitCell(kKick, 5)}, {5, 6, KitCell(12, 4)}, {6, 5, SampleCell(9)},
                  {7, 2, KitCell(kSnare, 0)}, {8, 3, SampleCell(1)}, {8, 4, "kick      [7]"}});
    WritePattern(mix.folder, "Break", 6, 37, 1,
                 {{1, 1, SampleCell(2)}, {2, 2, KitCell(kTom1)}, {3, 3, SampleCell(9)}, {4, 1, KitCell(kKick, 1)},
                  {5, 6, KitCell(12)}, {6, 5, "Nothing   [ ]"}, {6, 4, SampleCell(5)}});

    const std::vector<std::string> playList{"Verse", "Break", "Verse"};
    ASSERT_EQ(mix.Render(playList), RenderOutcome::Completed);

    OracleSounds oracle;
    oracle.kitPans = pans;
    for (const int item : {kKick, kSnare, kTom1, 12}) oracle.sounds[static_cast<size_t>(item)] = &*sounds[static_cast<size_t>(item)];
    oracle.sounds[17] = &first;
    oracle.sounds[18] = &second;
    oracle.sounds[25] = &third;
    const TestSound blank = ConstantSound(0, 4410);
    oracle.sounds[21] = &blank;
    oracle.samples = mix.samples;
    const auto expected = PlainRender(CompileSong(mix.folder.string(), playList).lines, oracle);

    const RenderedWav wav = ReadRenderedWav(mix.user.outputPath);
    ASSERT_EQ(wav.samples.size(), expected.size());
    EXPECT_TRUE(wav.samples == expected);
    EXPECT_EQ(wav.dataSize, expected.size() * 2);
    EXPECT_EQ(wav.riffSize, wav.dataSize + 36);
}
