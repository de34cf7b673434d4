#pragma once
// A repeated note of the same pitch keeps its pitch, so the note decode sees
// one long note. It is split where the loudness dips deep and narrow and
// rises again under a peak of the spectral flux 1.2 times the flux around
// it (loudness_dip.h: a re-sung syllable, a tongued or bowed re-attack; a
// room's reverberation beating with the sound dips as well, but rises
// without such a peak); where the attack flux, which no glide of a partial raises, has
// a strong onset (five times the flux around it: a note struck or bowed
// again while the one before still sounds); and where an onset of the
// spectral flux falls inside it and the level rises there (level_change.h):
// by 2 dB under a strong onset, by 6 dB under a weaker one. A new attack
// does; vibrato, tremolo and a held note's drift do not.
#include <cstddef>
#include <cstdint>
#include <span>

#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/onsets/onset_picking.h"

namespace voxnote::precise {

struct ReattackEvidence {
    std::span<const Onset> onsets;
    std::span<const Onset> attackOnsets;  // of the attack flux (spectral_flux.h)
    std::span<const float> levels;      // each frame's level, log units
    std::span<const float> fineLevels;  // the fine level envelope
    std::span<const float> fluxes;      // each frame's spectral flux
};

// Writes the split notes to split (room for segments.size() plus one per
// frame) and returns how many.
size_t SplitAtReattacks(std::span<const NoteSegment> segments, const ReattackEvidence& evidence,
                        std::span<NoteSegment> split);

}  // namespace voxnote::precise
