#pragma once
// The built-in General MIDI synthesizer as a MIDI output device (a wavetable
// synthesizer, technology 6): the soundfont synthesizer played through the
// audio output (VOXNOTE_AUDIO_OUT; the default sound device).
//
// Each message sounds a constant latency after it was sent, at its own
// sample of the audio buffer (AudioTimeline), so notes keep their timing.
// The soundfont and the audio output are opened on the first open and kept.
// Closing ends the notes and lets them ring out; once they have died away
// the output only plays silence, without running the synthesizer.
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "voxnote/app/audio/audio_output.h"
#include "voxnote/app/audio/audio_timeline.h"
#include "voxnote/app/mididevices/midi_output_device.h"
#include "voxnote/app/mididevices/synth_renderer.h"

namespace voxnote {

class BuiltinSynthDevice : public MidiOutputDevice, private AudioRenderer {
public:
    explicit BuiltinSynthDevice(std::filesystem::path soundfont);
    ~BuiltinSynthDevice() override;

    std::string Name() const override;
    int Technology() const override;
    // Fails, saying why, with no audio output device or a soundfont that
    // cannot be read; nothing else is harmed.
    bool Open() override;
    bool IsOpen() const override { return open_; }
    const std::string& OpenFailure() const override { return openFailure_; }
    bool SendShortMessage(uint32_t message) override;
    void Close() override;

private:
    // Audio thread.
    void Render(float* interleaved, unsigned frames) override;
    bool StartAudio();
    void StopAudio();

    const std::filesystem::path soundfont_;
    std::unique_ptr<AudioOutput> output_;
    bool outputRunning_ = false;
    std::unique_ptr<SynthRenderer> renderer_;
    std::unique_ptr<AudioTimeline> timeline_;
    std::atomic<bool> closing_ = false;
    bool open_ = false;
    std::string openFailure_;
};

}  // namespace voxnote
