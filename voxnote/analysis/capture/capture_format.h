#pragma once
// The format live capture records in and everything in the analysis rests on:
// 11025 samples per second, mono, signed 16-bit PCM. Ten blocks of 8192 bytes
// (371 ms each) circulate between the session and the input device.
#include <cstdint>
#include <optional>
#include <string>

#include "voxnote/analysis/wavfile/format_tags.h"

namespace voxnote {

struct CaptureFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;

    bool operator==(const CaptureFormat&) const = default;
};

constexpr CaptureFormat kCaptureFormat{kPcmFormatTag, 1, 11025, 22050, 2, 16, 0};
constexpr uint32_t kCaptureSampleRate = 11025;
constexpr int kCaptureBlockCount = 10;
constexpr uint32_t kCaptureBlockBytes = 8192;

// The length handed to the device: whole sample frames only.
constexpr uint32_t CaptureBufferLength(const CaptureFormat& format) {
    return format.blockAlign == 0 ? kCaptureBlockBytes : kCaptureBlockBytes - kCaptureBlockBytes % format.blockAlign;
}

// The name of the format's tag ("PCM"); nothing for a tag we do not know.
std::optional<std::string> FormatTagName(const CaptureFormat& format);
// A description such as "11.025 kHz, 16 Bit, Mono"; nothing for a format that
// is not whole PCM frames of one or two channels.
std::optional<std::string> FormatDescription(const CaptureFormat& format);

}  // namespace voxnote
