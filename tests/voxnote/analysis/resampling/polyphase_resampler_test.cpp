// Converting a sound card's rate to the 11025 Hz the analysis runs at.
#include "voxnote/analysis/resampling/polyphase_resampler.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/voxnote/analysis/capture/capture_test_support.h"

namespace voxnote {
namespace {

using capture_testing::CrossingRate;
using capture_testing::Rms;
using capture_testing::SineAt;

std::vector<int16_t> Convert(uint32_t rate, const std::vector<float>& input, size_t piece) {
    auto resampler = PolyphaseResampler::Create(rate, 11025);
    EXPECT_NE(resampler, nullptr);
    std::vector<int16_t> output;
    std::vector<int16_t> room(resampler->MaxOutput(piece));
    for (size_t at = 0; at < input.size(); at += piece) {
        const size_t count = std::min(piece, input.size() - at);
        const size_t made = resampler->Process(input.data() + at, count, room.data());
        output.insert(output.end(), room.begin(), room.begin() + static_cast<long>(made));
    }
    return output;
}

TEST(PolyphaseResampler, KeepsPitchAndLevelOfAToneFromCommonCardRates) {
    for (uint32_t rate : {8000u, 16000u, 22050u, 32000u, 44100u, 48000u, 96000u}) {
        SCOPED_TRACE(rate);
        const std::vector<int16_t> out = Convert(rate, SineAt(rate, 1000.0, 0.5, rate * 2), 441);
        // Two seconds in, 22050 out (give or take the last fraction of a sample).
        EXPECT_NEAR(static_cast<double>(out.size()), 22050.0, 1.0);
        const size_t settled = 1000;
        EXPECT_NEAR(CrossingRate(out.data() + settled, out.size() - settled, 11025.0), 1000.0, 0.5);
        EXPECT_NEAR(Rms(out.data() + settled, out.size() - settled), 0.5 * 32768 / std::sqrt(2.0), 60.0);
    }
}

TEST(PolyphaseResampler, KeepsTonesAboveTheNewNyquistFrequencyOut) {
    // 7 kHz would fold back to 4025 Hz; 6.5 kHz to 4525 Hz.
    for (double hertz : {6500.0, 7000.0, 12000.0}) {
        for (uint32_t rate : {44100u, 48000u}) {
            SCOPED_TRACE(rate);
            const std::vector<int16_t> out = Convert(rate, SineAt(rate, hertz, 0.5, rate), 512);
            // At least 66 dB below the 11585 RMS the tone had.
            EXPECT_LT(Rms(out.data() + 500, out.size() - 500), 5.8) << hertz;
        }
    }
}

TEST(PolyphaseResampler, GivesTheSameSamplesWhateverThePieceSize) {
    const std::vector<float> input = SineAt(48000, 523.25, 0.7, 48000);
    const std::vector<int16_t> whole = Convert(48000, input, input.size());
    EXPECT_EQ(Convert(48000, input, 1), whole);
    EXPECT_EQ(Convert(48000, input, 960), whole);
    EXPECT_EQ(Convert(48000, input, 1001), whole);
}

TEST(PolyphaseResampler, PassesTheCaptureRateThroughUnchangedAndClips) {
    const std::vector<float> input = {0.0f, 0.5f, -0.5f, 1.5f, -1.5f, 1.0f / 32768};
    const std::vector<int16_t> out = Convert(11025, input, input.size());
    EXPECT_EQ(out, (std::vector<int16_t>{0, 16384, -16384, 32767, -32768, 1}));
}

TEST(PolyphaseResampler, StartsAfreshAfterReset) {
    auto resampler = PolyphaseResampler::Create(44100, 11025);
    const std::vector<float> input = SineAt(44100, 700, 0.5, 4410);
    std::vector<int16_t> first(resampler->MaxOutput(input.size()));
    std::vector<int16_t> second(first.size());
    first.resize(resampler->Process(input.data(), input.size(), first.data()));
    resampler->Reset();
    second.resize(resampler->Process(input.data(), input.size(), second.data()));
    EXPECT_EQ(first, second);
}

TEST(PolyphaseResampler, RefusesRatesWithoutAUsableRatio) {
    EXPECT_EQ(PolyphaseResampler::Create(0, 11025), nullptr);
    EXPECT_EQ(PolyphaseResampler::Create(44056, 11025), nullptr);  // 11025 phases
    EXPECT_NE(PolyphaseResampler::Create(192000, 11025), nullptr);
}

}  // namespace
}  // namespace voxnote
