#pragma once
// Second method of the frame pitch decision: scores real fundamentals (the four
// lowest candidates) and virtual ones (a fifth below them, taking the candidate
// as third harmonic), then corrects the best choice down by an octave or
// another harmonic interval when a lower fundamental is well supported.
#include <cstdint>
#include <optional>

#include "voxnote/analysis/pitch/pitch_candidates.h"

namespace voxnote {

std::optional<int32_t> HarmonicScoringPitch(const CandidateList& list, const PitchBounds& bounds);

}  // namespace voxnote
