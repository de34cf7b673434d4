#pragma once
// A finished note event as callers receive it: a MIDI short message and a time.
#include <cstdint>

namespace voxnote {

constexpr uint32_t kNoteOnStatus = 0x90;  // note-on, channel 1

struct NoteEvent {
    uint32_t message = 0;  // status in the low byte, then note, then velocity; top byte 0
    uint32_t timeMs = 0;   // milliseconds; velocity 0 is the note-off

    uint8_t Status() const { return static_cast<uint8_t>(message); }
    uint8_t Note() const { return static_cast<uint8_t>(message >> 8); }
    uint8_t Velocity() const { return static_cast<uint8_t>(message >> 16); }
};
static_assert(sizeof(NoteEvent) == 8);

constexpr uint32_t NoteOnMessage(uint8_t note, uint8_t velocity) {
    return kNoteOnStatus | (uint32_t{note} << 8) | (uint32_t{velocity} << 16);
}

}  // namespace voxnote
