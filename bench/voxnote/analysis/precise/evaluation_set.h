#pragma once
// The development set of the detector evaluation, made the same way on every
// run from fixed seeds: synthetic tones across MIDI 36..96 (pure and
// harmonic, detached and legato runs, vibrato, noise, reverb), melodies
// played by the General MIDI synthesizer (voice-like, wind, string and
// plucked patches) and percussion hits. Items alternate between the
// development half and the held-out half.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/voxnote/general_midi_render.h"

namespace voxnote::evaluation {

inline constexpr double kRate = 11025.0;
inline constexpr double kTwoPi = 6.28318530717958647692;

struct ReferenceNote {
    double onsetSeconds = 0;
    int note = 0;
};

struct EvaluationItem {
    std::string category;
    bool heldOut = false;
    bool rhythm = false;  // scored on onsets alone, the detectors in rhythm mode
    std::vector<int16_t> samples;
    std::vector<ReferenceNote> notes;
};

// A small, fully specified random source (the standard distributions may
// differ between libraries; this does not).
class SetRandom {
public:
    explicit SetRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Uniform(double low, double high) { return low + (high - low) * (Next() >> 11) * (1.0 / 9007199254740992.0); }
    int Integer(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1)); }
    bool Chance(double p) { return Uniform(0, 1) < p; }
    double Gaussian() {
        const double u = std::max(1e-12, Uniform(0, 1));
        return std::sqrt(-2.0 * std::log(u)) * std::cos(kTwoPi * Uniform(0, 1));
    }

private:
    uint64_t state_;
};

inline double NoteHertz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

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

inline std::vector<int16_t> ToSamples(const std::vector<double>& signal) {
    std::vector<int16_t> samples(signal.size());
    for (size_t i = 0; i < signal.size(); ++i) {
        samples[i] = static_cast<int16_t>(std::lround(std::clamp(signal[i], -32768.0, 32767.0)));
    }
    return samples;
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
    for (const ToneNote& note : notes) reference.push_back({note.start, note.note});
    return reference;
}

inline ToneStyle RandomHarmonics(SetRandom& random) {
    ToneStyle style;
    style.harmonics = random.Integer(4, 12);
    style.rolloff = random.Uniform(0.7, 2.0);
    style.attackSeconds = random.Uniform(0.005, 0.04);
    return style;
}

// A small room: the dry sound plus exponentially decaying noise (the given
// reverberation time) convolved with it.
inline void AddReverb(std::vector<double>& signal, SetRandom& random, double reverbSeconds, double wet) {
    const size_t length = static_cast<size_t>(reverbSeconds * kRate);
    std::vector<double> response(length);
    double energy = 0;
    for (size_t i = 0; i < length; ++i) {
        response[i] = random.Gaussian() * std::pow(10.0, -3.0 * (i / kRate) / reverbSeconds);
        energy += response[i] * response[i];
    }
    for (double& value : response) value *= wet / std::sqrt(energy);
    // Convolution by blocks through the sparse taps would be faster; the set
    // is made once per run, so a direct sum over every 4th tap is enough.
    std::vector<double> wetSignal(signal.size() + length, 0.0);
    for (size_t i = 0; i < signal.size(); ++i) {
        if (signal[i] == 0.0) continue;
        for (size_t k = 0; k < length; k += 4) wetSignal[i + k] += signal[i] * response[k] * 2.0;
    }
    signal.resize(signal.size() + length / 2, 0.0);
    for (size_t i = 0; i < signal.size(); ++i) signal[i] += wetSignal[i];
}

inline void AddNoise(std::vector<double>& signal, SetRandom& random, double snrDb) {
    double energy = 0;
    size_t sounding = 0;
    for (double value : signal) {
        energy += value * value;
        if (value != 0.0) ++sounding;
    }
    const double rms = std::sqrt(energy / std::max<size_t>(1, sounding));
    const double noise = rms * std::pow(10.0, -snrDb / 20.0);
    for (double& value : signal) value += noise * random.Gaussian();
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

struct Patch {
    int program;
    int lowest;
    int highest;
};

inline const std::vector<Patch>& PatchesOf(const std::string& category) {
    static const std::vector<Patch> voice = {{52, 48, 79}, {53, 48, 79}, {54, 48, 79}, {85, 48, 84}};
    static const std::vector<Patch> wind = {{73, 60, 96}, {71, 50, 91}, {68, 58, 91},
                                            {65, 49, 81}, {56, 54, 84}, {57, 40, 72}};
    static const std::vector<Patch> strings = {{40, 55, 96}, {41, 48, 84}, {42, 36, 72}, {110, 55, 88}};
    static const std::vector<Patch> plucked = {{24, 40, 84}, {25, 40, 84}, {46, 36, 96}, {45, 36, 84}, {105, 48, 84}};
    if (category == "gm_voice") return voice;
    if (category == "gm_wind") return wind;
    if (category == "gm_string") return strings;
    return plucked;
}

// A melody on a patch: a random walk inside its range on a tempo grid of
// eighths and quarters, legato or detached, with repeated notes.
inline std::optional<EvaluationItem> MelodyItem(const std::string& category, int index, SetRandom& random) {
    const std::vector<Patch>& patches = PatchesOf(category);
    const Patch& patch = patches[static_cast<size_t>(index) % patches.size()];
    const double beat = 60.0 / random.Uniform(80, 140);
    const bool legato = random.Chance(0.5);
    std::vector<testing::PlayedNote> played;
    EvaluationItem item;
    item.category = category;
    int note = random.Integer(patch.lowest, patch.highest);
    double at = random.Uniform(0.05, 0.3);
    while (at < 8.0) {
        const double length = beat * (random.Chance(0.5) ? 0.5 : 1.0);
        played.push_back({at, legato ? length : 0.7 * length, note, random.Integer(70, 120)});
        item.notes.push_back({at, note});
        at += length;
        if (!random.Chance(0.15)) note = std::clamp(note + random.Integer(-7, 7), patch.lowest, patch.highest);
    }
    std::optional<std::vector<int16_t>> samples =
        testing::RenderGeneralMidi(played, patch.program, false, 1.0, random.Uniform(6000, 24000));
    if (!samples) return std::nullopt;
    item.samples = std::move(*samples);
    return item;
}

// Drum hits on the percussion channel at uneven times, never closer than
// 100 ms, so every hit is an onset of its own.
inline std::optional<EvaluationItem> PercussionItem(SetRandom& random) {
    static const int kDrums[] = {35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 50, 51, 54, 56, 60, 61, 62, 63, 64, 75, 76, 77};
    std::vector<testing::PlayedNote> played;
    EvaluationItem item;
    item.category = "percussion";
    item.rhythm = true;
    double at = random.Uniform(0.05, 0.3);
    while (at < 8.0) {
        const int drum = kDrums[random.Integer(0, static_cast<int>(std::size(kDrums)) - 1)];
        played.push_back({at, 0.1, drum, random.Integer(50, 127)});
        item.notes.push_back({at, drum});
        at += random.Uniform(0.1, 0.5);
    }
    std::optional<std::vector<int16_t>> samples =
        testing::RenderGeneralMidi(played, 0, true, 1.0, random.Uniform(6000, 24000));
    if (!samples) return std::nullopt;
    item.samples = std::move(*samples);
    return item;
}

inline const std::vector<std::string>& PitchedCategories() {
    static const std::vector<std::string> categories = {"sine",   "harmonic", "legato",   "detached", "vibrato",
                                                        "noise",  "reverb",   "gm_voice", "gm_wind",  "gm_string",
                                                        "gm_plucked"};
    return categories;
}

inline constexpr int kItemsPerCategory = 12;

// The whole set; even items of each category are the development half, odd
// items the held-out half. Empty when the synthesizer cannot play.
inline std::vector<EvaluationItem> MakeEvaluationSet() {
    std::vector<EvaluationItem> items;
    uint64_t seed = 1;
    for (const std::string& category : PitchedCategories()) {
        for (int i = 0; i < kItemsPerCategory; ++i) {
            SetRandom random(seed++ * 7919);
            std::optional<EvaluationItem> item =
                category.rfind("gm_", 0) == 0 ? MelodyItem(category, i / 2, random) : SyntheticItem(category, random);
            if (!item) return {};
            item->heldOut = i % 2 == 1;
            items.push_back(std::move(*item));
        }
    }
    for (int i = 0; i < kItemsPerCategory; ++i) {
        SetRandom random(seed++ * 7919);
        std::optional<EvaluationItem> item = PercussionItem(random);
        if (!item) return {};
        item->heldOut = i % 2 == 1;
        items.push_back(std::move(*item));
    }
    return items;
}

}  // namespace voxnote::evaluation
