#pragma once
// The built-in synthesizer's sound: a General MIDI soundfont played by
// FluidSynth, rendered into stereo float frames on request.
//
// Messages are posted from the senders' side (one at a time) into a ring;
// Render, called on the audio thread, hands them to the synthesizer and
// renders. The synthesizer is touched by that one thread only, with its own
// locking turned off, so rendering never waits, allocates or does I/O.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include <fluidsynth/types.h>

#include "voxnote/app/message_ring.h"

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

    // Sender side. False when the ring is full.
    bool Post(uint32_t message);

    // Audio thread: plays the posted messages, then renders `frames` stereo
    // frames, interleaved left/right.
    void Render(float* interleaved, unsigned frames);
    // Audio thread: voices still sounding (a released note rings on).
    int ActiveVoices() const;

private:
    SynthRenderer(fluid_settings_t* settings, fluid_synth_t* synth, double sampleRate);
    void Apply(uint32_t message);

    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
    double sampleRate_;
    MessageRing<1024> pending_;
};

}  // namespace voxnote
