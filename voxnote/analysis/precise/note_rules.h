#pragma once
// The user's note rules for detected notes, the same as the exact detector's
// note decision applies to its own: notes quieter than the input threshold
// are dropped; in rhythm mode (constant note set) every note becomes the
// constant note; otherwise the pitch is taken to a note with the tuning,
// locked to the scale, kept only inside the note range and transposed (and
// dropped outside 0..127). Velocity is 64 with fixed volume, else the peak
// level over the velocity base on the exact detector's curve (a note not
// above the base is dropped). The pitch steps, scale lock and velocity curve
// are the exact detector's own functions.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/analysis/notes/note_event.h"
#include "voxnote/analysis/precise/detected_note.h"

namespace voxnote {

struct RuledNote {
    uint8_t note = 0;
    uint8_t velocity = 0;
};

// The note and velocity the rules give, or nothing when they drop the note.
std::optional<RuledNote> ApplyNoteRules(const DetectedNote& note, const DetectorHeaderSettings& settings);

// The event stream of the notes (in time order) under the rules: for each
// kept note a note-on at its start and a note-off (velocity 0) at its end,
// times never going backwards. events needs room for 2 * notes.size();
// returns how many were written.
size_t RuledNoteEvents(std::span<const DetectedNote> notes, const DetectorHeaderSettings& settings,
                       std::span<NoteEvent> events);

}  // namespace voxnote
