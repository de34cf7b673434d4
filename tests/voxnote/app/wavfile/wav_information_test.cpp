#include <gtest/gtest.h>

#include "tests/voxnote/app/test_support.h"
#include "voxnote/app/wavfile/duration_text.h"
#include "voxnote/app/wavfile/wav_header_peek.h"

namespace voxnote {
namespace {

TEST(DurationText, ReadsAsTheExamples) {
    EXPECT_EQ(DurationText(90500), "1 min 30.5 secs ");
    EXPECT_EQ(DurationText(500), "500 msecs ");
    EXPECT_EQ(DurationText(61000), "1 min 1 sec ");
    EXPECT_EQ(DurationText(120000), "2 mins ");
    EXPECT_EQ(DurationText(2050), "2.05 secs ");
    EXPECT_EQ(DurationText(1000), "1 sec ");
}

TEST(DurationText, DropsTrailingZerosOfTheFractionOnly) {
    EXPECT_EQ(DurationText(3250), "3.25 secs ");
    EXPECT_EQ(DurationText(3005), "3.005 secs ");
    EXPECT_EQ(DurationText(3100), "3.1 secs ");
    EXPECT_EQ(DurationText(1500), "1.5 sec ");
    EXPECT_EQ(DurationText(60500), "1 min ") << "milliseconds alone show only under a minute";
    EXPECT_EQ(DurationText(7), "7 msecs ");
    EXPECT_EQ(DurationText(0), "");
}

TEST(WavHeaderPeek, ReadsThePlainHeaderFieldsAndSizesTheDataByTheFileLength) {
    std::vector<uint8_t> image = test::WavImage(std::vector<int16_t>(2 * 22050), 2, 44100);
    MemoryByteSource source(image);
    std::optional<PeekedWavHeader> header = PeekWavHeader(source);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->formatTag, 1);
    EXPECT_EQ(header->channels, 2);
    EXPECT_EQ(header->sampleRate, 44100u);
    EXPECT_EQ(header->bitsPerSample, 16);
    EXPECT_EQ(header->dataSize, 4u * 22050);
    EXPECT_EQ(DurationMilliseconds(*header), 500u);
    EXPECT_EQ(SampleRateText(header->sampleRate), "44100 Hz");
}

TEST(WavHeaderPeek, ALongerHeaderOverstatesTheDuration) {
    test::WavShape shape;
    std::vector<uint8_t> image = test::RiffWave(
        {test::FmtChunk(shape), test::Chunk("LIST", std::vector<uint8_t>(92)), test::Chunk("data", std::vector<uint8_t>(22050))});
    MemoryByteSource source(image);
    std::optional<PeekedWavHeader> header = PeekWavHeader(source);
    ASSERT_TRUE(header);
    EXPECT_EQ(DurationMilliseconds(*header), 1004u);  // 100 bytes of the list counted: 1000 ms of sound
}

TEST(WavHeaderPeek, AnythingElseHasNoInformation) {
    std::vector<uint8_t> notWave(64, 0);
    MemoryByteSource notWaveSource(notWave);
    EXPECT_FALSE(PeekWavHeader(notWaveSource));
    std::vector<uint8_t> shortFile = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    MemoryByteSource shortSource(shortFile);
    EXPECT_FALSE(PeekWavHeader(shortSource));

    PeekedWavHeader zeroRate{1, 1, 0, 16, 1000};
    EXPECT_FALSE(DurationMilliseconds(zeroRate));
    PeekedWavHeader zeroBits{1, 1, 11025, 0, 1000};
    EXPECT_FALSE(DurationMilliseconds(zeroBits));
}

}  // namespace
}  // namespace voxnote
