// The precise detector as a component: what it allocates, what it refuses,
// the form of its events, and its pieces on signals with a known answer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/voxnote/analysis/precise/precise_signals.h"
#include "tests/voxnote/analysis/resampling/allocation_watch.h"
#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/onsets/onset_picking.h"
#include "voxnote/analysis/precise/pitch/pitch_track.h"
#include "voxnote/analysis/precise/notes/harmonic_slip_merge.h"
#include "voxnote/analysis/precise/notes/legato_boundary.h"
#include "voxnote/analysis/precise/notes/short_segment_merge.h"
#include "voxnote/analysis/precise/onsets/loudness_dip.h"
#include "voxnote/analysis/precise/onsets/spectral_flux.h"
#include "voxnote/analysis/precise/pitch/yin_candidates.h"
#include "voxnote/analysis/precise/pitch/yin_difference.h"

namespace voxnote {
namespace {

using namespace precise_testing;

std::vector<int16_t> Melody() {
    std::vector<int16_t> signal;
    AppendSilence(signal, 0.1);
    for (int note : {48, 55, 60, 67, 72, 64}) {
        AppendTone(signal, {static_cast<double>(note), 0.3, 7000, 5});
        AppendSilence(signal, 0.05);
    }
    return signal;
}

TEST(PreciseDetector, DetectingAllocatesNothingAndLocksNothing) {
    const std::vector<int16_t> signal = Melody();
    PreciseDetector detector(signal.size());
    DetectorHeaderSettings rhythm = kStartUpDetectorSettings;
    rhythm.constantNote = 38;
    testing::AllocationWatch watch;
    ASSERT_TRUE(detector.Detect(signal, kStartUpDetectorSettings));
    ASSERT_FALSE(detector.Events().empty());
    ASSERT_TRUE(detector.Detect(signal, rhythm));
    ASSERT_FALSE(detector.Events().empty());
    EXPECT_EQ(watch.HeapCalls(), 0u);
    EXPECT_EQ(watch.MutexLocks(), 0u);
}

TEST(PreciseDetector, ARecordingLongerThanItWasMadeForIsRefused) {
    const std::vector<int16_t> signal = Melody();
    PreciseDetector detector(signal.size() - 1);
    EXPECT_FALSE(detector.Detect(signal, kStartUpDetectorSettings));
    EXPECT_TRUE(detector.Events().empty());
    EXPECT_TRUE(detector.Notes().empty());
}

TEST(PreciseDetector, EventsAreNoteOnThenItsNoteOffInTimeOrder) {
    const std::vector<int16_t> signal = Melody();
    PreciseDetector detector(signal.size());
    ASSERT_TRUE(detector.Detect(signal, kStartUpDetectorSettings));
    const std::vector<NoteEvent> first(detector.Events().begin(), detector.Events().end());
    EXPECT_EQ(NotesOn(first), (std::vector<int>{48, 55, 60, 67, 72, 64}));
    ASSERT_EQ(first.size() % 2, 0u);
    uint32_t last = 0;
    for (size_t i = 0; i < first.size(); i += 2) {
        EXPECT_EQ(first[i].Status(), kNoteOnStatus);
        EXPECT_GT(first[i].Velocity(), 0);
        EXPECT_EQ(first[i + 1].message, NoteOnMessage(first[i].Note(), 0));
        EXPECT_GE(first[i].timeMs, last);
        EXPECT_GE(first[i + 1].timeMs, first[i].timeMs);
        last = first[i + 1].timeMs;
    }
    // The same detector run again gives the same events.
    ASSERT_TRUE(detector.Detect(signal, kStartUpDetectorSettings));
    const std::vector<NoteEvent> again(detector.Events().begin(), detector.Events().end());
    ASSERT_EQ(again.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(again[i].message, first[i].message);
        EXPECT_EQ(again[i].timeMs, first[i].timeMs);
    }
}

TEST(PreciseDetectorPieces, YinCandidatesPutTheMostProbableAtThePitch) {
    precise::YinDifference difference;
    precise::YinThresholdPrior prior;
    std::vector<float> squared(precise::kLargestLag + 2);
    std::vector<float> normalised(precise::kLargestLag + 2);
    for (double note : {40.3, 57.0, 69.5, 88.0, 100.0}) {
        std::vector<int16_t> samples;
        AppendTone(samples, {note, 0.1, 8000, 1});
        std::vector<float> frame(precise::kFftSize);
        for (int i = 0; i < precise::kFftSize; ++i) frame[static_cast<size_t>(i)] = samples[static_cast<size_t>(200 + i)] / 32768.0f;
        difference.Compute(frame.data(), squared.data(), normalised.data());
        precise::FrameCandidates candidates;
        FindYinCandidates(squared.data(), normalised.data(), prior, candidates);
        ASSERT_GT(candidates.count, 0) << note;
        EXPECT_NEAR(candidates.candidates[0].pitch, note, 0.15) << note;
        EXPECT_GT(candidates.voicedProbability, 0.9f) << note;
    }
}

TEST(PreciseDetectorPieces, ThePitchTrackFollowsItsNeighboursOverAnOctaveSlip) {
    std::vector<precise::FrameCandidates> frames(12);
    for (size_t t = 0; t < frames.size(); ++t) {
        frames[t].count = 2;
        frames[t].candidates[0] = {60.0f, 0.7f};
        frames[t].candidates[1] = {48.0f, 0.2f};
        frames[t].voicedProbability = 0.9f;
    }
    frames[6].candidates[0] = {48.0f, 0.55f};  // one frame prefers the octave below
    frames[6].candidates[1] = {60.0f, 0.35f};
    precise::PitchTrackDecoder decoder(frames.size());
    std::vector<precise::PitchTrackFrame> track(frames.size());
    decoder.Decode(frames, track);
    for (const precise::PitchTrackFrame& frame : track) {
        EXPECT_TRUE(frame.voiced);
        EXPECT_EQ(frame.pitch, 60.0f);
    }
}

TEST(PreciseDetectorPieces, TheNoteDecodeKeepsVibratoAndCutsAtPitchChanges) {
    std::vector<precise::PitchTrackFrame> track;
    for (int t = 0; t < 40; ++t) track.push_back({true, 62.0f + 0.45f * std::sin(t * 0.6f)});
    for (int t = 0; t < 30; ++t) track.push_back({true, 64.0f});
    for (int t = 0; t < 10; ++t) track.push_back({false, 0.0f});
    std::vector<uint8_t> silent(track.size(), 0);
    for (int t = 70; t < 80; ++t) silent[static_cast<size_t>(t)] = 1;
    precise::NoteSegmenter segmenter(track.size());
    std::vector<precise::NoteSegment> segments(track.size());
    ASSERT_EQ(segmenter.Segment(track, silent, segments), 2u);
    EXPECT_EQ(segments[0].startFrame, 0u);
    EXPECT_EQ(segments[0].endFrame, 40u);
    EXPECT_EQ(segments[1].startFrame, 40u);
    EXPECT_EQ(segments[1].endFrame, 70u);
}

TEST(PreciseDetectorPieces, ShortNotesJoinTheNoteTheyTouch) {
    std::vector<precise::NoteSegment> segments = {{0, 3}, {3, 20}, {20, 23}, {30, 32}, {40, 60}};
    ASSERT_EQ(MergeShortSegments(segments), 3u);
    EXPECT_EQ(segments[0].startFrame, 0u);  // the blip before it became its attack
    EXPECT_EQ(segments[0].endFrame, 23u);   // the blip after it, its release
    EXPECT_EQ(segments[1].startFrame, 30u); // alone, it stays
    EXPECT_EQ(segments[2].startFrame, 40u);
}

TEST(PreciseDetectorPieces, OnsetsArePeaksAboveTheirSurroundings) {
    std::vector<float> flux(60, 5.0f);
    flux[10] = 80.0f;
    flux[12] = 70.0f;  // within the peak's reach: not an onset of its own
    flux[30] = 40.0f;
    flux[45] = 12.0f;  // below the threshold
    std::vector<precise::Onset> onsets(10);
    ASSERT_EQ(precise::PickOnsets(flux, onsets), 2u);
    EXPECT_EQ(onsets[0].frame, 10u);
    EXPECT_EQ(onsets[1].frame, 30u);
    EXPECT_NEAR(onsets[1].strength, 40.0f / 13.0f, 1e-4);
}

TEST(PreciseDetectorPieces, ADeepNarrowDipPartsNotesAWobbleOrAFadeDoesNot) {
    auto partsNotes = [](const std::vector<float>& levels) {
        const uint32_t count = static_cast<uint32_t>(levels.size());
        for (uint32_t f = 0; f < count; ++f) {
            if (precise::PartsNotes(precise::MeasureDip(levels, f, 0, count))) return true;
        }
        return false;
    };
    std::vector<float> syllables(40, 700.0f);
    for (uint32_t f : {19u, 20u, 21u}) syllables[f] = 640.0f;  // 6 dB for 35 ms
    syllables[20] = 630.0f;
    EXPECT_TRUE(partsNotes(syllables));
    std::vector<float> notch(40, 700.0f);
    notch[20] = 600.0f;  // one frame alone
    EXPECT_FALSE(partsNotes(notch));
    std::vector<float> wobble(40);
    for (size_t f = 0; f < wobble.size(); ++f) wobble[f] = 700.0f + 35.0f * std::cos(0.4f * static_cast<float>(f));
    EXPECT_FALSE(partsNotes(wobble));  // 7 dB from crest to trough, but slow
    std::vector<float> fading(40, 700.0f);
    for (uint32_t f = 18; f < 40; ++f) fading[f] = f == 20 ? 560.0f : 590.0f;  // comes back 11 dB quieter
    EXPECT_FALSE(partsNotes(fading));
}

std::vector<precise::PitchTrackFrame> TrackOf(std::initializer_list<std::pair<int, float>> runs) {
    std::vector<precise::PitchTrackFrame> track;
    for (const auto& [frames, pitch] : runs) track.insert(track.end(), static_cast<size_t>(frames), {true, pitch});
    return track;
}

TEST(PreciseDetectorPieces, ANoteHeardAtTheWrongHarmonicForAWhileIsOneNote) {
    // A sub-octave at the start, the third harmonic's sub-harmonic in the middle.
    std::vector<precise::PitchTrackFrame> track = TrackOf({{15, 48.0f}, {45, 60.0f}, {8, 40.98f}, {30, 60.0f}});
    std::vector<precise::NoteSegment> segments = {{0, 15}, {15, 60}, {60, 68}, {68, 98}};
    std::vector<float> pitches(segments.size()), scratch(track.size());
    ASSERT_EQ(precise::MergeHarmonicSlips(segments, track, pitches, scratch), 1u);
    EXPECT_EQ(segments[0].startFrame, 0u);
    EXPECT_EQ(segments[0].endFrame, 98u);
    // An octave leap held as long as the note before it is sung; a repeated
    // note parted at its re-attack stays parted.
    track = TrackOf({{30, 60.0f}, {30, 72.0f}, {30, 72.0f}});
    segments = {{0, 30}, {30, 60}, {60, 90}};
    EXPECT_EQ(precise::MergeHarmonicSlips(segments, track, pitches, scratch), 3u);
}

TEST(PreciseDetectorPieces, ANewNoteStartsWhereTheOldOneStoppedBeingHeardClearly) {
    std::vector<precise::FrameCandidates> candidates(80);
    for (size_t f = 0; f < candidates.size(); ++f) {
        const bool old = f < 40;
        const float probability = f >= 30 && f < 40 ? 0.2f : 0.9f;  // the old note fading under the new
        candidates[f].count = 1;
        candidates[f].candidates[0] = {old ? 60.0f : 64.0f, probability};
    }
    std::vector<precise::PitchTrackFrame> track = TrackOf({{40, 60.0f}, {40, 64.0f}});
    std::vector<float> levels(80, 700.0f), tonal(80, 0.01f), scratch(80);
    std::vector<precise::NoteSegment> notes = {{0, 40}, {40, 80}};
    precise::MoveLegatoBoundaries(notes, {candidates, track, levels, tonal}, scratch);
    EXPECT_EQ(notes[0].endFrame, 30u);
    EXPECT_EQ(notes[1].startFrame, 30u);
    // A gap without pitch: the sound going on through it joins the notes; noise does not.
    for (size_t f = 40; f < 50; ++f) track[f] = {false, 0.0f};
    notes = {{0, 40}, {50, 80}};
    std::vector<float> noisy(80, 0.01f);
    for (size_t f = 40; f < 50; ++f) noisy[f] = 0.5f;
    precise::MoveLegatoBoundaries(notes, {candidates, track, levels, noisy}, scratch);
    EXPECT_EQ(notes[1].startFrame, 50u);
    precise::MoveLegatoBoundaries(notes, {candidates, track, levels, tonal}, scratch);
    EXPECT_EQ(notes[1].startFrame, 30u);
}

TEST(PreciseDetectorPieces, TheAttackFluxHearsANewSoundNotAGlidingPartial) {
    precise::SpectralFlux flux(precise::kFftSize);
    std::vector<float> frame(precise::kFftSize);
    auto next = [&](double hertz, double noise, uint32_t seed) {
        for (size_t i = 0; i < frame.size(); ++i) {
            seed = seed * 1664525u + 1013904223u;
            const double white = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
            frame[i] = static_cast<float>(0.3 * std::sin(kTwoPi * hertz * static_cast<double>(i) / kRate) + noise * white);
        }
        return flux.Next(frame.data());
    };
    next(1000.0, 0.0, 1);
    const precise::SpectralFlux::Rise glide = next(1012.0, 0.0, 1);  // 20 cents higher
    EXPECT_LT(glide.attackFlux, 0.2f * glide.flux);
    EXPECT_LT(glide.flatness, 0.05f);
    const precise::SpectralFlux::Rise attack = next(1012.0, 0.1, 2);
    EXPECT_GT(attack.attackFlux, 0.25f * attack.flux);
    EXPECT_GT(next(0.0, 0.1, 4).flatness, 0.3f);  // noise alone
}

}  // namespace
}  // namespace voxnote
