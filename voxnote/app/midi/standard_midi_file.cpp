#include "voxnote/app/midi/standard_midi_file.h"

#include "voxnote/app/settings/safe_file_writer.h"

namespace voxnote {

namespace {

void AppendBigEndian(std::string& bytes, uint32_t value, int byteCount) {
    for (int i = byteCount - 1; i >= 0; --i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// A delta time as 7-bit groups, most significant first, each but the last
// with its top bit set.
void AppendVariableLength(std::string& bytes, uint32_t value) {
    char groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<char>(value & 0x7F);
        value >>= 7;
    } while (value > 0);
    while (count > 1) {
        bytes += static_cast<char>(groups[--count] | 0x80);
    }
    bytes += groups[0];
}

// Program change and channel pressure carry one data byte, the others two.
int DataBytesOf(uint8_t status) {
    uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

std::string TrackBytes(const MidiStreamBuffer& buffer) {
    std::string track;
    track += '\0';
    track += "\xFF\x51\x03";
    AppendBigEndian(track, kMicrosecondsPerQuarterNote, 3);
    uint32_t pendingDelta = 0;
    for (size_t i = 0; i < buffer.RecordCount(); ++i) {
        MidiStreamRecord record = buffer.Record(i);
        pendingDelta += record.deltaTime;
        uint8_t status = static_cast<uint8_t>(record.event & 0xFF);
        if (status < 0x80 || status >= 0xF0) {
            continue;  // the closing all-zero record and anything that is no channel message
        }
        AppendVariableLength(track, pendingDelta);
        pendingDelta = 0;
        track += static_cast<char>(status);
        track += static_cast<char>((record.event >> 8) & 0x7F);
        if (DataBytesOf(status) == 2) {
            track += static_cast<char>((record.event >> 16) & 0x7F);
        }
    }
    AppendVariableLength(track, pendingDelta);
    track += "\xFF\x2F";
    track += '\0';
    return track;
}

}  // namespace

std::string StandardMidiFileBytes(const MidiStreamBuffer& buffer) {
    std::string track = TrackBytes(buffer);
    std::string file = "MThd";
    AppendBigEndian(file, 6, 4);
    AppendBigEndian(file, 0, 2);  // format 0
    AppendBigEndian(file, 1, 2);  // one track
    AppendBigEndian(file, kTicksPerQuarterNote, 2);
    file += "MTrk";
    AppendBigEndian(file, static_cast<uint32_t>(track.size()), 4);
    return file + track;
}

bool WriteStandardMidiFile(const std::filesystem::path& path, const MidiStreamBuffer& buffer) {
    return WriteFileSafely(path, StandardMidiFileBytes(buffer));
}

}  // namespace voxnote
