#pragma once
// A sound device as the mixer sees it: something that calls Mixer::Process
// for every block of output it needs, from its own audio thread (or, for the
// hand-pumped test device, whenever the test moves its clock on).
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace stepweave {

class Mixer;
class MillisecondClock;

class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Opens the device without starting it; false when there is none.
    virtual bool Open() = 0;
    // Why Open failed, in words for the user (what the sound system said and
    // the way out); empty when there is nothing to add.
    virtual std::string OpenFailure() const { return {}; }
    // How long after a request its sound is scheduled: enough to cover one
    // block of the device and the jitter of its callbacks. Known after Open.
    virtual uint32_t LatencyMilliseconds() const = 0;
    // The clock the device's frames are mapped to; the mixer stamps requests with it.
    virtual MillisecondClock& Clock() = 0;
    // Starts calling mixer.Process; false when the device refuses to start.
    virtual bool Start(Mixer& mixer) = 0;
    // After Stop returns, Process is not called again and the device is closed.
    virtual void Stop() = 0;
    // Stops as Stop does, dropping what the device was writing: for a command
    // that failed, whose recording must not replace the file it names.
    virtual void Discard() { Stop(); }
    // What went wrong while the device ran (a recording that could not be
    // written), once Stop has returned; nullptr when nothing did.
    virtual std::exception_ptr RunFailure() const { return nullptr; }
};

// Where a program's output comes from: the backend to play through, or
// nullptr with the reason in `failure` (a choice that names no device).
using AudioBackendSource = std::function<std::unique_ptr<AudioBackend>(std::string& failure)>;

}  // namespace stepweave
