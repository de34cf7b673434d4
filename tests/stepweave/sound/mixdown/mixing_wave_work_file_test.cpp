// A file-backed output: silence before the first note, the memory window
// moving across the work file, and saving part-way through a render.
#include <gtest/gtest.h>

#include <random>

#include "tests/stepweave/sound/mixdown/mixing_wave_reference.h"
#include "stepweave/sound/mixdown/mix_source.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace fs = std::filesystem;
using namespace stepweave;
using namespace stepweave::wavaudio;
using namespace mixing_wave_test;

namespace {

std::vector<uint8_t> RandomPcm16(int samples, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-20000, 20000);
    std::vector<int16_t> pcm(samples);
    for (auto& s : pcm) s = static_cast<int16_t>(value(random));
    return Pcm16(pcm);
}

}  // namespace

TEST(MixingWaveWorkFile, NotesLaterInTheSongAreMixedAfterSilence) {
    MixingWave source;
    LoadImage(source, WaveImage(PcmFormat(2, 44100, 16), Pcm16({300, -300})));
    MixingWave output;
    output.SetWorkFileName((FreshFolder("silence") / "work1.tmp").string());
    output.SetFileBacked(true);
    output.MixIn(source, 44100, 2.0, 0.0, 1.0);
    EXPECT_EQ(output.Frames(), 88201);
    const auto data = DataBytes(output);
    ASSERT_EQ(data.size(), 352800u + 4u);
    EXPECT_TRUE(std::all_of(data.begin(), data.begin() + 352800, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(output.GetSample(0, 88200), 300);
    EXPECT_EQ(output.GetSample(1, 88200), -300);
}

TEST(MixingWaveWorkFile, HitsAcrossTheWindowBoundaryMatchTheOracle) {
    const WaveFormat format = PcmFormat(2, 44100, 16);
    const auto sourceData = RandomPcm16(2 * 7000, 1);
    MixingWave sourceWave;
    LoadImage(sourceWave, WaveImage(format, sourceData));
    const MixSource source(sourceWave);
    const ReferenceWave reference_source = MakeReference(format, sourceData);

    MixingWave output;
    output.SetWorkFileName((FreshFolder("window") / "work1.tmp").string());
    output.SetFileBacked(true);
    ReferenceWave expected = MakeReference(format, {});
    expected.fileBacked = true;
    // Frames just before, across and past each 500000-frame window, then back
    // to the start (a new pass), with a pitch that stretches the hit.
    const double frames[] = {496000, 499990, 500000, 1004321, 0, 499999, 250000, 999999};
    for (int i = 0; i < 8; ++i) {
        const double time = frames[i] / 44100.0;
        const double frequency = i % 2 ? 44100.0 : 30000.0;
        output.MixIn(source, frequency, time, 0.25 * (i - 4), 0.875);
        expected.MixIn(reference_source, frequency, time, 0.25 * (i - 4), 0.875);
        ASSERT_EQ(output.Frames(), expected.frames) << i;
    }
    // Single samples read and written on both sides of a window edge.
    output.SetSample(1, 499999, 1234);
    expected.Set(1, 499999, 1234);
    EXPECT_EQ(output.GetSample(1, 499999), 1234);
    EXPECT_EQ(output.GetSample(0, 500000), expected.Get(0, 500000));
    EXPECT_EQ(DataBytes(output), expected.data);
}

TEST(MixingWaveWorkFile, SavingPartWayGivesAValidFileAndTheRenderGoesOn) {
    MixingWave source;
    LoadImage(source, WaveImage(PcmFormat(1, 44100, 16), Pcm16({1000, 2000})));
    const fs::path folder = FreshFolder("stop");
    MixingWave output;
    output.SetWorkFileName((folder / "work1.tmp").string());
    output.SetFileBacked(true);
    output.MixIn(source, 44100, 0.0, 0.0, 1.0);
    output.MixIn(source, 44100, 20.0, 0.0, 1.0);  // opens a window far from the first
    output.SaveToFile((folder / "partial.wav").string());
    output.MixIn(source, 44100, 0.0, 0.0, 1.0);
    output.SaveToFile((folder / "whole.wav").string());

    MixingWave partial;
    partial.LoadFromFile((folder / "partial.wav").string());
    EXPECT_EQ(partial.Frames(), 20 * 44100 + 2);
    EXPECT_EQ(partial.GetSample(1, 1), 2000);
    EXPECT_EQ(partial.GetSample(0, 20 * 44100 + 1), 2000);
    MixingWave whole;
    whole.LoadFromFile((folder / "whole.wav").string());
    EXPECT_EQ(whole.GetSample(1, 1), 4000);
    EXPECT_EQ(whole.Frames(), partial.Frames());
}
