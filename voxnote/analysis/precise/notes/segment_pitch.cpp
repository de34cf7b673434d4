#include "voxnote/analysis/precise/notes/segment_pitch.h"

#include <algorithm>

namespace voxnote::precise {

namespace {

constexpr size_t kFewestVoicedFrames = 4;

}  // namespace

bool MedianPitch(const NoteSegment& segment, std::span<const PitchTrackFrame> track, std::span<float> scratch,
                 float& median) {
    size_t count = 0;
    const uint32_t end = std::min<uint32_t>(segment.endFrame, static_cast<uint32_t>(track.size()));
    for (uint32_t f = segment.startFrame; f < end && count < scratch.size(); ++f) {
        if (track[f].voiced) scratch[count++] = track[f].pitch;
    }
    if (count < kFewestVoicedFrames) return false;
    auto middle = scratch.begin() + static_cast<long>(count / 2);
    std::nth_element(scratch.begin(), middle, scratch.begin() + static_cast<long>(count));
    median = *middle;
    return true;
}

}  // namespace voxnote::precise
