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
constexpr float kSoundGoesOn = 100.0f;  // 10 dB below the old note's loudest, in log units
constexpr float kFlattestTonal = 0.25f;  // spectral flatness: white noise lies near 0.56

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

float Loudest(std::span<const float> levels, uint32_t from, uint32_t to) {
    float loudest = 0.0f;
    for (uint32_t f = from; f < to; ++f) loudest = std::max(loudest, levels[f]);
    return loudest;
}

// A gap after `before` that the sound goes on through, without a pitch.
bool SoundsThrough(const NoteSegment& before, const NoteSegment& after, const LegatoEvidence& evidence) {
    if (after.startFrame <= before.endFrame || after.startFrame - before.endFrame > kLongestMove) return false;
    if (after.startFrame > evidence.fineLevels.size() || after.startFrame > evidence.flatness.size()) return false;
    const float floor = Loudest(evidence.fineLevels, before.startFrame, before.endFrame) - kSoundGoesOn;
    for (uint32_t f = before.endFrame; f < after.startFrame; ++f) {
        if (evidence.fineLevels[f] < floor || evidence.flatness[f] > kFlattestTonal) return false;
    }
    return true;
}

}  // namespace

void MoveLegatoBoundaries(std::span<NoteSegment> segments, const LegatoEvidence& evidence, std::span<float> scratch) {
    for (size_t i = 0; i + 1 < segments.size(); ++i) {
        NoteSegment& before = segments[i];
        NoteSegment& after = segments[i + 1];
        if (before.endFrame > evidence.candidates.size()) continue;
        if (before.endFrame != after.startFrame && !SoundsThrough(before, after, evidence)) continue;
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
