#pragma once
// The format of a WAV file as its "fmt " chunk gives it, and where its sound
// is: the one parse of a WAV file's layout that every reader of WAV sound
// builds on (the capture's file input, the WAV dialog's checks, conversion
// and listening). Sizes written in the file are checked against what the
// file holds before anything is read.
#include <cstdint>
#include <optional>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/analysis/wavfile/format_tags.h"
#include "voxnote/analysis/wavfile/riff_reader.h"

namespace voxnote {

struct WavFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    // The first two bytes of an extensible format's sub-format (its format
    // tag); 0 unless the chunk is extensible and long enough to hold one.
    uint16_t subFormatTag = 0;

    // How the samples are coded: the sub-format's tag for an extensible
    // format, else the format tag.
    uint16_t CodingTag() const { return formatTag == kExtensibleFormatTag ? subFormatTag : formatTag; }
};

// Where the sound of a WAV file is: its format and its "data" chunk.
struct WavLayout {
    RiffChunk riff;
    WavFormat format;
    uint64_t afterFormatChunk = 0;  // the search for "data" starts here
};

// The "RIFF"/"WAVE" chunk, reaching as far as extent says, and its first
// "fmt " chunk (at least 16 bytes); nothing when either is missing or too
// short.
std::optional<WavLayout> ReadWavLayout(ByteSource& source, RiffExtent extent);

// The first "data" chunk after the format chunk; nothing when there is none.
std::optional<RiffChunk> FindDataChunk(ByteSource& source, const WavLayout& layout);

// How many of the chunk's bytes the source holds: its size, or less when the
// source ends before the chunk does.
uint64_t BytesPresent(const ByteSource& source, const RiffChunk& chunk);

}  // namespace voxnote
