// Reads arbitrary bytes as MIDI stream records. Whatever is read must be in
// time order, hold only short messages, and time out to due times that never
// go backwards; following the messages and silencing them afterwards must
// end exactly the notes still sounding.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <span>

#include "voxnote/app/midi/short_message.h"
#include "voxnote/app/midi/sounding_notes.h"
#include "voxnote/app/midi/stream_schedule.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace voxnote;
    const auto schedule = ReadStreamSchedule(std::span<const uint8_t>(data, size));
    if (!schedule) {
        return 0;
    }
    if (schedule->size() > size / 12) {
        std::abort();
    }
    const uint32_t division = size > 0 ? 1 + data[0] % 960 : 480;
    const StreamTiming timing{division, 480000};
    uint64_t lastTick = 0;
    uint32_t lastMs = 0;
    SoundingNotes notes;
    std::set<uint32_t> sounding;  // channel * 128 + note
    for (const ScheduledMessage& scheduled : *schedule) {
        const uint32_t due = timing.MillisecondsAt(scheduled.tick);
        if (scheduled.tick < lastTick || due < lastMs || due > 0x7FFFFFFF || (scheduled.message >> 24) != 0 ||
            ShortMessageLength(StatusOf(scheduled.message)) == 0) {
            std::abort();
        }
        lastTick = scheduled.tick;
        lastMs = due;
        notes.Follow(scheduled.message);
        const uint8_t status = StatusOf(scheduled.message);
        const uint32_t slot = (status & 0x0F) * 128u + FirstDataOf(scheduled.message);
        if ((status & 0xF0) == kNoteOn && SecondDataOf(scheduled.message) > 0) {
            sounding.insert(slot);
        } else if ((status & 0xF0) == kNoteOn || (status & 0xF0) == kNoteOff) {
            sounding.erase(slot);
        }
    }
    std::set<uint32_t> ended;
    notes.Silence([&](uint32_t message) {
        if ((StatusOf(message) & 0xF0) == kNoteOff) {
            ended.insert((StatusOf(message) & 0x0F) * 128u + FirstDataOf(message));
        }
    });
    if (ended != sounding || notes.AnySounding()) {
        std::abort();
    }
    return 0;
}
