#include "voxnote/app/wavfile/wav_format.h"

#include <array>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

constexpr uint32_t kFormatFieldsBytes = 16;

WavFormat ParseFormatFields(const std::array<uint8_t, kFormatFieldsBytes>& bytes) {
    WavFormat format;
    format.formatTag = ReadLittleEndian16(&bytes[0]);
    format.channels = ReadLittleEndian16(&bytes[2]);
    format.sampleRate = ReadLittleEndian32(&bytes[4]);
    format.averageBytesPerSecond = ReadLittleEndian32(&bytes[8]);
    format.blockAlign = ReadLittleEndian16(&bytes[12]);
    format.bitsPerSample = ReadLittleEndian16(&bytes[14]);
    return format;
}

}  // namespace

std::optional<WavLayout> ReadWavLayout(ByteSource& source) {
    RiffReader reader(source);
    std::optional<RiffChunk> riff = reader.DescendIntoRiff("WAVE");
    if (!riff) {
        return std::nullopt;
    }
    std::optional<RiffChunk> fmt = reader.FindChunk(*riff, riff->dataOffset, "fmt ");
    std::array<uint8_t, kFormatFieldsBytes> fields{};
    if (!fmt || fmt->size < kFormatFieldsBytes || !source.ReadExactly(fmt->dataOffset, fields)) {
        return std::nullopt;
    }
    WavLayout layout;
    layout.riff = *riff;
    layout.format = ParseFormatFields(fields);
    layout.afterFormatChunk = fmt->End();
    return layout;
}

std::vector<int> FormatProblems(const WavFormat& format) {
    std::vector<int> problems;
    if (format.formatTag != kPcmFormatTag) {
        problems.push_back(strings::kUnsupportedWaveFormat);
    }
    if (format.channels != 1 && format.channels != 2) {
        problems.push_back(strings::kMustBeMonoOrStereo);
    }
    if (format.sampleRate != 44100 && format.sampleRate != 22050 && format.sampleRate != kAnalysisSampleRate) {
        problems.push_back(strings::kFrequencyShouldBe);
    }
    if (format.bitsPerSample != 16) {
        problems.push_back(strings::kSamplesShouldBe16Bit);
    }
    return problems;
}

}  // namespace voxnote
