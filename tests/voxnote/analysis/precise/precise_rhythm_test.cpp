// Rhythm mode with the precise detector: every hit is the constant note.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/voxnote/general_midi_render.h"
#include "tests/voxnote/analysis/precise/precise_signals.h"

namespace voxnote {
namespace {

using namespace precise_testing;

// A decaying burst of white noise: a clap or a snare without its drum.
void AppendBurst(std::vector<int16_t>& signal, double seconds, double amplitude, uint32_t seed) {
    const int count = static_cast<int>(seconds * kRate);
    uint32_t state = seed;
    for (int n = 0; n < count; ++n) {
        state = state * 1664525u + 1013904223u;
        const double white = (static_cast<double>(state >> 8) / 8388608.0) - 1.0;
        signal.push_back(static_cast<int16_t>(std::lround(amplitude * white * std::exp(-n / (0.03 * kRate)))));
    }
}

DetectorHeaderSettings Rhythm(int8_t note) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.constantNote = note;
    return settings;
}

TEST(PreciseRhythm, EveryBurstIsAHitAtItsStart) {
    const std::vector<double> starts = {0.2, 0.45, 0.6, 1.0, 1.13, 1.5};
    std::vector<int16_t> signal;
    for (size_t i = 0; i < starts.size(); ++i) {
        AppendSilence(signal, starts[i] - signal.size() / kRate);
        AppendBurst(signal, i + 1 < starts.size() ? starts[i + 1] - starts[i] : 0.3, 12000, 7 + i);
    }
    const std::vector<NoteEvent> events = DetectNotesPrecisely(signal, Rhythm(38));
    ASSERT_EQ(NotesOn(events), std::vector<int>(starts.size(), 38));
    const std::vector<uint32_t> onsets = OnsetTimes(events);
    for (size_t i = 0; i < starts.size(); ++i) EXPECT_NEAR(onsets[i], 1000.0 * starts[i], 10.0) << "hit " << i;
    // A hit lasts until its sound has died by the release drop, never past the next.
    for (size_t i = 0; i + 2 < events.size(); i += 2) EXPECT_LE(events[i + 1].timeMs, events[i + 2].timeMs);
    EXPECT_LT(events[1].timeMs, 450u);
}

TEST(PreciseRhythm, NoiseIsAHitInRhythmModeAndNothingInPitchMode) {
    std::vector<int16_t> signal;
    AppendSilence(signal, 0.3);
    AppendBurst(signal, 0.3, 12000, 3);
    AppendSilence(signal, 0.3);
    EXPECT_EQ(NotesOn(DetectNotesPrecisely(signal, Rhythm(40))), std::vector<int>{40});
    EXPECT_TRUE(DetectNotesPrecisely(signal, kStartUpDetectorSettings).empty());
}

TEST(PreciseRhythm, TheNoteRangeDoesNotApplyToTheRhythmNote) {
    std::vector<int16_t> signal;
    AppendSilence(signal, 0.3);
    AppendTone(signal, {64, 0.4, 8000, 4});
    AppendSilence(signal, 0.3);
    DetectorHeaderSettings settings = Rhythm(36);
    settings.minimumNote = 60;
    settings.fixedVolume = true;
    const std::vector<NoteEvent> events = DetectNotesPrecisely(signal, settings);
    ASSERT_EQ(NotesOn(events), std::vector<int>{36});  // the tone's end is no hit
    EXPECT_EQ(events[0].Velocity(), 64);
}

TEST(PreciseRhythm, DrumKitHitsAreHeard) {
    // Kick, snare, closed hi-hat, a quiet hi-hat over the kick's decay, tom, clap.
    const std::vector<testing::PlayedNote> played = {
        {0.2, 0.1, 36, 120}, {0.5, 0.1, 38, 110}, {0.75, 0.1, 42, 100},
        {1.0, 0.1, 36, 127}, {1.12, 0.1, 42, 70},  {1.5, 0.1, 45, 110}, {1.8, 0.1, 39, 100}};
    auto samples = testing::RenderGeneralMidi(played, 0, true);
    if (!samples) GTEST_SKIP() << "no General MIDI soundfont is installed";
    const std::vector<NoteEvent> events = DetectNotesPrecisely(*samples, Rhythm(38));
    const std::vector<uint32_t> onsets = OnsetTimes(events);
    ASSERT_EQ(onsets.size(), played.size());
    for (size_t i = 0; i < played.size(); ++i) EXPECT_NEAR(onsets[i], 1000.0 * played[i].startSeconds, 20.0);
}

}  // namespace
}  // namespace voxnote
