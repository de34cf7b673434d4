#pragma once
// Where a live run sends the notes it detects, as they are detected: the MIDI
// output plays them. Event times are on the capture's millisecond clock (the
// run's start time plus the note's time in the run, plus 4000 ms with Sync).
#include "voxnote/analysis/notes/note_event.h"

namespace voxnote {

class LiveNoteSink {
public:
    virtual ~LiveNoteSink() = default;
    virtual void LiveNote(const NoteEvent& event) = 0;
    // The run was stopped: a note still sounding gets no note-off from the
    // analysis, so the sink ends whatever it still holds.
    virtual void LiveRunStopped() {}
};

}  // namespace voxnote
