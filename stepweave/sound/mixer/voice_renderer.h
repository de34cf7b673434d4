#pragma once
// Mixes one playing sound into the output: reads the buffer's 8- or 16-bit,
// mono or stereo frames, steps through them at the buffer's own rate
// relative to the output rate (linear interpolation between neighbouring
// frames), applies the left and right gains and adds the result to the
// interleaved stereo output. Runs on the audio thread: no allocation.
#include <cstdint>

#include "stepweave/sound/wav/pcm_layout.h"
#include "stepweave/sound/mixer/sound_memory.h"

namespace stepweave {

// Playback positions and steps are frames in 32.32 fixed point.
inline constexpr int kFrameFractionBits = 32;

struct VoiceRenderState {
    const SoundMemory* memory = nullptr;
    uint32_t frames = 0;  // whole frames in the buffer
    PcmLayout layout;
    uint64_t position = 0;
    uint64_t step = uint64_t{1} << kFrameFractionBits;
    float leftGain = 1.0f;
    float rightGain = 1.0f;
    bool looping = false;

    uint32_t WholeFrame() const { return static_cast<uint32_t>(position >> kFrameFractionBits); }
};

// The step for a buffer played at `frequency` Hz into an output of `outputRate` Hz.
uint64_t StepForFrequency(uint32_t frequency, uint32_t outputRate);

// Adds `frames` frames of the voice into `out` (2 floats per frame) and
// advances it. Returns false when a one-shot has played its last frame
// (the output after that point is left as it was).
bool RenderVoice(VoiceRenderState& voice, float* out, int frames);

}  // namespace stepweave
