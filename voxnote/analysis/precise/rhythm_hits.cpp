#include "voxnote/analysis/precise/rhythm_hits.h"

#include <algorithm>

#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/level_rise.h"
#include "voxnote/analysis/precise/onset_picking.h"
#include "voxnote/analysis/precise/onset_refinement.h"

namespace voxnote::precise {

namespace {

constexpr uint32_t kAttackFrames = 4;  // the hit's peak lies within 46 ms of its onset
constexpr float kHitRise = 30.0f;      // 3 dB in log units

}  // namespace

void FindRhythmHits(std::span<const int16_t> samples, size_t frameCount, uint32_t releaseDrop, DetectorWork& work) {
    const size_t onsetCount = PickOnsets(std::span(work.fluxes).first(frameCount), work.onsets);
    work.noteCount = 0;
    int64_t previousStart = 0;
    for (size_t i = 0; i < onsetCount && work.noteCount < work.notes.size(); ++i) {
        const uint32_t onset = work.onsets[i];
        if (!LevelRisesAt(std::span(work.levels).first(frameCount), onset, kHitRise)) continue;
        const uint32_t next = i + 1 < onsetCount ? work.onsets[i + 1] : static_cast<uint32_t>(frameCount);
        float peak = 0.0f;
        for (uint32_t f = onset; f < std::min(next, onset + kAttackFrames); ++f) peak = std::max(peak, work.levels[f]);
        uint32_t end = onset + 1;
        while (end < next && work.levels[end] > peak - static_cast<float>(releaseDrop)) ++end;

        const int64_t start = RefineOnset(samples, previousStart, FrameCentre(onset));
        DetectedNote& hit = work.notes[work.noteCount++];
        hit.startMs = SampleToMs(start);
        hit.endMs = SampleToMs(std::min<int64_t>(FrameCentre(end), static_cast<int64_t>(samples.size())));
        hit.pitch = 0.0f;
        hit.peakLevel = static_cast<uint32_t>(peak);
        previousStart = start + 1;
    }
}

}  // namespace voxnote::precise
