#pragma once
// Synthetic tones across MIDI 36..96: runs of pure or harmonic notes,
// detached or legato, with vibrato, in noise or in a small room.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "bench/voxnote/analysis/precise/evaluation_item.h"
#include "bench/voxnote/analysis/precise/room_reverb.h"
#include "bench/voxnote/analysis/precise/set_random.h"
#include "bench/voxnote/analysis/precise/signal_samples.h"

namespace voxnote::evaluation {

// One synthetic note of a run: its pitch, when it starts, how long it sounds.
struct ToneNote {
    int note;
    double start;
    double length;
    double amplitude;
};

struct ToneStyle {
    int harmonics = 1;         // 1: a pure sine
    double rolloff = 1.0;      // harmonic k has amplitude 1 / k^rolloff
    double vibratoHertz = 0;
    double vibratoCents = 0;
    double attackSeconds = 0.01;
    double releaseSeconds = 0.03;
    bool legato = false;       // one continuous tone whose pitch steps from note to note
};

inline double Envelope(double t, double length, const ToneStyle& style) {
    if (t < 0 || t >= length) return 0;
    const double attack = std::min(1.0, t / style.attackSeconds);
    const double release = std::min(1.0, (length - t) / style.releaseSeconds);
    return std::min(attack, release);
}

inline double HarmonicSum(double phase, const ToneStyle& style, double hertz) {
    double value = 0;
    for (int k = 1; k <= style.harmonics; ++k) {
        if (hertz * k >= 0.45 * kRate) break;
        value += std::sin(k * phase) / std::pow(k, style.rolloff);
    }
    return value;
}

inline void AddTones(std::vector<double>& signal, const std::vector<ToneNote>& notes, const ToneStyle& style) {
    double phase = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
        const ToneNote& note = notes[i];
        const size_t first = static_cast<size_t>(note.start * kRate);
        const size_t count = static_cast<size_t>(note.length * kRate);
        if (!style.legato) phase = 0;
        for (size_t n = 0; n < count && first + n < signal.size(); ++n) {
            const double t = n / kRate;
            const double cents = style.vibratoCents * std::sin(kTwoPi * style.vibratoHertz * (note.start + t));
            const double hertz = NoteHertz(note.note + cents / 100.0);
            phase += kTwoPi * hertz / kRate;
            double envelope = 1.0;
            if (!style.legato) {
                envelope = Envelope(t, note.length, style);
            } else {
                if (i == 0) envelope = std::min(1.0, t / style.attackSeconds);
                if (i + 1 == notes.size()) envelope = std::min(envelope, (note.length - t) / style.releaseSeconds);
            }
            signal[first + n] += note.amplitude * envelope * HarmonicSum(phase, style, hertz);
        }
    }
}

// A run of notes across 36..96: detached with gaps, or legato (no gaps, no
// repeated pitch).
inline std::vector<ToneNote> RandomRun(SetRandom& random, bool legato, double seconds, double shortest = 0.15,
                                       double longest = 0.6, double repeatChance = 0.0) {
    std::vector<ToneNote> notes;
    double at = random.Uniform(0.05, 0.3);
    int note = random.Integer(36, 96);
    while (at < seconds) {
        const double length = random.Uniform(shortest, longest);
        notes.push_back({note, at, length, random.Uniform(3000, 12000)});
        at += length + (legato ? 0.0 : random.Uniform(0.06, 0.3));
        int next = note;
        if (!random.Chance(repeatChance) || legato) {
            do {
                next = std::clamp(note + random.Integer(-9, 9), 36, 96);
            } while (next == note);
        }
        note = next;
    }
    return notes;
}

inline std::vector<ReferenceNote> ReferenceOf(const std::vector<ToneNote>& notes) {
    std::vector<ReferenceNote> reference;
    for (const ToneNote& note : notes) reference.push_back({note.start, note.start + note.length, note.note});
    return reference;
}

inline ToneStyle RandomHarmonics(SetRandom& random) {
    ToneStyle style;
    style.harmonics = random.Integer(4, 12);
    style.rolloff = random.Uniform(0.7, 2.0);
    style.attackSeconds = random.Uniform(0.005, 0.04);
    return style;
}

inline EvaluationItem SyntheticItem(const std::string& category, SetRandom& random) {
    constexpr double kSeconds = 8.0;
    EvaluationItem item;
    item.category = category;
    std::vector<ToneNote> notes;
    ToneStyle style;
    if (category == "sine") {
        notes = RandomRun(random, false, kSeconds);
    } else if (category == "harmonic") {
        style = RandomHarmonics(random);
        notes = RandomRun(random, false, kSeconds);
    } else if (category == "legato") {
        style = RandomHarmonics(random);
        style.legato = true;
        notes = RandomRun(random, true, kSeconds, 0.12, 0.5);
        const double amplitude = notes.front().amplitude;
        for (ToneNote& note : notes) note.amplitude = amplitude;
    } else if (category == "detached") {
        style = RandomHarmonics(random);
        notes = RandomRun(random, false, kSeconds, 0.1, 0.4, 0.35);
        for (size_t i = 1; i < notes.size(); ++i) {
            // Repeated pitches come close behind: 20 to 60 ms of silence.
            if (notes[i].note == notes[i - 1].note) {
                const double gap = random.Uniform(0.02, 0.06);
                const double shift = notes[i - 1].start + notes[i - 1].length + gap - notes[i].start;
                for (size_t j = i; j < notes.size(); ++j) notes[j].start += shift;
            }
        }
        while (!notes.empty() && notes.back().start + notes.back().length > kSeconds + 0.5) notes.pop_back();
    } else if (category == "vibrato") {
        style = RandomHarmonics(random);
        style.vibratoHertz = random.Uniform(4.5, 6.5);
        style.vibratoCents = random.Uniform(20, 60);
        notes = RandomRun(random, false, kSeconds, 0.3, 0.8);
    } else if (category == "noise") {
        style = RandomHarmonics(random);
        notes = RandomRun(random, false, kSeconds);
    } else if (category == "reverb") {
        style = RandomHarmonics(random);
        notes = RandomRun(random, random.Chance(0.5), kSeconds, 0.15, 0.5);
    }
    std::vector<double> signal(static_cast<size_t>((kSeconds + 1.5) * kRate), 0.0);
    AddTones(signal, notes, style);
    if (category == "noise") AddNoise(signal, random, random.Uniform(10, 20));
    if (category == "reverb") AddReverb(signal, random, random.Uniform(0.4, 1.2), random.Uniform(0.3, 0.6));
    item.samples = ToSamples(signal);
    item.notes = ReferenceOf(notes);
    return item;
}

}  // namespace voxnote::evaluation
