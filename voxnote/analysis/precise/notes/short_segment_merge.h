#pragma once
// A note shorter than 70 ms that touches its neighbour is no note of its
// own: it is the attack of the note after it (where a pitch settles, the
// first frames often follow the sound before or a sub-harmonic), or the
// release of the note before it. It is merged into that note, so the note
// after it keeps the earlier start.
#include <cstddef>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"

namespace voxnote::precise {

// Merges in place; returns the new count.
size_t MergeShortSegments(std::span<NoteSegment> segments);

}  // namespace voxnote::precise
