#include "voxnote/app/wavfile/wav_block_reader.h"

#include <gtest/gtest.h>

#include "tests/voxnote/app/test_support.h"
#include "voxnote/app/wavfile/analysis_format_converter.h"
#include "voxnote/app/wavfile/wav_format_checks.h"

namespace voxnote {
namespace {

using test::Chunk;
using test::FmtChunk;
using test::RecordingReporter;
using test::RiffWave;
using test::SampleBytes;
using test::WavImage;
using test::WavShape;

class RecordingSink : public AnalysisBlockSink {
public:
    void Begin() override { ++begun; }
    bool AnalyseBlock(std::span<const int16_t> samples) override {
        blockSizes.push_back(samples.size());
        received.insert(received.end(), samples.begin(), samples.end());
        return blockSizes.size() < stopAfter;
    }
    int begun = 0;
    size_t stopAfter = SIZE_MAX;
    std::vector<size_t> blockSizes;
    std::vector<int16_t> received;
};

struct Reading {
    WavReadResult result;
    RecordingSink sink;
    RecordingReporter reporter;
};

std::unique_ptr<Reading> Read(const std::vector<uint8_t>& image, size_t stopAfter = SIZE_MAX) {
    auto reading = std::make_unique<Reading>();
    reading->sink.stopAfter = stopAfter;
    MemoryByteSource source(image);
    reading->result = ReadAnalysisBlocks(source, reading->sink, reading->reporter);
    return reading;
}

TEST(WavFormatChecks, EveryFailedCheckIsReportedInOrder) {
    WavShape eightBit48k{1, 1, 48000, 8};
    auto reading = Read(RiffWave({FmtChunk(eightBit48k), Chunk("data", std::vector<uint8_t>(100))}));
    EXPECT_EQ(reading->result, WavReadResult::FormatRejected);
    EXPECT_EQ(reading->reporter.texts,
              (std::vector<std::string>{"Cannot process wave file.\nThe frequency should be 11kHz, 22kHz or 44kHz",
                                        "Cannot process wave file.\nThe samples should be 16 bit."}));

    WavShape everythingWrong{3, 6, 8000, 24};
    reading = Read(RiffWave({FmtChunk(everythingWrong), Chunk("data", {})}));
    EXPECT_EQ(reading->reporter.texts,
              (std::vector<std::string>{"Unsupported wave format.", "Cannot process wave file.\nIt must be mono or stereo.",
                                        "Cannot process wave file.\nThe frequency should be 11kHz, 22kHz or 44kHz",
                                        "Cannot process wave file.\nThe samples should be 16 bit."}));
    EXPECT_EQ(reading->sink.begun, 0);
}

TEST(WavFormatChecks, AcceptsTheSixFormats) {
    for (uint16_t channels : {1, 2}) {
        for (uint32_t rate : {11025u, 22050u, 44100u}) {
            EXPECT_TRUE(FormatProblems({1, channels, rate, 0, 0, 16}).empty()) << channels << " " << rate;
        }
    }
}

TEST(WavRiffWalk, FilesWithoutAWholeFormatChunkEndSilently) {
    std::vector<std::vector<uint8_t>> images = {
        {},
        {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '},
        RiffWave({Chunk("data", std::vector<uint8_t>(8))}),
        RiffWave({FmtChunk(WavShape(), 14)}),
        RiffWave({Chunk("JUNK", std::vector<uint8_t>(3))}),
    };
    std::vector<uint8_t> cut = WavImage(std::vector<int16_t>(10));
    cut.resize(30);  // inside the "fmt " chunk
    images.push_back(cut);
    for (const auto& image : images) {
        auto reading = Read(image);
        EXPECT_EQ(reading->result, WavReadResult::NotWav);
        EXPECT_TRUE(reading->reporter.texts.empty());
    }
}

TEST(WavRiffWalk, SkipsOtherChunksWithTheirPadByte) {
    std::vector<int16_t> samples = test::NoiseSamples(100, 1);
    auto reading = Read(RiffWave({Chunk("JUNK", std::vector<uint8_t>(5, 0xEE)), FmtChunk(WavShape(), 18),
                                  Chunk("LIST", std::vector<uint8_t>(7, 0xAB)), Chunk("data", SampleBytes(samples))}));
    EXPECT_EQ(reading->result, WavReadResult::Completed);
    EXPECT_EQ(reading->sink.received, samples);
}

TEST(WavRiffWalk, AMissingDataChunkIsReported) {
    auto reading = Read(RiffWave({FmtChunk(WavShape()), Chunk("LIST", std::vector<uint8_t>(8))}));
    EXPECT_EQ(reading->result, WavReadResult::NoDataChunk);
    EXPECT_EQ(reading->reporter.texts, std::vector<std::string>{"Couldn't find data chunk in wave file."});
}

TEST(WavRiffWalk, AChunkSizeLargerThanTheFileFindsNothingBeyondIt) {
    std::vector<uint8_t> hugeList = {'L', 'I', 'S', 'T', 0xF0, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4};
    std::vector<uint8_t> image = RiffWave({FmtChunk(WavShape()), hugeList, Chunk("data", std::vector<uint8_t>(64))});
    auto reading = Read(image);
    EXPECT_EQ(reading->result, WavReadResult::NoDataChunk);

    std::vector<uint8_t> hugeRiff = WavImage(std::vector<int16_t>(300));
    hugeRiff[4] = hugeRiff[5] = hugeRiff[6] = hugeRiff[7] = 0xFF;
    EXPECT_EQ(Read(hugeRiff)->result, WavReadResult::Completed);
}

TEST(WavRiffWalk, ADataChunkThatClaimsMoreThanTheFileHoldsGivesNoNotes) {
    // Short of a whole block: the first full block cannot be read.
    std::vector<uint8_t> image = WavImage(std::vector<int16_t>(1000));
    image[40] = 0x00, image[41] = 0x00, image[42] = 0x01, image[43] = 0x00;  // 65536 bytes
    auto reading = Read(image);
    EXPECT_EQ(reading->result, WavReadResult::ReadError);
    EXPECT_EQ(reading->reporter.texts, std::vector<std::string>{"Error reading division of file"});
    EXPECT_TRUE(reading->sink.received.empty());

    // Whole blocks are there, only the rest is short.
    image = WavImage(std::vector<int16_t>(4096 + 10));
    image[40] = static_cast<uint8_t>((8192 + 100) & 0xFF), image[41] = static_cast<uint8_t>((8192 + 100) >> 8);
    reading = Read(image);
    EXPECT_EQ(reading->result, WavReadResult::ReadError);
    EXPECT_EQ(reading->reporter.texts, std::vector<std::string>{"Error reading final part of file"});

    image[40] = image[41] = image[42] = image[43] = 0xFF;
    EXPECT_EQ(Read(image)->result, WavReadResult::ReadError);
}

TEST(WavConversionInput, ElevenKilohertzMonoPassesThroughSampleForSample) {
    std::vector<int16_t> samples = test::NoiseSamples(3 * 4096 + 2048 + 1, 7);
    auto reading = Read(WavImage(samples));
    EXPECT_EQ(reading->result, WavReadResult::Completed);
    EXPECT_EQ(reading->sink.begun, 1);
    EXPECT_EQ(reading->sink.blockSizes, (std::vector<size_t>{4096, 4096, 4096, 2049}));
    EXPECT_EQ(reading->sink.received, samples);
}

TEST(WavConversionInput, StereoIsAveragedToMono) {
    std::vector<int16_t> interleaved = {32767, 32767, -32768, -32768, 1000, -1000, 3, 4, -3, -4, 32767, -32768};
    auto reading = Read(WavImage(interleaved, 2));
    EXPECT_EQ(reading->sink.received, (std::vector<int16_t>{32767, -32768, 0, 3, -4, -1}));
}

// Counts upward zero crossings to measure the frequency of a tone.
double MeasuredFrequency(const std::vector<int16_t>& samples, size_t skip) {
    int crossings = 0;
    size_t first = 0, last = 0;
    for (size_t i = skip + 1; i + skip < samples.size(); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            if (crossings++ == 0) {
                first = i;
            }
            last = i;
        }
    }
    return (crossings - 1) * 11025.0 / static_cast<double>(last - first);
}

TEST(WavConversionInput, HigherRatesAreResampledToElevenKilohertz) {
    for (uint32_t rate : {22050u, 44100u}) {
        for (uint16_t channels : {1, 2}) {
            const size_t frames = rate * 3;  // three seconds
            std::vector<int16_t> tone = test::SineSamples(440.0, 8000, frames, rate);
            std::vector<int16_t> interleaved;
            for (int16_t sample : tone) {
                for (int c = 0; c < channels; ++c) {
                    interleaved.push_back(sample);
                }
            }
            auto reading = Read(WavImage(interleaved, channels, rate));
            ASSERT_EQ(reading->result, WavReadResult::Completed);
            const auto& received = reading->sink.received;
            EXPECT_NEAR(static_cast<double>(received.size()), 3 * 11025.0, 2.0);
            for (size_t i = 0; i + 1 < reading->sink.blockSizes.size(); ++i) {
                EXPECT_EQ(reading->sink.blockSizes[i], 4096u);
            }
            EXPECT_NEAR(MeasuredFrequency(received, 500), 440.0, 0.5) << rate << " Hz, " << channels << " ch";
            // The tone keeps its place in time and its level: it matches the
            // same sine sampled at 11025 Hz.
            std::vector<int16_t> ideal = test::SineSamples(440.0, 8000, received.size());
            int largestError = 0;
            for (size_t i = 500; i + 500 < received.size(); ++i) {
                largestError = std::max(largestError, std::abs(received[i] - ideal[i]));
            }
            EXPECT_LT(largestError, 80) << rate << " Hz, " << channels << " ch";
        }
    }
}

TEST(WavConversionInput, TheSinkCanStopTheReading) {
    auto reading = Read(WavImage(test::NoiseSamples(5 * 4096, 3)), 2);
    EXPECT_EQ(reading->result, WavReadResult::Stopped);
    EXPECT_EQ(reading->sink.blockSizes.size(), 2u);
}

TEST(AnalysisFormatConverter, RefusesChannelCountsItCannotMix) {
    EXPECT_EQ(AnalysisFormatConverter::Create(0, 11025, 16), nullptr);
    EXPECT_EQ(AnalysisFormatConverter::Create(3, 44100, 16), nullptr);
    EXPECT_NE(AnalysisFormatConverter::Create(2, 22050, 16), nullptr);
}

}  // namespace
}  // namespace voxnote
