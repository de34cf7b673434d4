#pragma once
// The MIDI output ports the system offers (through RtMidi), each with a
// technology code from what the platform tells of it. On Linux the
// sequencer says whether a port is a synthesizer: one that plays General
// MIDI is a wavetable synthesizer (6); every other port, hardware or
// external, is a MIDI port (1). Where the platform tells nothing, a port is
// a MIDI port.
#include <string>
#include <vector>

namespace voxnote {

struct SystemMidiPort {
    std::string name;
    int technology = 1;
};

// Whether there is a MIDI system to ask. On Linux that is the ALSA
// sequencer behind /dev/snd/seq: without it RtMidi can list nothing (it
// gives up at the sequencer), and asking would only have the sequencer
// library and RtMidi print their failure on standard error at every look.
bool HasMidiSystem();

// Empty when there is no MIDI system to ask.
std::vector<SystemMidiPort> ListSystemMidiPorts();

// The technology code of a Linux sequencer port from its type bits.
int TechnologyOfSequencerPort(unsigned portType);

}  // namespace voxnote
