// Tones of known pitch through the whole analysis: the notes that come out.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/voxnote/analysis/detector/analysis_test_support.h"

namespace voxnote {
namespace {

using testing::Analyse;
using testing::AnalysisRun;
using testing::AppendNoise;
using testing::AppendSilence;

double NoteHertz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// A tone with the given harmonic amplitudes (1 = the fundamental).
std::vector<int16_t> Tone(double hertz, std::vector<double> harmonics, int samples) {
    std::vector<int16_t> signal;
    AppendSilence(signal, 3000);
    for (int n = 0; n < samples; ++n) {
        double value = 0;
        for (size_t h = 0; h < harmonics.size(); ++h) {
            value += harmonics[h] * std::sin(2 * testing::kPi * hertz * (h + 1) * n / testing::kSampleRate);
        }
        signal.push_back(static_cast<int16_t>(std::lround(value)));
    }
    AppendSilence(signal, 6000);
    return signal;
}

std::vector<int> NotesOn(const AnalysisRun& run) {
    std::vector<int> notes;
    for (const NoteEvent& event : run.events) {
        if (event.Velocity() > 0) notes.push_back(event.Note());
    }
    return notes;
}

TEST(DetectedNotes, SinesAcrossTheRange) {
    for (int note = 61; note <= 100; note += 3) {
        AnalysisRun run = Analyse(Tone(NoteHertz(note), {8000}, 7000), 4096);
        EXPECT_EQ(NotesOn(run), std::vector<int>{note}) << "note " << note;
    }
    // Below step 370 (about 262 Hz) a single candidate is not trusted: low
    // pitches need harmonics to confirm them.
    EXPECT_TRUE(NotesOn(Analyse(Tone(NoteHertz(45), {8000}, 7000), 4096)).empty());
}

TEST(DetectedNotes, RichTonesGiveTheirFundamental) {
    for (int note : {36, 40, 45, 52, 57, 64, 69, 76}) {
        AnalysisRun run = Analyse(Tone(NoteHertz(note), {6000, 4000, 3000, 2000, 1500}, 7000), 4096);
        EXPECT_EQ(NotesOn(run), std::vector<int>{note}) << "note " << note;
    }
}

TEST(DetectedNotes, TuningMovesTheNoteBoundaries) {
    // 0.35 semitone above A4: step 463, note 69 with fine 8 at tuning 0 ...
    std::vector<int16_t> signal = Tone(NoteHertz(69) * std::pow(2.0, 3.5 / 120), {8000}, 7000);
    EXPECT_EQ(NotesOn(Analyse(signal, 4096)), std::vector<int>{69});
    // ... B-flat once the boundaries move down by 0.4 semitone, and A again
    // when they move up.
    DetectorHeaderSettings tuned = kStartUpDetectorSettings;
    tuned.tuning = -4;
    EXPECT_EQ(NotesOn(Analyse(signal, 4096, tuned)), std::vector<int>{70});
    tuned.tuning = 6;
    EXPECT_EQ(NotesOn(Analyse(signal, 4096, tuned)), std::vector<int>{69});
}

TEST(DetectedNotes, ClapLikeNoiseBurstIsAHitInRhythmModeOnly) {
    // A clap: loud noise dying away within a couple of frames.
    std::vector<int16_t> signal;
    AppendSilence(signal, 4000);
    std::vector<int16_t> noise;
    AppendNoise(noise, 20000, 6000, 3);
    for (size_t n = 0; n < noise.size(); ++n) {
        signal.push_back(static_cast<int16_t>(std::lround(noise[n] * std::exp(-static_cast<double>(n) / 200.0))));
    }
    AppendSilence(signal, 6000);
    EXPECT_TRUE(NotesOn(Analyse(signal, 4096)).empty());

    DetectorHeaderSettings rhythm = kStartUpDetectorSettings;
    rhythm.constantNote = 38;
    AnalysisRun run = Analyse(signal, 4096, rhythm);
    EXPECT_EQ(NotesOn(run), std::vector<int>{38});
    ASSERT_EQ(run.events.size(), 2u);
    EXPECT_GT(run.events[0].Velocity(), 64);
}

TEST(DetectedNotes, ShortNotesDownToAFewFrames) {
    // Notes of 60 ms and more come out, each ending with its tone (within two frames).
    for (int milliseconds : {60, 100, 150, 250}) {
        std::vector<int16_t> signal;
        AppendSilence(signal, 4096);
        testing::AppendSine(signal, 440, 8000, milliseconds * 11025 / 1000);
        AppendSilence(signal, 6000);
        AnalysisRun run = Analyse(signal, 4096);
        ASSERT_EQ(run.events.size(), 2u) << milliseconds;
        EXPECT_EQ(run.events[0].Note(), 69);
        EXPECT_EQ(run.events[0].timeMs, 352u);
        double toneEnd = 4096 / 11.025 + milliseconds;
        EXPECT_NEAR(run.events[1].timeMs, toneEnd, 2 * 640.0 / 49) << milliseconds;
    }
    // Three frames after the attack are too few.
    std::vector<int16_t> signal;
    AppendSilence(signal, 4096);
    testing::AppendSine(signal, 440, 8000, 30 * 11025 / 1000);
    AppendSilence(signal, 6000);
    EXPECT_TRUE(Analyse(signal, 4096).events.empty());
}

}  // namespace
}  // namespace voxnote
