// The precise detector listening to tones and instruments of known pitch:
// the notes, their number and where they start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/support/voxnote/general_midi_render.h"
#include "tests/voxnote/analysis/precise/precise_signals.h"

namespace voxnote {
namespace {

using namespace precise_testing;

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// Each tone alone after silence: one note of its pitch, and the median of
// the pitch errors (in cents) over the range.
void ExpectEachToneHeard(int harmonics, double medianCentsBound) {
    std::vector<double> errors;
    for (int note = 36; note <= 96; note += 3) {
        std::vector<int16_t> signal;
        AppendSilence(signal, 0.2);
        AppendTone(signal, {static_cast<double>(note), 0.5, 8000, harmonics});
        AppendSilence(signal, 0.3);
        PreciseDetector detector(signal.size());
        ASSERT_TRUE(detector.Detect(signal, kStartUpDetectorSettings));
        const std::vector<NoteEvent> events(detector.Events().begin(), detector.Events().end());
        EXPECT_EQ(NotesOn(events), std::vector<int>{note}) << "note " << note;
        if (detector.Notes().size() == 1) errors.push_back(100.0 * std::fabs(detector.Notes()[0].pitch - note));
    }
    ASSERT_FALSE(errors.empty());
    EXPECT_LT(Median(errors), medianCentsBound);
}

TEST(PreciseHearing, SinesAcrossTheRangeGiveTheirNotes) { ExpectEachToneHeard(1, 5.0); }

TEST(PreciseHearing, HarmonicTonesAcrossTheRangeGiveTheirFundamental) { ExpectEachToneHeard(8, 5.0); }

TEST(PreciseHearing, InstrumentsAcrossTheRangeGiveTheirNotes) {
    struct Instrument {
        int program;
        int lowest;
        int highest;
    };
    // Flute, violin, nylon guitar, choir: wind, string, plucked, voice-like.
    const Instrument instruments[] = {{73, 60, 96}, {40, 55, 93}, {24, 40, 84}, {52, 48, 79}};
    std::vector<double> errors;
    for (const Instrument& instrument : instruments) {
        std::vector<testing::PlayedNote> played;
        std::vector<int> expected;
        double at = 0.2;
        for (int note = instrument.lowest; note <= instrument.highest; note += 5) {
            played.push_back({at, 0.4, note, 100});
            expected.push_back(note);
            at += 0.6;
        }
        auto samples = testing::RenderGeneralMidi(played, instrument.program, false);
        if (!samples) GTEST_SKIP() << "no General MIDI soundfont is installed";
        PreciseDetector detector(samples->size());
        ASSERT_TRUE(detector.Detect(*samples, kStartUpDetectorSettings));
        const std::vector<NoteEvent> events(detector.Events().begin(), detector.Events().end());
        EXPECT_EQ(NotesOn(events), expected) << "program " << instrument.program;
        for (const DetectedNote& note : detector.Notes()) {
            errors.push_back(100.0 * std::fabs(note.pitch - std::round(note.pitch)));
        }
    }
    EXPECT_LT(Median(errors), 15.0);
}

TEST(PreciseHearing, ARepeatedNoteOfTheSamePitchGivesTwoNotes) {
    // A short gap between them, and none at all (a new attack on a sounding note).
    for (double gap : {0.03, 0.0}) {
        std::vector<int16_t> signal;
        AppendSilence(signal, 0.2);
        AppendTone(signal, {64, 0.4, 9000, 6});
        AppendSilence(signal, gap);
        double phase = 0;
        // Without a gap the second note enters at twice the level of the first's tail.
        AppendTone(signal, {64, 0.4, gap > 0 ? 9000.0 : 18000.0, 6}, phase);
        AppendSilence(signal, 0.3);
        const std::vector<NoteEvent> events = DetectNotesPrecisely(signal, kStartUpDetectorSettings);
        EXPECT_EQ(NotesOn(events), (std::vector<int>{64, 64})) << "gap " << gap;
    }
    std::vector<testing::PlayedNote> played = {{0.2, 0.4, 67, 100}, {0.6, 0.4, 67, 100}};
    auto samples = testing::RenderGeneralMidi(played, 24, false);  // a guitar, plucked twice
    if (!samples) GTEST_SKIP() << "no General MIDI soundfont is installed";
    EXPECT_EQ(NotesOn(DetectNotesPrecisely(*samples, kStartUpDetectorSettings)), (std::vector<int>{67, 67}));
}

TEST(PreciseHearing, ALegatoScaleGivesEveryNote) {
    const std::vector<int> scale = {60, 62, 64, 65, 67, 69, 71, 72};
    std::vector<int16_t> signal;
    AppendSilence(signal, 0.2);
    double phase = 0;
    for (size_t i = 0; i < scale.size(); ++i) {
        AppendTone(signal, {static_cast<double>(scale[i]), 0.25, 8000, 5}, phase, i == 0, i + 1 == scale.size());
    }
    AppendSilence(signal, 0.3);
    const std::vector<NoteEvent> events = DetectNotesPrecisely(signal, kStartUpDetectorSettings);
    EXPECT_EQ(NotesOn(events), scale);
    const std::vector<uint32_t> onsets = OnsetTimes(events);
    for (size_t i = 0; i < onsets.size() && i < scale.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(onsets[i]), 200.0 + 250.0 * i, 30.0) << "note " << i;
    }
}

TEST(PreciseHearing, ASoundPresentFromTheFirstSampleStartsAtTimeZero) {
    std::vector<int16_t> signal;
    AppendTone(signal, {57, 0.5, 8000, 4});
    AppendSilence(signal, 0.3);
    const std::vector<NoteEvent> events = DetectNotesPrecisely(signal, kStartUpDetectorSettings);
    ASSERT_EQ(NotesOn(events), std::vector<int>{57});
    EXPECT_EQ(events[0].timeMs, 0u);
}

TEST(PreciseHearing, ANoteAfterSilenceStartsWhereItsSoundStarts) {
    for (double start : {0.1, 0.377, 0.5}) {
        std::vector<int16_t> signal;
        AppendSilence(signal, start);
        AppendTone(signal, {50, 0.4, 6000, 6});
        AppendSilence(signal, 0.3);
        const std::vector<NoteEvent> events = DetectNotesPrecisely(signal, kStartUpDetectorSettings);
        ASSERT_EQ(NotesOn(events), std::vector<int>{50});
        EXPECT_NEAR(events[0].timeMs, 1000.0 * start, 10.0);
        EXPECT_NEAR(events[1].timeMs, 1000.0 * (start + 0.4), 30.0);
    }
}

TEST(PreciseHearing, VibratoAndNoiseStayOneNote) {
    std::vector<int16_t> signal;
    AppendSilence(signal, 0.2);
    double phase = 0;
    for (int n = 0; n < static_cast<int>(1.2 * kRate); ++n) {
        const double cents = 45.0 * std::sin(kTwoPi * 5.5 * n / kRate);
        phase += kTwoPi * NoteHertz(62 + cents / 100.0) / kRate;
        const double noise = 600.0 * std::sin(n * 12.9898 + 78.233 * std::sin(n * 0.37));
        signal.push_back(static_cast<int16_t>(std::lround(7000 * (std::sin(phase) + 0.5 * std::sin(2 * phase)) + noise)));
    }
    AppendSilence(signal, 0.3);
    EXPECT_EQ(NotesOn(DetectNotesPrecisely(signal, kStartUpDetectorSettings)), std::vector<int>{62});
}

TEST(PreciseHearing, SyllablesReSungOnOnePitchThroughLoudnessDipsAreNotesOfTheirOwn) {
    const std::vector<double> dips = {6, 8, 10, 12, 14, 16, 20};
    const std::vector<NoteEvent> events = DetectNotesPrecisely(Syllables(62, 0.3, dips), kStartUpDetectorSettings);
    EXPECT_EQ(NotesOn(events), std::vector<int>(8, 62));
    const std::vector<uint32_t> onsets = OnsetTimes(events);
    for (size_t i = 1; i < onsets.size(); ++i) EXPECT_NEAR(onsets[i], 200.0 + 300.0 * i, 40.0) << "syllable " << i;
}

TEST(PreciseHearing, TremoloWithVibratoStaysOneNote) {
    std::vector<int16_t> signal;
    AppendSilence(signal, 0.2);
    double phase = 0;
    for (int n = 0; n < static_cast<int>(1.5 * kRate); ++n) {
        const double wobble = std::sin(kTwoPi * 5.5 * n / kRate);
        phase += kTwoPi * NoteHertz(67 + 0.5 * wobble) / kRate;
        const double gain = std::pow(10.0, 2.5 * wobble / 20);  // 5 dB from trough to crest
        double value = 0;
        for (int k = 1; k <= 6; ++k) value += std::sin(k * phase) / k;
        signal.push_back(static_cast<int16_t>(std::lround(6000 * gain * value)));
    }
    AppendSilence(signal, 0.3);
    EXPECT_EQ(NotesOn(DetectNotesPrecisely(signal, kStartUpDetectorSettings)), std::vector<int>{67});
}

TEST(PreciseHearing, ANoteInALargeRoomEndsWhereItWasLetGoNotWithTheRoom) {
    std::vector<int16_t> dry;
    AppendSilence(dry, 0.2);
    AppendTone(dry, {64, 0.6, 8000, 6});
    AppendTone(dry, {60, 0.6, 8000, 6});
    AppendSilence(dry, 0.5);
    const std::vector<NoteEvent> events = DetectNotesPrecisely(InARoom(dry, 1.5, 0.7), kStartUpDetectorSettings);
    ASSERT_EQ(NotesOn(events), (std::vector<int>{64, 60}));
    EXPECT_LE(events[1].timeMs, events[2].timeMs);  // never past the next note's start
    EXPECT_NEAR(events[3].timeMs, 1400.0, 80.0);
}

// Five voices in unison, each a little off the common pitch (up to 15 cents),
// with a vibrato of its own and its own moment to move to the next note.
TEST(PreciseHearing, AChoirInUnisonGivesItsCommonPitch) {
    const std::vector<int> melody = {60, 64, 67, 65};
    std::vector<double> sum(static_cast<size_t>(2.6 * kRate), 0.0);
    for (int voice = 0; voice < 5; ++voice) {
        const double detune = 0.15 * (voice - 2) / 2.0;
        const double lateness = 0.01 * (voice % 3);
        double phase = 0;
        for (size_t n = static_cast<size_t>(0.2 * kRate); n < static_cast<size_t>(2.2 * kRate); ++n) {
            const double t = n / kRate - 0.2;
            const size_t note = std::min<size_t>(melody.size() - 1, static_cast<size_t>(std::fmax(0.0, t - lateness) / 0.5));
            const double vibrato = 0.3 * std::sin(kTwoPi * (5.0 + 0.3 * voice) * t + voice);
            phase += kTwoPi * NoteHertz(melody[note] + detune + vibrato) / kRate;
            const double envelope = std::min({1.0, t / 0.05, (2.0 - t) / 0.05});
            for (int k = 1; k <= 6; ++k) sum[n] += 1500 * envelope * std::sin(k * phase + voice) / k;
        }
    }
    std::vector<int16_t> signal(sum.size());
    for (size_t n = 0; n < sum.size(); ++n) signal[n] = static_cast<int16_t>(std::lround(sum[n]));
    EXPECT_EQ(NotesOn(DetectNotesPrecisely(signal, kStartUpDetectorSettings)), melody);
}

// A nursery tune of repeated pairs on the synthesizer's flute, each note let
// go 100 ms before the next: the repeated notes are heard as well.
TEST(PreciseHearing, AFluteTuneOfRepeatedPairsGivesItsNotes) {
    const int pitches[] = {60, 60, 67, 67, 69, 69, 67, 65, 65, 64, 64, 62, 62, 60,
                           67, 67, 65, 65, 64, 64, 62, 67, 67, 65, 65, 64, 64, 62};
    std::vector<testing::PlayedNote> played;
    double at = 0.5;
    for (size_t i = 0; i < std::size(pitches); ++i) {
        const double length = (i % 7 == 6 ? 1.0 : 0.5);
        played.push_back({at, length - 0.1, pitches[i], 100});
        at += length;
    }
    auto samples = testing::RenderGeneralMidi(played, 73, false);
    if (!samples) GTEST_SKIP() << "no General MIDI soundfont is installed";
    PreciseDetector detector(samples->size());
    ASSERT_TRUE(detector.Detect(*samples, kStartUpDetectorSettings));
    size_t found = 0;
    for (const testing::PlayedNote& note : played) {
        for (const DetectedNote& heard : detector.Notes()) {
            if (std::fabs(heard.startMs / 1000.0 - note.startSeconds) < 0.05 && std::lround(heard.pitch) == note.note) {
                ++found;
                break;
            }
        }
    }
    EXPECT_GE(found, 25u) << "of " << played.size();
}

TEST(PreciseHearing, SilenceAndNoiseGiveNoNotes) {
    std::vector<int16_t> silence(static_cast<size_t>(kRate), 0);
    EXPECT_TRUE(DetectNotesPrecisely(silence, kStartUpDetectorSettings).empty());
    std::vector<int16_t> noise;
    uint32_t state = 1;
    for (int n = 0; n < static_cast<int>(kRate); ++n) {
        state = state * 1664525u + 1013904223u;
        noise.push_back(static_cast<int16_t>(static_cast<int32_t>(state >> 16) - 32768) / 4);
    }
    EXPECT_TRUE(DetectNotesPrecisely(noise, kStartUpDetectorSettings).empty());
    EXPECT_TRUE(DetectNotesPrecisely(std::vector<int16_t>{}, kStartUpDetectorSettings).empty());
}

}  // namespace
}  // namespace voxnote
