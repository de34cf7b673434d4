#pragma once
// The exact ("classic") detector as "voxnote convert" runs it: the samples
// as a WAV file in memory, through the WAV conversion into MIDI stream
// records, and the note-ons read back from the records.
#include <array>
#include <cstdint>
#include <iostream>
#include <memory>
#include <vector>

#include "bench/voxnote/analysis/precise/note_scoring.h"
#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/conversion/wav_conversion.h"
#include "voxnote/app/midi/midi_stream_records.h"

namespace voxnote::evaluation {

// A 16-bit mono PCM WAV file at 11025 Hz holding the samples.
inline std::vector<uint8_t> WavFileOf(const std::vector<int16_t>& samples) {
    constexpr size_t kHeaderBytes = 44;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> bytes(kHeaderBytes + dataBytes);
    size_t at = 0;
    auto put32 = [&](uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[at++] = static_cast<uint8_t>(value >> (8 * i));
    };
    auto put16 = [&](uint16_t value) {
        bytes[at++] = static_cast<uint8_t>(value);
        bytes[at++] = static_cast<uint8_t>(value >> 8);
    };
    auto tag = [&](const char* text) {
        for (int i = 0; i < 4; ++i) bytes[at++] = static_cast<uint8_t>(text[i]);
    };
    tag("RIFF");
    put32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);      // PCM
    put16(1);      // mono
    put32(11025);  // frames per second
    put32(22050);  // bytes per second
    put16(2);      // bytes per frame
    put16(16);     // bits per sample
    tag("data");
    put32(dataBytes);
    for (int16_t sample : samples) put16(static_cast<uint16_t>(sample));
    return bytes;
}

// Notes from a note-on / note-off event stream: each note-on ends at the next
// note-off of its note (or where the stream ends).
inline std::vector<EstimatedNote> EstimatedNotesOf(const std::vector<TimedNoteEvent>& events) {
    std::vector<EstimatedNote> notes;
    std::array<int, 128> sounding;
    sounding.fill(-1);
    for (const TimedNoteEvent& event : events) {
        const size_t key = event.note & 0x7Fu;
        if (event.velocity > 0) {
            sounding[key] = static_cast<int>(notes.size());
            notes.push_back({event.timeMs / 1000.0, event.timeMs / 1000.0, event.note});
        } else if (sounding[key] >= 0) {
            notes[static_cast<size_t>(sounding[key])].offsetSeconds = event.timeMs / 1000.0;
            sounding[key] = -1;
        }
    }
    const double end = events.empty() ? 0.0 : events.back().timeMs / 1000.0;
    for (int open : sounding) {
        if (open >= 0) notes[static_cast<size_t>(open)].offsetSeconds = end;
    }
    return notes;
}

class PrintingReporter : public MessageReporter {
public:
    void Report(MessageKind, const std::string& text) override { std::cerr << "classic: " << text << '\n'; }
};

class ClassicConversion {
public:
    ClassicConversion() : state_(std::make_unique<DetectorState>()) {}

    // The WAV file is made before the clock starts; Convert is what is timed.
    std::vector<EstimatedNote> Convert(const std::vector<uint8_t>& wavFile, const DetectorHeaderSettings& settings) {
        MemoryByteSource source(wavFile);
        ConversionResult result = ConvertWavToMidi(source, DetectorChoice::Classic, *state_, settings, 0, reporter_);
        if (!result.stream) return {};
        return EstimatedNotesOf(NoteEventsOf(*result.stream));
    }

private:
    std::unique_ptr<DetectorState> state_;
    PrintingReporter reporter_;
};

}  // namespace voxnote::evaluation
