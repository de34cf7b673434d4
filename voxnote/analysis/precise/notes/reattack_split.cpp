#include "voxnote/analysis/precise/notes/reattack_split.h"

#include <algorithm>

#include "voxnote/analysis/precise/onsets/level_change.h"

namespace voxnote::precise {

namespace {

constexpr uint32_t kShortestPart = 4;  // frames (46 ms) on either side of a split
constexpr float kStrongOnset = 4.0f;
constexpr float kRiseUnderStrongOnset = 20.0f;  // 2 dB in log units
constexpr float kRiseUnderWeakOnset = 60.0f;    // 6 dB: more than a sounding note swells

bool IsReattack(const Onset& onset, std::span<const float> levels) {
    const float rise = onset.strength >= kStrongOnset ? kRiseUnderStrongOnset : kRiseUnderWeakOnset;
    return LevelRisesAt(levels, onset.frame, rise);
}

}  // namespace

size_t SplitAtReattacks(std::span<const NoteSegment> segments, std::span<const Onset> onsets,
                        std::span<const float> levels, std::span<NoteSegment> split) {
    size_t written = 0;
    size_t nextOnset = 0;
    for (const NoteSegment& segment : segments) {
        uint32_t start = segment.startFrame;
        while (nextOnset < onsets.size() && onsets[nextOnset].frame < start + kShortestPart) ++nextOnset;
        while (nextOnset < onsets.size() && onsets[nextOnset].frame + kShortestPart <= segment.endFrame) {
            const Onset& onset = onsets[nextOnset++];
            if (onset.frame < start + kShortestPart || !IsReattack(onset, levels)) continue;
            if (written < split.size()) split[written++] = {start, onset.frame};
            start = onset.frame;
        }
        if (written < split.size()) split[written++] = {start, segment.endFrame};
    }
    return written;
}

}  // namespace voxnote::precise
