#include "voxnote/analysis/precise/notes/note_segmentation.h"

#include <algorithm>
#include <array>

namespace voxnote::precise {

namespace {

// Costs (negative log-probabilities) of the note decode.
constexpr float kPitchSpread = 0.45f;   // semitones
constexpr float kLargestMiss = 8.0f;    // a voiced frame far from the note costs no more than this
constexpr float kVoicedInSilence = 3.0f;
constexpr float kUnvoicedInNote = 1.0f;
constexpr float kSilentInNote = 4.0f;
constexpr float kStartNote = 4.0f;
constexpr float kEndNote = 4.0f;
constexpr float kChangeNote = 6.0f;
constexpr int kSilence = 0;

}  // namespace

NoteSegmenter::NoteSegmenter(size_t largestFrameCount) : cameFrom_(largestFrameCount * kStates) {}

size_t NoteSegmenter::Segment(std::span<const PitchTrackFrame> track, std::span<const uint8_t> silent,
                              std::span<NoteSegment> segments) {
    const size_t count = std::min({track.size(), silent.size(), cameFrom_.size() / kStates});
    if (count == 0 || segments.empty()) return 0;

    std::array<float, kStates> cost{};
    std::array<float, kStates> next{};
    auto emission = [&](size_t t, int state) {
        const PitchTrackFrame& frame = track[t];
        if (state == kSilence) return frame.voiced ? kVoicedInSilence : 0.0f;
        if (!frame.voiced) return silent[t] ? kSilentInNote : kUnvoicedInNote;
        const float distance = (frame.pitch - static_cast<float>(kLowestNote + state - 1)) / kPitchSpread;
        return std::min(0.5f * distance * distance, kLargestMiss);
    };
    for (int s = 0; s < kStates; ++s) cost[static_cast<size_t>(s)] = emission(0, s) + (s == kSilence ? 0.0f : kStartNote);

    for (size_t t = 1; t < count; ++t) {
        // The cheapest note of the frame before: every note change comes from it.
        int bestNote = 1;
        for (int s = 2; s < kStates; ++s) {
            if (cost[static_cast<size_t>(s)] < cost[static_cast<size_t>(bestNote)]) bestNote = s;
        }
        uint8_t* from = &cameFrom_[t * kStates];
        const float silence = cost[kSilence];
        const float ending = cost[static_cast<size_t>(bestNote)] + kEndNote;
        next[kSilence] = std::min(silence, ending) + emission(t, kSilence);
        from[kSilence] = static_cast<uint8_t>(silence <= ending ? kSilence : bestNote);
        for (int s = 1; s < kStates; ++s) {
            float best = cost[static_cast<size_t>(s)];
            int bestFrom = s;
            if (silence + kStartNote < best) {
                best = silence + kStartNote;
                bestFrom = kSilence;
            }
            if (bestNote != s && cost[static_cast<size_t>(bestNote)] + kChangeNote < best) {
                best = cost[static_cast<size_t>(bestNote)] + kChangeNote;
                bestFrom = bestNote;
            }
            next[static_cast<size_t>(s)] = best + emission(t, s);
            from[s] = static_cast<uint8_t>(bestFrom);
        }
        cost = next;
    }

    // Trace back, collecting the note runs from the end.
    int state = static_cast<int>(std::min_element(cost.begin(), cost.end()) - cost.begin());
    size_t found = 0;
    uint32_t runEnd = static_cast<uint32_t>(count);
    for (size_t t = count; t-- > 0;) {
        const int before = t > 0 ? cameFrom_[t * kStates + static_cast<size_t>(state)] : kSilence;
        const bool runStartsHere = state != kSilence && (t == 0 || before != state);
        if (runStartsHere && found < segments.size()) {
            segments[found++] = {static_cast<uint32_t>(t), runEnd};
        }
        if (before != state) runEnd = static_cast<uint32_t>(t);
        state = before;
    }
    std::reverse(segments.begin(), segments.begin() + static_cast<long>(found));
    return found;
}

}  // namespace voxnote::precise
