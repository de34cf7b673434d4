#pragma once
// Stage 1's input conditioning: the block's 16-bit samples become 32-bit
// samples after the history (in pairs; an odd last sample waits for the next
// block), the clip test, and the binomial pre-filter.
#include <cstdint>

namespace voxnote {

struct DetectorState;

// Samples at or beyond these count as clipped.
constexpr int32_t kClipHigh = 32640;
constexpr int32_t kClipLow = -32641;

// Takes byteCount bytes of the input area; sets the block's length in bytes
// (an even number of samples) and the input-clipped flag.
void ConvertInput(DetectorState& state, uint32_t byteCount);

// y[n] = x[n] + 3x[n+1] + 3x[n+2] + x[n+3], in place over the block's samples.
void PreFilter(DetectorState& state);

}  // namespace voxnote
