#include "stepweave/sound/wav/wave_stream.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "stepweave/sound/files/errors.h"
#include "tests/stepweave/sound/wav/wave_test_support.h"

using namespace stepweave;
using namespace wave_test;

namespace {

template <typename Action>
std::string FailureOf(Action action) {
    try {
        action();
    } catch (const WaveStreamError& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(WaveStream, ReportsMisuseWithItsOwnMessages) {
    MemoryStream bytes(RiffImage({Chunk("fmt ", PcmFormat(1, 8000, 8)), Chunk("data", Counting(4))}));
    WaveStream reader(bytes);
    uint8_t buffer[4];
    EXPECT_EQ(FailureOf([&] { reader.Read(buffer, 4); }), "Stream not opend");
    EXPECT_EQ(FailureOf([&] { reader.Write(buffer, 4); }), "Stream not opend");
    reader.Open(false);
    EXPECT_EQ(FailureOf([&] { reader.Open(false); }), "Stream has already been opened");
    EXPECT_EQ(FailureOf([&] { reader.Open(true); }), "Stream has already been opened");

    MemoryStream target;
    WaveStream writer(target);
    EXPECT_EQ(FailureOf([&] { writer.Open(true); }), "Format is invalid");
    EXPECT_EQ(target.Size(), 0);
}

TEST(WaveStream, ReadsAndSeeksInSampleDataCoordinates) {
    // Four bytes before the image: the header starts where the stream stood.
    Bytes bytes{9, 9, 9, 9};
    const Bytes image = ReadTestWave("stereo16.wav");
    bytes.insert(bytes.end(), image.begin(), image.end());
    MemoryStream stream(bytes);
    stream.SetPosition(4);

    WaveStream reader(stream);
    reader.Open(false);
    EXPECT_TRUE(reader.ReadMode());
    EXPECT_EQ(reader.FormatSize(), 16);
    EXPECT_EQ(reader.DataSize(), 1764);
    EXPECT_EQ(reader.Size(), 1764);
    EXPECT_EQ(reader.DataPosition(), 4 + 44);

    uint8_t first[4];
    EXPECT_EQ(reader.Read(first, 4), 4);
    EXPECT_TRUE(std::equal(first, first + 4, image.begin() + 44));
    EXPECT_EQ(reader.Position(), 4);

    EXPECT_EQ(reader.Seek(-10, SeekOrigin::End), 1754);
    uint8_t tail[100];
    EXPECT_EQ(reader.Read(tail, sizeof tail), 10);  // never past the end of the data
    EXPECT_TRUE(std::equal(tail, tail + 10, image.begin() + 44 + 1754));
    EXPECT_EQ(reader.Read(tail, sizeof tail), 0);

    EXPECT_EQ(reader.Seek(-5, SeekOrigin::Beginning), 0);
    EXPECT_EQ(reader.Seek(5000, SeekOrigin::Current), 1764);
    reader.SetSize(10);  // resizing is not supported
    EXPECT_EQ(reader.DataSize(), 1764);
}

TEST(WaveStream, WriterProducesTheDocumentedImage) {
    const Bytes format = PcmFormat(1, 11025, 16);
    MemoryStream target;
    target.WriteBuffer("ab", 2);  // the image starts at the current position
    {
        WaveStream writer(target);
        writer.SetFormat(format.data(), 16);
        writer.Open(true);
        EXPECT_FALSE(writer.ReadMode());
        const Bytes samples = Counting(6);
        EXPECT_EQ(writer.Write(samples.data(), 4), 4);
        EXPECT_EQ(writer.DataSize(), 4);
        EXPECT_EQ(writer.Write(samples.data() + 4, 2), 2);
        // finished on destruction
    }
    Bytes expected{'a', 'b'};
    const Bytes image = RiffImage({Chunk("fmt ", format), Chunk("data", Counting(6)), Bytes{0}});
    expected.insert(expected.end(), image.begin(), image.end());
    EXPECT_EQ(target.Bytes(), expected);
    EXPECT_EQ(Read32(target.Bytes(), 2 + 4), uint32_t(4 + 8 + 16 + 8 + 6 + 1));
}

TEST(WaveStream, WordAlignedWriterPadsOnlyDataOfOddLength) {
    const Bytes format = PcmFormat(1, 11025, 8);
    for (const size_t length : {size_t{6}, size_t{7}}) {
        MemoryStream target;
        {
            WaveStream writer(target);
            writer.SetFormat(format.data(), 16);
            writer.SetPadding(WavePadding::ToEvenLength);
            writer.Open(true);
            const Bytes samples = Counting(length);
            writer.Write(samples.data(), static_cast<int64_t>(length));
        }
        const Bytes pad = length % 2 ? Bytes{0} : Bytes{};
        EXPECT_EQ(target.Bytes(), RiffImage({Chunk("fmt ", format), Chunk("data", Counting(length)), pad})) << length;
        EXPECT_EQ(Read32(target.Bytes(), 4), target.Size() - 8) << length;
        EXPECT_EQ(target.Size() % 2, 0) << length;
    }
}

TEST(WaveStream, CreatedFileAppearsOnlyWhenWritingCompletes) {
    const auto folder = FreshFolder("wave_file_stream");
    const std::string path = (folder / "take.wav").string();
    WriteFileSafely(path, std::string("keep me"));
    const Bytes format = PcmFormat(1, 8000, 8);
    try {
        WaveFileStream writer(path, WaveFileMode::Create);
        writer.SetFormat(format.data(), 16);
        writer.Open(true);
        writer.Write("xyz", 3);
        throw std::runtime_error("interrupted");
    } catch (const std::runtime_error&) {
    }
    const Bytes kept = ReadWholeFile(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "keep me");

    {
        WaveFileStream writer(path, WaveFileMode::Create);
        writer.SetFormat(format.data(), 16);
        writer.Open(true);
        writer.Write("xyz", 3);
    }
    EXPECT_EQ(ReadWholeFile(path), RiffImage({Chunk("fmt ", format), Chunk("data", Bytes{'x', 'y', 'z'}), Bytes{0}}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator{}), 1);

    WaveFileStream reader(path, WaveFileMode::Read);
    reader.Open(false);
    EXPECT_EQ(reader.DataSize(), 3);
    EXPECT_EQ(reader.FileName(), path);
    EXPECT_THROW(WaveFileStream((folder / "missing.wav").string(), WaveFileMode::Read), FileOpenError);
}
