#pragma once
// The kit as a General MIDI drum set: each of the sixteen kit slots has the
// drum note a DAW's drum track plays it with, and a cell's level becomes a
// note's velocity on the usual velocity curve (amplitude follows the square
// of the velocity), so that each hit plays as loud in a DAW as here.
#include <optional>

namespace stepweave {

// Channel 10, as MIDI files and devices count it (status nibble 9).
inline constexpr int kDrumChannel = 10;
inline constexpr int kLoudestVelocity = 127;

// The drum note of kit slot 1..16: Kick 36, Short Kick 35, Snare 38, the
// closed and open hi-hat 42 and 46, the toms 48 and 45, the cymbals 49 and
// 51, Rimshot 37, Shaker 70, Block 76, Conga 63, Cowbell 56, Clap 39 and
// Tambourine 54.
int DrumNoteOfSlot(int slot);
// The kit slot a drum note plays, or none for a note outside the map.
std::optional<int> SlotOfDrumNote(int note);

// The velocity of a sound attenuated by `hundredths` of a decibel more than
// the loudest: round(127 x 10^(-hundredths / 4000)), within 1..127.
int VelocityOfAttenuation(int hundredths);
// Level L plays 5 dB quieter per step from level 1:
// round(127 x 10^(-5 (L - 1) / 40)), so 1 gives 127 and 9 gives 13.
int VelocityOfLevel(int level);
// The level 1..9 whose velocity lies nearest (the louder one of two as near).
int LevelOfVelocity(int velocity);

}  // namespace stepweave
