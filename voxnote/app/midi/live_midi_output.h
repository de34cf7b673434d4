#pragma once
// Plays a live run's notes on the MIDI output chosen in Setup, so that the
// musician hears what he sings. The device opens when a run starts; without
// a usable device the run goes on silently, as it would with no MIDI at all.
// When the run stops, notes still waiting (Sync delays them by 4000 ms) play
// out and the device then closes by itself.
#include "voxnote/analysis/notes/live_note_sink.h"
#include "voxnote/app/midi/live_note_sender.h"

namespace voxnote {

class LiveMidiOutput : public LiveNoteSink {
public:
    explicit LiveMidiOutput(MidiDeviceCatalog& devices, PlaybackClock& clock = SystemPlaybackClock());

    // A run has started: opens device `deviceNumber` with `voice` (0-127).
    void RunStarted(int deviceNumber, int voice);
    // Silences and closes at once, dropping waiting notes (before another
    // user of the device, such as the WAV dialog, opens it).
    void Silence();
    bool IsOpen() const { return sender_.IsOpen(); }

    void LiveNote(const NoteEvent& event) override;
    void LiveRunStopped() override;

private:
    LiveNoteSender sender_;
};

}  // namespace voxnote
