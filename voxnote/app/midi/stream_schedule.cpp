#include "voxnote/app/midi/stream_schedule.h"

#include <limits>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/midi/midi_stream_records.h"
#include "voxnote/app/midi/short_message.h"

namespace voxnote {

std::optional<std::vector<ScheduledMessage>> ReadStreamSchedule(std::span<const uint8_t> records) {
    if (records.size() < kStreamRecordBytes || records.size() > kStreamBufferBytes) {
        return std::nullopt;
    }
    records = records.first(records.size() - records.size() % kStreamRecordBytes);
    std::vector<ScheduledMessage> schedule;
    schedule.reserve(records.size() / kStreamRecordBytes);
    uint64_t tick = 0;
    for (size_t offset = 0; offset < records.size(); offset += kStreamRecordBytes) {
        const uint8_t* record = records.data() + offset;
        tick += ReadLittleEndian32(record);
        const uint32_t event = ReadLittleEndian32(record + 8);
        if ((event >> 24) == 0 && ShortMessageLength(StatusOf(event)) != 0) {
            schedule.push_back({tick, event});
        }
    }
    return schedule;
}

uint32_t StreamTiming::MillisecondsAt(uint64_t tick) const {
    constexpr uint64_t kLatest = std::numeric_limits<int32_t>::max();
    const unsigned __int128 microseconds = static_cast<unsigned __int128>(tick) * microsecondsPerQuarterNote;
    const unsigned __int128 milliseconds = microseconds / (uint64_t{ticksPerQuarterNote} * 1000);
    return static_cast<uint32_t>(milliseconds > kLatest ? kLatest : static_cast<uint64_t>(milliseconds));
}

bool IsPlayableDivision(uint32_t ticksPerQuarterNote) {
    return ticksPerQuarterNote >= 1 && ticksPerQuarterNote <= 0x7FFF;
}

bool IsPlayableTempo(uint32_t microsecondsPerQuarterNote) {
    return microsecondsPerQuarterNote >= 1 && microsecondsPerQuarterNote <= 0xFFFFFF;
}

}  // namespace voxnote
