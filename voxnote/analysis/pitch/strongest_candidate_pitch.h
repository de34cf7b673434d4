#pragma once
// First method of the frame pitch decision: the strongest candidates, tested
// against their harmonics above and their possible fundamentals below.
#include <cstdint>
#include <optional>

#include "voxnote/analysis/pitch/pitch_candidates.h"

namespace voxnote {

// The decided pitch, or nothing when the harmonic scoring must decide.
std::optional<int32_t> StrongestCandidatePitch(const CandidateList& list, const PitchBounds& bounds);

}  // namespace voxnote
