#pragma once
// Conversion between stored sample bytes and 16-bit sample values. 8-bit
// samples are unsigned bytes around 128, scaled by 255; all others are
// 16-bit little-endian signed values.
#include <cmath>
#include <cstdint>

namespace stepweave::wavaudio {

inline int16_t DecodeSample(const uint8_t* at, bool eightBit) {
    if (eightBit) {
        return static_cast<int16_t>((at[0] - 128) * 255);
    }
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

// The byte of an 8-bit sample nearest to a 16-bit value. Loud values are held
// at 0 and 255 rather than wrapping round to the other extreme.
inline uint8_t EightBitSampleByte(int16_t value) {
    const double level = std::nearbyint(value / 255.0) + 128.0;
    return static_cast<uint8_t>(level < 0.0 ? 0.0 : level > 255.0 ? 255.0 : level);
}

inline void EncodeSample(uint8_t* at, bool eightBit, int16_t value) {
    if (eightBit) {
        at[0] = EightBitSampleByte(value);
        return;
    }
    const auto bits = static_cast<uint16_t>(value);
    at[0] = static_cast<uint8_t>(bits & 0xFF);
    at[1] = static_cast<uint8_t>(bits >> 8);
}

}  // namespace stepweave::wavaudio
