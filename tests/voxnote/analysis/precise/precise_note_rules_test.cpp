// The user's note rules on the precise detector's notes: a preset means the
// same as with the exact detector.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/voxnote/analysis/detector/analysis_test_support.h"
#include "tests/voxnote/analysis/precise/precise_signals.h"
#include "voxnote/analysis/precise/note_rules.h"

namespace voxnote {
namespace {

using namespace precise_testing;

DetectedNote At(float pitch, uint32_t peakLevel = 700) { return {100, 400, pitch, peakLevel}; }

int RuledNoteOf(float pitch, const DetectorHeaderSettings& settings) {
    std::optional<RuledNote> ruled = ApplyNoteRules(At(pitch), settings);
    return ruled ? ruled->note : -1;
}

TEST(PreciseNoteRules, ScaleLockMovesOffScaleNotesToTheNearerNeighbour) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.scale = 0;  // C major
    EXPECT_EQ(RuledNoteOf(60.86f, settings), 60);  // C# with fine 3
    EXPECT_EQ(RuledNoteOf(61.25f, settings), 62);  // C# with fine 7
    for (int note : {60, 62, 64, 65, 67, 69, 71, 72}) EXPECT_EQ(RuledNoteOf(static_cast<float>(note), settings), note);
    settings.scale = 7;  // G major: F# stays, F moves
    EXPECT_EQ(RuledNoteOf(66.0f, settings), 66);
    EXPECT_EQ(RuledNoteOf(65.2f, settings), 66);
    settings.scale = kChromaticScale;
    EXPECT_EQ(RuledNoteOf(61.0f, settings), 61);
}

TEST(PreciseNoteRules, RangeTranspositionAndTuning) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.minimumNote = 40;
    settings.maximumNote = 80;
    EXPECT_EQ(RuledNoteOf(39.0f, settings), -1);
    EXPECT_EQ(RuledNoteOf(40.0f, settings), 40);
    EXPECT_EQ(RuledNoteOf(80.0f, settings), 80);
    EXPECT_EQ(RuledNoteOf(81.0f, settings), -1);

    settings.maximumNote = 101;
    settings.transposition = 12;
    EXPECT_EQ(RuledNoteOf(101.0f, settings), 113);
    settings.transposition = 27;
    EXPECT_EQ(RuledNoteOf(101.0f, settings), -1);  // 128 is no MIDI note
    settings.transposition = -50;
    EXPECT_EQ(RuledNoteOf(45.0f, settings), -1);

    // The note boundaries lie where the exact detector's do: at tuning 0 a
    // note covers 0.45 below to 0.55 above; each tuning unit moves them a
    // tenth of a semitone.
    settings = kStartUpDetectorSettings;
    EXPECT_EQ(RuledNoteOf(69.54f, settings), 69);
    EXPECT_EQ(RuledNoteOf(69.56f, settings), 70);
    EXPECT_EQ(RuledNoteOf(68.56f, settings), 69);
    settings.tuning = -3;
    EXPECT_EQ(RuledNoteOf(69.3f, settings), 70);
    settings.tuning = 3;
    EXPECT_EQ(RuledNoteOf(69.8f, settings), 69);
}

TEST(PreciseNoteRules, VelocityFixedVolumeAndThresholds) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    EXPECT_EQ(ApplyNoteRules(At(60, 700), settings)->velocity, 110);  // (80 * 350 + 240) / 256
    EXPECT_EQ(ApplyNoteRules(At(60, 756), settings)->velocity, 127);
    EXPECT_FALSE(ApplyNoteRules(At(60, 449), settings));  // below the input threshold
    settings.inputThreshold = 300;
    EXPECT_EQ(ApplyNoteRules(At(60, 351), settings)->velocity, 1);
    EXPECT_FALSE(ApplyNoteRules(At(60, 350), settings));  // not above the velocity base
    settings.fixedVolume = true;
    EXPECT_EQ(ApplyNoteRules(At(60, 350), settings)->velocity, 64);
    EXPECT_EQ(ApplyNoteRules(At(60, 900), settings)->velocity, 64);
}

TEST(PreciseNoteRules, TheConstantNoteSkipsPitchScaleRangeAndTransposition) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.constantNote = 36;
    settings.minimumNote = 60;
    settings.scale = 0;
    settings.transposition = 5;
    EXPECT_EQ(RuledNoteOf(0.0f, settings), 36);
    EXPECT_EQ(RuledNoteOf(61.0f, settings), 36);
    settings.fixedVolume = true;
    EXPECT_EQ(ApplyNoteRules(At(0, 700), settings)->velocity, 64);
}

TEST(PreciseNoteRules, EventsComeInPairsInTimeOrder) {
    const std::vector<DetectedNote> notes = {{0, 300, 60, 700}, {300, 500, 50, 200}, {290, 800, 64, 700}};
    std::vector<NoteEvent> events(6);
    const size_t count = RuledNoteEvents(notes, kStartUpDetectorSettings, events);
    ASSERT_EQ(count, 4u);  // the quiet note is dropped
    EXPECT_EQ(events[0].message, NoteOnMessage(60, 110));
    EXPECT_EQ(events[1].message, NoteOnMessage(60, 0));
    EXPECT_EQ(events[2].message, NoteOnMessage(64, 110));
    EXPECT_EQ(events[3].message, NoteOnMessage(64, 0));
    EXPECT_EQ(events[0].timeMs, 0u);
    EXPECT_EQ(events[1].timeMs, 300u);
    EXPECT_EQ(events[2].timeMs, 300u);  // never before the event ahead of it
    EXPECT_EQ(events[3].timeMs, 800u);
    std::vector<NoteEvent> tooSmall(3);
    EXPECT_EQ(RuledNoteEvents(notes, kStartUpDetectorSettings, tooSmall), 2u);
}

// Both detectors on the same tones under the same settings: the same notes,
// and at 440 Hz nearly the same velocities. The tones lie a quarter tone off
// the note boundaries and the scale lock's turning points, where the two
// detectors' pitch measurements cannot disagree.
TEST(PreciseNoteRules, APresetMeansTheSameWithEitherDetector) {
    std::vector<DetectorHeaderSettings> presets(7, kStartUpDetectorSettings);
    presets[1].scale = 0;
    presets[2].scale = 9;
    presets[2].transposition = -7;
    presets[3].minimumNote = 66;
    presets[3].maximumNote = 76;
    presets[4].tuning = 5;
    presets[4].transposition = 12;
    presets[5].fixedVolume = true;
    presets[6].constantNote = 42;
    presets[6].minimumNote = 90;
    for (size_t p = 0; p < presets.size(); ++p) {
        for (double pitch : {60.25, 61.25, 63.75, 66.25, 70.75, 73.25, 77.75, 85.25}) {
            std::vector<int16_t> signal;
            AppendSilence(signal, 0.3);
            AppendTone(signal, {pitch, 0.6, 8000, 1});
            AppendSilence(signal, 0.5);
            const testing::AnalysisRun exact = testing::Analyse(signal, 4096, presets[p]);
            const std::vector<NoteEvent> precise = DetectNotesPrecisely(signal, presets[p]);
            EXPECT_EQ(NotesOn(precise), NotesOn(exact.events)) << "preset " << p << ", pitch " << pitch;
            if (presets[p].fixedVolume && !precise.empty()) {
                EXPECT_EQ(precise[0].Velocity(), 64);
            }
        }
    }
    // Loudness is measured as the exact detector measures it, so the same
    // tone gets nearly the same velocity at every pitch and level.
    for (double pitch : {64.0, 69.0, 76.0}) {
        for (double amplitude : {2500.0, 5000.0, 8000.0}) {
            std::vector<int16_t> signal;
            AppendSilence(signal, 0.3);
            AppendTone(signal, {pitch, 0.6, amplitude, 1});
            AppendSilence(signal, 0.5);
            const testing::AnalysisRun exact = testing::Analyse(signal, 4096);
            const std::vector<NoteEvent> precise = DetectNotesPrecisely(signal, kStartUpDetectorSettings);
            ASSERT_FALSE(exact.events.empty());
            ASSERT_FALSE(precise.empty());
            EXPECT_NEAR(precise[0].Velocity(), exact.events[0].Velocity(), 3)
                << "pitch " << pitch << ", amplitude " << amplitude;
        }
    }
}

}  // namespace
}  // namespace voxnote
