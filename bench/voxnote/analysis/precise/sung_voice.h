#pragma once
// A singing voice for the evaluation set: a harmonic source (its slope, the
// strength of its fundamental, jitter, shimmer, breath) shaped by the vowel's
// formants, with vibrato, slow drift, a scoop into a note after silence and
// glides between joined notes. Syllables joined on one breath are parted by
// a voiced consonant (l, m, n, w), whose formants the vowel's move to, and
// the loudness dips by the given depth, while the pitch goes on through it;
// or the loudness alone dips, as in a sung "ha-ha" on one breath.
//
// The harmonics are summed directly (never above 4.8 kHz, so nothing folds
// back at 11025 Hz), their amplitudes set every 16 samples from the formants
// at their frequencies.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "bench/voxnote/analysis/precise/set_random.h"

namespace voxnote::evaluation {

struct Formants {
    std::array<double, 4> hertz;
    std::array<double, 4> bandwidth;
};

// A man's sung vowels a, e, i, o, u; a woman's lie higher by the singer's formant scale.
inline const std::array<Formants, 5>& SungVowels() {
    static const std::array<Formants, 5> vowels = {{
        {{730, 1090, 2440, 3400}, {80, 90, 120, 150}},
        {{530, 1840, 2480, 3500}, {60, 100, 120, 150}},
        {{300, 2200, 3000, 3700}, {50, 100, 130, 160}},
        {{570, 840, 2410, 3400}, {70, 80, 120, 150}},
        {{320, 800, 2240, 3300}, {50, 80, 120, 150}},
    }};
    return vowels;
}

// The voiced consonants between syllables: l, m, n, w. Their formants sit
// low; how much quieter they are is the join's own dip.
inline const std::array<Formants, 4>& SungConsonants() {
    static const std::array<Formants, 4> consonants = {{
        {{360, 1300, 2700, 3500}, {80, 150, 200, 250}},
        {{250, 1100, 2200, 3300}, {60, 300, 400, 400}},
        {{250, 1600, 2600, 3400}, {60, 300, 400, 400}},
        {{300, 620, 2200, 3300}, {60, 80, 200, 250}},
    }};
    return consonants;
}

struct SungNote {
    double note = 60;       // MIDI pitch the note is sung at
    double start = 0;       // seconds
    double length = 0.4;    // to where it is let go: the release is centred there
    int vowel = 0;
    bool joined = false;    // follows the note before without a breath (start = its end)
    double dipDb = 0;       // how far the loudness dips at the join
    double dipSeconds = 0.06;
    int consonant = 0;      // of SungConsonants(), or kNoConsonant: the loudness alone dips
};

inline constexpr int kNoConsonant = -1;

struct Singer {
    double formantScale = 1.0;   // 1 a man's vowels, about 1.17 a woman's
    double rolloff = 1.2;        // the source's harmonic k at k^-rolloff
    double fundamentalDb = 0;    // the fundamental above (or below) that slope
    double vibratoHertz = 5.5;
    double vibratoCents = 40;    // half the swing
    double vibratoDelay = 0.25;  // seconds into a new pitch before it sets in
    double tremoloDb = 1.0;      // loudness swing with the vibrato
    double driftCents = 8;       // slow wander of the pitch
    double jitter = 0.002;       // fast wobble of the period, as a share of it
    double shimmerDb = 0.5;
    double breathDb = -30;       // breath noise against the voice
    double attackSeconds = 0.05;
    double releaseSeconds = 0.08;
    double scoopCents = 0;       // a note after a breath starts this much flat
    double glideSeconds = 0.06;  // a pitch change between joined notes
    double loudness = 1.0;
};

namespace sung_voice_detail {

inline double Smooth(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

// The share of the dip's depth at `t` seconds from the join: down over a
// third of its length, held a third, up a third.
inline double DipShape(double t, double length) {
    const double edge = length / 3;
    const double from = std::fabs(t) - edge / 2;
    if (from <= 0) return 1.0;
    return 1.0 - Smooth(from / edge);
}

inline double FormantGain(const Formants& formants, double scale, double hertz) {
    double gain = 1.0;
    for (size_t j = 0; j < formants.hertz.size(); ++j) {
        const double f = formants.hertz[j] * scale;
        const double b = formants.bandwidth[j] * scale;
        gain *= f * f / std::sqrt((f * f - hertz * hertz) * (f * f - hertz * hertz) + (b * hertz) * (b * hertz));
    }
    return gain;
}

inline Formants Blend(const Formants& a, const Formants& b, double share) {
    Formants mixed;
    for (size_t j = 0; j < a.hertz.size(); ++j) {
        mixed.hertz[j] = a.hertz[j] + (b.hertz[j] - a.hertz[j]) * share;
        mixed.bandwidth[j] = a.bandwidth[j] + (b.bandwidth[j] - a.bandwidth[j]) * share;
    }
    return mixed;
}

// A slowly wandering value of unit spread: noise through a one-pole low-pass.
class Wander {
public:
    Wander(SetRandom& random, double hertz, double stepRate) : random_(random) {
        const double a = std::exp(-kTwoPi * hertz / stepRate);
        keep_ = a;
        push_ = std::sqrt(1 - a * a);
    }
    double Next() {
        value_ = keep_ * value_ + push_ * random_.Gaussian();
        return value_;
    }

private:
    SetRandom& random_;
    double keep_ = 0, push_ = 0, value_ = 0;
};

}  // namespace sung_voice_detail

// Adds the sung notes (in time order) to the signal at the analysis rate.
inline void Sing(const std::vector<SungNote>& notes, const Singer& singer, SetRandom& random,
                 std::vector<double>& signal) {
    using namespace sung_voice_detail;
    constexpr int kBlock = 16;
    constexpr double kTopHertz = 4800.0;
    constexpr int kMostHarmonics = 160;
    Wander drift(random, 0.7, kRate / kBlock);
    Wander shimmer(random, 8.0, kRate / kBlock);
    Wander jitter(random, 60.0, kRate / kBlock);
    std::array<double, kMostHarmonics + 1> amplitude{}, nextAmplitude{};

    size_t first = 0;
    while (first < notes.size()) {
        size_t last = first;
        while (last + 1 < notes.size() && notes[last + 1].joined) ++last;
        const double phraseStart = notes[first].start;
        const double phraseEnd = notes[last].start + notes[last].length;
        const size_t from = static_cast<size_t>(std::max(0.0, phraseStart) * kRate);
        const size_t to = std::min(signal.size(), static_cast<size_t>((phraseEnd + singer.releaseSeconds) * kRate));
        double phase = 0;
        double breathBefore = 0;
        size_t current = first;
        double vibratoFrom = phraseStart;
        double vibratoPhase = random.Uniform(0, kTwoPi);
        amplitude.fill(0.0);
        for (size_t block = from; block < to; block += kBlock) {
            const double t = block / kRate;
            while (current < last && t >= notes[current + 1].start) {
                ++current;
                if (notes[current].note != notes[current - 1].note) vibratoFrom = notes[current].start;
            }
            const SungNote& note = notes[current];
            const SungNote* before = current > first ? &notes[current - 1] : nullptr;
            const SungNote* after = current < last ? &notes[current + 1] : nullptr;

            // Pitch: the note, the glides at its joins, the scoop, vibrato, drift.
            double pitch = note.note;
            if (before && t - note.start < singer.glideSeconds / 2) {
                pitch = before->note + (note.note - before->note) * Smooth((t - note.start) / singer.glideSeconds + 0.5);
            }
            if (after && after->start - t < singer.glideSeconds / 2) {
                pitch = note.note + (after->note - note.note) * Smooth((t - after->start) / singer.glideSeconds + 0.5);
            }
            if (current == first) pitch -= singer.scoopCents / 100.0 * std::exp(-(t - phraseStart) / 0.05);
            const double vibratoDepth =
                singer.vibratoCents / 100.0 * Smooth((t - vibratoFrom - singer.vibratoDelay) / 0.25);
            vibratoPhase += kTwoPi * singer.vibratoHertz * kBlock / kRate;
            pitch += vibratoDepth * std::sin(vibratoPhase) + singer.driftCents / 100.0 * drift.Next();
            const double hertz = NoteHertz(pitch);

            // Loudness: the phrase's attack and release, the dips at joins, tremolo, shimmer.
            double decibels = singer.tremoloDb * (vibratoDepth > 0 ? std::sin(vibratoPhase) : 0.0) +
                              singer.shimmerDb * shimmer.Next();
            Formants formants = SungVowels()[static_cast<size_t>(note.vowel)];
            // At a join the vowel turns into the next over the glide, and through the consonant at the dip.
            auto join = [&](const SungNote& previous, const SungNote& next) {
                const double away = t - next.start;
                const Formants& from = SungVowels()[static_cast<size_t>(previous.vowel)];
                const Formants& into = SungVowels()[static_cast<size_t>(next.vowel)];
                if (std::fabs(away) < singer.glideSeconds / 2) {
                    formants = Blend(from, into, Smooth(away / singer.glideSeconds + 0.5));
                }
                if (std::fabs(away) < next.dipSeconds / 2) {
                    const double share = DipShape(away, next.dipSeconds);
                    decibels -= next.dipDb * share;
                    if (next.consonant != kNoConsonant) {
                        formants = Blend(away < 0 ? from : into, SungConsonants()[static_cast<size_t>(next.consonant)], share);
                    }
                }
            };
            if (after) join(note, *after);
            if (before) join(*before, note);
            double envelope = Smooth((t - phraseStart) / singer.attackSeconds);
            envelope *= 1.0 - Smooth((t - phraseEnd) / singer.releaseSeconds + 0.5);
            const double gain = singer.loudness * envelope * std::pow(10.0, decibels / 20.0);

            const int harmonics = std::min(kMostHarmonics, static_cast<int>(kTopHertz / hertz));
            double power = 0;
            for (int k = 1; k <= kMostHarmonics; ++k) {
                double value = 0;
                if (k <= harmonics) {
                    value = gain * std::pow(k, -singer.rolloff) * FormantGain(formants, singer.formantScale, k * hertz);
                    if (k == 1) value *= std::pow(10.0, singer.fundamentalDb / 20.0);
                }
                nextAmplitude[static_cast<size_t>(k)] = value;
                power += 0.5 * value * value;
            }
            const double breath = std::pow(10.0, singer.breathDb / 20.0) * std::sqrt(power);
            const double step = kTwoPi * hertz * (1.0 + singer.jitter * jitter.Next()) / kRate;
            for (int n = 0; n < kBlock && block + static_cast<size_t>(n) < to; ++n) {
                phase = std::fmod(phase + step, kTwoPi);
                const double blend = (n + 1.0) / kBlock;
                const double c = std::cos(phase);
                double previous = 0, now = std::sin(phase), sum = 0;
                for (int k = 1; k <= harmonics; ++k) {
                    const double a = amplitude[static_cast<size_t>(k)] +
                                     (nextAmplitude[static_cast<size_t>(k)] - amplitude[static_cast<size_t>(k)]) * blend;
                    sum += a * now;
                    const double next = 2 * c * now - previous;
                    previous = now;
                    now = next;
                }
                // Breath: white noise, its lows taken out by a first difference.
                const double white = random.Gaussian();
                sum += breath * 0.5 * (white - breathBefore);
                breathBefore = white;
                signal[block + static_cast<size_t>(n)] += sum;
            }
            amplitude = nextAmplitude;
        }
        first = last + 1;
    }
}

}  // namespace voxnote::evaluation
