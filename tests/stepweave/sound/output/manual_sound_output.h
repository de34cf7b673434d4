#pragma once
// Routes the program's audio output to a hand-pumped device for the life of
// the object: every sound device opened meanwhile plays into `clock`, which
// renders as the test moves it on.
#include <cstdlib>
#include <memory>
#include <string>

#include "stepweave/sound/output/audio_output.h"
#include "tests/support/stepweave/manual_audio_backend.h"

namespace stepweave::testing {

inline constexpr uint32_t kTestLatency = 20;

struct ManualSoundOutput {
    ManualSoundOutput() {
        previous = AudioOutput::SetBackendFactory(
            [this] { return std::make_unique<ManualAudioBackend>(clock, kTestLatency); });
    }
    ~ManualSoundOutput() { AudioOutput::SetBackendFactory(std::move(previous)); }

    ManualAudioClock clock;
    AudioBackendFactory previous;
};

// No sound device for the life of the object, as on a machine without
// sound: opening one fails, with no cause to tell.
struct NoSoundDevice {
    NoSoundDevice() { previous = AudioOutput::SetBackendFactory([] { return nullptr; }); }
    ~NoSoundDevice() { AudioOutput::SetBackendFactory(std::move(previous)); }

    AudioBackendFactory previous;
};

// The message for STEPWEAVE_AUDIO=bogus: the system's line, then the value named.
inline const char* const kBogusDeviceMessage =
    "DirectSound cannot be initialized\n"
    "STEPWEAVE_AUDIO=bogus names no sound output: use rtaudio, rtaudio:API, rtaudio:API:DEVICE, null or file:PATH";

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            hadOld_ = true;
        }
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (hadOld_) {
            setenv(name_.c_str(), old_.c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }

private:
    std::string name_;
    std::string old_;
    bool hadOld_ = false;
};

}  // namespace stepweave::testing
