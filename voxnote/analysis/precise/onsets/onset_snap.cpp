#include "voxnote/analysis/precise/onsets/onset_snap.h"

#include <algorithm>

#include "voxnote/analysis/precise/onsets/level_change.h"

namespace voxnote::precise {

namespace {

constexpr uint32_t kReach = 8;          // frames before the start: 93 ms
constexpr uint32_t kShortestPart = 4;   // frames the note before keeps
constexpr float kStrongOnset = 4.0f;
constexpr float kSoundStopping = 100.0f;  // 10 dB

}  // namespace

void SnapStartsToOnsets(std::span<NoteSegment> segments, std::span<const Onset> onsets,
                        std::span<const float> levels) {
    size_t next = 0;
    for (size_t i = 0; i < segments.size(); ++i) {
        NoteSegment& segment = segments[i];
        const uint32_t earliest = std::max({segment.startFrame > kReach ? segment.startFrame - kReach : 0u,
                                            i > 0 ? segments[i - 1].startFrame + kShortestPart : 0u});
        while (next < onsets.size() && onsets[next].frame < earliest) ++next;
        // The strongest onset in reach, the earlier one of equals.
        size_t best = onsets.size();
        for (size_t k = next; k < onsets.size() && onsets[k].frame < segment.startFrame; ++k) {
            const bool stronger = best == onsets.size() || onsets[k].strength > onsets[best].strength;
            if (onsets[k].strength >= kStrongOnset && stronger && !LevelFallsAt(levels, onsets[k].frame, kSoundStopping)) {
                best = k;
            }
        }
        if (best == onsets.size()) continue;
        segment.startFrame = onsets[best].frame;
        if (i > 0) segments[i - 1].endFrame = std::min(segments[i - 1].endFrame, segment.startFrame);
    }
}

}  // namespace voxnote::precise
