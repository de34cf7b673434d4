#pragma once
// The MIDI stream buffer: the notes of a converted file as 12-byte records
// back to back, each a delta time in ticks, a stream id (always 0) and a short
// MIDI message (status in the low byte, then the two data bytes, top byte 0).
// The first record is the program change that selects the voice; the note
// events follow in pairs. The buffer starts as a zero-filled block of 64000
// bytes and is shrunk to 24 bytes per pair plus 24 for the program change,
// so it ends with an all-zero record.
//
// Ticks are milliseconds: 480 ticks per quarter note at 480000 microseconds
// per quarter note is 1000 ticks per second, so the notes play at the speed
// they were recorded.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace voxnote {

inline constexpr size_t kStreamRecordBytes = 12;
inline constexpr size_t kStreamBufferBytes = 64000;
// Largest record count: note pairs plus one for the program change.
inline constexpr uint32_t kLargestStreamCount = 2665;
inline constexpr uint16_t kTicksPerQuarterNote = 480;
inline constexpr uint32_t kMicrosecondsPerQuarterNote = 480000;

struct MidiStreamRecord {
    uint32_t deltaTime = 0;
    uint32_t streamId = 0;
    uint32_t event = 0;

    bool operator==(const MidiStreamRecord&) const = default;
};

// Program change on channel 1: voice × 256 + 0xC0.
uint32_t ProgramChangeEvent(int voice);

class MidiStreamBuffer {
public:
    // The zero-filled 64000-byte block; nothing when the memory cannot be had.
    static std::optional<MidiStreamBuffer> Allocate();
    // A buffer over existing record bytes (whole records only are read).
    static MidiStreamBuffer FromBytes(std::span<const uint8_t> bytes);

    size_t RecordCount() const { return bytes_.size() / kStreamRecordBytes; }
    MidiStreamRecord Record(size_t index) const;
    void SetRecord(size_t index, const MidiStreamRecord& record);

    // Replaces the voice of the first record's program change.
    void SetProgram(int voice);
    // Cuts the block to 24 × count bytes.
    void ShrinkToCount(uint32_t count);

    std::span<const uint8_t> Bytes() const { return bytes_; }

private:
    explicit MidiStreamBuffer(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::vector<uint8_t> bytes_;
};

// A note event of the stream with its time from the start of the file.
struct TimedNoteEvent {
    uint32_t timeMs = 0;
    uint8_t note = 0;
    uint8_t velocity = 0;  // 0 ends the note

    bool operator==(const TimedNoteEvent&) const = default;
};

// The note-on events (status 0x90-0x9F) of the records, in order, with the
// deltas summed into times.
std::vector<TimedNoteEvent> NoteEventsOf(const MidiStreamBuffer& buffer);

}  // namespace voxnote
