#include "voxnote/analysis/notes/event_queue.h"

#include <algorithm>
#include <cstring>

#include "voxnote/analysis/detector/detector_state.h"

namespace voxnote {
namespace {

constexpr uint32_t kFullQueueBytes = 4090;  // more unread than this: no room

// Moves the unread entries to the start when the write position has reached
// the end; false when every slot holds an unread entry.
bool MakeRoom(DetectorState& state) {
    DetectorRunningState& running = state.running;
    if (running.queueWrite < kPendingQueueSlots) return true;
    uint32_t unread = running.queueWrite - running.queueRead;
    if (unread * sizeof(PendingEvent) > kFullQueueBytes) return false;
    std::memmove(&state.queue[0], &state.queue[running.queueRead], unread * sizeof(PendingEvent));
    running.queueRead = 0;
    running.queueWrite = unread;
    return true;
}

}  // namespace

void EmitEvent(DetectorState& state, uint8_t note, uint8_t velocity, int32_t delayFrames) {
    bool room = MakeRoom(state);
    if (!room) state.results.ok = 0;
    EventClock& clock = state.running.clock;
    AdvanceEventClock(clock, delayFrames);
    uint32_t time = std::max(clock.milliseconds, clock.lastEventMs);
    if (!room) return;
    clock.lastEventMs = time;
    PendingEvent& entry = state.queue[state.running.queueWrite++];
    entry.note = note;
    entry.velocity = velocity;
    entry.SetTimeMs(time);
}

bool TakeEvent(DetectorState& state, NoteEvent& slot) {
    DetectorRunningState& running = state.running;
    if (running.queueRead >= running.queueWrite) return false;
    const PendingEvent& entry = state.queue[running.queueRead++];
    slot.message = NoteOnMessage(entry.note, entry.velocity);
    slot.timeMs = entry.TimeMs();
    if (running.queueRead == running.queueWrite) running.queueRead = running.queueWrite = 0;
    return true;
}

}  // namespace voxnote
