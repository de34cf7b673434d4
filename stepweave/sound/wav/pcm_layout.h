#pragma once
// How the mixer reads a sound buffer's bytes: 8-bit unsigned or 16-bit
// signed little-endian samples, one or two interleaved channels.
#include <cstdint>

namespace stepweave {

struct PcmLayout {
    int channels = 2;
    int bitsPerSample = 16;

    int BlockAlign() const { return channels * bitsPerSample / 8; }
    // The byte value of silence: the middle of the unsigned 8-bit range.
    uint8_t SilenceByte() const { return bitsPerSample == 8 ? 128 : 0; }
    bool IsMixable() const {
        return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16);
    }
};

}  // namespace stepweave
