#pragma once
// The two logarithmic scales of the analysis, table-driven and integer only.
#include <cstdint>

namespace voxnote {

// Coarse log: 60 steps per doubling (about 10 per decibel of amplitude), 0..960.
// C(x) = 0 up to about 674, 960 from 44187388 on.
uint32_t CoarseLog(uint32_t x);

// Fine log of a 16.16 fixed-point interval: 120 steps per doubling, falling as
// the interval grows, about 1137 - 120*log2(v / 65536).
int32_t FineLog(uint32_t v);

}  // namespace voxnote
