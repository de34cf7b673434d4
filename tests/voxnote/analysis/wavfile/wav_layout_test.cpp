// The one parse of a WAV file's layout: its format chunk and where its
// sound is, with every size checked against what the file holds.
#include "voxnote/analysis/wavfile/wav_format.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/voxnote/analysis/capture/capture_test_support.h"
#include "voxnote/analysis/wavfile/format_tags.h"

namespace voxnote {
namespace {

using capture_testing::ExtensibleWavImage;
using capture_testing::WavImage;

std::span<const uint8_t> Bytes(const std::string& image) {
    return {reinterpret_cast<const uint8_t*>(image.data()), image.size()};
}

TEST(WavLayout, ReadsThePlainFormatFieldsAndFindsTheSound) {
    const std::string image = WavImage(22050, 2, {1, 2, 3, 4});
    MemoryByteSource source(Bytes(image));
    const std::optional<WavLayout> layout = ReadWavLayout(source, RiffExtent::Declared);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->format.formatTag, kPcmFormatTag);
    EXPECT_EQ(layout->format.CodingTag(), kPcmFormatTag);
    EXPECT_EQ(layout->format.channels, 2);
    EXPECT_EQ(layout->format.sampleRate, 22050u);
    EXPECT_EQ(layout->format.averageBytesPerSecond, 88200u);
    EXPECT_EQ(layout->format.blockAlign, 4);
    EXPECT_EQ(layout->format.bitsPerSample, 16);
    EXPECT_EQ(layout->afterFormatChunk, 36u);
    const std::optional<RiffChunk> data = FindDataChunk(source, *layout);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->dataOffset, 44u);
    EXPECT_EQ(data->size, 8u);
    EXPECT_EQ(BytesPresent(source, *data), 8u);
}

TEST(WavLayout, AnExtensibleFormatCodesItsSamplesByItsSubFormat) {
    const std::string whole = ExtensibleWavImage(kPcmFormatTag, 22, std::string(8, '\0'));
    MemoryByteSource source(Bytes(whole));
    std::optional<WavLayout> layout = ReadWavLayout(source, RiffExtent::Declared);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->format.formatTag, kExtensibleFormatTag);
    EXPECT_EQ(layout->format.CodingTag(), kPcmFormatTag);
    ASSERT_TRUE(FindDataChunk(source, *layout));

    // A chunk that ends before the sub-format's tag has none.
    const std::string cut = ExtensibleWavImage(kPcmFormatTag, 6, std::string(8, '\0'));
    MemoryByteSource cutSource(Bytes(cut));
    layout = ReadWavLayout(cutSource, RiffExtent::Declared);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->format.subFormatTag, 0);
    EXPECT_EQ(layout->format.CodingTag(), 0);
}

TEST(WavLayout, SizesThatPromiseMoreThanTheFileHoldsReadOnlyWhatIsThere) {
    std::string image = WavImage(11025, 1, {1, 2, 3});
    image[40] = image[41] = image[42] = image[43] = '\xFF';  // a data chunk of 4 GiB
    MemoryByteSource source(Bytes(image));
    std::optional<WavLayout> layout = ReadWavLayout(source, RiffExtent::Declared);
    ASSERT_TRUE(layout);
    const std::optional<RiffChunk> data = FindDataChunk(source, *layout);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->size, 0xFFFFFFFFu);
    EXPECT_EQ(BytesPresent(source, *data), 6u);

    // The sub-format's tag is read only when the file holds it.
    std::string extensible = ExtensibleWavImage(kPcmFormatTag, 22, "");
    extensible.resize(12 + 8 + 24 + 1);
    MemoryByteSource extensibleSource(Bytes(extensible));
    layout = ReadWavLayout(extensibleSource, RiffExtent::Declared);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->format.subFormatTag, 0);
}

// The chunks are those inside the "RIFF" chunk: one that its size leaves
// out is not found, unless the whole file is asked for.
TEST(WavLayout, LooksForChunksInsideTheRiffChunkOrTheWholeFile) {
    std::string image = WavImage(11025, 1, {1, 2, 3});
    image[4] = 28, image[5] = image[6] = image[7] = 0;  // "WAVE" and the format chunk
    MemoryByteSource source(Bytes(image));
    std::optional<WavLayout> layout = ReadWavLayout(source, RiffExtent::Declared);
    ASSERT_TRUE(layout);
    EXPECT_FALSE(FindDataChunk(source, *layout));

    layout = ReadWavLayout(source, RiffExtent::WholeFile);
    ASSERT_TRUE(layout);
    const std::optional<RiffChunk> data = FindDataChunk(source, *layout);
    ASSERT_TRUE(data);
    EXPECT_EQ(BytesPresent(source, *data), 6u);

    image[4] = 0;  // not even the form type
    EXPECT_FALSE(ReadWavLayout(source, RiffExtent::Declared));
    EXPECT_TRUE(ReadWavLayout(source, RiffExtent::WholeFile));
}

}  // namespace
}  // namespace voxnote
