#include "voxnote/analysis/precise/rhythm_hits.h"

#include <algorithm>

#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/onsets/level_change.h"
#include "voxnote/analysis/precise/onsets/loudness_level.h"
#include "voxnote/analysis/precise/onsets/onset_picking.h"
#include "voxnote/analysis/precise/onsets/onset_refinement.h"

namespace voxnote::precise {

namespace {

constexpr uint32_t kAttackFrames = 4;  // the hit's peak lies within 46 ms of its onset
constexpr float kHitRise = 30.0f;      // 3 dB in log units
constexpr float kStrongOnset = 4.0f;   // flux four times the flux around it
constexpr float kSoundStopping = 100.0f;  // 10 dB

// A strong onset is a hit even when the sound it lands on hides its level (a
// hi-hat over a decaying drum), unless the sound is stopping there; a weaker
// one must raise the level.
bool IsHit(const Onset& onset, std::span<const float> levels) {
    if (onset.strength >= kStrongOnset && !LevelFallsAt(levels, onset.frame, kSoundStopping)) return true;
    return LevelRisesAt(levels, onset.frame, kHitRise);
}

// A hit's loudness is its short-term peak: the loudest 128-sample window in
// the 46 ms from its start (a click is much shorter than a frame).
float HitLoudness(std::span<const int16_t> samples, int64_t start) {
    constexpr int kWindow = 128;
    constexpr int kStep = 32;
    float loudest = 0.0f;
    for (int64_t at = start; at < start + kAttackFrames * kHopSamples; at += kStep) {
        loudest = std::max(loudest, WindowLevel(samples, at, kWindow));
    }
    return loudest;
}

}  // namespace

void FindRhythmHits(std::span<const int16_t> samples, size_t frameCount, uint32_t releaseDrop, DetectorWork& work) {
    const size_t onsetCount = PickOnsets(std::span(work.fluxes).first(frameCount), work.onsets);
    work.noteCount = 0;
    int64_t previousStart = 0;
    for (size_t i = 0; i < onsetCount && work.noteCount < work.notes.size(); ++i) {
        const uint32_t onset = work.onsets[i].frame;
        if (!IsHit(work.onsets[i], std::span(work.levels).first(frameCount))) continue;
        const uint32_t next = i + 1 < onsetCount ? work.onsets[i + 1].frame : static_cast<uint32_t>(frameCount);
        float peak = 0.0f;
        for (uint32_t f = onset; f < std::min(next, onset + kAttackFrames); ++f) peak = std::max(peak, work.levels[f]);
        uint32_t end = onset + 1;
        while (end < next && work.levels[end] > peak - static_cast<float>(releaseDrop)) ++end;

        const int64_t length = static_cast<int64_t>(samples.size());
        const int64_t start = std::min(length, RefineOnset(samples, previousStart, FrameCentre(onset)));
        DetectedNote& hit = work.notes[work.noteCount++];
        hit.startMs = SampleToMs(start);
        hit.endMs = SampleToMs(std::clamp<int64_t>(FrameCentre(end), start, length));
        hit.pitch = 0.0f;
        hit.peakLevel = static_cast<uint32_t>(HitLoudness(samples, start));
        previousStart = start + 1;
    }
}

}  // namespace voxnote::precise
