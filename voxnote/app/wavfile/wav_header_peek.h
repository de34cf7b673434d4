#pragma once
// The quick look at a WAV file that fills the information panel of the
// WAV dialog while the user browses: the format fields at their places in a
// plain 44-byte header, and the duration that the rest of the file gives.
// Never an error: a file that does not look like WAV has no information.
#include <cstdint>
#include <optional>
#include <string>

#include "voxnote/analysis/wavfile/byte_source.h"

namespace voxnote {

struct PeekedWavHeader {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    uint64_t dataSize = 0;  // the file's length less the 44 header bytes
};

// Nothing unless "WAVE" stands at offset 8 and the fields are there.
std::optional<PeekedWavHeader> PeekWavHeader(ByteSource& source);

// The sound's length in whole milliseconds; nothing when the header's
// numbers give none (a zero rate, channel count or sample size).
std::optional<uint64_t> DurationMilliseconds(const PeekedWavHeader& header);

// "11025 Hz".
std::string SampleRateText(uint32_t sampleRate);

}  // namespace voxnote
