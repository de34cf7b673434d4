// The mix-in arithmetic: what a source contributes to each output sample.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/stepweave/sound/mixdown/mixing_wave_reference.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/mixdown/mix_source.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

using namespace stepweave;
using namespace stepweave::wavaudio;
using namespace mixing_wave_test;

namespace {

void LoadSamples(MixingWave& wave, const WaveFormat& format, const std::vector<int16_t>& samples) {
    LoadImage(wave, WaveImage(format, Pcm16(samples)));
}

}  // namespace

TEST(MixingWaveMix, SourceAtItsOwnRateCentredAtFullVolumeIsCopiedExactly) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(-32768, 32767);
    std::vector<int16_t> samples(2 * 3001);
    for (auto& s : samples) s = static_cast<int16_t>(sample(random));
    MixingWave source;
    LoadSamples(source, PcmFormat(2, 44100, 16), samples);

    for (const bool fileBacked : {false, true}) {
        MixingWave output;
        output.SetWorkFileName((FreshFolder("copy") / "work1.tmp").string());
        output.SetFileBacked(fileBacked);
        output.MixIn(source, 44100, 0.0, 0.0, 1.0);
        EXPECT_EQ(output.Frames(), 3001);
        // -32768 is the one value a mix never produces: it is limited to -32767.
        std::vector<int16_t> expected = samples;
        for (auto& s : expected) s = std::max<int16_t>(s, -32767);
        EXPECT_EQ(DataBytes(output), Pcm16(expected)) << "file-backed " << fileBacked;
    }
}

TEST(MixingWaveMix, SumsClipAtPlusAndMinus32767) {
    MixingWave loud;
    LoadSamples(loud, PcmFormat(2, 44100, 16), {32767, -32768, 20000, -20000});
    MixingWave output;
    output.MixIn(loud, 44100, 0.0, 0.0, 1.0);
    output.MixIn(loud, 44100, 0.0, 0.0, 1.0);
    EXPECT_EQ(DataBytes(output), Pcm16({32767, -32767, 32767, -32767}));
}

TEST(MixingWaveMix, HalvesRoundToTheEvenNeighbour) {
    MixingWave source;
    LoadSamples(source, PcmFormat(2, 44100, 16), {1, 3, 5, -1, -3, -5});
    MixingWave output;
    output.MixIn(source, 44100, 0.0, 0.0, 0.5);  // 0.5 1.5 2.5 -0.5 -1.5 -2.5
    EXPECT_EQ(DataBytes(output), Pcm16({0, 2, 2, 0, -2, -2}));
}

TEST(MixingWaveMix, PanKeepsTheNearSideAndVolumeScales) {
    MixingWave source;
    LoadSamples(source, PcmFormat(2, 44100, 16), {1000, 1000});
    const auto mixed = [&source](double pan, double volume) {
        MixingWave output;
        output.MixIn(source, 44100, 0.0, pan, volume);
        return std::vector<int>{output.GetSample(0, 0), output.GetSample(1, 0)};
    };
    using Pair = std::vector<int>;
    EXPECT_EQ(mixed(0.5, 1.0), (Pair{500, 1000}));
    EXPECT_EQ(mixed(-0.25, 1.0), (Pair{1000, 750}));
    EXPECT_EQ(mixed(1.5, 1.0), (Pair{0, 1000}));
    EXPECT_EQ(mixed(-2.0, 1.0), (Pair{1000, 0}));
    EXPECT_EQ(mixed(0.0, -0.125), (Pair{-125, -125}));  // a kit cell at level 9
}

TEST(MixingWaveMix, HalfRateSourceLastsAsLongWithEveryOtherFrameHalfway) {
    MixingWave source;
    LoadSamples(source, PcmFormat(1, 22050, 16), {0, 100, 301, -1000});
    MixingWave output;
    output.MixIn(source, 22050, 0.0, 0.0, 1.0);
    ASSERT_EQ(output.Frames(), 8);
    EXPECT_DOUBLE_EQ(output.Duration(), source.Duration());
    const std::vector<int16_t> left = {0, 50, 100, 200, 301, -350, -1000, -1000};
    for (int frame = 0; frame < 8; ++frame) {
        EXPECT_EQ(output.GetSample(0, frame), left[frame]) << frame;
        EXPECT_EQ(output.GetSample(1, frame), left[frame]) << frame;
    }
}

TEST(MixingWaveMix, MonoSourceFeedsBothChannelsWithTheSameSample) {
    MixingWave source;
    LoadSamples(source, PcmFormat(1, 44100, 16), {10, 20, 30});
    MixingWave output;
    output.MixIn(source, 44100, 0.0, 0.0, 1.0);
    EXPECT_EQ(DataBytes(output), Pcm16({10, 10, 20, 20, 30, 30}));
}

TEST(MixingWaveMix, EightBitSamplesScaleBy255AndStayInRangeWhenWritten) {
    MixingWave source;
    LoadImage(source, WaveImage(PcmFormat(1, 44100, 8), {128, 255, 0}));
    EXPECT_EQ(source.GetSample(0, 0), 0);
    EXPECT_EQ(source.GetSample(0, 1), 32385);
    EXPECT_EQ(source.GetSample(0, 2), -32640);

    MixingWave output;
    output.MixIn(source, 44100, 0.0, 0.0, 1.0);
    EXPECT_EQ(output.GetSample(0, 1), 32385);
    EXPECT_EQ(output.GetSample(1, 2), -32640);

    // An 8-bit output holds a loud sum at its top byte instead of wrapping.
    MixingWave eightBit;
    eightBit.SetFormat(PcmFormat(2, 44100, 8));
    eightBit.MixIn(source, 44100, 0.0, 0.0, 1.0);
    eightBit.MixIn(source, 44100, 0.0, 0.0, 1.0);
    EXPECT_EQ(DataBytes(eightBit), (std::vector<uint8_t>{128, 128, 255, 255, 0, 0}));
}

TEST(MixingWaveMix, PartsBeforeTheStartOfTheOutputAreDropped) {
    MixingWave source;
    LoadSamples(source, PcmFormat(1, 44100, 16), {1, 2, 3, 4});
    MixingWave output;
    output.MixIn(source, 44100, -2.0 / 44100, 0.0, 1.0);
    EXPECT_EQ(DataBytes(output), Pcm16({3, 3, 4, 4}));
}

TEST(MixingWaveMix, RefusesWhatCannotBeMixed) {
    MixingWave source;
    LoadSamples(source, PcmFormat(1, 44100, 16), {1, 2});
    MixingWave output;
    EXPECT_THROW(output.MixIn(source, 0.0, 0.0, 0.0, 1.0), WaveStreamError);
    EXPECT_THROW(output.MixIn(source, 44100, NAN, 0.0, 1.0), WaveStreamError);
    EXPECT_THROW(output.MixIn(source, 44100, 0.0, 0.0, INFINITY), WaveStreamError);
    EXPECT_THROW(output.MixIn(source, 1e-9, 0.0, 0.0, 1.0), WaveStreamError);  // far too long
    MixingWave mono;
    mono.SetFormat(PcmFormat(1, 44100, 16));
    EXPECT_THROW(mono.MixIn(source, 44100, 0.0, 0.0, 1.0), WaveStreamError);
    EXPECT_EQ(output.Frames(), 0);
}

TEST(MixingWaveMix, CachedHitsStayWithinTheirBudget) {
    MixingWave wave;
    LoadSamples(wave, PcmFormat(1, 44100, 16), std::vector<int16_t>(1000, 7));
    const MixSource source(wave, 3 * 1000 * 8);  // room for three hits of 1000 frames
    MixingWave output;
    for (int level = 1; level <= 9; ++level) {
        output.MixIn(source, 44100, 0.0, 0.0, (4000.0 - 500.0 * level) / 4000.0);
        EXPECT_LE(source.CachedBytes(), 3 * 1000 * 8);
    }
    EXPECT_EQ(source.CachedBytes(), 3 * 1000 * 8);
}
