#pragma once
// The contents of the Setup dialog's lists and how their rows map to the
// values they set. Each list runs from its largest value down.
#include <string>
#include <vector>

#include "voxnote/app/mididevices/drum_names.h"

namespace voxnote {

// Output Volume: "60", "59", ... "0".
std::vector<std::string> OutputVolumeEntries();
int OutputVolumeRow(int outputVolume);
int OutputVolumeAtRow(int row);

// Tuning: "+10", "+9", ... "+1", "0", "-1", ... "-10".
std::vector<std::string> TuningEntries();
int TuningRow(int tuning);
int TuningAtRow(int row);
// In tune mode the tuning list works as a meter: the fine step 0-9 of the
// detected note selects row 14 - fine ("-4" for 0 ... "+5" for 9).
int TuningMeterRow(int fineStep);

// Rhythm note: one entry per MIDI note from 127 down to 0.
std::vector<std::string> RhythmNoteEntries(DrumKitNames kit);
int RhythmNoteRow(int note);
int RhythmNoteAtRow(int row);

// The row to scroll to the top so that `row` shows third from the top.
int TopRowShowingThird(int row);

}  // namespace voxnote
