// The whole analysis from samples to events, as the capture and the file
// conversion drive it.
#include "voxnote/analysis/detector/detector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/voxnote/analysis/detector/analysis_test_support.h"

namespace voxnote {
namespace {

using testing::Analyse;
using testing::AnalysisRun;
using testing::AppendNoise;
using testing::AppendSilence;
using testing::AppendSine;

std::vector<int16_t> ToneAfterSilence(double hertz, double amplitude, int toneSamples) {
    std::vector<int16_t> signal;
    AppendSilence(signal, 4096);
    AppendSine(signal, hertz, amplitude, toneSamples);
    AppendSilence(signal, 8192);
    return signal;
}

// Prints the frames around the note's start and end, to see at a glance
// which level, band level or pitch moved when the worked example fails.
void PrintTrace(const AnalysisRun& run) {
    for (const auto& observed : run.frames) {
        bool atStart = observed.index >= 24 && observed.index <= 32;
        bool atEnd = observed.index >= 101 && observed.index <= 109;
        if (!atStart && !atEnd) continue;
        const PitchFrame& frame = observed.frame;
        std::printf("frame %3u  level %3u  band %3u  pitch %6d  weight %u\n", observed.index, frame.level,
                    frame.bandLevel, frame.pitch, frame.weight);
    }
    for (const NoteEvent& event : run.events) {
        std::printf("event note %d velocity %d at %u ms\n", event.Note(), event.Velocity(), event.timeMs);
    }
}

// The tone starts at 371.5 ms (frame 28.4) and ends at 1371.5 ms (frame 105).
// Its level, the largest 450-sample movement two frames on, first reaches the
// peak 702 less the release drop in frame 27 and falls below it in frame 106.
// Velocity (80 * (702 - 350) + 240) div 256 = 110. The channels read 460 in
// most frames and 459 in the others, so the median step is 460: fine 5.
TEST(Detector, OneSecondOf440HertzGivesTheWorkedExampleInAnyBlockSize) {
    for (int block : {4096, 4095, 1000, 777, 144, 143, 2, 1}) {
        auto state = std::make_unique<DetectorState>();
        AnalysisRun run = Analyse(ToneAfterSilence(440, 8000, 11025), block, kStartUpDetectorSettings, state.get());
        ASSERT_EQ(run.events.size(), 2u) << "block " << block;
        const NoteEvent& on = run.events[0];
        const NoteEvent& off = run.events[1];
        EXPECT_EQ(on.Status(), 0x90);
        EXPECT_EQ(on.Note(), 69);
        EXPECT_EQ(on.Velocity(), 110) << "block " << block;
        EXPECT_EQ(on.timeMs, 352u) << "block " << block;  // frame 27
        EXPECT_EQ(off.Note(), 69);
        EXPECT_EQ(off.Velocity(), 0);
        EXPECT_EQ(off.timeMs, 1384u) << "block " << block;  // frame 106
        EXPECT_EQ(CurrentNote(*state), 69);
        EXPECT_EQ(CurrentFineStep(*state), 5) << "block " << block;
        EXPECT_EQ(OkFlag(*state), 1);
        EXPECT_FALSE(VelocityClipped(*state));
        bool trace = std::getenv("VOXNOTE_TRACE") != nullptr && block == 4096;
        if (::testing::Test::HasFailure() || trace) PrintTrace(run);
        if (::testing::Test::HasFailure()) return;
    }
}

// A run starts as if silence preceded it: a tone that sounds from the first
// sample rises above the quiet level in its first frames and so starts there.
TEST(Detector, AToneFromTheFirstSampleStartsAtTheStart) {
    for (int block : {4096, 1000, 1}) {
        std::vector<int16_t> signal;
        AppendSine(signal, 440, 8000, 2 * 11025);
        AppendSilence(signal, 8192);
        AnalysisRun run = Analyse(signal, block);
        ASSERT_EQ(run.events.size(), 2u) << "block " << block;
        EXPECT_EQ(run.events[0].Note(), 69);
        EXPECT_GT(run.events[0].Velocity(), 0);
        EXPECT_LT(run.events[0].timeMs, 50u) << "block " << block;
        EXPECT_EQ(run.events[1].Velocity(), 0);
        EXPECT_NEAR(run.events[1].timeMs, 2000, 50) << "block " << block;
    }
}

// A scale on A played note after note: each tone starts at once and dies away in
// its last 60 ms, and the first sounds from the first sample.
TEST(Detector, BackToBackTonesFromTheFirstSampleGiveEveryNote) {
    const int notes[] = {69, 71, 73, 74, 76, 78, 80, 81};
    constexpr int kToneSamples = 11025 / 2;
    constexpr int kDecaySamples = 660;
    std::vector<int16_t> signal;
    for (int note : notes) {
        const double hertz = 440.0 * std::pow(2.0, (note - 69) / 12.0);
        for (int n = 0; n < kToneSamples; ++n) {
            const double envelope = std::fmin(1.0, static_cast<double>(kToneSamples - n) / kDecaySamples);
            signal.push_back(static_cast<int16_t>(
                std::lround(8000 * envelope * std::sin(2 * testing::kPi * hertz * n / testing::kSampleRate))));
        }
    }
    AppendSilence(signal, 8192);
    AnalysisRun run = Analyse(signal, 4096);
    std::vector<int> notesOn;
    for (const NoteEvent& event : run.events) {
        if (event.Velocity() > 0) notesOn.push_back(event.Note());
    }
    EXPECT_EQ(notesOn, std::vector<int>(std::begin(notes), std::end(notes)));
    ASSERT_FALSE(run.events.empty());
    EXPECT_LT(run.events[0].timeMs, 50u);
}

TEST(Detector, BlockSizesDoNotChangeFramesOrEvents) {
    std::vector<int16_t> signal = ToneAfterSilence(440, 8000, 11025);
    AppendSine(signal, 196, 12000, 6000);
    AppendNoise(signal, 3000, 3000, 7);
    AppendSine(signal, 880, 6000, 9000);
    AppendSilence(signal, 5000);
    AnalysisRun reference = Analyse(signal, 4096);
    ASSERT_GE(reference.events.size(), 4u);
    for (int block : {4095, 1000, 777, 144, 143, 2, 1}) {
        AnalysisRun run = Analyse(signal, block);
        ASSERT_EQ(run.frames.size(), reference.frames.size()) << "block " << block;
        for (size_t i = 0; i < run.frames.size(); ++i) {
            ASSERT_EQ(run.frames[i].index, reference.frames[i].index);
            ASSERT_EQ(0, std::memcmp(&run.frames[i].frame, &reference.frames[i].frame, sizeof(PitchFrame)))
                << "block " << block << " frame " << i;
        }
        ASSERT_EQ(run.events.size(), reference.events.size()) << "block " << block;
        for (size_t i = 0; i < run.events.size(); ++i) {
            EXPECT_EQ(run.events[i].message, reference.events[i].message) << "block " << block;
            EXPECT_EQ(run.events[i].timeMs, reference.events[i].timeMs) << "block " << block;
        }
    }
}

TEST(Detector, FramesAreNumberedWithoutGaps) {
    AnalysisRun run = Analyse(ToneAfterSilence(300, 5000, 20000), 1234);
    ASSERT_FALSE(run.frames.empty());
    for (size_t i = 0; i < run.frames.size(); ++i) ASSERT_EQ(run.frames[i].index, i);
}

TEST(Detector, SilenceGivesQuietUnpitchedFramesAndNoEvents) {
    std::vector<int16_t> signal;
    AppendSilence(signal, 30000);
    AnalysisRun run = Analyse(signal, 4096);
    EXPECT_TRUE(run.events.empty());
    EXPECT_GT(run.frames.size(), 200u);
    for (const auto& observed : run.frames) {
        EXPECT_EQ(observed.frame.weight, 0);
        EXPECT_EQ(observed.frame.level, 0);
        EXPECT_EQ(observed.frame.pitch, kNoPitch);
    }
}

TEST(Detector, ClipFlagLightsForAFullScaleSquareOnly) {
    auto state = std::make_unique<DetectorState>();
    RefreshDetectorSettings(*state, kStartUpDetectorSettings);
    ResetDetector(*state, 0);
    int16_t* input = InputArea(*state);
    for (int i = 0; i < kBlockSamples; ++i) input[i] = (i / 20) % 2 ? 32767 : -32768;
    AnalyseBlock(*state, kInputAreaBytes);
    EXPECT_TRUE(InputClipped(*state));

    std::vector<int16_t> sine;
    AppendSine(sine, 440, 32000, kBlockSamples);
    std::copy(sine.begin(), sine.end(), input);
    AnalyseBlock(*state, kInputAreaBytes);
    EXPECT_FALSE(InputClipped(*state));
    EXPECT_GT(LevelMeter(*state), 0);
}

TEST(Detector, EmptyBlockChangesNothing) {
    auto state = std::make_unique<DetectorState>();
    RefreshDetectorSettings(*state, kStartUpDetectorSettings);
    ResetDetector(*state, 0);
    std::vector<int16_t> tone;
    AppendSine(tone, 330, 9000, 3001);
    std::copy(tone.begin(), tone.end(), InputArea(*state));
    AnalyseBlock(*state, 3001 * 2);
    auto before = std::make_unique<DetectorState>(*state);
    EXPECT_EQ(AnalyseBlock(*state, 0), 1);
    EXPECT_EQ(0, std::memcmp(before.get(), state.get(), sizeof(DetectorState)));
}

TEST(Detector, OddSampleWaitsForTheNextBlock) {
    auto state = std::make_unique<DetectorState>();
    RefreshDetectorSettings(*state, kStartUpDetectorSettings);
    ResetDetector(*state, 0);
    int16_t* input = InputArea(*state);
    input[0] = 100;
    input[1] = 200;
    input[2] = 300;
    AnalyseBlock(*state, 6);
    EXPECT_EQ(state->running.blockBytes, 4u);
    EXPECT_EQ(state->running.hasCarriedSample, 1);
    EXPECT_EQ(state->running.carriedSample, 300);
    input[0] = 400;
    AnalyseBlock(*state, 2);
    EXPECT_EQ(state->running.blockBytes, 4u);
    EXPECT_EQ(state->running.hasCarriedSample, 0);
}

TEST(Detector, ResetStartsTheClockAndKeepsTheSettings) {
    auto state = std::make_unique<DetectorState>();
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.scale = 3;
    settings.transposition = -5;
    RefreshDetectorSettings(*state, settings);
    ResetDetector(*state, 5000);
    EXPECT_EQ(ReadDetectorSettings(*state).scale, 3);
    EXPECT_EQ(state->header.scaleLock, 1);
    EXPECT_EQ(ReadDetectorSettings(*state).transposition, -5);
    EXPECT_EQ(OkFlag(*state), 1);

    std::vector<int16_t> signal = ToneAfterSilence(440, 8000, 11025);
    AnalysisRun run;
    SetFrameObserver(*state, nullptr, nullptr);
    for (size_t at = 0; at < signal.size(); at += 4096) {
        size_t count = std::min<size_t>(4096, signal.size() - at);
        std::copy(signal.begin() + static_cast<long>(at), signal.begin() + static_cast<long>(at + count),
                  InputArea(*state));
        AnalyseBlock(*state, static_cast<uint32_t>(count * 2));
    }
    FlushDetector(*state);
    testing::DrainInto(*state, run.events);
    ASSERT_EQ(run.events.size(), 2u);
    EXPECT_EQ(run.events[0].timeMs, 5352u);
}

TEST(Detector, EventClockFollowsTheDriftTarget) {
    auto state = std::make_unique<DetectorState>();
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.timeSmoothingShift = 1;
    RefreshDetectorSettings(*state, settings);
    ResetDetector(*state, 0);
    SetTimeOffsetTarget(*state, 1000);
    std::vector<int16_t> signal = ToneAfterSilence(440, 8000, 11025);
    std::vector<NoteEvent> events;
    for (size_t at = 0; at < signal.size(); at += 4096) {
        size_t count = std::min<size_t>(4096, signal.size() - at);
        std::copy(signal.begin() + static_cast<long>(at), signal.begin() + static_cast<long>(at + count),
                  InputArea(*state));
        AnalyseBlock(*state, static_cast<uint32_t>(count * 2));
    }
    FlushDetector(*state);
    testing::DrainInto(*state, events);
    ASSERT_EQ(events.size(), 2u);
    // Half of the remaining offset per block: 500, 750, 875, 937.5, 968.75 ms.
    // Both events are queued in the flush, the fifth block, which brings the
    // segmenter to frame 106, where the note ends.
    EXPECT_EQ(events[0].timeMs, 352u + 969);
    EXPECT_EQ(events[1].timeMs, 1384u + 969);
}

}  // namespace
}  // namespace voxnote
