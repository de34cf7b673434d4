#pragma once
// What a prepared stream buffer plays: the records read into messages, each
// with its time in ticks from the start, and the conversion of ticks into
// milliseconds by the stream's time division and tempo.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace voxnote {

struct ScheduledMessage {
    uint64_t tick = 0;
    uint32_t message = 0;

    bool operator==(const ScheduledMessage&) const = default;
};

// Reads the 12-byte records (bytes after the last whole record are left
// alone). Nothing when there is no whole record or the bytes exceed one
// stream buffer (64000 bytes). A record whose event is
// not a short message (top byte not 0), or whose message has no status byte
// (the all-zero record that ends a buffer), sends nothing, but its delta
// still counts.
std::optional<std::vector<ScheduledMessage>> ReadStreamSchedule(std::span<const uint8_t> records);

struct StreamTiming {
    uint32_t ticksPerQuarterNote = 96;
    uint32_t microsecondsPerQuarterNote = 500000;

    // Milliseconds from the start to `tick`, rounded down; capped at 2^31 - 1
    // so that a due time always compares correctly with a wrapping clock.
    uint32_t MillisecondsAt(uint64_t tick) const;
};

// A time division the player can follow: ticks per quarter note, 1..32767
// (the top bit would mean frames per second, which it does not play).
bool IsPlayableDivision(uint32_t ticksPerQuarterNote);
// A tempo a MIDI file can hold: 1..0xFFFFFF microseconds per quarter note.
bool IsPlayableTempo(uint32_t microsecondsPerQuarterNote);

}  // namespace voxnote
