#include "voxnote/analysis/pitch/pitch_candidates.h"

#include <algorithm>

#include "voxnote/analysis/pitch/pitch_frame.h"

namespace voxnote {
namespace {

constexpr int32_t kMergeDistance = 20;

bool EntryIsValid(const ChannelTableEntry& entry, int channel, const PitchBounds& bounds) {
    int32_t pitch = entry.pitch;
    return pitch > bounds.lower && pitch >= 80 + 24 * channel && pitch <= 130 + 24 * channel;
}

}  // namespace

bool BuildCandidateList(ChannelTableRow& row, const PitchBounds& bounds, CandidateList& list) {
    int32_t strongest = kReferenceStrength;
    for (int k = kChannelCount - 1; k >= 0; --k) {
        if (!EntryIsValid(row[k], k, bounds)) {
            row[k].strength = kNoPitch;
            continue;
        }
        strongest = std::max<int32_t>(strongest, row[k].strength);
    }
    list.count = 0;
    if (strongest == kReferenceStrength) return false;

    for (int k = 0; k < kChannelCount; ++k) {
        int32_t relative = row[k].strength - (strongest - kReferenceStrength);
        if (relative < 0) continue;
        PitchCandidate candidate{relative, row[k].pitch};
        if (list.count > 0 && candidate.pitch - list.items[list.count - 1].pitch < kMergeDistance) {
            PitchCandidate& kept = list.items[list.count - 1];
            if (candidate.strength >= kept.strength) kept = candidate;
            continue;
        }
        list.items[list.count++] = candidate;
    }
    list.items[list.count] = {0, kCandidateSentinel};
    return true;
}

}  // namespace voxnote
