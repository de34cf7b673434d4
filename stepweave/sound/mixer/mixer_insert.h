#pragma once
// Something the audio thread adds into every block of the mix after the
// voices: the kit played live from MIDI, whose hits start in the block that
// follows them instead of waiting for the main thread. Runs on the audio
// thread: it must not lock, wait, allocate or do I/O.
#include <cstdint>

namespace stepweave {

class MixerInsert {
public:
    virtual ~MixerInsert() = default;
    // Adds `frames` frames into the interleaved stereo block; the block's
    // first frame sounds at `firstFrameTime` on the mixer's clock.
    virtual void AddInto(float* out, int frames, uint32_t firstFrameTime) = 0;
};

}  // namespace stepweave
