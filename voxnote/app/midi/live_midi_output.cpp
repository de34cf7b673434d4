#include "voxnote/app/midi/live_midi_output.h"

namespace voxnote {

LiveMidiOutput::LiveMidiOutput(MidiDeviceCatalog& devices, PlaybackClock& clock) : sender_(devices, clock) {}

void LiveMidiOutput::RunStarted(int deviceNumber, int voice) { sender_.Open(deviceNumber, voice); }

void LiveMidiOutput::Silence() { sender_.Close(); }

void LiveMidiOutput::LiveNote(const NoteEvent& event) { sender_.Send(event); }

void LiveMidiOutput::LiveRunStopped() { sender_.CloseWhenPlayed(); }

}  // namespace voxnote
