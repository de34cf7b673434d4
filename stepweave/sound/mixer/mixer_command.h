#pragma once
// What the main thread asks of the audio thread, and what the audio thread
// gives back to be freed. Both travel through lock-free queues.
#include <cstdint>

namespace stepweave {

class MixerVoice;
class SoundMemory;

struct MixerCommand {
    enum class Kind : uint8_t {
        // Timed: applied at the frame of their clock time plus the latency.
        Play,
        Release,
        // Immediate: applied at the start of the next callback.
        Stop,
        SetLooping,
        SetCursor,
        SetStep,
        SetGains,
        SetMemory,
    };

    Kind kind = Kind::Stop;
    MixerVoice* voice = nullptr;
    uint32_t time = 0;        // Play, Release: clock time of the request
    uint32_t value = 0;       // Play: generation; SetCursor: frame
    bool flag = false;        // Play, SetLooping: looping
    uint64_t step = 0;        // SetStep
    float leftGain = 1.0f;    // SetGains
    float rightGain = 1.0f;
    SoundMemory* memory = nullptr;  // SetMemory
};

// Returned by the audio thread: a released voice, or a memory block it no
// longer reads.
struct MixerGarbage {
    MixerVoice* voice = nullptr;
    SoundMemory* memory = nullptr;
};

}  // namespace stepweave
