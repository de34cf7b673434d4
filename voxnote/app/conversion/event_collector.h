#pragma once
// Collecting the analysis's note events of a file conversion into the MIDI
// stream buffer: the program change first, then every event in the order the
// analysis hands them out, each with the ticks since the record before it.
// Events are counted in pairs (a note-on and its note-off); a pair is counted
// when its second event arrives, whether or not both came out of the same
// drain, so a long note whose note-on is decided while it still sounds keeps
// its note-off. When the count (pairs plus the program change) reaches 2665,
// collecting stops and the user is told; what was collected stays.
#include <cstdint>

#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/midi/midi_stream_records.h"

namespace voxnote {

// A note event as the analysis hands it out: a short MIDI message (status
// 0x90, note, velocity from the low byte up; velocity 0 ends the note) and
// its time in milliseconds from the start of the file.
struct AnalysedNoteEvent {
    uint32_t message = 0;
    uint32_t timeMs = 0;
};

class NoteEventSource {
public:
    virtual ~NoteEventSource() = default;
    // The oldest event not yet handed out; false when there is none.
    virtual bool NextEvent(AnalysedNoteEvent& event) = 0;
};

class EventCollector {
public:
    EventCollector(MidiStreamBuffer& buffer, int voice, MessageReporter& reporter);

    // Takes events while the source has them and the stream has room. False
    // once collecting has stopped at the limit.
    bool Collect(NoteEventSource& source);
    bool Stopped() const { return stopped_; }

    // Pairs plus one for the program change.
    uint32_t Count() const { return count_; }
    uint32_t NoteCount() const { return count_ - 1; }

    // Shrinks the buffer to what was collected; an unpaired last event is
    // kept and counted as a pair.
    void Finish();

private:
    void Add(const AnalysedNoteEvent& event);

    MidiStreamBuffer& buffer_;
    MessageReporter& reporter_;
    uint32_t count_ = 1;
    uint32_t eventsWritten_ = 0;
    uint32_t lastTimeMs_ = 0;
    bool stopped_ = false;
};

}  // namespace voxnote
