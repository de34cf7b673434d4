#pragma once
// Where the WAV preview and the built-in synthesizer sound: an audio output that asks its renderer for
// stereo float frames from its own thread. The renderer's side runs on that
// audio thread and must not lock, allocate, wait or do I/O; everything else
// is called from the owner's thread.
//
// Outputs: the default sound device (RtAudio), a discarding output that
// consumes frames in real time and sounds nothing, and a manual output whose
// frames are pulled by hand (tests).
#include <memory>
#include <string>

namespace voxnote {

class AudioRenderer {
public:
    virtual ~AudioRenderer() = default;
    // Audio thread: fills `frames` stereo frames, interleaved left/right.
    virtual void Render(float* interleaved, unsigned frames) = 0;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Opens the output for `renderer` at `preferredRate` when the device
    // takes it, else at a rate of its own (SampleRate() tells which), asking
    // for buffers of about `framesPerBuffer` frames. False with the reason in
    // `failure`.
    virtual bool Open(unsigned preferredRate, unsigned framesPerBuffer, AudioRenderer& renderer,
                      std::string& failure) = 0;
    virtual unsigned SampleRate() const = 0;
    // The renderer is called from now on.
    virtual bool Start(std::string& failure) = 0;
    // Once this returns the renderer is no longer called and the sound has
    // ended: what the device still held is dropped, not played out. False
    // (the output is then left to Close) when the device reports an error.
    virtual bool Stop(std::string& failure) = 0;
    virtual void Close() = 0;
};

// The output named by VOXNOTE_AUDIO_OUT: "rtaudio" (the default) is the
// sound device, "null" the discarding output.
std::unique_ptr<AudioOutput> CreateAudioOutput();

}  // namespace voxnote
