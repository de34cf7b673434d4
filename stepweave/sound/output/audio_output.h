#pragma once
// The output every sound device of the program plays through: one backend
// and the mixer it runs. The first device to open it starts it and the last
// one to let go closes it, so all windows mix into one stream (and, with
// the file backend, into one recording).
//
// Main thread only.
#include <functional>
#include <memory>
#include <string>

#include "stepweave/sound/backend/audio_backend.h"
#include "stepweave/sound/mixer/mixer.h"

namespace stepweave {

using AudioBackendFactory = std::function<std::unique_ptr<AudioBackend>()>;

class AudioOutput {
public:
    // The running output, opened now if nobody holds it; nullptr when the
    // backend cannot be opened (no device, a value of STEPWEAVE_AUDIO that
    // names none), with the reason in `failure` when one is known.
    static std::shared_ptr<AudioOutput> Acquire(std::string* failure = nullptr);
    // The running output, or nullptr when nobody holds one.
    static std::shared_ptr<AudioOutput> Running();

    // Replaces how the output finds its backend (tests install the
    // hand-pumped device); an empty factory goes back to STEPWEAVE_AUDIO.
    // Returns the factory that was in place.
    static AudioBackendFactory SetBackendFactory(AudioBackendFactory factory);

    // Stops the device, if Close has not; a failure nobody was told of goes
    // to the standard error stream.
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Stops the device now, whoever still holds the output (their buffers
    // fall silent), and finishes what it writes. Raises what went wrong
    // while it ran: a recording that could not be written, whose target is
    // then left as it was.
    void Close();
    // Stops the device now and drops what it was writing, so that a command
    // that failed leaves a recording's target as it was.
    void Discard();

    Mixer& GetMixer() { return *mixer_; }
    MillisecondClock& Clock() { return mixer_->Clock(); }

    // Counts the times the output lost its buffers. A buffer made before the
    // latest loss reports itself lost until it is restored and refilled.
    uint32_t BufferLosses() const { return bufferLosses_; }
    // Declares every buffer lost, as after the device was reset underneath
    // them: they stop, and their owners reload them.
    void LoseBuffers() { ++bufferLosses_; }

private:
    explicit AudioOutput(std::unique_ptr<AudioBackend> backend);
    void LetGo();

    std::unique_ptr<AudioBackend> backend_;
    std::unique_ptr<Mixer> mixer_;
    uint32_t bufferLosses_ = 0;
    bool closed_ = false;
};

}  // namespace stepweave
