#pragma once
// A repeated note of the same pitch keeps its pitch, so the note decode sees
// one long note. It is split where an onset of the spectral flux falls inside
// it and the level rises there (level_change.h): by 2 dB under a strong onset
// (four times the flux around it), by 6 dB under a weaker one. A new attack
// does; vibrato, tremolo and a held note's drift do not.
#include <cstddef>
#include <cstdint>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/onsets/onset_picking.h"

namespace voxnote::precise {

// levels: each frame's level in log units. Writes the split notes to split
// (room for segments.size() + onsets.size()) and returns how many.
size_t SplitAtReattacks(std::span<const NoteSegment> segments, std::span<const Onset> onsets,
                        std::span<const float> levels, std::span<NoteSegment> split);

}  // namespace voxnote::precise
