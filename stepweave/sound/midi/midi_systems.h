#pragma once
// The MIDI systems that RtMidi reaches on this machine, asked before RtMidi
// is: the ALSA sequencer behind /dev/snd/seq, and a running JACK server (the
// one JACK_DEFAULT_SERVER names, or the default one). Asking starts no
// server and prints nothing, where RtMidi would complain on standard error
// about each system it cannot reach.
#include <string>
#include <vector>

namespace stepweave {

enum class MidiSystem { AlsaSequencer, Jack };

struct MidiSystemPresence {
    MidiSystem system;
    bool present = false;
};

// Both systems, in this order, each with whether it is there now.
std::vector<MidiSystemPresence> LookForMidiSystems();

// "ALSA sequencer" or "JACK": how the user knows the system.
std::string MidiSystemName(MidiSystem system);
// RtMidi's number of the system's API.
int RtMidiApiOf(MidiSystem system);

}  // namespace stepweave
