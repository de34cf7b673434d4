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
};

// The record's first 16 bytes as fields; false when it is shorter than that.
bool ParseWaveFormat(const uint8_t* record, int32_t size, WaveFormat& format);

// Whether a WAVE_FORMAT_EXTENSIBLE record holds plain integer PCM: the PCM
// sub-format, and samples whose valid bits fill their container. Such a
// file is the PCM it would be with the short header.
bool IsExtensibleIntegerPcm(const uint8_t* record, int32_t size);

}  // namespace stepweave
