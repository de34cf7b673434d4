#pragma once
// The header of one entry of a 16-bit resource file whose type is given as a
// number: 0xFF, the type, the upper-cased name ending in a 0 byte, the memory
// flags and the size of the data that follows.
#include <cstdint>
#include <string_view>

namespace stepweave {

class ByteStream;

inline constexpr uint16_t kRawDataResourceType = 10;

// Writes the header; the name is upper-cased and cut to 63 characters.
void WriteResourceHeader(ByteStream& stream, uint16_t type, std::string_view name, uint16_t memoryFlags,
                         uint32_t dataSize);

// Reads a header, checking only the 0xFF marker and the type; the name and
// the memory flags are skipped. Returns the data size. A wrong marker or
// type, or a data size beyond the bytes left, fails with "Invalid stream format".
uint32_t ReadResourceHeader(ByteStream& stream, uint16_t expectedType);

}  // namespace stepweave
