#pragma once
// The period tracker of one band channel: finds alternate maxima and minima of
// the band signal with hysteresis, measures whole periods and the smallest
// peak-to-peak swing, and every 144 samples writes one channel-table entry
// (pitch step and strength).
#include <cstdint>

#include "voxnote/analysis/filterbank/band_channel.h"
#include "voxnote/analysis/filterbank/band_table.h"
#include "voxnote/analysis/filterbank/channel_table.h"

namespace voxnote {

void InitialiseBandChannel(BandChannel& channel, const BandTableRow& row);

// Feeds count consecutive band-signal samples, the first at run-wide position
// `position`. table is the first entry of the channel table (entries are
// addressed by the channel's column position).
void TrackBandBlock(BandChannel& channel, const int32_t* values, int count, uint32_t position,
                    ChannelTableEntry* table);

}  // namespace voxnote
