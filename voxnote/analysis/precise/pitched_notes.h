#pragma once
// Pitch mode after the frame pass: the pitch track; the note decode, with
// short notes merged into their neighbours and notes heard at the wrong
// harmonic for a while merged into theirs; the splits at re-attacks; the
// boundaries where one note passes into the next moved to where the old one
// stopped being heard; starts moved back to the onsets just before them;
// and for each note its start (refined on the level envelope), its end
// (where its release has fallen away), its median pitch and its peak level.
#include <cstdint>
#include <span>

#include "voxnote/analysis/precise/detector_work.h"

namespace voxnote::precise {

// Writes work.notes / work.noteCount from the per-frame arrays.
void FindPitchedNotes(std::span<const int16_t> samples, size_t frameCount, DetectorWork& work);

}  // namespace voxnote::precise
