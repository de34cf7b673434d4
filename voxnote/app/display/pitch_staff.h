#pragma once
#include <optional>

#include "voxnote/app/skin/skin_geometry.h"

namespace voxnote {

// Where the pitch display of the meter area draws a note: a head on the
// staff, 3 pixels higher per natural note, and a sharp sign left of it for
// the black keys (which sit on the natural below them).
struct NoteHeadPlacement {
    static constexpr int kHeadOnLineBitmap = 226;
    static constexpr int kHeadInSpaceBitmap = 227;
    static constexpr int kSharpBitmap = 228;
    static constexpr int kLowestNote = 24;
    static constexpr int kHighestNote = 97;

    SkinPoint head;
    int headBitmap = kHeadInSpaceBitmap;
    bool sharp = false;
    SkinPoint sharpPosition;

    // Natural notes from note 24 up to the note (or the natural below it).
    static int NaturalStepsFromLowest(int note);
    // Nothing for notes outside 24..97, which the staff cannot show.
    static std::optional<NoteHeadPlacement> ForNote(int note);
};

}  // namespace voxnote
