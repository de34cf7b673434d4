#pragma once
// The built-in synthesizer's sound: a General MIDI soundfont played by
// FluidSynth, rendered into stereo float frames on request.
//
// Messages are posted from the senders' side (one at a time) into a ring,
// each with the time it is due; Render, called on the audio thread, hands
// each to the synthesizer at its own sample of the buffer and renders. The
// synthesizer is touched by that one thread only, with its own locking
// turned off, so rendering never waits, allocates or does I/O.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include <fluidsynth/types.h>

#include "voxnote/app/shell/message_ring.h"

namespace voxnote {

class SynthRenderer {
public:
    // Loads the soundfont for rendering at `sampleRate`. Null when it
    // cannot; `failure` then says why.
    static std::unique_ptr<SynthRenderer> Create(const std::filesystem::path& soundfont, double sampleRate,
                                                 std::string& failure);
    ~SynthRenderer();
    SynthRenderer(const SynthRenderer&) = delete;
    SynthRenderer& operator=(const SynthRenderer&) = delete;

    double SampleRate() const { return sampleRate_; }

    // Sender side: the message is due at `dueUs` on the clock that Render's
    // buffer times are given in; without a time it plays at the start of the
    // next buffer. False when the ring is full.
    bool Post(uint32_t message, int64_t dueUs = kAtOnce);

    // Audio thread: renders `frames` stereo frames, interleaved left/right,
    // for the buffer that begins at `bufferStartUs`. A message due inside it
    // starts at its own frame; one already late, at the first; later ones
    // wait for their buffer.
    void Render(float* interleaved, unsigned frames, int64_t bufferStartUs = 0);
    // Audio thread: voices still sounding (a released note rings on).
    int ActiveVoices() const;
    // Audio thread: messages posted and not yet played.
    bool HasPending() const;

    static constexpr int64_t kAtOnce = INT64_MIN;

private:
    struct TimedMessage {
        uint32_t message = 0;
        int64_t dueUs = 0;
    };

    SynthRenderer(fluid_settings_t* settings, fluid_synth_t* synth, double sampleRate);
    void Apply(uint32_t message);

    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
    double sampleRate_;
    MessageRing<TimedMessage, 1024> pending_;
};

}  // namespace voxnote
