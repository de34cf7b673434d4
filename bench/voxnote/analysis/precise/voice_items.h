#pragma once
// The sung material of the evaluation set, on the voice of sung_voice.h:
// melodies of a bass, tenor, alto or soprano in phrases of joined notes;
// syllables re-sung on one pitch ("la-la-la") through dips of 6 to 20 dB;
// a voice in a large room; a choir singing in unison.
#include <algorithm>
#include <cmath>
#include <vector>

#include "bench/voxnote/analysis/precise/evaluation_item.h"
#include "bench/voxnote/analysis/precise/room_reverb.h"
#include "bench/voxnote/analysis/precise/set_random.h"
#include "bench/voxnote/analysis/precise/signal_samples.h"
#include "bench/voxnote/analysis/precise/sung_voice.h"

namespace voxnote::evaluation {

inline constexpr double kSungSeconds = 8.0;

struct VoiceRange {
    int lowest;
    int highest;
    double formantScale;
};

inline VoiceRange RandomVoiceRange(SetRandom& random) {
    static const VoiceRange ranges[] = {{40, 62, 1.0}, {48, 69, 1.0}, {53, 74, 1.17}, {60, 84, 1.2}};
    return ranges[random.Integer(0, 3)];
}

inline Singer RandomSinger(SetRandom& random, const VoiceRange& range) {
    Singer singer;
    singer.formantScale = range.formantScale * random.Uniform(0.95, 1.05);
    singer.rolloff = random.Uniform(0.9, 1.6);
    singer.fundamentalDb = random.Uniform(-12, 4);
    singer.vibratoHertz = random.Uniform(4.5, 6.5);
    singer.vibratoCents = random.Chance(0.2) ? random.Uniform(0, 10) : random.Uniform(20, 70);
    singer.vibratoDelay = random.Uniform(0.1, 0.4);
    singer.tremoloDb = random.Uniform(0, 2.5);
    singer.driftCents = random.Uniform(3, 12);
    singer.jitter = random.Uniform(0.001, 0.004);
    singer.shimmerDb = random.Uniform(0.2, 0.8);
    singer.breathDb = random.Uniform(-36, -22);
    singer.attackSeconds = random.Uniform(0.03, 0.1);
    singer.releaseSeconds = random.Uniform(0.05, 0.15);
    singer.scoopCents = random.Chance(0.5) ? random.Uniform(20, 80) : 0.0;
    singer.glideSeconds = random.Uniform(0.04, 0.1);
    return singer;
}

// A joined note on the same pitch: a re-sung syllable through a dip of 6 to
// 20 dB, in every third one without a consonant.
inline void Resing(SungNote& note, SetRandom& random) {
    note.dipDb = random.Uniform(6, 20);
    note.dipSeconds = random.Uniform(0.04, 0.08);
    note.consonant = random.Chance(1.0 / 3) ? kNoConsonant : random.Integer(0, 3);
}

// A melody in phrases of three to seven joined notes on a beat grid, a breath
// between phrases; steps of up to a fourth, and now and then an octave leap;
// a joined note of a new pitch may have a light consonant before it, and one
// in seven joined notes is re-sung on the pitch before.
inline std::vector<SungNote> SungMelody(SetRandom& random, const VoiceRange& range, double slowest = 70.0,
                                        double fastest = 130.0) {
    std::vector<SungNote> notes;
    const double beat = 60.0 / random.Uniform(slowest, fastest);
    double at = random.Uniform(0.1, 0.4);
    int pitch = random.Integer(range.lowest + 3, range.highest - 3);
    while (at < kSungSeconds) {
        const int phraseNotes = random.Integer(3, 7);
        for (int i = 0; i < phraseNotes && at < kSungSeconds; ++i) {
            SungNote note;
            note.start = at;
            note.length = beat * (random.Chance(0.3) ? 2.0 : random.Chance(0.5) ? 1.0 : 0.5);
            note.vowel = random.Integer(0, 4);
            note.joined = i > 0;
            if (note.joined && random.Chance(1.0 / 7)) {
                Resing(note, random);
            } else {
                if (i > 0) {
                    int next = pitch;
                    if (random.Chance(1.0 / 12)) {
                        // An octave leap, up or down as the range allows.
                        const int leap = random.Chance(0.5) ? 12 : -12;
                        if (pitch + leap >= range.lowest && pitch + leap <= range.highest) next = pitch + leap;
                        if (pitch - leap >= range.lowest && pitch - leap <= range.highest) next = pitch - leap;
                    }
                    while (next == pitch) next = std::clamp(pitch + random.Integer(-5, 5), range.lowest, range.highest);
                    pitch = next;
                }
                if (note.joined && random.Chance(0.5)) {
                    note.dipDb = random.Uniform(0, 5);
                    note.dipSeconds = random.Uniform(0.04, 0.08);
                    note.consonant = random.Integer(0, 3);
                }
            }
            note.note = pitch;
            notes.push_back(note);
            at += note.length;
        }
        // A breath before the next phrase, taken from the last note.
        const double breath = random.Uniform(0.15, 0.4);
        notes.back().length = std::max(0.5 * notes.back().length, notes.back().length - breath);
        at = notes.back().start + notes.back().length + breath;
        pitch = std::clamp(pitch + random.Integer(-7, 7), range.lowest, range.highest);
    }
    return notes;
}

// Two or three groups of eight syllables, each group on one pitch.
inline std::vector<SungNote> ResungSyllables(SetRandom& random, const VoiceRange& range) {
    std::vector<SungNote> notes;
    double at = random.Uniform(0.1, 0.4);
    bool joinedToGroupBefore = false;
    while (at < kSungSeconds - 1.5) {
        int pitch = random.Integer(range.lowest, range.highest);
        while (joinedToGroupBefore && pitch == static_cast<int>(notes.back().note)) {
            pitch = random.Integer(range.lowest, range.highest);
        }
        const bool sameVowel = random.Chance(0.6);
        const int vowel = random.Integer(0, 4);
        const double syllable = random.Uniform(0.2, 0.4);
        for (int i = 0; i < 8; ++i) {
            SungNote note;
            note.note = pitch;
            note.start = at;
            note.length = syllable * random.Uniform(0.85, 1.15);
            note.vowel = sameVowel ? vowel : random.Integer(0, 4);
            note.joined = i > 0 || joinedToGroupBefore;
            if (i > 0) Resing(note, random);
            notes.push_back(note);
            at += note.length;
        }
        // A breath before the next group, or straight on to its pitch.
        joinedToGroupBefore = random.Chance(0.5) && at < kSungSeconds - 1.5;
        if (!joinedToGroupBefore) {
            const double breath = random.Uniform(0.2, 0.5);
            notes.back().length -= std::min(breath, 0.5 * notes.back().length);
            at = notes.back().start + notes.back().length + breath;
        }
    }
    return notes;
}

inline std::vector<ReferenceNote> ReferenceOf(const std::vector<SungNote>& notes) {
    std::vector<ReferenceNote> reference;
    for (size_t i = 0; i < notes.size(); ++i) {
        const bool resung = notes[i].joined && i > 0 && notes[i - 1].note == notes[i].note;
        reference.push_back({notes[i].start, notes[i].start + notes[i].length, static_cast<int>(notes[i].note), resung});
    }
    return reference;
}

// The score as one singer of a choir sings it: a little off the common
// tuning and off the beat, each note's start moved on its own.
inline std::vector<SungNote> ChoirPart(std::vector<SungNote> notes, SetRandom& random) {
    const double detune = random.Gaussian() * 0.12;
    const double lateness = random.Uniform(-0.015, 0.015);
    for (size_t i = 0; i < notes.size(); ++i) {
        notes[i].note += detune;
        const double shift = lateness + random.Uniform(-0.015, 0.015);
        if (notes[i].joined) notes[i - 1].length += shift;
        notes[i].start += shift;
        notes[i].length -= shift;
    }
    return notes;
}

inline std::vector<double> SungSignal() { return std::vector<double>(static_cast<size_t>((kSungSeconds + 1.5) * kRate), 0.0); }

// "sung", "resung", "sung_reverb", or the sung half of "choir".
inline EvaluationItem SungItem(const std::string& category, SetRandom& random) {
    EvaluationItem item;
    item.category = category;
    item.source = SoundSource::Voice;
    const VoiceRange range = RandomVoiceRange(random);
    std::vector<double> signal = SungSignal();
    std::vector<SungNote> notes;
    if (category == "resung") {
        notes = ResungSyllables(random, range);
        Sing(notes, RandomSinger(random, range), random, signal);
    } else if (category == "choir") {
        notes = SungMelody(random, range, 60.0, 100.0);
        const int singers = random.Integer(4, 8);
        for (int s = 0; s < singers; ++s) {
            Singer singer = RandomSinger(random, range);
            singer.loudness = random.Uniform(0.6, 1.0);
            Sing(ChoirPart(notes, random), singer, random, signal);
        }
        AddReverb(signal, random, random.Uniform(0.8, 2.0), random.Uniform(0.3, 0.8), 1);
    } else {
        notes = SungMelody(random, range);
        Sing(notes, RandomSinger(random, range), random, signal);
        if (category == "sung_reverb") AddReverb(signal, random, random.Uniform(1.5, 3.0), random.Uniform(0.6, 1.2), 1);
    }
    item.samples = ToSamplesPeakingAt(std::move(signal), random.Uniform(6000, 24000));
    item.notes = ReferenceOf(notes);
    return item;
}

}  // namespace voxnote::evaluation
