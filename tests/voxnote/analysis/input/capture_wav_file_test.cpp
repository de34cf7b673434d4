// Reading the WAV files that the file: input plays into a live run.
#include "voxnote/analysis/input/capture_wav_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/voxnote/analysis/capture/capture_test_support.h"
#include "voxnote/analysis/wavfile/format_tags.h"

namespace voxnote {
namespace {

using capture_testing::Put16;
using capture_testing::Put32;
using capture_testing::WavImage;

std::optional<CaptureWavSound> Parse(const std::string& bytes) {
    return ParseCaptureWav(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

TEST(CaptureWavFile, ReadsMonoAndStereoAtAnyRate) {
    auto mono = Parse(WavImage(8000, 1, {1, -2, 3}));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->sampleRate, 8000u);
    EXPECT_EQ(mono->channels, 1);
    EXPECT_EQ(mono->samples, (std::vector<int16_t>{1, -2, 3}));
    auto stereo = Parse(WavImage(48000, 2, {1, 2, -32768, 32767}));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->channels, 2);
    EXPECT_EQ(stereo->samples, (std::vector<int16_t>{1, 2, -32768, 32767}));
}

TEST(CaptureWavFile, SkipsOtherChunksIncludingOddSizedOnes) {
    std::string bytes = WavImage(22050, 1, {5, 6});
    std::string list = "LIST";
    Put32(list, 3);
    list += "abc";
    list.push_back(0);  // pad byte
    bytes.insert(12, list);
    auto sound = Parse(bytes);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{5, 6}));
}

TEST(CaptureWavFile, ReadsAnExtensibleFormatChunkOf16BitPcm) {
    std::string frames;
    for (int16_t sample : {1, -1, 300, -300}) Put16(frames, static_cast<uint16_t>(sample));
    auto sound = Parse(capture_testing::ExtensibleWavImage(kPcmFormatTag, 22, frames));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sampleRate, 48000u);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{1, -1, 300, -300}));
    EXPECT_FALSE(Parse(capture_testing::ExtensibleWavImage(3, 22, frames)));  // floating point
    EXPECT_FALSE(Parse(capture_testing::ExtensibleWavImage(kPcmFormatTag, 6, frames)));  // no sub-format
}

TEST(CaptureWavFile, TakesTheWholeFramesOfADataChunkCutShort) {
    std::string bytes = WavImage(44100, 2, {1, 2, 3, 4});
    bytes.resize(bytes.size() - 3);  // half a frame and a byte missing
    auto sound = Parse(bytes);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{1, 2}));
}

TEST(CaptureWavFile, RefusesWhatItCannotPlay) {
    const std::string good = WavImage(11025, 1, {1, 2});
    auto withField = [&](size_t at, uint16_t value) {
        std::string bytes = good;
        bytes[at] = static_cast<char>(value & 0xFF);
        bytes[at + 1] = static_cast<char>(value >> 8);
        return bytes;
    };
    EXPECT_FALSE(Parse(withField(20, 3)));   // floating point
    EXPECT_FALSE(Parse(withField(22, 3)));   // three channels
    EXPECT_FALSE(Parse(withField(34, 8)));   // 8 bit
    EXPECT_FALSE(Parse(withField(32, 3)));   // block align that is not 2 bytes a channel
    EXPECT_FALSE(Parse(good.substr(0, 11)));
    EXPECT_FALSE(Parse("RIFX" + good.substr(4)));
    EXPECT_FALSE(Parse(good.substr(0, 36)));  // no data chunk

    std::string dataFirst = "RIFF";
    Put32(dataFirst, 12);
    dataFirst += "WAVEdata";
    Put32(dataFirst, 2);
    Put16(dataFirst, 7);
    EXPECT_FALSE(Parse(dataFirst));
}

TEST(CaptureWavFile, SurvivesSizeFieldsThatPromiseMoreThanThereIs) {
    std::string bytes = WavImage(11025, 1, {1, 2, 3});
    bytes[16] = bytes[17] = bytes[18] = bytes[19] = static_cast<char>(0xFF);  // fmt chunk of 4 GiB
    EXPECT_FALSE(Parse(bytes));
    std::string data = WavImage(11025, 1, {1, 2, 3});
    data[40] = data[41] = data[42] = data[43] = static_cast<char>(0xFF);  // data chunk of 4 GiB
    auto sound = Parse(data);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples.size(), 3u);
}

TEST(CaptureWavFile, ReadsFromDiskAndFailsQuietlyForAMissingFile) {
    const auto path = capture_testing::WriteTempFile("disk.wav", WavImage(16000, 1, {9, 8, 7}));
    auto sound = ReadCaptureWavFile(path.string());
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples.size(), 3u);
    EXPECT_FALSE(ReadCaptureWavFile(path.string() + ".missing"));
}

}  // namespace
}  // namespace voxnote
