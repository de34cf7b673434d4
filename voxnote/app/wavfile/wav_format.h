#pragma once
// The format of a WAV file as its "fmt " chunk gives it, and the formats the
// converter accepts: PCM, 16 bit, mono or stereo, 11025, 22050 or 44100 Hz.
#include <cstdint>
#include <optional>
#include <vector>

#include "voxnote/app/wavfile/byte_source.h"
#include "voxnote/app/wavfile/riff_reader.h"

namespace voxnote {

struct WavFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

inline constexpr uint16_t kPcmFormatTag = 1;
inline constexpr uint32_t kAnalysisSampleRate = 11025;

// Where the sound of a WAV file is: its format and its "data" chunk.
struct WavLayout {
    RiffChunk riff;
    WavFormat format;
    uint64_t afterFormatChunk = 0;  // the search for "data" starts here
};

// The "RIFF"/"WAVE" chunk and its "fmt " chunk (at least 16 bytes, of which
// the first 16 are read); nothing when either is missing or too short.
std::optional<WavLayout> ReadWavLayout(ByteSource& source);

// The string-table entries of every way the format differs from what the
// converter accepts, in the order the checks are made; empty when accepted.
std::vector<int> FormatProblems(const WavFormat& format);

}  // namespace voxnote
