#include "voxnote/analysis/precise/pitched_notes.h"

#include <algorithm>

#include "voxnote/analysis/precise/analysis_grid.h"
#include "voxnote/analysis/precise/notes/harmonic_slip_merge.h"
#include "voxnote/analysis/precise/notes/legato_boundary.h"
#include "voxnote/analysis/precise/notes/note_release.h"
#include "voxnote/analysis/precise/notes/reattack_split.h"
#include "voxnote/analysis/precise/notes/segment_pitch.h"
#include "voxnote/analysis/precise/notes/short_segment_merge.h"
#include "voxnote/analysis/precise/onsets/onset_picking.h"
#include "voxnote/analysis/precise/onsets/onset_refinement.h"
#include "voxnote/analysis/precise/onsets/onset_snap.h"

namespace voxnote::precise {

namespace {

// The per-frame arrays of this recording, and its onsets.
struct Frames {
    std::span<const FrameCandidates> candidates;
    std::span<const PitchTrackFrame> track;
    std::span<const uint8_t> silent;
    std::span<const float> levels;
    std::span<const float> fineLevels;
    std::span<const float> fluxes;
    std::span<const float> attackFluxes;
    std::span<const float> flatness;
    std::span<const Onset> onsets;
    std::span<const Onset> attackOnsets;
};

Frames FramesOf(DetectorWork& work, size_t frameCount) {
    const size_t onsetCount = PickOnsets(std::span(work.fluxes).first(frameCount), work.onsets);
    const size_t attackCount = PickOnsets(std::span(work.attackFluxes).first(frameCount), work.attackOnsets);
    return {std::span(work.candidates).first(frameCount), std::span(work.track).first(frameCount),
            std::span(work.silent).first(frameCount),     std::span(work.levels).first(frameCount),
            std::span(work.fineLevels).first(frameCount), std::span(work.fluxes).first(frameCount),
            std::span(work.attackFluxes).first(frameCount),
            std::span(work.flatness).first(frameCount),   std::span(work.onsets).first(onsetCount),
            std::span(work.attackOnsets).first(attackCount)};
}

// The note decode's notes, blips and slips merged away, in work.segments.
size_t DecodedNotes(const Frames& frames, DetectorWork& work) {
    const size_t decoded = work.noteSegmenter.Segment(frames.track, frames.silent, work.segments);
    const size_t kept = MergeShortSegments(std::span(work.segments).first(decoded));
    return MergeHarmonicSlips(std::span(work.segments).first(kept), frames.track, work.segmentPitches, work.pitchScratch);
}

// The decoded notes parted at re-attacks (slips merged again, which a split
// may have parted from their notes), their boundaries where one note passes
// into the next and their starts on the onsets before them, in
// work.splitSegments.
size_t PartedNotes(const Frames& frames, size_t decoded, DetectorWork& work) {
    const ReattackEvidence reattacks{frames.onsets, frames.attackOnsets, frames.levels, frames.fineLevels,
                                     frames.fluxes};
    const size_t split = SplitAtReattacks(std::span(work.segments).first(decoded), reattacks, work.splitSegments);
    const size_t count = MergeHarmonicSlips(std::span(work.splitSegments).first(split), frames.track,
                                            work.segmentPitches, work.pitchScratch);
    const std::span<NoteSegment> notes = std::span(work.splitSegments).first(count);
    MoveLegatoBoundaries(notes, {frames.candidates, frames.track, frames.fineLevels, frames.flatness}, work.pitchScratch);
    SnapStartsToOnsets(notes, frames.onsets, frames.levels);
    return count;
}

float PeakLevel(const NoteSegment& segment, std::span<const float> levels) {
    float peak = 0.0f;
    for (uint32_t f = segment.startFrame; f < segment.endFrame; ++f) peak = std::max(peak, levels[f]);
    return peak;
}

}  // namespace

void FindPitchedNotes(std::span<const int16_t> samples, size_t frameCount, DetectorWork& work) {
    work.pitchTrackDecoder.Decode(std::span(work.candidates).first(frameCount), std::span(work.track).first(frameCount));
    const Frames frames = FramesOf(work, frameCount);
    const size_t count = PartedNotes(frames, DecodedNotes(frames, work), work);

    work.noteCount = 0;
    int64_t previousEnd = 0;
    for (size_t i = 0; i < count && work.noteCount < work.notes.size(); ++i) {
        const NoteSegment& segment = work.splitSegments[i];
        float pitch = 0.0f;
        if (!MedianPitch(segment, frames.track, work.pitchScratch, pitch)) continue;
        const int64_t length = static_cast<int64_t>(samples.size());
        const int64_t start = std::min(length, RefineOnset(samples, previousEnd, FrameCentre(segment.startFrame)));
        const int64_t end = std::clamp<int64_t>(FrameCentre(ReleaseEnd(segment, frames.fineLevels)), start, length);
        DetectedNote& note = work.notes[work.noteCount++];
        note.startMs = SampleToMs(start);
        note.endMs = SampleToMs(end);
        note.pitch = pitch;
        note.peakLevel = static_cast<uint32_t>(PeakLevel(segment, frames.levels));
        previousEnd = end;
    }
}

}  // namespace voxnote::precise
