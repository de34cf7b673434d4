// Reading and writing the mixing wave's WAV files, and the file-layer errors.
#include <gtest/gtest.h>

#include "tests/stepweave/sound/mixdown/mixing_wave_reference.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/mixdown/mixing_wave.h"

namespace fs = std::filesystem;
using namespace stepweave;
using namespace stepweave::wavaudio;
using namespace mixing_wave_test;

namespace {

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<uint8_t> Chunk(const char* id, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> chunk(8 + body.size());
    std::copy_n(id, 4, chunk.begin());
    Put32(chunk, 4, static_cast<uint32_t>(body.size()));
    std::copy(body.begin(), body.end(), chunk.begin() + 8);
    return chunk;
}

}  // namespace

TEST(MixingWaveFile, SavesA44ByteHeaderAndTheDataWithNoPad) {
    MixingWave wave;
    LoadImage(wave, WaveImage(PcmFormat(1, 22050, 8), {1, 2, 3}));
    const fs::path path = FreshFolder("save") / "out.wav";
    wave.SaveToFile(path.string());
    const auto file = ReadWholeFile(path.string());
    ASSERT_EQ(file.size(), 44u + 3u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(Read32(file, 4), 3u + 36u);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Read32(file, 16), 16u);
    EXPECT_EQ(Read32(file, 24), 22050u);
    EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
    EXPECT_EQ(Read32(file, 40), 3u);
    EXPECT_EQ(file, WaveImage(PcmFormat(1, 22050, 8), {1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator{}), 1);
}

TEST(MixingWaveFile, WalksChunksByTheirStatedSizes) {
    // An odd-sized chunk before the format, a short "fmt " that holds only the
    // tag and the channel count, and the writer's pad byte counted in the RIFF size.
    std::vector<uint8_t> image = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto& chunk : {Chunk("LIST", {1, 2, 3}), Chunk("fmt ", {1, 0, 1, 0}), Chunk("data", {9, 0, 8, 0, 7}),
                              std::vector<uint8_t>{0}}) {
        image.insert(image.end(), chunk.begin(), chunk.end());
    }
    Put32(image, 4, static_cast<uint32_t>(image.size() - 8));
    MixingWave wave;
    LoadImage(wave, image);
    EXPECT_EQ(wave.Format().channels, 1);
    EXPECT_EQ(wave.Format().SignedSamplesPerSec(), 44100);  // kept from before
    EXPECT_EQ(wave.Format().blockAlign, 4);
    EXPECT_EQ(wave.Frames(), 1);  // 5 bytes / 4 rounds to 1
    EXPECT_EQ(wave.GetSample(0, 0), 9);
}

TEST(MixingWaveFile, ADamagedFileLeavesTheWaveAsItWas) {
    MixingWave wave;
    LoadImage(wave, WaveImage(PcmFormat(2, 44100, 16), Pcm16({5, 6})));
    const auto untouched = [&wave] {
        EXPECT_EQ(wave.Format(), PcmFormat(2, 44100, 16));
        EXPECT_EQ(wave.Frames(), 1);
        EXPECT_EQ(wave.GetSample(1, 0), 6);
    };

    LoadImage(wave, {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'});
    LoadImage(wave, {'R', 'I'});
    untouched();

    auto huge = WaveImage(PcmFormat(1, 8000, 16), Pcm16({1, 2}));
    Put32(huge, 40, 0xFFFFFFF0u);
    try {
        LoadImage(wave, huge);
        FAIL();
    } catch (const StreamReadError& error) {
        EXPECT_STREQ(error.what(), "Stream read error");
    }
    untouched();

    for (auto broken : {PcmFormat(0, 44100, 16), PcmFormat(2, 0, 16), PcmFormat(2, 44100, 0)}) {
        EXPECT_THROW(LoadImage(wave, WaveImage(broken, {1, 2, 3, 4})), WaveStreamError);
    }
    untouched();
}

TEST(MixingWaveFile, FileLayerErrorsReachTheCaller) {
    const fs::path folder = FreshFolder("errors");
    MixingWave wave;
    EXPECT_THROW(wave.LoadFromFile((folder / "missing.wav").string()), FileOpenError);
    EXPECT_THROW(wave.SaveToFile((folder / "no" / "out.wav").string()), FileCreateError);
    wave.SetWorkFileName((folder / "no" / "work1.tmp").string());
    EXPECT_THROW(wave.SetFileBacked(true), FileCreateError);
    EXPECT_FALSE(wave.FileBacked());
}

TEST(MixingWaveFile, WorkFileIsATemporaryThatGoesWithTheWave) {
    const fs::path folder = FreshFolder("work");
    {
        MixingWave wave;
        wave.SetWorkFileName((folder / "work1.tmp").string());
        LoadImage(wave, WaveImage(PcmFormat(2, 44100, 16), Pcm16({1, 2, 3, 4})));
        wave.SetFileBacked(true);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
        EXPECT_FALSE(fs::exists(folder / "work1.tmp"));  // never replaces a file of that name
        wave.SetSample(1, 3, -9);
        wave.SetFileBacked(false);
        EXPECT_EQ(DataBytes(wave), Pcm16({1, 2, 3, 4, 0, 0, 0, -9}));
        wave.SetFileBacked(true);
        LoadImage(wave, WaveImage(PcmFormat(1, 8000, 8), {200, 100}));  // loads into the work file
        EXPECT_EQ(wave.Frames(), 2);
        EXPECT_EQ(wave.GetSample(0, 1), (100 - 128) * 255);
    }
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(MixingWaveFile, SampleAccessOutsideTheAudioReadsZeroAndIgnoresBadWrites) {
    MixingWave wave;
    LoadImage(wave, WaveImage(PcmFormat(2, 44100, 16), Pcm16({1, 2, 3})));  // the last frame is half there
    EXPECT_EQ(wave.Frames(), 2);  // 6 bytes / 4 = 1.5 rounds to 2
    EXPECT_EQ(wave.GetSample(0, 1), 3);
    EXPECT_EQ(wave.GetSample(1, 1), 0);
    EXPECT_EQ(wave.GetSample(2, 0), 0);  // no third channel: not the next frame's first sample
    EXPECT_EQ(wave.GetSample(0, -1), 0);
    wave.SetSample(2, 0, 77);
    wave.SetSample(-1, 0, 77);
    wave.SetSample(0, -1, 77);
    EXPECT_EQ(DataBytes(wave), Pcm16({1, 2, 3}));
}
