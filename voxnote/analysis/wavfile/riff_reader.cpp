#include "voxnote/analysis/wavfile/riff_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace voxnote {

namespace {

constexpr uint64_t kChunkHeaderBytes = 8;

bool HasId(const uint8_t* bytes, std::string_view id) {
    return id.size() == 4 && std::memcmp(bytes, id.data(), 4) == 0;
}

}  // namespace

std::optional<RiffChunk> RiffReader::DescendIntoRiff(std::string_view formType, RiffExtent extent) {
    std::array<uint8_t, 12> header{};
    if (!source_.ReadExactly(0, header) || !HasId(header.data(), "RIFF") || !HasId(header.data() + 8, formType)) {
        return std::nullopt;
    }
    uint32_t declared = ReadLittleEndian32(header.data() + 4);
    // The form type is the first 4 bytes of the chunk's data.
    // No RIFF chunk reaches past what its 32-bit size can say.
    const uint64_t fileEnd = std::min<uint64_t>(source_.Size(), kChunkHeaderBytes + UINT32_MAX);
    uint64_t end = extent == RiffExtent::WholeFile ? fileEnd : std::min<uint64_t>(kChunkHeaderBytes + declared, fileEnd);
    RiffChunk riff;
    riff.dataOffset = 12;
    riff.size = static_cast<uint32_t>(end > riff.dataOffset ? end - riff.dataOffset : 0);
    return riff;
}

std::optional<RiffChunk> RiffReader::FindChunk(const RiffChunk& parent, uint64_t from, std::string_view id) {
    const uint64_t parentEnd = parent.dataOffset + parent.size;
    uint64_t position = std::max(from, parent.dataOffset);
    while (position + kChunkHeaderBytes <= parentEnd) {
        std::array<uint8_t, kChunkHeaderBytes> header{};
        if (!source_.ReadExactly(position, header)) {
            return std::nullopt;
        }
        RiffChunk chunk;
        chunk.dataOffset = position + kChunkHeaderBytes;
        chunk.size = ReadLittleEndian32(header.data() + 4);
        if (HasId(header.data(), id)) {
            return chunk;
        }
        position = chunk.End();
    }
    return std::nullopt;
}

}  // namespace voxnote
