#pragma once
// Where a note ends. The note decode keeps a note while its pitch is heard,
// and a release or a room's reverberation goes on sounding the pitch long
// after the note was let go. The note ends at the first frame after its
// loudest where the fine level lies 10 dB below that loudest, or where the
// decode ends it, whichever comes first.
#include <cstdint>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"

namespace voxnote::precise {

// The frame one past the note's last sounding frame.
uint32_t ReleaseEnd(const NoteSegment& note, std::span<const float> fineLevels);

}  // namespace voxnote::precise
