#pragma once
// The output a program plays through: one backend and the mixer it runs.
// Whoever opens it (the session, a headless command) hands it to the sound
// devices of its windows, so all of them mix into one stream (and, with the
// file backend, into one recording).
//
// Main thread only.
#include <memory>
#include <string>

#include "stepweave/sound/backend/audio_backend.h"
#include "stepweave/sound/mixer/mixer.h"

namespace stepweave {

class AudioOutput {
public:
    // The backend opened and started with a mixer; nullptr when it cannot
    // be, with the reason in `failure` when the backend knows one.
    static std::shared_ptr<AudioOutput> Open(std::unique_ptr<AudioBackend> backend, std::string* failure = nullptr);

    // Stops the device, if Close has not; a failure nobody was told of goes
    // to the standard error stream.
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Stops the device now, whoever still holds the output (their voices
    // fall silent), and finishes what it writes. Raises what went wrong
    // while it ran: a recording that could not be written, whose target is
    // then left as it was.
    void Close();
    // Stops the device now and drops what it was writing, so that a command
    // that failed leaves a recording's target as it was.
    void Discard();

    Mixer& GetMixer() { return *mixer_; }
    MillisecondClock& Clock() { return mixer_->Clock(); }

    // Counts the times the output lost its voices. A voice made before the
    // latest loss reports itself lost until it is restored and refilled.
    uint32_t BufferLosses() const { return bufferLosses_; }
    // Declares every voice lost, as after the device was reset underneath
    // them: they stop, and their owners reload them.
    void LoseBuffers() { ++bufferLosses_; }

private:
    explicit AudioOutput(std::unique_ptr<AudioBackend> backend);

    std::unique_ptr<AudioBackend> backend_;
    std::unique_ptr<Mixer> mixer_;
    uint32_t bufferLosses_ = 0;
    bool closed_ = false;
};

// The output the source's backend plays through. SoundOutputError
// "%s cannot be initialized" ("DirectSound") when there is none, followed on a
// second line by the cause (what the sound system said, or the value of
// STEPWEAVE_AUDIO that names no device) and the way out, when known.
std::shared_ptr<AudioOutput> OpenAudioOutput(const AudioBackendSource& source);

}  // namespace stepweave
