#pragma once
// The channel table: per frame one row of 29 entries, written by the 29 period
// trackers and read by the frame pitch decision.
#include <cstdint>

#include "voxnote/analysis/filterbank/band_table.h"

namespace voxnote {

struct ChannelTableEntry {
    int16_t pitch;     // pitch step, or kNoPitch
    int16_t strength;  // coarse log units
};
using ChannelTableRow = ChannelTableEntry[kChannelCount];
constexpr uint32_t kChannelTableRowBytes = sizeof(ChannelTableRow);
static_assert(kChannelTableRowBytes == 116);

}  // namespace voxnote
