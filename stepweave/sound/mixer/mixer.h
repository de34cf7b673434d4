#pragma once
// The software mixer: every playing sound buffer of the program summed into
// one 44100 Hz stereo output, inside the audio callback of a backend.
//
// Threads: the main thread creates, drives and releases voices; the audio
// thread calls Process. They share nothing but lock-free queues and atomics:
// commands go in, released voices and memory blocks come back out to be
// freed on the main thread. Process never locks, waits, allocates or frees.
//
// Timing: a Play is stamped with the clock when the main thread issues it
// and sounds at the output frame that corresponds to that time plus the
// latency, at its exact offset inside the audio buffer, so steps played at
// regular times land at regular frames. Other commands (stop, cursor,
// frequency, gains) take effect at the start of the next callback.
#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "stepweave/sound/mixer/clock_to_frame_mapping.h"
#include "stepweave/sound/timing/millisecond_clock.h"
#include "stepweave/sound/mixer/mixer_command.h"
#include "stepweave/sound/mixer/mixer_insert.h"
#include "stepweave/sound/mixer/mixer_voice.h"
#include "stepweave/sound/mixer/spsc_queue.h"

namespace stepweave {

class Mixer {
public:
    static constexpr uint32_t kSampleRate = 44100;
    static constexpr int kChannels = 2;
    // Voices that can sound at once; a play beyond this ends at once, unheard.
    static constexpr int kMaxSoundingVoices = 512;
    static constexpr size_t kQueueCapacity = 16384;

    Mixer(MillisecondClock& clock, uint32_t latencyMilliseconds);
    // Call only when no backend calls Process any more. Frees every voice.
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // --- main thread ---
    MillisecondClock& Clock() { return clock_; }
    uint32_t LatencyMilliseconds() const { return latency_; }
    // While a time is set, plays and releases are stamped with it instead of
    // the clock's reading: a step that was due at t but that the main thread
    // starts a little later still sounds at t plus the latency. Unset, the
    // stamp is the clock's reading again.
    void SetStampTime(std::optional<uint32_t> time) { stampTime_ = time; }
    // A voice over `memory` at `frequency` Hz, stopped at frame 0, full gain.
    // It stays valid until ReleaseVoice.
    MixerVoice* CreateVoice(SharedSoundMemory memory, const PcmLayout& layout, uint32_t frequency);
    // Stops the voice and hands it to the audio thread to let go of; it is
    // freed by a later CollectGarbage.
    void ReleaseVoice(MixerVoice* voice);
    // Frees what the audio thread has given back. Called by every other
    // main-thread entry, so callers rarely need it.
    void CollectGarbage();
    // Voices created and not yet freed.
    size_t VoiceCount() const { return voices_.size(); }
    // The insert the audio thread adds into every block from the next one
    // on (one at a time). Detaching returns once the audio thread is out of
    // it, so that it may then be destroyed.
    void AttachInsert(MixerInsert* insert) { insert_.store(insert); }
    void DetachInsert();

    // --- audio thread ---
    // Renders `frames` frames of interleaved stereo into out. The block's
    // first frame is taken to sound now, by the clock; a device that knows
    // better when it sounds (one paced by the clock itself) says when.
    void Process(float* out, int frames);
    void Process(float* out, int frames, uint32_t firstFrameTime);

    // Frames rendered so far (readable from any thread).
    int64_t RenderedFrames() const { return publishedFrames_.load(std::memory_order_acquire); }

private:
    friend class MixerVoice;

    // Main thread.
    bool SendImmediate(const MixerCommand& command);
    bool SendTimed(MixerCommand command);
    void KeepUntilReleased(SharedSoundMemory memory);

    // Audio thread.
    bool ApplyImmediateCommands();
    bool ApplyImmediate(const MixerCommand& command);
    bool ApplyTimed(const MixerCommand& command);
    void StartSounding(MixerVoice& voice, uint32_t generation, bool looping);
    void StopSounding(MixerVoice& voice);
    void RenderSounding(float* out, int frames);
    void PublishCursors();

    MillisecondClock& clock_;
    const uint32_t latency_;

    SpscQueue<MixerCommand> immediate_{kQueueCapacity};
    SpscQueue<MixerCommand> timed_{kQueueCapacity};
    SpscQueue<MixerGarbage> garbage_{kQueueCapacity * 2};

    // Main thread only.
    std::optional<uint32_t> stampTime_;
    std::unordered_set<MixerVoice*> voices_;
    std::vector<SharedSoundMemory> retiring_;

    // Audio thread only.
    ClockToFrameMapping mapping_{kSampleRate};
    std::array<MixerVoice*, kMaxSoundingVoices> sounding_{};
    int soundingCount_ = 0;
    int64_t renderedFrames_ = 0;

    std::atomic<int64_t> publishedFrames_{0};
    std::atomic<MixerInsert*> insert_{nullptr};
    std::atomic<bool> inInsert_{false};
};

}  // namespace stepweave
