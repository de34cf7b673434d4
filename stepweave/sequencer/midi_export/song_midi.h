#pragma once
// A compiled song as the tracks of a MIDI file, on the render's own time
// line: every note starts where the render mixes its hit.
//
// One beat (a quarter note, 480 ticks) is the pattern's beat, so that each
// pattern's steps sit on the bar grid of a DAW: 480 / beat ticks per step.
// The tempo track says how long a quarter note lasts wherever that changes.
// The render moves the time on by the step length in force when the next
// step begins, so the last step of a pattern lasts as long as a step of the
// pattern after it; the tempo changes there, one step before the pattern,
// and again where the pattern starts when its beat differs.
//
// Tracks: the tempo track (the song's title, the tempo and a time signature
// of one pattern per bar where the pattern's length allows one), the kit on
// channel 10 with the drum map's notes and the levels' velocities, then one
// track per user sample the song plays, on channel 1, note 60. A note lasts
// one step, or as long as its sound when that is shorter.
#include <array>
#include <string>
#include <vector>

#include "stepweave/sequencer/midi_export/standard_midi_file.h"
#include "stepweave/sequencer/model/instrument_list.h"

namespace stepweave {

inline constexpr int kMidiTicksPerQuarter = 480;
inline constexpr int kSampleNote = 60;
inline constexpr int kSampleChannel = 1;

// What a compiled pattern's header says, in the order the song plays them.
struct MidiPatternShape {
    int length = 16;
    int beat = 4;
};

// One instrument as the render would mix it.
struct MidiSound {
    bool sounds = false;     // there is a sound to mix (the kit holds it, the sample has a file)
    double seconds = 0.0;    // the sound's own length as it plays
    int velocity = 127;      // a user sample's, from its volume
    std::string trackName;   // a user sample's track
};
using MidiSounds = std::array<MidiSound, InstrumentList::kCount>;

struct SongForMidi {
    std::string title;
    std::vector<std::string> lines;          // the compiled song
    std::vector<MidiPatternShape> patterns;  // one per tempo marker of the lines
    MidiSounds sounds;
};

// IntegerTextError when a tempo line is not a number.
std::vector<MidiFileTrack> SongMidiTracks(const SongForMidi& song);

}  // namespace stepweave
