#pragma once
// The pitch a note is heard at: the median of the pitches of its voiced
// frames on the pitch track, so that vibrato, a scoop into the note or a few
// frames at the wrong octave do not move it.
#include <cstdint>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/pitch/pitch_track.h"

namespace voxnote::precise {

// The median in `median`; false when fewer than four frames (46 ms) are
// voiced: a blip, no note. scratch needs room for the segment's frames.
bool MedianPitch(const NoteSegment& segment, std::span<const PitchTrackFrame> track, std::span<float> scratch,
                 float& median);

}  // namespace voxnote::precise
