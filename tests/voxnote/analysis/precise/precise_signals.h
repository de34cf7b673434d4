#pragma once
// Signals for the precise detector's tests: tones of known pitch (pure or
// with harmonics), runs of them, and what the detector made of them.
#include <cmath>
#include <cstdint>
#include <vector>

#include "voxnote/analysis/notes/note_event.h"
#include "voxnote/analysis/precise/precise_detector.h"

namespace voxnote::precise_testing {

inline constexpr double kRate = 11025.0;
inline constexpr double kTwoPi = 6.28318530717958647692;

inline double NoteHertz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

struct Tone {
    double note = 69;       // MIDI, may be fractional
    double seconds = 0.5;
    double amplitude = 8000;
    int harmonics = 1;      // harmonic k at amplitude 1/k
};

// Appends a tone with 5 ms fades (none at a phase-continuous join: `phase`
// carries over so that consecutive calls make one legato sound).
inline void AppendTone(std::vector<int16_t>& signal, const Tone& tone, double& phase, bool fadeIn = true,
                       bool fadeOut = true) {
    const int count = static_cast<int>(tone.seconds * kRate);
    const double hertz = NoteHertz(tone.note);
    const double fade = 0.005 * kRate;
    for (int n = 0; n < count; ++n) {
        phase += kTwoPi * hertz / kRate;
        double value = 0;
        for (int k = 1; k <= tone.harmonics && hertz * k < 5000; ++k) value += std::sin(k * phase) / k;
        double envelope = 1.0;
        if (fadeIn) envelope = std::fmin(envelope, n / fade);
        if (fadeOut) envelope = std::fmin(envelope, (count - n) / fade);
        signal.push_back(static_cast<int16_t>(std::lround(tone.amplitude * envelope * value)));
    }
}

inline void AppendTone(std::vector<int16_t>& signal, const Tone& tone) {
    double phase = 0;
    AppendTone(signal, tone, phase);
}

inline void AppendSilence(std::vector<int16_t>& signal, double seconds) {
    signal.insert(signal.end(), static_cast<size_t>(seconds * kRate), 0);
}

inline std::vector<int> NotesOn(const std::vector<NoteEvent>& events) {
    std::vector<int> notes;
    for (const NoteEvent& event : events) {
        if (event.Velocity() > 0) notes.push_back(event.Note());
    }
    return notes;
}

inline std::vector<uint32_t> OnsetTimes(const std::vector<NoteEvent>& events) {
    std::vector<uint32_t> times;
    for (const NoteEvent& event : events) {
        if (event.Velocity() > 0) times.push_back(event.timeMs);
    }
    return times;
}

}  // namespace voxnote::precise_testing
