#pragma once
// The fixed fields at the start of a wave's format record. The container
// keeps the record as bytes; this is for those who need to read it.
#include <cstdint>

namespace stepweave {

inline constexpr uint16_t kWaveFormatPcm = 1;
inline constexpr uint16_t kWaveFormatFloat = 3;
inline constexpr uint16_t kWaveFormatExtensible = 0xFFFE;

struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;

    bool operator==(const WaveFormat&) const = default;
};

// The record's first 16 bytes as fields; false when it is shorter than that.
bool ParseWaveFormat(const uint8_t* record, int32_t size, WaveFormat& format);

// As ParseWaveFormat, with an extensible record of integer PCM read as the
// plain PCM it is: the format the sound output plays it in.
bool ParsePlaybackFormat(const uint8_t* record, int32_t size, WaveFormat& format);

// PCM at the given rate, bits and channels, with block align and average
// bytes worked out from them.
WaveFormat PcmFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels);

// Whether a WAVE_FORMAT_EXTENSIBLE record holds plain integer PCM: the PCM
// sub-format, and samples whose valid bits fill their container. Such a
// file is the PCM it would be with the short header.
bool IsExtensibleIntegerPcm(const uint8_t* record, int32_t size);

}  // namespace stepweave
