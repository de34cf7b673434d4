#pragma once
// The drum names that Setup's rhythm-note list shows beside the notes, by
// drum kit: the General MIDI names (notes 35-81, string-table entry = note)
// and the GS names (notes 27-87, entry = 2000 + note).
#include <string>

namespace voxnote {

enum class DrumKitNames { Gm = 0, Gs = 1 };

// The kit of the "Drumkit" system setting (0 GM, anything else GS).
DrumKitNames DrumKitNamesOf(int drumkit);

// The drum the kit plays on that note; empty when the kit names none.
std::string DrumName(DrumKitNames kit, int note);

// The note's entry in the rhythm-note list: its name, then ", " and the drum
// name when the kit has one ("D#2, Ride Cymbal 1"; "C9").
std::string RhythmNoteEntry(DrumKitNames kit, int note);

}  // namespace voxnote
