#pragma once
// Short MIDI messages packed as the stream records hold them: status in the
// low byte, first data byte next, second data byte above it.
#include <cstddef>
#include <cstdint>

namespace voxnote {

constexpr uint8_t StatusOf(uint32_t message) {
    return static_cast<uint8_t>(message);
}
constexpr uint8_t FirstDataOf(uint32_t message) {
    return static_cast<uint8_t>((message >> 8) & 0x7F);
}
constexpr uint8_t SecondDataOf(uint32_t message) {
    return static_cast<uint8_t>((message >> 16) & 0x7F);
}

constexpr uint32_t ShortMessage(uint8_t status, uint8_t first, uint8_t second = 0) {
    return status | (uint32_t{first & 0x7Fu} << 8) | (uint32_t{second & 0x7Fu} << 16);
}

// Bytes on the wire of the message that starts with this status; 0 for a
// byte that is no status (a data byte) and for system exclusive, which no
// short message can carry.
constexpr size_t ShortMessageLength(uint8_t status) {
    if (status < 0x80 || status == 0xF0 || status == 0xF7) {
        return 0;
    }
    if (status < 0xF0) {
        const uint8_t kind = status & 0xF0;
        return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
    }
    if (status == 0xF2) {
        return 3;
    }
    return status == 0xF1 || status == 0xF3 ? 2 : 1;
}

inline constexpr uint8_t kNoteOff = 0x80;
inline constexpr uint8_t kNoteOn = 0x90;
inline constexpr uint8_t kControlChange = 0xB0;
inline constexpr uint8_t kProgramChange = 0xC0;
inline constexpr uint8_t kAllNotesOffController = 123;

}  // namespace voxnote
