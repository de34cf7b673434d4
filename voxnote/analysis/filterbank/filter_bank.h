#pragma once
// The band loops: each channel filters the sample history with its kernel,
// feeds its period tracker, and (for some channels) writes the next smoothing
// step of the chain.
#include "voxnote/analysis/filterbank/band_kernel.h"
#include "voxnote/analysis/filterbank/band_table.h"

namespace voxnote {

struct DetectorState;

// The kernel of every channel, laid out for its tap spacing.
const SplitKernel& ChannelKernel(int channel);

// The band signal of one channel at history positions first .. first+count-1.
void FilterBlock(const GroupedKernel& kernel, const int32_t* history, int first, int count, int32_t* out);

// Runs channel `channel` over the samples the current block added.
void RunBandChannel(DetectorState& state, int channel);

}  // namespace voxnote
