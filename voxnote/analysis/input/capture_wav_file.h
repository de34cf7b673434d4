#pragma once
// The WAV files that the file: input plays into a live run: 16-bit PCM (a
// plain or an extensible format chunk), one or two channels, any sample
// rate, read through the shared WAV layout with chunks up to the file's end
// whatever the "RIFF" size says. Damaged or other files give nothing; a data
// chunk cut short gives the whole frames that are there.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "voxnote/analysis/wavfile/byte_source.h"

namespace voxnote {

struct CaptureWavSound {
    uint32_t sampleRate = 0;
    uint16_t channels = 0;
    std::vector<int16_t> samples;  // interleaved frames
};

std::optional<CaptureWavSound> ReadCaptureWav(ByteSource& source);
std::optional<CaptureWavSound> ParseCaptureWav(std::span<const uint8_t> bytes);
// Files over 1 GiB give nothing as well.
std::optional<CaptureWavSound> ReadCaptureWavFile(const std::string& path);

}  // namespace voxnote
