#pragma once
// The pitch of a note settles some frames after its attack (a low note needs
// several periods in the window), so the note decode starts it late. Where a
// strong onset of the spectral flux lies up to 93 ms before a note's start,
// the note starts there instead, and the note before it ends there. An onset
// where the level falls away (the smear of a sound that stops) is no attack.
#include <cstddef>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/onsets/onset_picking.h"

namespace voxnote::precise {

// Moves the starts in place.
void SnapStartsToOnsets(std::span<NoteSegment> segments, std::span<const Onset> onsets,
                        std::span<const float> levels);

}  // namespace voxnote::precise
