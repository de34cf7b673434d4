#include "voxnote/analysis/precise/notes/harmonic_slip_merge.h"

#include <array>
#include <cmath>

#include "voxnote/analysis/precise/notes/segment_pitch.h"

namespace voxnote::precise {

namespace {

constexpr uint32_t kLongestSlip = 35;  // frames: 400 ms
constexpr uint32_t kWidestGap = 8;     // frames: 93 ms
constexpr float kSlack = 0.6f;         // semitones
constexpr float kNoPitch = -1.0f;

// Semitones from a note down to the harmonic that the track may follow
// instead (positive: the track lies below the note).
constexpr std::array<float, 7> kSlipIntervals = {12.0f, 19.02f, 24.0f, 27.86f, -12.0f, -19.02f, -24.0f};

uint32_t Length(const NoteSegment& segment) { return segment.endFrame - segment.startFrame; }

// Close enough to be one sound: touching, or parted by a few frames without a pitch.
bool Touch(const NoteSegment& before, const NoteSegment& after) {
    return after.startFrame >= before.endFrame && after.startFrame - before.endFrame <= kWidestGap;
}

bool IsSlip(const NoteSegment& slip, float slipPitch, const NoteSegment& note, float notePitch) {
    if (slipPitch == kNoPitch || notePitch == kNoPitch) return false;
    if (Length(slip) > kLongestSlip || Length(slip) >= Length(note)) return false;
    for (float interval : kSlipIntervals) {
        if (std::fabs(notePitch - slipPitch - interval) <= kSlack) return true;
    }
    return false;
}

bool SamePitch(float a, float b) { return a != kNoPitch && b != kNoPitch && std::fabs(a - b) <= 0.5f; }

}  // namespace

size_t MergeHarmonicSlips(std::span<NoteSegment> segments, std::span<const PitchTrackFrame> track,
                          std::span<float> pitches, std::span<float> scratch) {
    const size_t count = std::min(segments.size(), pitches.size());
    for (size_t i = 0; i < count; ++i) {
        if (!MedianPitch(segments[i], track, scratch, pitches[i])) pitches[i] = kNoPitch;
    }
    size_t kept = 0;
    bool endsInSlip = false;  // the last kept note took in a slip after it
    for (size_t i = 0; i < count; ++i) {
        NoteSegment segment = segments[i];
        const float pitch = pitches[i];
        if (kept > 0 && Touch(segments[kept - 1], segment)) {
            NoteSegment& before = segments[kept - 1];
            const float pitchBefore = pitches[kept - 1];
            if (IsSlip(segment, pitch, before, pitchBefore)) {
                before.endFrame = segment.endFrame;
                endsInSlip = true;
                continue;
            }
            // The note again after the slip it took in: one note.
            if (endsInSlip && SamePitch(pitch, pitchBefore)) {
                before.endFrame = segment.endFrame;
                endsInSlip = false;
                continue;
            }
            if (IsSlip(before, pitchBefore, segment, pitch)) {
                segment.startFrame = before.startFrame;
                --kept;
                // The note before the slip may be of this pitch: one note with it.
                if (kept > 0 && Touch(segments[kept - 1], segment) && SamePitch(pitch, pitches[kept - 1])) {
                    segments[kept - 1].endFrame = segment.endFrame;
                    endsInSlip = false;
                    continue;
                }
            }
        }
        segments[kept] = segment;
        pitches[kept] = pitch;
        ++kept;
        endsInSlip = false;
    }
    return kept;
}

}  // namespace voxnote::precise
