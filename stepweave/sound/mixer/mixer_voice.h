#pragma once
// One sound buffer as the mixer plays it. The main thread drives it through
// the methods below, which send commands to the audio thread; the audio
// thread reports back through a few atomics (play cursor, end of a one-shot,
// whether it is reading the buffer). The main thread keeps its own view of
// the state so that what it asked for is visible at once, even though the
// audio thread only applies it at the next callback or, for Play, at the
// request time plus the latency.
//
// Generations tie the two views together: every Play from the stopped state
// and every Stop advances the voice's generation, a Play carries the
// generation it was issued in, and the audio thread drops a Play whose
// generation is no longer current (it was stopped before it sounded).
#include <atomic>
#include <cstdint>

#include "stepweave/sound/wav/pcm_layout.h"
#include "stepweave/sound/mixer/sound_memory.h"
#include "stepweave/sound/mixer/voice_renderer.h"

namespace stepweave {

class Mixer;

class MixerVoice {
public:
    MixerVoice(const MixerVoice&) = delete;
    MixerVoice& operator=(const MixerVoice&) = delete;

    // --- main thread ---
    // A false result means the command queue was full and nothing changed.
    bool Play(bool looping);
    bool Stop();
    bool SetCursor(uint32_t frame);
    bool SetFrequency(uint32_t frequency);
    bool SetGains(float leftGain, float rightGain);
    // Gives the voice a new block to read; the old one is kept alive until
    // the audio thread has let go of it.
    bool ReplaceMemory(SharedSoundMemory memory);

    bool IsPlaying();
    bool IsLooping() { return IsPlaying() && looping_; }
    // The frame the voice plays next (what was asked for, if not yet applied).
    uint32_t CursorFrame() const;
    // True when the audio thread neither reads this voice's memory nor will
    // without a new Play: its bytes may then be rewritten freely.
    bool IsQuiet() const;

    const SharedSoundMemory& Memory() const { return memory_; }
    const PcmLayout& Layout() const { return layout_; }
    uint32_t Frames() const { return frames_; }

private:
    friend class Mixer;
    MixerVoice(Mixer& mixer, SharedSoundMemory memory, const PcmLayout& layout, uint32_t frequency);

    Mixer& mixer_;
    const PcmLayout layout_;
    const uint32_t frames_;

    // Main thread only.
    SharedSoundMemory memory_;
    bool playing_ = false;
    bool looping_ = false;
    uint32_t generation_ = 0;
    uint32_t playsSent_ = 0;
    uint32_t cursorSetsSent_ = 0;
    uint32_t requestedCursor_ = 0;

    // Written by the main thread, read by the audio thread.
    std::atomic<uint32_t> currentGeneration_{0};
    // Written by the audio thread, read by the main thread.
    std::atomic<uint32_t> endedGeneration_{0};
    std::atomic<uint32_t> cursorFrame_{0};
    std::atomic<uint32_t> cursorSetsApplied_{0};
    std::atomic<uint32_t> playsApplied_{0};
    std::atomic<bool> sounding_{false};

    // Audio thread only.
    VoiceRenderState render_;
    uint32_t renderGeneration_ = 0;
    int soundingIndex_ = -1;
};

}  // namespace stepweave
