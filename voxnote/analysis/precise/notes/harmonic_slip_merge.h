#pragma once
// Where a pitch is hard to hear (a note settling in, two notes sounding
// together in a room, a choir moving to its next note), the pitch track may
// follow a sub-harmonic or the octave above for a while. A short note (400
// ms at most) that touches a longer one (or is parted from it by no more
// than 93 ms without a pitch) and lies a harmonic interval from it
// (an octave, an octave and a fifth, two octaves, two octaves and a third
// below; an octave, an octave and a fifth, two octaves above) is that longer
// note heard at the wrong harmonic: it is merged into it; and where the slip
// parted two parts of one note, they become one again. Notes of one pitch
// that were parted at a re-attack stay apart.
#include <cstddef>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/pitch/pitch_track.h"

namespace voxnote::precise {

// Merges in place and returns the new count. pitches: room for one per segment.
size_t MergeHarmonicSlips(std::span<NoteSegment> segments, std::span<const PitchTrackFrame> track,
                          std::span<float> pitches, std::span<float> scratch);

}  // namespace voxnote::precise
