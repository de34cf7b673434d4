// The libsoxr wrapper that WAV conversion and listening share.
#include "voxnote/analysis/resampling/soxr_resampler.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/voxnote/analysis/capture/capture_test_support.h"

namespace voxnote {
namespace {

using capture_testing::CrossingRate;
using capture_testing::Rms;
using capture_testing::Sine16;
using capture_testing::SineAt;

template <typename Sample>
std::vector<Sample> Convert(SoxrResampler<Sample>& resampler, const std::vector<Sample>& input, size_t pieceSamples) {
    std::vector<Sample> output;
    for (size_t at = 0; at < input.size(); at += pieceSamples) {
        const size_t count = std::min(pieceSamples, input.size() - at);
        resampler.Process(std::span<const Sample>(input.data() + at, count), output);
    }
    resampler.Finish(output);
    return output;
}

TEST(SoxrResampler, KeepsTheLengthPitchAndLevelOfATone) {
    for (uint32_t rate : {22050u, 44100u, 48000u}) {
        SCOPED_TRACE(rate);
        auto resampler = SoxrResampler<int16_t>::Create(rate, 11025, 1, 4096);
        ASSERT_NE(resampler, nullptr);
        const std::vector<int16_t> out = Convert(*resampler, Sine16(rate, 440, 8000, 2 * rate), 4096);
        EXPECT_NEAR(static_cast<double>(out.size()), 22050.0, 1.0);
        EXPECT_NEAR(CrossingRate(out.data() + 500, out.size() - 1000, 11025), 440.0, 0.5);
        EXPECT_NEAR(Rms(out.data() + 500, out.size() - 1000), 8000 / std::sqrt(2.0), 30.0);
    }
}

TEST(SoxrResampler, GivesTheSameSamplesWhateverThePieceSize) {
    const std::vector<int16_t> input = Sine16(44100, 523.25, 9000, 44100);
    auto whole = SoxrResampler<int16_t>::Create(44100, 11025, 1, input.size());
    const std::vector<int16_t> expected = Convert(*whole, input, input.size());
    for (size_t piece : {1u, 441u, 4096u, 16384u}) {
        auto pieces = SoxrResampler<int16_t>::Create(44100, 11025, 1, piece);
        EXPECT_EQ(Convert(*pieces, input, piece), expected) << piece;
    }
}

TEST(SoxrResampler, KeepsTheChannelsOfInterleavedStereoApart) {
    const std::vector<float> tone = SineAt(22050, 440, 0.5, 22050);
    std::vector<float> stereo;
    for (float sample : tone) {
        stereo.push_back(sample);
        stereo.push_back(0.0f);
    }
    auto resampler = SoxrResampler<float>::Create(22050, 48000, 2, 1024);
    ASSERT_NE(resampler, nullptr);
    const std::vector<float> out = Convert(*resampler, stereo, 2 * 1024);
    ASSERT_EQ(out.size() % 2, 0u);
    EXPECT_NEAR(static_cast<double>(out.size() / 2), 48000.0, 2.0);
    float loudestRight = 0.0f;
    std::vector<int16_t> left;
    for (size_t i = 0; i < out.size(); i += 2) {
        left.push_back(static_cast<int16_t>(out[i] * 32767));
        loudestRight = std::max(loudestRight, std::abs(out[i + 1]));
    }
    EXPECT_LT(loudestRight, 1e-4f);
    EXPECT_NEAR(CrossingRate(left.data() + 1000, left.size() - 2000, 48000), 440.0, 0.5);
}

TEST(SoxrResampler, PassesEqualRatesThroughSampleForSample) {
    const std::vector<int16_t> input = {1, -2, 32767, -32768, 5, 6};
    auto resampler = SoxrResampler<int16_t>::Create(11025, 11025, 2, 16);
    ASSERT_NE(resampler, nullptr);
    EXPECT_EQ(Convert(*resampler, input, 4), input);
}

TEST(SoxrResampler, RefusesZeroRatesAndChannels) {
    EXPECT_EQ(SoxrResampler<float>::Create(0, 48000, 2, 16), nullptr);
    EXPECT_EQ(SoxrResampler<float>::Create(44100, 0, 2, 16), nullptr);
    EXPECT_EQ(SoxrResampler<int16_t>::Create(44100, 11025, 0, 16), nullptr);
}

}  // namespace
}  // namespace voxnote
