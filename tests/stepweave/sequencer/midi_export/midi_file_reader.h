#pragma once
// The tests' own reading of a Standard MIDI File, written from the format's
// layout and nothing else: the header, each track's events (running status
// included), the notes with their ends, the tempo map and the track names,
// and the time in seconds of a tick.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace stepweave::midi_testing {

struct ReadNote {
    int track = 0;
    int channel = 0;  // 1..16
    int note = 0;
    int velocity = 0;
    int64_t tick = 0;
    int64_t endTick = -1;
};

struct ReadMidiFile {
    int format = -1;
    int division = 0;
    std::vector<std::string> trackNames;
    std::vector<ReadNote> notes;
    std::map<int64_t, uint32_t> tempos;  // tick -> microseconds per quarter
    std::map<int64_t, std::pair<int, int>> timeSignatures;
    std::vector<int64_t> trackEnds;

    double Seconds(int64_t tick) const {
        double seconds = 0.0;
        int64_t at = 0;
        uint32_t quarter = 500000;
        for (const auto& [change, value] : tempos) {
            if (change >= tick) break;
            seconds += static_cast<double>(change - at) * quarter / division / 1e6;
            at = change;
            quarter = value;
        }
        return seconds + static_cast<double>(tick - at) * quarter / division / 1e6;
    }
};

class MidiBytes {
public:
    explicit MidiBytes(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool AtEnd(size_t end) const { return at_ >= end; }
    size_t At() const { return at_; }
    uint8_t Byte() { return bytes_.at(at_++); }
    uint32_t BigEndian(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | Byte();
        return value;
    }
    uint32_t VariableLength() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t byte = Byte();
            value = value << 7 | (byte & 0x7F);
            if (!(byte & 0x80)) return value;
        }
        ADD_FAILURE() << "a variable-length quantity of more than four bytes";
        return value;
    }
    std::string Text(size_t count) {
        std::string text(bytes_.begin() + static_cast<long>(at_), bytes_.begin() + static_cast<long>(at_ + count));
        at_ += count;
        return text;
    }

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

inline void ReadMeta(MidiBytes& in, ReadMidiFile& file, int track, int64_t tick) {
    const uint8_t type = in.Byte();
    const uint32_t length = in.VariableLength();
    if (type == 0x03) {
        file.trackNames[static_cast<size_t>(track)] = in.Text(length);
    } else if (type == 0x51 && length == 3) {
        file.tempos[tick] = in.BigEndian(3);
    } else if (type == 0x58 && length == 4) {
        const int numerator = in.Byte();
        const int power = in.Byte();
        in.Text(2);
        file.timeSignatures[tick] = {numerator, 1 << power};
    } else {
        in.Text(length);
    }
}

inline void ReadTrack(MidiBytes& in, size_t end, ReadMidiFile& file, int track) {
    int64_t tick = 0;
    uint8_t status = 0;
    std::map<std::pair<int, int>, std::vector<size_t>> sounding;  // (channel, note) -> notes
    while (!in.AtEnd(end)) {
        tick += in.VariableLength();
        uint8_t first = in.Byte();
        if (first == 0xFF) {
            ReadMeta(in, file, track, tick);
            continue;
        }
        if (first & 0x80) {
            status = first;
            first = in.Byte();
        }
        const int kind = status & 0xF0;
        const int channel = (status & 0x0F) + 1;
        const bool twoBytes = kind != 0xC0 && kind != 0xD0;
        const uint8_t second = twoBytes ? in.Byte() : 0;
        if (kind == 0x90 && second > 0) {
            sounding[{channel, first}].push_back(file.notes.size());
            file.notes.push_back({track, channel, first, second, tick, -1});
        } else if (kind == 0x80 || kind == 0x90) {
            auto& open = sounding[{channel, first}];
            if (open.empty()) {
                ADD_FAILURE() << "a note ends that never started: " << int(first) << " at " << tick;
                continue;
            }
            file.notes[open.front()].endTick = tick;
            open.erase(open.begin());
        }
    }
    file.trackEnds.push_back(tick);
}

inline ReadMidiFile ReadMidi(const std::vector<uint8_t>& bytes) {
    ReadMidiFile file;
    MidiBytes in(bytes);
    EXPECT_EQ(in.Text(4), "MThd");
    EXPECT_EQ(in.BigEndian(4), 6u);
    file.format = static_cast<int>(in.BigEndian(2));
    const uint32_t tracks = in.BigEndian(2);
    file.division = static_cast<int>(in.BigEndian(2));
    for (uint32_t track = 0; track < tracks; ++track) {
        EXPECT_EQ(in.Text(4), "MTrk");
        const uint32_t length = in.BigEndian(4);
        file.trackNames.emplace_back();
        ReadTrack(in, in.At() + length, file, static_cast<int>(track));
    }
    EXPECT_EQ(in.At(), bytes.size()) << "bytes after the last track";
    return file;
}

}  // namespace stepweave::midi_testing
