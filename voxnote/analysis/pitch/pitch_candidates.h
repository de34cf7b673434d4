#pragma once
// The candidate list of one channel-table row: the valid channel entries with
// their strength relative to the strongest (which becomes 350), in ascending
// pitch, entries closer than 20 steps merged, ended by a sentinel.
#include <cstdint>

#include "voxnote/analysis/filterbank/band_table.h"
#include "voxnote/analysis/filterbank/channel_table.h"

namespace voxnote {

constexpr int32_t kCandidateSentinel = 16384;
constexpr int32_t kReferenceStrength = 350;

struct PitchCandidate {
    int32_t strength;  // relative: the strongest entry of the row is 350
    int32_t pitch;
};

struct CandidateList {
    int count = 0;  // without the sentinel
    PitchCandidate items[kChannelCount + 1];
};

struct PitchBounds {
    int32_t lower;  // 10 * minimum note - 240 + tuning
    int32_t upper;  // 10 * maximum note - 220 + tuning
};

// Screens the row (invalid entries get strength -16384, in the row itself) and
// builds the list. Returns false when no valid entry is stronger than 350.
bool BuildCandidateList(ChannelTableRow& row, const PitchBounds& bounds, CandidateList& list);

}  // namespace voxnote
