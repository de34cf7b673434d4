#include "voxnote/analysis/precise/reattack_split.h"

#include <algorithm>

#include "voxnote/analysis/precise/level_rise.h"

namespace voxnote::precise {

namespace {

constexpr uint32_t kShortestPart = 4;  // frames (46 ms) on either side of a split
// 6 dB: a sounding note swells by less, a new attack on it rises by more.
constexpr float kReattackRise = 60.0f;

}  // namespace

size_t SplitAtReattacks(std::span<const NoteSegment> segments, std::span<const uint32_t> onsets,
                        std::span<const float> levels, std::span<NoteSegment> split) {
    size_t written = 0;
    size_t nextOnset = 0;
    for (const NoteSegment& segment : segments) {
        uint32_t start = segment.startFrame;
        while (nextOnset < onsets.size() && onsets[nextOnset] < start + kShortestPart) ++nextOnset;
        while (nextOnset < onsets.size() && onsets[nextOnset] + kShortestPart <= segment.endFrame) {
            const uint32_t onset = onsets[nextOnset++];
            if (onset < start + kShortestPart || !LevelRisesAt(levels, onset, kReattackRise)) continue;
            if (written < split.size()) split[written++] = {start, onset};
            start = onset;
        }
        if (written < split.size()) split[written++] = {start, segment.endFrame};
    }
    return written;
}

}  // namespace voxnote::precise
