#pragma once
// Everything one precise detector works in, sized once for its longest
// recording: the per-frame measurements, the decoders' tables and the notes
// and events that come out.
#include <cstdint>
#include <vector>

#include "voxnote/analysis/notes/note_event.h"
#include "voxnote/analysis/precise/detected_note.h"
#include "voxnote/analysis/precise/notes/note_segmentation.h"
#include "voxnote/analysis/precise/onsets/onset_picking.h"
#include "voxnote/analysis/precise/pitch/pitch_track.h"
#include "voxnote/analysis/precise/onsets/spectral_flux.h"
#include "voxnote/analysis/precise/pitch/yin_candidates.h"
#include "voxnote/analysis/precise/pitch/yin_difference.h"

namespace voxnote::precise {

struct DetectorWork {
    explicit DetectorWork(size_t largestFrameCount);

    // One frame's samples as floats: the difference function's frame and the
    // centred frame of the flux and the level.
    std::vector<float> yinFrame;
    std::vector<float> centredFrame;
    std::vector<float> squaredDifference;
    std::vector<float> normalisedDifference;

    YinDifference difference;
    YinThresholdPrior thresholdPrior;
    SpectralFlux flux;
    PitchTrackDecoder pitchTrackDecoder;
    NoteSegmenter noteSegmenter;

    // Per frame.
    std::vector<FrameCandidates> candidates;
    std::vector<float> levels;          // log units, over the 46 ms frame
    std::vector<float> fineLevels;      // log units, over its middle 23 ms
    std::vector<uint8_t> silent;        // too quiet to hold a note
    std::vector<float> fluxes;
    std::vector<float> attackFluxes;    // the flux that no glide explains
    std::vector<float> flatness;        // spectral flatness: near 0 tonal, near 0.56 noise
    std::vector<PitchTrackFrame> track;
    std::vector<Onset> onsets;
    std::vector<Onset> attackOnsets;    // the onsets of the attack flux
    std::vector<NoteSegment> segments;
    std::vector<float> segmentPitches;  // each segment's median pitch, while slips are merged
    std::vector<NoteSegment> splitSegments;
    std::vector<float> pitchScratch;    // a note's voiced pitches, for the median

    // Results.
    std::vector<DetectedNote> notes;
    size_t noteCount = 0;
    std::vector<NoteEvent> events;
    size_t eventCount = 0;
};

}  // namespace voxnote::precise
