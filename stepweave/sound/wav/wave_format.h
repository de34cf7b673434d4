#pragma once
// The one format record of the program's waves: the fixed fields at the
// start of a "fmt " chunk, as the kits, the sound output and the renderer
// read them. The container keeps the record as bytes; this is for those who
// need to read it, and ParseWaveFormat is the one reader of those bytes.
#include <array>
#include <cstdint>

namespace stepweave {

inline constexpr uint16_t kWaveFormatPcm = 1;
inline constexpr uint16_t kWaveFormatFloat = 3;
inline constexpr uint16_t kWaveFormatExtensible = 0xFFFE;

// The fixed fields take the first 16 bytes of a record.
inline constexpr int kWaveFormatRecordSize = 16;
using WaveFormatRecord = std::array<uint8_t, kWaveFormatRecordSize>;

struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;  // turns seconds into bytes
    uint16_t blockAlign = 0;      // bytes per frame
    uint16_t bitsPerSample = 0;

    // The rates as the renderer's arithmetic reads them: signed 32-bit
    // numbers, so that a damaged file's rate above 2^31 reads as negative.
    int32_t SignedSamplesPerSec() const { return static_cast<int32_t>(samplesPerSec); }
    int32_t SignedAvgBytesPerSec() const { return static_cast<int32_t>(avgBytesPerSec); }

    // 8-bit audio keeps one unsigned byte per sample; every other width is
    // read and written as 16-bit little-endian signed samples.
    bool IsEightBit() const { return bitsPerSample == 8; }
    int BytesPerSample() const { return IsEightBit() ? 1 : 2; }
    uint8_t SilenceByte() const { return IsEightBit() ? 128 : 0; }
    // Byte offset of a channel's sample within its frame.
    int ChannelOffset(int channel) const { return channel * BytesPerSample(); }
    // Whether samples can be addressed and timed at all: at least one
    // channel, a frame size and a positive rate.
    bool DescribesAudio() const { return channels >= 1 && blockAlign >= 1 && SignedSamplesPerSec() >= 1; }

    bool operator==(const WaveFormat&) const = default;
};

// The record's first 16 bytes as fields; false when it is shorter than that.
bool ParseWaveFormat(const uint8_t* record, int32_t size, WaveFormat& format);

// The fields as the 16 bytes of a record, in file order.
WaveFormatRecord EncodeWaveFormat(const WaveFormat& format);

// Lays the first `count` bytes (at most 16) of a record over the format: a
// short "fmt " chunk replaces only the fields it holds.
void OverlayWaveFormat(WaveFormat& format, const uint8_t* bytes, int count);

// As ParseWaveFormat, with an extensible record of integer PCM read as the
// plain PCM it is: the format the sound output plays it in.
bool ParsePlaybackFormat(const uint8_t* record, int32_t size, WaveFormat& format);

// PCM at the given rate, bits and channels, with block align and average
// bytes worked out from them.
constexpr WaveFormat PcmFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels) {
    const auto blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    return {kWaveFormatPcm, channels, samplesPerSec, blockAlign * samplesPerSec, blockAlign, bitsPerSample};
}

// Whether a WAVE_FORMAT_EXTENSIBLE record holds plain integer PCM: the PCM
// sub-format, and samples whose valid bits fill their container. Such a
// file is the PCM it would be with the short header.
bool IsExtensibleIntegerPcm(const uint8_t* record, int32_t size);

}  // namespace stepweave
