#pragma once
// Adds a hit's contributions into frames of a wave that are held in memory.
#include <cstdint>

namespace stepweave::wavaudio {

// A run of consecutive frames stored contiguously, as a wave stores them.
// Only the bytes of channels 0 and 1 of each frame are touched.
struct FrameSpan {
    uint8_t* Bytes = nullptr;  // first byte of the first frame
    int64_t Frames = 0;
    int BlockAlign = 4;
    bool EightBit = false;
};

// The largest magnitude a mixed sample may take; -32768 is never produced,
// so a mix stays symmetric.
inline constexpr int32_t kMixedSampleLimit = 32767;

// Adds interleaved left/right contributions (two per frame) to channels 0
// and 1 of each frame of the span and limits every sum to +-32767. Frames from
// index `silentFrom` on lie beyond the audio the wave counted when the mix
// began: they are taken as silence rather than read.
void AddContributions(const FrameSpan& span, const int32_t* contributions, int64_t silentFrom);

}  // namespace stepweave::wavaudio
