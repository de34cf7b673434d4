#include "stepweave/sound/kit/resource_header.h"

#include <algorithm>
#include <string>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/kit/component_stream.h"
#include "stepweave/sound/files/little_endian.h"

namespace stepweave {

namespace {

constexpr uint8_t kTypeGivenAsNumber = 0xFF;
constexpr size_t kLongestName = 63;

uint8_t ReadByte(ByteStream& stream) {
    uint8_t byte = 0;
    stream.ReadBuffer(&byte, 1);
    return byte;
}

}  // namespace

void WriteResourceHeader(ByteStream& stream, uint16_t type, std::string_view name, uint16_t memoryFlags,
                         uint32_t dataSize) {
    std::string header(1, static_cast<char>(kTypeGivenAsNumber));
    header.push_back(static_cast<char>(type & 0xFF));
    header.push_back(static_cast<char>(type >> 8));
    for (const char c : name.substr(0, kLongestName)) {
        header.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    header.push_back('\0');
    uint8_t tail[6];
    StoreLittleEndian16(tail, memoryFlags);
    StoreLittleEndian32(tail + 2, dataSize);
    header.append(reinterpret_cast<const char*>(tail), sizeof tail);
    stream.WriteBuffer(header.data(), static_cast<int64_t>(header.size()));
}

uint32_t ReadResourceHeader(ByteStream& stream, uint16_t expectedType) {
    // A stream too short for the marker and type reads as zeros: not a kit.
    uint8_t start[3] = {};
    stream.Read(start, sizeof start);
    if (start[0] != kTypeGivenAsNumber || ReadLittleEndian16(start + 1) != expectedType) {
        ThrowInvalidStreamFormat();
    }
    while (ReadByte(stream) != 0) {
    }
    uint8_t tail[6];
    stream.ReadBuffer(tail, sizeof tail);
    const uint32_t dataSize = ReadLittleEndian32(tail + 2);
    if (static_cast<int64_t>(dataSize) > stream.BytesLeft()) {
        ThrowInvalidStreamFormat();
    }
    return dataSize;
}

}  // namespace stepweave
