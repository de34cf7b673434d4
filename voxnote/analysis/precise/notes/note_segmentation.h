#pragma once
// Notes from the frame pitch track: a second Viterbi decode, over one
// silence state and one state per MIDI note. A voiced frame costs a note
// state the squared distance of its pitch from the note (in units of 0.45
// semitone, capped), so vibrato and drift stay inside one note; it costs the
// silence state a fixed price, as an unvoiced frame costs a note state (more
// when the frame is silent). Starting, ending and changing a note have fixed
// prices, so a note changes only when its new pitch holds for a few frames,
// and the boundary lands where the pitch changed.
#include <cstdint>
#include <span>
#include <vector>

#include "voxnote/analysis/precise/pitch/pitch_track.h"

namespace voxnote::precise {

struct NoteSegment {
    uint32_t startFrame = 0;
    uint32_t endFrame = 0;  // one past the last frame
};

class NoteSegmenter {
public:
    explicit NoteSegmenter(size_t largestFrameCount);

    // track and silent (a frame too quiet to hold a note) have one entry per
    // frame; writes the notes in order to segments and returns how many.
    size_t Segment(std::span<const PitchTrackFrame> track, std::span<const uint8_t> silent,
                   std::span<NoteSegment> segments);

private:
    static constexpr int kLowestNote = 29;
    static constexpr int kHighestNote = 105;
    static constexpr int kStates = kHighestNote - kLowestNote + 2;  // silence, then the notes
    std::vector<uint8_t> cameFrom_;
};

}  // namespace voxnote::precise
