#pragma once
// MidiOutput: plays the notes of a converted file as one MIDI stream on the
// chosen device, stops them, finishes when the stream is done, and changes
// the voice. Every failure is reported with its message and leaves the
// stream closed; the caller may pick another device and try again.
//
// Used from the window's thread only. The done callback given to Play comes
// from the player thread: the window posts it to itself and calls
// HandleDone() on its own thread.
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/midi/midi_stream.h"
#include "voxnote/app/midi/midi_stream_records.h"

namespace voxnote {

class MidiOutput {
public:
    MidiOutput(MidiStream& stream, MessageReporter& reporter);
    ~MidiOutput();

    // Opens the stream on `deviceNumber` at 1000 ticks per second and starts
    // playing `events`. True when it plays.
    bool Play(int deviceNumber, const MidiStreamBuffer& events, StreamDoneCallback done);
    // Stops the stream, silences it and closes it.
    void Stop();
    // Closes a stream that has played to its end. False (and nothing done)
    // when nothing plays or the stream is not done, as for a notice that
    // arrives after Stop.
    bool HandleDone();

    // The voice is sent at once while playing, and becomes the program change
    // of the first record of `events` (null when no events exist).
    void ChangeVoice(int voice, MidiStreamBuffer* events);

    bool IsPlaying() const { return playing_; }

private:
    bool Fail(int message);

    MidiStream& stream_;
    MessageReporter& reporter_;
    bool playing_ = false;
};

}  // namespace voxnote
