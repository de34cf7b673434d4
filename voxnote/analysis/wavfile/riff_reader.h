#pragma once
// Walking the chunks of a RIFF file: the outer "RIFF" chunk with its form
// type, and the chunks inside it, each an id of four characters, a 32-bit
// little-endian size and the data, padded to an even length. A chunk's size
// is taken as written; whoever reads its data finds out whether the bytes are
// there (ByteSource reads never pass the end).
#include <cstdint>
#include <optional>
#include <string_view>

#include "voxnote/analysis/wavfile/byte_source.h"

namespace voxnote {

struct RiffChunk {
    uint64_t dataOffset = 0;  // first byte after the 8-byte chunk header
    uint32_t size = 0;        // as written in the header

    // Where the next chunk starts: after the data and its pad byte.
    uint64_t End() const { return dataOffset + size + (size & 1u); }
};

// How far the chunks inside the "RIFF" chunk reach: to the end its size
// gives (never past the file's end), or to the file's end whatever the size
// says, for files whose writer never filled it in.
enum class RiffExtent { Declared, WholeFile };

class RiffReader {
public:
    explicit RiffReader(ByteSource& source) : source_(source) {}

    // The "RIFF" chunk at the start of the file if its form type is formType.
    // Its data starts after the form type; its end is the file's end when
    // the size claims more than the file holds, or with WholeFile always.
    std::optional<RiffChunk> DescendIntoRiff(std::string_view formType, RiffExtent extent);

    // The first chunk with this id inside parent whose header starts at or
    // after position from (a chunk boundary of parent).
    std::optional<RiffChunk> FindChunk(const RiffChunk& parent, uint64_t from, std::string_view id);

private:
    ByteSource& source_;
};

}  // namespace voxnote
