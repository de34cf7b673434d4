#include "voxnote/analysis/precise/pitched_notes.h"

#include <algorithm>

#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/onsets/onset_picking.h"
#include "voxnote/analysis/precise/onsets/onset_refinement.h"
#include "voxnote/analysis/precise/onsets/onset_snap.h"
#include "voxnote/analysis/precise/notes/harmonic_slip_merge.h"
#include "voxnote/analysis/precise/notes/legato_boundary.h"
#include "voxnote/analysis/precise/notes/note_release.h"
#include "voxnote/analysis/precise/notes/reattack_split.h"
#include "voxnote/analysis/precise/notes/segment_pitch.h"
#include "voxnote/analysis/precise/notes/short_segment_merge.h"

namespace voxnote::precise {

namespace {

float PeakLevel(const NoteSegment& segment, const DetectorWork& work) {
    float peak = 0.0f;
    for (uint32_t f = segment.startFrame; f < segment.endFrame; ++f) peak = std::max(peak, work.levels[f]);
    return peak;
}

}  // namespace

void FindPitchedNotes(std::span<const int16_t> samples, size_t frameCount, DetectorWork& work) {
    work.pitchTrackDecoder.Decode(std::span(work.candidates).first(frameCount), std::span(work.track).first(frameCount));
    const size_t segmentCount = work.noteSegmenter.Segment(std::span(work.track).first(frameCount),
                                                           std::span(work.silent).first(frameCount), work.segments);
    const size_t onsetCount = PickOnsets(std::span(work.fluxes).first(frameCount), work.onsets);
    const size_t attackCount = PickOnsets(std::span(work.attackFluxes).first(frameCount), work.attackOnsets);
    const std::span<const PitchTrackFrame> track = std::span(work.track).first(frameCount);
    const std::span<const float> fineLevels = std::span(work.fineLevels).first(frameCount);
    const size_t shortMerged = MergeShortSegments(std::span(work.segments).first(segmentCount));
    const size_t mergedCount =
        MergeHarmonicSlips(std::span(work.segments).first(shortMerged), track, work.segmentPitches, work.pitchScratch);
    const ReattackEvidence evidence{std::span(work.onsets).first(onsetCount),
                                    std::span(work.attackOnsets).first(attackCount),
                                    std::span(work.levels).first(frameCount),
                                    fineLevels,
                                    std::span(work.attackFluxes).first(frameCount)};
    const size_t splitCount = SplitAtReattacks(std::span(work.segments).first(mergedCount), evidence, work.splitSegments);
    MoveLegatoBoundaries(std::span(work.splitSegments).first(splitCount),
                         {std::span(work.candidates).first(frameCount), track, fineLevels,
                          std::span(work.flatness).first(frameCount)},
                         work.pitchScratch);
    SnapStartsToOnsets(std::span(work.splitSegments).first(splitCount), std::span(work.onsets).first(onsetCount),
                       std::span(work.levels).first(frameCount));

    work.noteCount = 0;
    int64_t previousEnd = 0;
    for (size_t i = 0; i < splitCount && work.noteCount < work.notes.size(); ++i) {
        const NoteSegment& segment = work.splitSegments[i];
        float pitch = 0.0f;
        if (!MedianPitch(segment, track, work.pitchScratch, pitch)) continue;
        const int64_t start = RefineOnset(samples, previousEnd, FrameCentre(segment.startFrame));
        const int64_t end = FrameCentre(ReleaseEnd(segment, fineLevels));
        DetectedNote& note = work.notes[work.noteCount++];
        note.startMs = SampleToMs(start);
        note.endMs = SampleToMs(std::min<int64_t>(end, static_cast<int64_t>(samples.size())));
        note.pitch = pitch;
        note.peakLevel = static_cast<uint32_t>(PeakLevel(segment, work));
        previousEnd = end;
    }
}

}  // namespace voxnote::precise
