#pragma once
// Signals for the precise detector's tests: tones of known pitch (pure or
// with harmonics), runs of them, and what the detector made of them.
#include <algorithm>
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

// Syllables sung on one pitch without a breath: one continuous harmonic tone
// whose loudness dips by dipsDb[i] between syllable i and i + 1, for 60 ms
// centred on the join (down over 20 ms, held 20 ms, up over 20 ms).
inline std::vector<int16_t> Syllables(double note, double syllableSeconds, const std::vector<double>& dipsDb) {
    std::vector<int16_t> signal;
    AppendSilence(signal, 0.2);
    const double seconds = syllableSeconds * static_cast<double>(dipsDb.size() + 1);
    double phase = 0;
    for (int n = 0; n < static_cast<int>(seconds * kRate); ++n) {
        const double t = n / kRate;
        double decibels = 0;
        for (size_t i = 0; i < dipsDb.size(); ++i) {
            const double away = std::fabs(t - syllableSeconds * static_cast<double>(i + 1));
            if (away < 0.03) decibels = -dipsDb[i] * std::fmin(1.0, (0.03 - away) / 0.02);
        }
        const double envelope = std::min({1.0, t / 0.02, (seconds - t) / 0.02}) * std::pow(10.0, decibels / 20);
        phase += kTwoPi * NoteHertz(note) / kRate;
        double value = 0;
        for (int k = 1; k <= 6; ++k) value += std::sin(k * phase) / k;
        signal.push_back(static_cast<int16_t>(std::lround(7000 * envelope * value)));
    }
    AppendSilence(signal, 0.3);
    return signal;
}

// The signal in a room: plus its convolution with noise decaying by 60 dB
// over reverbSeconds, `wet` times as loud as the signal, every fourth tap.
inline std::vector<int16_t> InARoom(const std::vector<int16_t>& dry, double reverbSeconds, double wet) {
    const size_t length = static_cast<size_t>(reverbSeconds * kRate);
    std::vector<double> response(length);
    uint32_t state = 99;
    double energy = 0;
    for (size_t i = 0; i < length; i += 4) {
        state = state * 1664525u + 1013904223u;
        const double white = static_cast<double>(state >> 8) / 8388608.0 - 1.0;
        response[i] = white * std::pow(10.0, -3.0 * (static_cast<double>(i) / kRate) / reverbSeconds);
        energy += response[i] * response[i];
    }
    std::vector<double> wetSum(dry.size() + length, 0.0);
    for (size_t i = 0; i < dry.size(); ++i) {
        if (dry[i] == 0) continue;
        for (size_t k = 0; k < length; k += 4) wetSum[i + k] += dry[i] * response[k];
    }
    std::vector<int16_t> room(dry.size() + length / 2);
    for (size_t i = 0; i < room.size(); ++i) {
        const double value = (i < dry.size() ? dry[i] : 0) + wet / std::sqrt(energy) * wetSum[i];
        room[i] = static_cast<int16_t>(std::lround(std::fmax(-32768.0, std::fmin(32767.0, value))));
    }
    return room;
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
