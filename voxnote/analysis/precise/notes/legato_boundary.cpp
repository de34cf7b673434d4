#include "voxnote/analysis/precise/notes/legato_boundary.h"

#include <algorithm>
#include <cmath>

#include "voxnote/analysis/precise/notes/segment_pitch.h"

namespace voxnote::precise {

namespace {

constexpr float kNear = 0.75f;          // semitones from the note's pitch
constexpr float kClearShare = 0.6f;     // of the note's typical probability
constexpr uint32_t kLongestMove = 25;   // frames: 290 ms
constexpr uint32_t kShortestNote = 4;   // frames: 46 ms

float ProbabilityNear(const FrameCandidates& frame, float pitch) {
    float probability = 0.0f;
    for (int i = 0; i < frame.count; ++i) {
        const PitchCandidate& candidate = frame.candidates[static_cast<size_t>(i)];
        if (std::fabs(candidate.pitch - pitch) <= kNear) probability = std::max(probability, candidate.probability);
    }
    return probability;
}

// The median, over the note's frames, of the probability of its pitch.
float TypicalProbability(const NoteSegment& note, float pitch, const LegatoEvidence& evidence, std::span<float> scratch) {
    size_t count = 0;
    for (uint32_t f = note.startFrame; f < note.endFrame && count < scratch.size(); ++f) {
        scratch[count++] = ProbabilityNear(evidence.candidates[f], pitch);
    }
    if (count == 0) return 0.0f;
    auto middle = scratch.begin() + static_cast<long>(count / 2);
    std::nth_element(scratch.begin(), middle, scratch.begin() + static_cast<long>(count));
    return *middle;
}

}  // namespace

void MoveLegatoBoundaries(std::span<NoteSegment> segments, const LegatoEvidence& evidence, std::span<float> scratch) {
    for (size_t i = 0; i + 1 < segments.size(); ++i) {
        NoteSegment& before = segments[i];
        NoteSegment& after = segments[i + 1];
        if (before.endFrame != after.startFrame || before.endFrame > evidence.candidates.size()) continue;
        float pitch = 0.0f, next = 0.0f;
        if (!MedianPitch(before, evidence.track, scratch, pitch) || !MedianPitch(after, evidence.track, scratch, next)) {
            continue;
        }
        if (std::fabs(pitch - next) <= 0.5f) continue;
        const float clear = kClearShare * TypicalProbability(before, pitch, evidence, scratch);
        const uint32_t earliest = std::max(before.startFrame + kShortestNote,
                                           before.endFrame > kLongestMove ? before.endFrame - kLongestMove : 0u);
        uint32_t boundary = before.endFrame;
        while (boundary > earliest && ProbabilityNear(evidence.candidates[boundary - 1], pitch) < clear) --boundary;
        before.endFrame = boundary;
        after.startFrame = boundary;
    }
}

}  // namespace voxnote::precise
