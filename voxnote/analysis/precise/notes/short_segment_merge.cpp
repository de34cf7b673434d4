#include "voxnote/analysis/precise/notes/short_segment_merge.h"

namespace voxnote::precise {

namespace {

constexpr uint32_t kShortestNote = 6;  // frames: 70 ms

uint32_t Length(const NoteSegment& segment) { return segment.endFrame - segment.startFrame; }

}  // namespace

size_t MergeShortSegments(std::span<NoteSegment> segments) {
    size_t kept = 0;
    for (size_t i = 0; i < segments.size(); ++i) {
        NoteSegment segment = segments[i];
        const bool isShort = Length(segment) < kShortestNote;
        if (isShort && i + 1 < segments.size() && segments[i + 1].startFrame == segment.endFrame) {
            segments[i + 1].startFrame = segment.startFrame;  // the attack of the next note
            continue;
        }
        if (isShort && kept > 0 && segments[kept - 1].endFrame == segment.startFrame) {
            segments[kept - 1].endFrame = segment.endFrame;  // the release of the note before
            continue;
        }
        segments[kept++] = segment;
    }
    return kept;
}

}  // namespace voxnote::precise
