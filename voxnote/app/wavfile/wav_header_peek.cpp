#include "voxnote/app/wavfile/wav_header_peek.h"

#include <array>
#include <cmath>
#include <cstring>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

constexpr uint64_t kPlainHeaderBytes = 44;
constexpr size_t kPeekedBytes = 36;  // up to and including bits per sample

}  // namespace

std::optional<PeekedWavHeader> PeekWavHeader(ByteSource& source) {
    std::array<uint8_t, kPeekedBytes> bytes{};
    if (!source.ReadExactly(0, bytes) || std::memcmp(&bytes[8], "WAVE", 4) != 0) {
        return std::nullopt;
    }
    PeekedWavHeader header;
    header.formatTag = ReadLittleEndian16(&bytes[20]);
    header.channels = ReadLittleEndian16(&bytes[22]);
    header.sampleRate = ReadLittleEndian32(&bytes[24]);
    header.bitsPerSample = ReadLittleEndian16(&bytes[34]);
    header.dataSize = source.Size() > kPlainHeaderBytes ? source.Size() - kPlainHeaderBytes : 0;
    return header;
}

std::optional<uint64_t> DurationMilliseconds(const PeekedWavHeader& header) {
    if (header.bitsPerSample == 0 || header.channels == 0 || header.sampleRate == 0) {
        return std::nullopt;
    }
    double milliseconds = static_cast<double>(header.dataSize) / (header.bitsPerSample / 8.0) / header.channels *
                          1000.0 / header.sampleRate;
    if (!std::isfinite(milliseconds) || milliseconds < 0 || milliseconds >= 9.0e15) {
        return std::nullopt;
    }
    return static_cast<uint64_t>(milliseconds);
}

std::string SampleRateText(uint32_t sampleRate) {
    return std::to_string(sampleRate) + Text(strings::kUnitHertz);
}

}  // namespace voxnote
