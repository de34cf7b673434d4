#include "voxnote/analysis/wavfile/wav_format.h"

#include <algorithm>
#include <array>

namespace voxnote {

namespace {

constexpr uint32_t kFormatFieldsBytes = 16;
// An extensible format's sub-format starts 24 bytes into the chunk.
constexpr uint32_t kSubFormatOffset = 24;
constexpr uint32_t kSubFormatTagEnd = kSubFormatOffset + 2;

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

uint16_t ReadSubFormatTag(ByteSource& source, const RiffChunk& fmt) {
    std::array<uint8_t, 2> tag{};
    if (fmt.size < kSubFormatTagEnd || !source.ReadExactly(fmt.dataOffset + kSubFormatOffset, tag)) {
        return 0;
    }
    return ReadLittleEndian16(tag.data());
}

}  // namespace

std::optional<WavLayout> ReadWavLayout(ByteSource& source, RiffExtent extent) {
    RiffReader reader(source);
    std::optional<RiffChunk> riff = reader.DescendIntoRiff("WAVE", extent);
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
    if (layout.format.formatTag == kExtensibleFormatTag) {
        layout.format.subFormatTag = ReadSubFormatTag(source, *fmt);
    }
    layout.afterFormatChunk = fmt->End();
    return layout;
}

std::optional<RiffChunk> FindDataChunk(ByteSource& source, const WavLayout& layout) {
    return RiffReader(source).FindChunk(layout.riff, layout.afterFormatChunk, "data");
}

uint64_t BytesPresent(const ByteSource& source, const RiffChunk& chunk) {
    const uint64_t held = source.Size() > chunk.dataOffset ? source.Size() - chunk.dataOffset : 0;
    return std::min<uint64_t>(chunk.size, held);
}

}  // namespace voxnote
