#pragma once
// A repeated note of the same pitch keeps its pitch, so the note decode sees
// one long note. It is split where an onset of the spectral flux falls inside
// it and the level rises there by 6 dB (level_rise.h): a new attack, not
// vibrato, tremolo or a held note's drift.
#include <cstddef>
#include <cstdint>
#include <span>

#include "voxnote/analysis/precise/note_segmentation.h"

namespace voxnote::precise {

// levels: each frame's level in log units. Writes the split notes to split
// (room for segments.size() + onsets.size()) and returns how many.
size_t SplitAtReattacks(std::span<const NoteSegment> segments, std::span<const uint32_t> onsets,
                        std::span<const float> levels, std::span<NoteSegment> split);

}  // namespace voxnote::precise
