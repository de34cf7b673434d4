#pragma once
// The built-in General MIDI synthesizer as a MIDI output device (a wavetable
// synthesizer, technology 6): the soundfont synthesizer played through the
// default audio output.
//
// Each message sounds a constant latency after it was sent, at its own
// sample of the audio buffer (AudioTimeline), so notes keep their timing.
// The soundfont is loaded on the first open and kept. Closing ends the notes
// and lets them ring out: the audio output stops by itself once the last
// voice has died away, and is opened again by the next open.
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "voxnote/app/audio_timeline.h"
#include "voxnote/app/midi_output_device.h"
#include "voxnote/app/synth_renderer.h"

class RtAudio;

namespace voxnote {

class BuiltinSynthDevice : public MidiOutputDevice {
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
    static int RenderCallback(void* output, void* input, unsigned frames, double streamTime, unsigned status,
                              void* self);
    bool StartAudio();
    void CloseAudio();

    const std::filesystem::path soundfont_;
    std::unique_ptr<RtAudio> audio_;
    std::unique_ptr<SynthRenderer> renderer_;
    std::unique_ptr<AudioTimeline> timeline_;
    std::atomic<bool> closing_ = false;
    bool open_ = false;
    std::string openFailure_;
};

}  // namespace voxnote
