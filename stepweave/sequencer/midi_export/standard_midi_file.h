#pragma once
// A Standard MIDI File of type 1 built in memory: tracks of events at
// absolute tick times, encoded as the format lays them out (delta times as
// variable-length quantities, running status not used). Events at the same
// tick keep the order in which they were added, except that a note's end
// always comes before a note starting at the same tick.
#include <cstdint>
#include <string>
#include <vector>

namespace stepweave {

struct MidiFileEvent {
    int64_t tick = 0;
    std::vector<uint8_t> bytes;  // a channel message, or a meta event from its 0xFF on
    bool noteOff = false;
};

class MidiFileTrack {
public:
    // Channels count from 1, as musicians count them.
    void AddNote(int64_t tick, int64_t length, int channel, int note, int velocity);
    void AddName(const std::string& name);  // at tick 0
    // Microseconds per quarter note, from the tick on.
    void AddTempo(int64_t tick, uint32_t microsecondsPerQuarter);
    // numerator / 2^denominatorPower, from the tick on.
    void AddTimeSignature(int64_t tick, int numerator, int denominatorPower);
    // The track lasts at least until this tick (its End of Track event).
    void ExtendTo(int64_t tick);

    const std::vector<MidiFileEvent>& Events() const { return events_; }
    int64_t EndTick() const { return endTick_; }

private:
    void Add(MidiFileEvent event);

    std::vector<MidiFileEvent> events_;
    int64_t endTick_ = 0;
};

// The whole file: "MThd" with format 1, the track count and the division in
// ticks per quarter note, then one "MTrk" per track in order.
std::vector<uint8_t> EncodeMidiFile(const std::vector<MidiFileTrack>& tracks, int ticksPerQuarter);

}  // namespace stepweave
