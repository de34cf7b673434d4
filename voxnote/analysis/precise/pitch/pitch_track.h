#pragma once
// The frame pitch track: a Viterbi decode over each frame's YIN candidates
// and one unvoiced state. A voiced frame's likelihood is its candidate's
// probability, the unvoiced state's is what the candidates leave; moving
// between candidates costs little for a small glide and a fixed price for a
// jump (a jump by whole octaves is taken for ten times less likely than
// another: far more often the wrong octave's candidate than a sung or played
// leap), and switching voicing costs a fixed price. The decode picks the one
// path through the whole file that explains it best, so a frame whose best
// candidate is an octave off follows its neighbours instead.
#include <cstdint>
#include <span>
#include <vector>

#include "voxnote/analysis/precise/pitch/yin_candidates.h"

namespace voxnote::precise {

struct PitchTrackFrame {
    bool voiced = false;
    float pitch = 0;  // MIDI semitones when voiced
};

class PitchTrackDecoder {
public:
    explicit PitchTrackDecoder(size_t largestFrameCount);

    // Decodes frames.size() frames (at most the largest count) into track.
    void Decode(std::span<const FrameCandidates> frames, std::span<PitchTrackFrame> track);

private:
    static constexpr int kStates = kMostCandidates + 1;  // the candidates, then unvoiced
    static constexpr int kUnvoiced = kMostCandidates;

    // Backpointers: for each frame and state, the state of the frame before.
    std::vector<uint8_t> cameFrom_;
};

}  // namespace voxnote::precise
