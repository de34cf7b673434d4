#include "voxnote/analysis/precise/notes/note_release.h"

#include <algorithm>

namespace voxnote::precise {

namespace {

constexpr float kReleaseDrop = 100.0f;  // 10 dB in log units

uint32_t LoudestFrame(const NoteSegment& note, uint32_t end, std::span<const float> fineLevels) {
    uint32_t loudest = note.startFrame;
    for (uint32_t f = note.startFrame; f < end; ++f) {
        if (fineLevels[f] > fineLevels[loudest]) loudest = f;
    }
    return loudest;
}

}  // namespace

uint32_t ReleaseEnd(const NoteSegment& note, std::span<const float> fineLevels) {
    const uint32_t end = std::min<uint32_t>(note.endFrame, static_cast<uint32_t>(fineLevels.size()));
    if (note.startFrame >= end) return note.endFrame;
    const uint32_t loudest = LoudestFrame(note, end, fineLevels);
    const float floor = fineLevels[loudest] - kReleaseDrop;
    for (uint32_t f = loudest + 1; f < end; ++f) {
        if (fineLevels[f] < floor) return f;
    }
    return note.endFrame;
}

}  // namespace voxnote::precise
