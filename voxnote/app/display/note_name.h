#pragma once
#include <string>

namespace voxnote {

// The lowest and highest notes that the note fields of the main window show.
constexpr int kLowestFieldNote = 24;
constexpr int kHighestFieldNote = 101;

// The name of a MIDI note 0..127: letter, "#" for the black keys, then the
// octave number note / 12, so that note 60 reads "C5" and note 33 "A2".
// Empty for a number that is no MIDI note.
std::string NoteName(int note);

// Whether the note is a black key (it is written as the natural below it plus a sharp).
bool IsSharpNote(int note);

// The note's name as a note field shows it: empty outside 24..101.
std::string NoteFieldText(int note);

}  // namespace voxnote
