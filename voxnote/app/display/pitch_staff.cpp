#include "voxnote/app/display/pitch_staff.h"

#include "voxnote/app/display/note_name.h"

namespace voxnote {

namespace {
// Index of the natural note (C=0 .. B=6) at or just below each semitone of an octave.
constexpr int kNaturalIndex[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
}  // namespace

int NoteHeadPlacement::NaturalStepsFromLowest(int note) {
    const int fromLowest = note - kLowestNote;
    return 7 * (fromLowest / 12) + kNaturalIndex[fromLowest % 12];
}

std::optional<NoteHeadPlacement> NoteHeadPlacement::ForNote(int note) {
    if (note < kLowestNote || note > kHighestNote) {
        return std::nullopt;
    }
    const int steps = NaturalStepsFromLowest(note);
    NoteHeadPlacement placement;
    placement.head = {40, 189 - 3 * steps};
    placement.headBitmap = steps % 2 == 1 ? kHeadOnLineBitmap : kHeadInSpaceBitmap;
    placement.sharp = IsSharpNote(note);
    placement.sharpPosition = {32, placement.head.y};
    return placement;
}

}  // namespace voxnote
