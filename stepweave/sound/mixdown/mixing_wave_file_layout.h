#pragma once
// The plain WAV files of the mixing wave: finding the format record and the
// sample data in a RIFF WAVE image, and writing the 44-byte header.
#include <cstdint>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/mixdown/mixing_wave_format.h"

namespace stepweave::wavaudio {

// The largest data size whose RIFF size (data size + 36) fits its 32-bit field.
inline constexpr int64_t kMaxWaveDataBytes = 0xFFFFFFFFLL - 36;

struct WaveFileLayout {
    bool IsRiffWave = false;  // false: not a RIFF WAVE image, to be ignored
    WaveFormat Format = kMixingWaveFormat;  // the previous format with the file's "fmt " bytes laid over it
    bool HasData = false;
    int64_t DataOffset = 0;  // of the last "data" chunk's bytes
    int64_t DataSize = 0;
};

// Walks the chunks of the image that starts at the stream's beginning, by
// their stated sizes and without word alignment, while the RIFF size says
// more chunks follow and at least a chunk header's 8 bytes are left. A
// "fmt " or "data" chunk that claims more bytes than the stream holds fails
// with StreamReadError "Stream read error" before anything is read into memory.
WaveFileLayout ReadWaveFileLayout(ByteStream& stream, const WaveFormat& previous);

// "RIFF", data size + 36, "WAVE", "fmt ", 16, the format record, "data",
// data size. No pad byte follows the data.
void WriteWaveFileHeader(ByteStream& stream, const WaveFormat& format, int64_t dataSize);

}  // namespace stepweave::wavaudio
