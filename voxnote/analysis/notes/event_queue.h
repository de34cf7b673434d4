#pragma once
// The pending-event queue inside the record: 682 six-byte entries, stamped
// with the event clock as they are queued, handed out in order.
#include <cstdint>

#include "voxnote/analysis/notes/note_event.h"

namespace voxnote {

struct DetectorState;

// Queues an event `delayFrames` frames after the previous one. When the queue
// holds 682 unread entries the event is dropped and the ok flag cleared (the
// clock still moves on, so later events keep their times).
void EmitEvent(DetectorState& state, uint8_t note, uint8_t velocity, int32_t delayFrames);

// Takes the oldest queued event; false when the queue is empty.
bool TakeEvent(DetectorState& state, NoteEvent& slot);

}  // namespace voxnote
