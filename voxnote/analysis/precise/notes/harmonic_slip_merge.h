#pragma once
// Where a pitch is hard to hear (a note settling in, two notes sounding
// together in a room, a choir moving to its next note), the pitch track may
// follow a sub-harmonic or the octave above for a while. A short note (400
// ms at most) that touches a longer one and lies a harmonic interval from it
// (an octave, an octave and a fifth, two octaves, two octaves and a third
// below; an octave, an octave and a fifth, two octaves above) is that longer
// note heard at the wrong harmonic: it is merged into it. Touching notes of
// one pitch (within half a semitone), as such a merge leaves them, become one.
#include <cstddef>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/pitch/pitch_track.h"

namespace voxnote::precise {

// Merges in place and returns the new count. pitches: room for one per segment.
size_t MergeHarmonicSlips(std::span<NoteSegment> segments, std::span<const PitchTrackFrame> track,
                          std::span<float> pitches, std::span<float> scratch);

}  // namespace voxnote::precise
