#pragma once
// Reads the WAV files that the file: input plays into a live run: 16-bit PCM,
// one or two channels, any sample rate. Damaged or other files give nothing;
// a data chunk cut short gives the whole frames that are there.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace voxnote {

struct CaptureWavSound {
    uint32_t sampleRate = 0;
    uint16_t channels = 0;
    std::vector<int16_t> samples;  // interleaved frames
};

std::optional<CaptureWavSound> ParseCaptureWav(std::span<const uint8_t> bytes);
std::optional<CaptureWavSound> ReadCaptureWavFile(const std::string& path);

}  // namespace voxnote
