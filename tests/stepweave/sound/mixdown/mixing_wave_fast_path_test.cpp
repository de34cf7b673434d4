// The fast mix against the per-sample oracle on random material: sources of
// every layout and rate, random pitch, start, pan and volume, into outputs in
// memory and in a work file, and one stretch of output at a time.
#include <gtest/gtest.h>

#include <random>

#include "tests/stepweave/sound/mixdown/mixing_wave_reference.h"
#include "stepweave/sound/mixdown/mix_source.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

using namespace stepweave;
using namespace stepweave::wavaudio;
using namespace mixing_wave_test;

namespace {

struct RandomSource {
    WaveFormat format = kMixingWaveFormat;
    std::vector<uint8_t> data;
};

RandomSource MakeRandomSource(std::mt19937& random) {
    const int rates[] = {8000, 11025, 22050, 44100, 48000};
    const int channels = 1 + static_cast<int>(random() % 2);
    const int bits = random() % 3 ? 16 : 8;
    RandomSource source{PcmFormat(channels, rates[random() % 5], bits), {}};
    const int frames = 1 + static_cast<int>(random() % 3000);
    source.data.resize(static_cast<size_t>(frames) * source.format.blockAlign + random() % 2);
    const bool loud = random() % 4 == 0;
    for (auto& byte : source.data) {
        byte = loud ? (random() % 2 ? 0x7F : 0x80) : static_cast<uint8_t>(random());
    }
    return source;
}

double RandomPan(std::mt19937& random) {
    const double chosen[] = {0.0, 0.5, -0.5, 1.0, -1.0, 2.0, -2.0};
    return random() % 2 ? chosen[random() % 7] : std::uniform_real_distribution<double>(-2.5, 2.5)(random);
}

double RandomVolume(std::mt19937& random) {
    if (random() % 2) {
        return (4000.0 - 500.0 * static_cast<double>(random() % 10)) / 4000.0;
    }
    return std::uniform_real_distribution<double>(-1.5, 1.5)(random);
}

}  // namespace

TEST(MixingWaveFastPath, EqualsTheOracleSampleForSample) {
    std::mt19937 random(2024);
    for (int round = 0; round < 24; ++round) {
        const bool fileBacked = round % 3 == 1;
        const bool eightBitOutput = round % 5 == 4;
        const WaveFormat outputFormat = PcmFormat(2, round % 4 ? 44100 : 22050, eightBitOutput ? 8 : 16);
        // Some outputs start with audio of their own, not always whole frames.
        std::vector<uint8_t> start(round % 2 ? random() % 9000 : 0);
        for (auto& byte : start) byte = static_cast<uint8_t>(random());
        MixingWave output;
        output.SetWorkFileName((FreshFolder("fast") / "work1.tmp").string());
        LoadImage(output, WaveImage(outputFormat, start));
        output.SetFileBacked(fileBacked);
        ReferenceWave expected = MakeReference(outputFormat, start);
        expected.fileBacked = fileBacked;

        for (int hit = 0; hit < 12; ++hit) {
            const RandomSource made = MakeRandomSource(random);
            MixingWave sourceWave;
            LoadImage(sourceWave, WaveImage(made.format, made.data));
            const ReferenceWave referenceSource = MakeReference(made.format, made.data);
            const MixSource cached(sourceWave);
            const MixSource uncached(sourceWave, 0);

            const double rate = made.format.SignedSamplesPerSec();
            const double frequency = random() % 3 ? rate : rate * std::uniform_real_distribution<double>(0.3, 3.0)(random);
            const double time = static_cast<double>(random() % 4000) / (random() % 2 ? 44100.0 : 1000.0);
            const double pan = RandomPan(random);
            const double volume = RandomVolume(random);
            switch (hit % 3) {
                case 0: output.MixIn(cached, frequency, time, pan, volume); break;
                case 1: output.MixIn(uncached, frequency, time, pan, volume); break;
                default: output.MixIn(sourceWave, frequency, time, pan, volume); break;
            }
            expected.MixIn(referenceSource, frequency, time, pan, volume);
            ASSERT_EQ(output.Frames(), expected.frames) << "round " << round << " hit " << hit;
        }
        ASSERT_EQ(DataBytes(output), expected.data) << "round " << round;
    }
}

TEST(MixingWaveFastPath, MixingOneStretchAtATimeGivesTheSameOutput) {
    std::mt19937 random(99);
    std::vector<RandomSource> sounds;
    for (int i = 0; i < 4; ++i) sounds.push_back(MakeRandomSource(random));
    struct Hit { int sound; double time, pan, volume; };
    std::vector<Hit> hits;
    for (int i = 0; i < 40; ++i) {
        hits.push_back({i % 4, (i / 4) * 0.013 + (i % 4) * 0.002, RandomPan(random), RandomVolume(random)});
    }
    std::vector<MixingWave> waves(4);
    std::vector<std::unique_ptr<MixSource>> sources;
    for (int i = 0; i < 4; ++i) {
        LoadImage(waves[i], WaveImage(sounds[i].format, sounds[i].data));
        sources.push_back(std::make_unique<MixSource>(waves[i]));
    }
    const auto frequencyOf = [&](int sound) { return sounds[sound].format.SignedSamplesPerSec() * 1.1; };

    // One pass per sound over the whole song ...
    MixingWave byPass;
    for (int sound = 0; sound < 4; ++sound) {
        for (const Hit& hit : hits) {
            if (hit.sound == sound) byPass.MixIn(*sources[sound], frequencyOf(sound), hit.time, hit.pan, hit.volume);
        }
    }
    // ... or every pass over one stretch of output before the next stretch.
    MixingWave byStretch;
    for (int64_t first = 0; first < byPass.Frames(); first += 1000) {
        for (int sound = 0; sound < 4; ++sound) {
            for (const Hit& hit : hits) {
                if (hit.sound == sound) {
                    byStretch.MixIn(*sources[sound], frequencyOf(sound), hit.time, hit.pan, hit.volume,
                                    FrameRange{first, first + 1000});
                }
            }
        }
    }
    EXPECT_EQ(DataBytes(byStretch), DataBytes(byPass));
}
