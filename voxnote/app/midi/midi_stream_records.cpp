#include "voxnote/app/midi/midi_stream_records.h"

#include <new>

#include "voxnote/analysis/wavfile/byte_source.h"

namespace voxnote {

namespace {

void WriteLittleEndian32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

uint32_t ProgramChangeEvent(int voice) {
    return static_cast<uint32_t>(voice & 0x7F) * 256 + 0xC0;
}

std::optional<MidiStreamBuffer> MidiStreamBuffer::Allocate() {
    try {
        return MidiStreamBuffer(std::vector<uint8_t>(kStreamBufferBytes, 0));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

MidiStreamBuffer MidiStreamBuffer::FromBytes(std::span<const uint8_t> bytes) {
    return MidiStreamBuffer(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

MidiStreamRecord MidiStreamBuffer::Record(size_t index) const {
    const uint8_t* bytes = bytes_.data() + index * kStreamRecordBytes;
    return {ReadLittleEndian32(bytes), ReadLittleEndian32(bytes + 4), ReadLittleEndian32(bytes + 8)};
}

void MidiStreamBuffer::SetRecord(size_t index, const MidiStreamRecord& record) {
    uint8_t* bytes = bytes_.data() + index * kStreamRecordBytes;
    WriteLittleEndian32(bytes, record.deltaTime);
    WriteLittleEndian32(bytes + 4, record.streamId);
    WriteLittleEndian32(bytes + 8, record.event);
}

void MidiStreamBuffer::SetProgram(int voice) {
    if (RecordCount() > 0) {
        MidiStreamRecord first = Record(0);
        first.event = ProgramChangeEvent(voice);
        SetRecord(0, first);
    }
}

void MidiStreamBuffer::ShrinkToCount(uint32_t count) {
    size_t bytes = 2 * kStreamRecordBytes * static_cast<size_t>(count);
    if (bytes < bytes_.size()) {
        bytes_.resize(bytes);
        bytes_.shrink_to_fit();
    }
}

std::vector<TimedNoteEvent> NoteEventsOf(const MidiStreamBuffer& buffer) {
    std::vector<TimedNoteEvent> events;
    uint32_t time = 0;
    for (size_t i = 0; i < buffer.RecordCount(); ++i) {
        MidiStreamRecord record = buffer.Record(i);
        time += record.deltaTime;
        if ((record.event & 0xF0) == 0x90) {
            events.push_back({time, static_cast<uint8_t>((record.event >> 8) & 0x7F),
                              static_cast<uint8_t>((record.event >> 16) & 0x7F)});
        }
    }
    return events;
}

}  // namespace voxnote
