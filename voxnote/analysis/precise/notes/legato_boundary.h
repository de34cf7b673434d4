#pragma once
// Where one note moves into the next without a gap, the note decode parts
// them where the track's pitch has reached the new note; but while two notes
// sound together (a release or a room still sounding the old one, a choir
// whose singers move one after another, an attack that settles slowly), the
// track hears neither clearly, and the new note would start late. The new
// note starts instead where the old one stopped being heard clearly: going
// back from the boundary, past every frame without a candidate near the old
// note's pitch at least 60 % as probable as in that note's typical frame, up
// to 290 ms, and leaving the old note at least 46 ms. A gap of up to 290 ms
// between them in which the sound goes on (never 10 dB below the old note's
// loudest, its spectrum of partials, not of noise) but no pitch is heard is
// such a passage too: the new note starts where the old one ends.
#include <cstddef>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/pitch/pitch_track.h"
#include "voxnote/analysis/precise/pitch/yin_candidates.h"

namespace voxnote::precise {

struct LegatoEvidence {
    std::span<const FrameCandidates> candidates;
    std::span<const PitchTrackFrame> track;
    std::span<const float> fineLevels;
    std::span<const float> flatness;
};

// Moves the boundaries between notes of different pitches in place.
// scratch: room for the longest note's frames.
void MoveLegatoBoundaries(std::span<NoteSegment> segments, const LegatoEvidence& evidence, std::span<float> scratch);

}  // namespace voxnote::precise
