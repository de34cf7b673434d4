#include "stepweave/sequencer/midi_export/standard_midi_file.h"

#include <algorithm>

namespace stepweave {

namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kMeta = 0xFF;
constexpr uint8_t kTrackName = 0x03;
constexpr uint8_t kSetTempo = 0x51;
constexpr uint8_t kTimeSignature = 0x58;
constexpr uint8_t kEndOfTrack = 0x2F;
constexpr uint8_t kClocksPerClick = 24;
constexpr uint8_t kThirtySecondsPerQuarter = 8;

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void PutVariableLength(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) {
        out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
    }
    out.push_back(groups[0]);
}

std::vector<uint8_t> MetaEvent(uint8_t type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes{kMeta, type};
    PutVariableLength(bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

uint8_t StatusByte(uint8_t kind, int channel) { return static_cast<uint8_t>(kind | ((channel - 1) & 0x0F)); }

std::vector<uint8_t> EncodeTrack(const MidiFileTrack& track) {
    std::vector<MidiFileEvent> events = track.Events();
    std::stable_sort(events.begin(), events.end(), [](const MidiFileEvent& a, const MidiFileEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.noteOff > b.noteOff;
    });
    std::vector<uint8_t> body;
    int64_t at = 0;
    for (const MidiFileEvent& event : events) {
        PutVariableLength(body, static_cast<uint32_t>(event.tick - at));
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        at = event.tick;
    }
    const int64_t end = std::max(at, track.EndTick());
    PutVariableLength(body, static_cast<uint32_t>(end - at));
    const std::vector<uint8_t> endOfTrack = MetaEvent(kEndOfTrack, {});
    body.insert(body.end(), endOfTrack.begin(), endOfTrack.end());

    std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

}  // namespace

void MidiFileTrack::Add(MidiFileEvent event) {
    endTick_ = std::max(endTick_, event.tick);
    events_.push_back(std::move(event));
}

void MidiFileTrack::AddNote(int64_t tick, int64_t length, int channel, int note, int velocity) {
    const auto key = static_cast<uint8_t>(note & 0x7F);
    Add({tick, {StatusByte(kNoteOn, channel), key, static_cast<uint8_t>(velocity & 0x7F)}, false});
    Add({tick + std::max<int64_t>(length, 1), {StatusByte(kNoteOff, channel), key, 0}, true});
}

void MidiFileTrack::AddName(const std::string& name) {
    Add({0, MetaEvent(kTrackName, std::vector<uint8_t>(name.begin(), name.end())), false});
}

void MidiFileTrack::AddTempo(int64_t tick, uint32_t microsecondsPerQuarter) {
    std::vector<uint8_t> data;
    PutBigEndian(data, microsecondsPerQuarter, 3);
    Add({tick, MetaEvent(kSetTempo, data), false});
}

void MidiFileTrack::AddTimeSignature(int64_t tick, int numerator, int denominatorPower) {
    Add({tick,
         MetaEvent(kTimeSignature, {static_cast<uint8_t>(numerator), static_cast<uint8_t>(denominatorPower),
                                    kClocksPerClick, kThirtySecondsPerQuarter}),
         false});
}

void MidiFileTrack::ExtendTo(int64_t tick) { endTick_ = std::max(endTick_, tick); }

std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiFileTrack>& tracks, int ticksPerQuarter) {
    constexpr uint32_t kHeaderLength = 6;
    constexpr uint32_t kFormatOfTracks = 1;
    std::vector<uint8_t> file{'M', 'T', 'h', 'd'};
    PutBigEndian(file, kHeaderLength, 4);
    PutBigEndian(file, kFormatOfTracks, 2);
    PutBigEndian(file, static_cast<uint32_t>(tracks.size()), 2);
    PutBigEndian(file, static_cast<uint32_t>(ticksPerQuarter), 2);
    for (const MidiFileTrack& track : tracks) {
        const std::vector<uint8_t> chunk = EncodeTrack(track);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace stepweave
