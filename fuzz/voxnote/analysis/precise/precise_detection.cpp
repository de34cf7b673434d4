// Runs the precise detector over one short recording made from the input:
// either the input's bytes as samples, or notes it describes (pitch, length,
// loudness, a dip in loudness before each, a glide into it, noise), so that
// the note stages (decodes, merges, splits, boundaries, releases) meet
// notes as well as arbitrary sound. Whatever comes in, Detect accepts it, the
// notes follow one another within the recording (pitched notes without
// overlapping), none ending before it starts, and the events are note-ons,
// each followed by its note-off, never back in time.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/voxnote/analysis/fuzz_input.h"
#include "voxnote/analysis/precise/precise_detector.h"

namespace {

using namespace voxnote;
using fuzzing::FuzzInput;

constexpr size_t kLargestSamples = 16384;  // 1.5 s at 11025 Hz
constexpr double kRate = 11025.0;
constexpr double kTwoPi = 6.28318530717958647692;

void Require(bool condition) {
    if (!condition) std::abort();
}

void SamplesFromBytes(FuzzInput& in, std::vector<int16_t>& samples) {
    while (in.size >= 2 && samples.size() < kLargestSamples) samples.push_back(static_cast<int16_t>(in.Word()));
}

// Each note from five bytes: its pitch, its length, its loudness, the depth
// of the dip before it (none: a new phrase after silence) and how it glides.
void SamplesFromNotes(FuzzInput& in, std::vector<int16_t>& samples) {
    std::vector<double> signal;
    double phase = 0.0, pitch = 60.0;
    uint32_t noise = 1;
    while (in.size >= 5 && signal.size() < kLargestSamples) {
        const double target = 28.0 + in.Byte() % 80;
        const size_t length = 200 + static_cast<size_t>(in.Byte()) * 24;
        const double loudness = 200.0 + 120.0 * in.Byte();
        const uint8_t dip = in.Byte();
        const uint8_t glide = in.Byte();
        if (dip == 0) signal.insert(signal.end(), 300, 0.0);
        for (size_t n = 0; n < length && signal.size() < kLargestSamples; ++n) {
            pitch += (target - pitch) * std::min(1.0, (glide + 1) / 2000.0);
            phase += kTwoPi * 440.0 * std::pow(2.0, (pitch - 69.0) / 12.0) / kRate;
            const double dipGain = n < 600 ? std::pow(10.0, -(dip % 40) / 20.0 * std::sin(kTwoPi * n / 1200.0)) : 1.0;
            noise = noise * 1664525u + 1013904223u;
            const double white = static_cast<double>(noise >> 16) / 32768.0 - 1.0;
            double value = 0.0;
            for (int k = 1; k <= 1 + glide % 8; ++k) value += std::sin(k * phase) / k;
            signal.push_back(loudness * dipGain * value + (glide >> 4) * 40.0 * white);
        }
    }
    signal.resize(std::min(signal.size(), kLargestSamples));
    for (double value : signal) samples.push_back(static_cast<int16_t>(std::clamp(value, -32768.0, 32767.0)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PreciseDetector detector(kLargestSamples);
    static std::vector<int16_t> samples;
    FuzzInput in{data, size};
    const DetectorHeaderSettings settings = fuzzing::SettingsFrom(in);
    samples.clear();
    if (in.Byte() & 1) {
        SamplesFromBytes(in, samples);
    } else {
        SamplesFromNotes(in, samples);
    }
    Require(detector.Detect(samples, settings));

    // Pitched notes never overlap; a rhythm hit may start before the one
    // before it has died away.
    const bool rhythm = settings.constantNote >= 0;
    const uint32_t durationMs = static_cast<uint32_t>(samples.size() * 1000 / 11025);
    uint32_t lastStart = 0, lastEnd = 0;
    for (const DetectedNote& note : detector.Notes()) {
        Require(note.startMs >= (rhythm ? lastStart : lastEnd) && note.startMs <= note.endMs && note.endMs <= durationMs);
        lastStart = note.startMs;
        lastEnd = note.endMs;
    }
    const auto events = detector.Events();
    Require(events.size() % 2 == 0);
    uint32_t time = 0;
    for (size_t i = 0; i < events.size(); i += 2) {
        const NoteEvent& on = events[i];
        const NoteEvent& off = events[i + 1];
        Require(on.Status() == kNoteOnStatus && on.Note() <= 127 && on.Velocity() > 0 && on.Velocity() <= 127);
        Require(off.message == NoteOnMessage(on.Note(), 0));
        Require(on.timeMs >= time && off.timeMs >= on.timeMs);
        time = off.timeMs;
    }
    return 0;
}
