#include "stepweave/sound/wav/wave_data.h"

#include <gtest/gtest.h>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "tests/stepweave/sound/wav/wave_test_support.h"

using namespace stepweave;
using namespace wave_test;

namespace {

Bytes FormatOf(const WaveData& wave) { return Bytes(wave.Format(), wave.Format() + wave.FormatSize()); }
Bytes DataOf(const WaveData& wave) { return Bytes(wave.Data(), wave.Data() + wave.Size()); }

WaveData LoadBytes(const Bytes& bytes) {
    MemoryStream stream(bytes);
    WaveData wave;
    wave.LoadFromStream(stream);
    return wave;
}

// The message of the error that loading the bytes into a filled wave raises;
// the wave is handed back to see what it kept.
std::string LoadFailure(const Bytes& bytes, WaveData& wave) {
    MemoryStream stream(bytes);
    try {
        wave.LoadFromStream(stream);
    } catch (const WaveStreamError& error) {
        return error.what();
    }
    return "no error";
}

WaveData SomeWave() {
    WaveData wave;
    const Bytes format = PcmFormat(1, 8000, 8);
    wave.SetFormat(format.data(), static_cast<int32_t>(format.size()));
    wave.SetSize(5);
    std::fill(wave.Data(), wave.Data() + 5, 0x42);
    return wave;
}

}  // namespace

TEST(Wave, EmptyStreamEmptyWaveAndZeroByteImageAreOneAndTheSame) {
    WaveData wave = SomeWave();
    MemoryStream empty;
    wave.LoadFromStream(empty);
    EXPECT_EQ(wave.FormatSize(), 0);
    EXPECT_EQ(wave.Size(), 0);
    EXPECT_EQ(wave.Format(), nullptr);
    EXPECT_EQ(wave.Data(), nullptr);
    EXPECT_TRUE(wave.Image().empty());

    // A format without data (or data without format) is not written either.
    WaveData formatOnly = SomeWave();
    formatOnly.SetSize(0);
    EXPECT_TRUE(formatOnly.Image().empty());

    const auto folder = FreshFolder("empty_wave");
    const std::string path = (folder / "empty.wav").string();
    WaveData().SaveToFile(path);
    EXPECT_TRUE(ReadWholeFile(path).empty());
    WaveData loaded = SomeWave();
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.FormatSize(), 0);
    EXPECT_EQ(loaded.Size(), 0);
}

TEST(Wave, SavedImageIsTheRealFileWithAPadByteAppended) {
    struct Case {
        const char* file;
        int32_t formatSize;
        int32_t dataSize;
    };
    // mono16 and stereo16 have even data; mono8 has 551 bytes and its pad.
    for (const Case& c : {Case{"mono16.wav", 16, 1764}, Case{"stereo16.wav", 16, 1764}, Case{"mono8.wav", 16, 551}}) {
        SCOPED_TRACE(c.file);
        const Bytes original = ReadTestWave(c.file);
        WaveData wave;
        wave.LoadFromFile(TestWavePath(c.file));
        ASSERT_EQ(wave.FormatSize(), c.formatSize);
        ASSERT_EQ(wave.Size(), c.dataSize);
        EXPECT_EQ(FormatOf(wave), Bytes(original.begin() + 20, original.begin() + 36));
        EXPECT_EQ(DataOf(wave), Bytes(original.begin() + 44, original.begin() + 44 + c.dataSize));

        const Bytes image = wave.Image();
        ASSERT_EQ(image.size(), size_t(12 + 8 + 16 + 8 + c.dataSize + 1));
        EXPECT_EQ(image.back(), 0);
        EXPECT_EQ(Read32(image, 4), image.size() - 8);
        EXPECT_EQ(Read32(image, 40), uint32_t(c.dataSize));
        EXPECT_TRUE(std::equal(original.begin() + 8, original.begin() + 44 + c.dataSize, image.begin() + 8));

        WaveData again = LoadBytes(image);
        EXPECT_EQ(FormatOf(again), FormatOf(wave));
        EXPECT_EQ(DataOf(again), DataOf(wave));
        EXPECT_EQ(again.Image(), image);
    }
}

TEST(Wave, ExtendedFormatRecordsSurviveWholeAndFactChunksAreSkipped) {
    // float.wav: 18-byte record, a "fact" chunk, then 880 data bytes.
    // adpcm.wav: 50-byte record with its coefficient table, "fact", 1024 data bytes.
    struct Case {
        const char* file;
        int32_t formatSize;
        size_t dataAt;
        int32_t dataSize;
    };
    for (const Case& c : {Case{"float.wav", 18, 58, 880}, Case{"adpcm.wav", 50, 90, 1024}}) {
        SCOPED_TRACE(c.file);
        const Bytes original = ReadTestWave(c.file);
        WaveData wave;
        wave.LoadFromFile(TestWavePath(c.file));
        EXPECT_EQ(FormatOf(wave), Bytes(original.begin() + 20, original.begin() + 20 + c.formatSize));
        EXPECT_EQ(DataOf(wave), Bytes(original.begin() + c.dataAt, original.begin() + c.dataAt + c.dataSize));

        WaveData again = LoadBytes(wave.Image());
        EXPECT_EQ(FormatOf(again), FormatOf(wave));
        EXPECT_EQ(DataOf(again), DataOf(wave));
    }
}

TEST(Wave, ExtraChunksBeforeOrAfterTheDataChangeNothing) {
    const Bytes format = PcmFormat(2, 44100, 16);
    const Bytes samples = Counting(400);
    const Bytes list = Chunk("LIST", Bytes{'I', 'N', 'F', 'O', 'I', 'C', 'M', 'T', 3, 0, 0, 0, 'a', 'b', 'c'});
    const Bytes fact = Chunk("fact", Bytes{100, 0, 0, 0});
    for (const Bytes& image : {RiffImage({Chunk("fmt ", format), list, fact, Chunk("data", samples)}),
                               RiffImage({Chunk("fmt ", format), Chunk("data", samples), list, fact}),
                               RiffImage({list, Chunk("data", samples), Chunk("fmt ", format)})}) {
        const WaveData wave = LoadBytes(image);
        EXPECT_EQ(FormatOf(wave), format);
        EXPECT_EQ(DataOf(wave), samples);
    }
}

TEST(Wave, TheLastFormatAndDataChunksWin) {
    const Bytes image = RiffImage({Chunk("fmt ", PcmFormat(1, 8000, 8)), Chunk("data", Counting(10)),
                                   Chunk("fmt ", PcmFormat(2, 22050, 16)), Chunk("data", Counting(6, 50))});
    const WaveData wave = LoadBytes(image);
    EXPECT_EQ(FormatOf(wave), PcmFormat(2, 22050, 16));
    EXPECT_EQ(DataOf(wave), Counting(6, 50));
}

TEST(Wave, AFileWithoutDataOrEndingInACutChunkHeaderLoadsWhatItHas) {
    WaveData noData = LoadBytes(RiffImage({Chunk("fmt ", PcmFormat(1, 8000, 8))}));
    EXPECT_EQ(noData.FormatSize(), 16);
    EXPECT_EQ(noData.Size(), 0);

    Bytes cut = RiffImage({Chunk("fmt ", PcmFormat(1, 8000, 8)), Chunk("data", Counting(4))});
    AppendText(cut, "LIS");
    const WaveData wave = LoadBytes(cut);
    EXPECT_EQ(DataOf(wave), Counting(4));
}

TEST(Wave, OnlyRiffWaveImagesAreAccepted) {
    const Bytes good = RiffImage({Chunk("fmt ", PcmFormat(1, 8000, 8)), Chunk("data", Counting(4))});
    Bytes notRiff = good;
    notRiff[3] = 'X';
    WaveData wave = SomeWave();
    EXPECT_EQ(LoadFailure(notRiff, wave), "Wave is invalid");
    EXPECT_EQ(wave.FormatSize(), 0);
    EXPECT_EQ(wave.Size(), 0);

    wave = SomeWave();
    const Bytes avi = RiffImage({Chunk("fmt ", PcmFormat(1, 8000, 8))}, "AVI ");
    EXPECT_EQ(LoadFailure(avi, wave), "Wave is invalid");
    EXPECT_EQ(wave.Size(), 0);

    wave = SomeWave();
    EXPECT_EQ(LoadFailure(Bytes{'R', 'I', 'F', 'F', 0}, wave), "Stream read error");
    EXPECT_EQ(wave.FormatSize(), 0);
}

TEST(Wave, ADataChunkLongerThanTheFileKeepsTheFormatAndTheBytesThere) {
    const Bytes format = PcmFormat(1, 8000, 8);
    WaveData wave = SomeWave();
    EXPECT_EQ(LoadFailure(RiffImage({Chunk("fmt ", format), Chunk("data", Counting(10), 1000)}), wave),
              "Stream read error");
    EXPECT_EQ(FormatOf(wave), format);
    EXPECT_EQ(DataOf(wave), Counting(10));

    // A size near 4 GiB is never allocated: only what is there is.
    EXPECT_EQ(LoadFailure(RiffImage({Chunk("fmt ", format), Chunk("data", Counting(3), 0xFFFFFFF0u)}), wave),
              "Stream read error");
    EXPECT_EQ(DataOf(wave), Counting(3));
    EXPECT_EQ(wave.AllocatedDataBytes(), WaveData::kDataBlockBytes);

    // A format chunk longer than the file fails in the header: nothing is kept.
    EXPECT_EQ(LoadFailure(RiffImage({Chunk("fmt ", format, 0x7FFFFFF0)}), wave), "Stream read error");
    EXPECT_EQ(wave.FormatSize(), 0);
    EXPECT_EQ(wave.Size(), 0);
}

TEST(Wave, SampleBlockGrowsInWholeBlocksOf8096Bytes) {
    WaveData wave;
    wave.SetSize(100);
    EXPECT_EQ(wave.AllocatedDataBytes(), 8096);
    std::fill(wave.Data(), wave.Data() + 100, 7);
    const uint8_t* block = wave.Data();
    wave.SetSize(200);
    EXPECT_EQ(wave.Size(), 200);
    EXPECT_EQ(wave.Data(), block);

    wave.SetSize(8097);
    EXPECT_EQ(wave.AllocatedDataBytes(), 2 * 8096);
    EXPECT_EQ(DataOf(wave), [] {
        Bytes expected(8097, 0);
        std::fill(expected.begin(), expected.begin() + 100, 7);
        return expected;
    }());
    wave.SetSize(8096);
    EXPECT_EQ(wave.AllocatedDataBytes(), 8096);
    wave.SetSize(-3);
    EXPECT_EQ(wave.Size(), 0);
    EXPECT_EQ(wave.AllocatedDataBytes(), 0);
}

TEST(Wave, AssignCopiesBothBlocksAndNothingClears) {
    const WaveData source = SomeWave();
    WaveData copy;
    copy.Assign(&source);
    EXPECT_EQ(FormatOf(copy), FormatOf(source));
    EXPECT_EQ(DataOf(copy), DataOf(source));
    EXPECT_NE(copy.Data(), source.Data());
    copy.Assign(&copy);
    EXPECT_EQ(DataOf(copy), DataOf(source));
    copy.Assign(nullptr);
    EXPECT_EQ(copy.FormatSize(), 0);
    EXPECT_EQ(copy.Size(), 0);
}

TEST(Wave, FilesThatCannotBeOpenedFailWithTheFileLayersError) {
    WaveData wave = SomeWave();
    EXPECT_THROW(wave.LoadFromFile("/nonexistent/folder/x.wav"), FileOpenError);
    EXPECT_EQ(wave.Size(), 5);
    EXPECT_THROW(wave.SaveToFile("/nonexistent/folder/x.wav"), FileCreateError);
}
